// The insert texts and the auxiliary text file.
#include "editing/unInsertText.h"

#include "convert/unBase.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"
#include "platform/programdir.h"

namespace krq {

std::string HtmlColorCode(uint8_t red, uint8_t green, uint8_t blue) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string code = "#";
    for (uint8_t part : {red, green, blue}) {
        code += kHex[part >> 4];
        code += kHex[part & 15];
    }
    return code;
}

std::string_view UpToNul(std::string_view bytes) {
    size_t nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

std::string LinesEachWithCrLf(std::string_view bytes) {
    return JoinLinesCrLf(UpToNul(bytes), true);
}

std::string CrLfBreaks(std::string_view bytes) {
    bytes = UpToNul(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16 + 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out.append("\r\n", 2);
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string ExtraTextPath() { return ProgramFile("data/extratext.dat"); }

std::string ReadExtraTextFile() { return ReadFileOrRaise(ExtraTextPath()); }

void WriteExtraTextFile(std::string_view bytes) { WriteFileSafely(ExtraTextPath(), bytes); }

}  // namespace krq
