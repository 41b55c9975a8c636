// Atomic file replacement and whole-file reading.
#include "platform/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace krq {

namespace {

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool WriteFully(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size() - 1);
        if (n <= 0) return current;
        std::string target(buf.data(), static_cast<size_t>(n));
        if (target[0] != '/') {
            auto slash = current.rfind('/');
            target = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) +
                     target;
        }
        current = target;
    }
    return current;
}

TReplaceResult ReplaceFileAtomically(const std::string& path,
                                     const std::function<bool(int fd)>& write, bool sync) {
    const std::string target = ResolveLinks(path);
    std::string tmp = target + ".krq-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return TReplaceResult::NoTemporaryFile;

    struct stat old;
    if (::stat(target.c_str(), &old) == 0) {
        // The owner is kept where we may change it; the mode always is.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, newFileMode());
    }
    bool ok = write(fd) && (!sync || ::fsync(fd) == 0);
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(tmp.c_str(), target.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return TReplaceResult::Failed;
    }
    return TReplaceResult::Done;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    return ReplaceFileAtomically(
               path, [&](int fd) { return WriteFully(fd, bytes.data(), bytes.size()); },
               true) == TReplaceResult::Done;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string out;
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    for (;;) {
        if (got == out.size()) {
            // The file may have grown since fstat: probe with a small read before growing the
            // buffer, so a file of the expected size is never copied.
            char probe[65536];
            ssize_t n = ::read(fd, probe, sizeof probe);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ::close(fd);
                return false;
            }
            if (n == 0) break;
            out.append(probe, static_cast<size_t>(n));
            got += static_cast<size_t>(n);
            continue;
        }
        ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    bytes = std::move(out);
    return true;
}

}  // namespace krq
