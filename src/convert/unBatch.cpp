// Converting whole files in place: the line rule of the batch conversion and a safe write.
#include "convert/unBatch.h"

#include <cstring>

#include "convert/unBase.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"

namespace krq {

namespace {

// True when every break is CR LF, so that the text needs at most a final CR LF.
bool BreaksAreCrLf(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
        const char* stop = cr ? cr : end;
        if (std::memchr(p, '\n', stop - p)) return false;
        if (!cr) return true;
        if (cr + 1 == end || cr[1] != '\n') return false;
        p = cr + 2;
    }
    return true;
}

}  // namespace

std::string NormalizeLines(std::string text) {
    if (BreaksAreCrLf(text)) {
        if (!text.empty() && text.back() != '\n') text.append("\r\n", 2);
        return text;
    }
    return JoinLinesCrLf(text, true);
}

void ConvertFile(const std::string& path, int code, TDocEncoding encoding) {
    // Room is left for the final line break that the line rule may add, so a large file is
    // never copied to grow it.
    std::string text = ReadFileOrRaise(path, 4);
    if (encoding != TDocEncoding::Windows1250) encoding = DecodeOrRaise(text, encoding, path);
    text = NormalizeLines(fncConvert(code, NormalizeLines(std::move(text))));
    if (encoding != TDocEncoding::Windows1250) text = EncodeOrRaise(text, encoding, path);
    WriteFileSafely(path, text);
}

}  // namespace krq
