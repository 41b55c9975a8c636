// Converting whole files in place: the line rule of the batch conversion and a safe write.
#include "convert/unBatch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "convert/unBase.h"
#include "platform/atomicfile.h"
#include "platform/errors.h"

namespace krq {

namespace {

// True when every break is CR LF, so that the text needs at most a final CR LF.
bool breaksAreCrLf(std::string_view text) {
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

std::string normalizeLines(std::string text) {
    if (breaksAreCrLf(text)) {
        if (!text.empty() && text.back() != '\n') text.append("\r\n", 2);
        return text;
    }
    return JoinLinesCrLf(text, true);
}

// Read here rather than by ReadWholeFile: the buffer is sized from the file once, with room for
// the final line break that the line rule may add, so a large file is never copied to grow it.
std::string readFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) raiseCannotOpen(path);
    struct stat info;
    std::string bytes;
    bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    if (ok) {
        size_t size = S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0;
        bytes.resize(size + 4 > 65536 ? size + 4 : 65536);
    }
    size_t length = 0;
    while (ok) {
        if (length == bytes.size()) bytes.resize(bytes.size() * 2);
        ssize_t got = ::read(fd, bytes.data() + length, bytes.size() - length);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        length += static_cast<size_t>(got);
    }
    ::close(fd);
    if (!ok) raiseCannotOpen(path);
    bytes.resize(length);
    return bytes;
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    // Renaming over a file needs no write permission on it; a read-only file must stay as it is.
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0) raiseCannotCreate(path);
    if (!ReplaceFileAtomically(path, bytes)) raiseCannotCreate(path);
}

void convertFile(const std::string& path, int code) {
    std::string text = normalizeLines(readFileBytes(path));
    text = normalizeLines(fncConvert(code, text));
    writeFileSafely(path, text);
}

bool isFileReadOnly(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return true;
    return (info.st_mode & S_IWUSR) == 0;
}

}  // namespace krq
