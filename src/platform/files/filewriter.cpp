// The whole-file writer: atomic replacement, and a guarded rewrite in place where the directory
// takes no new file.
#include "platform/files/filewriter.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/errors.h"

namespace krq {

namespace {

// The faults armed by a test; the in-place one is bound to the descriptor of the next rewrite.
TWriteFaults g_faults;
int g_failureFd = -1;
int64_t g_failureLeft = 0;

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

[[noreturn]] void Fail(const TWriteOptions& options, const std::string& path) {
    if (options.Message == TWriteMessage::UnableToWrite) RaiseUnableToWrite(path);
    RaiseCannotCreate(path);
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The rename is only durable once the directory entry is on disk too.
void SyncDirectory(const std::string& path) {
    int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

bool MakeDirectories(const std::string& dir) {
    for (size_t at = 1; at <= dir.size(); ++at) {
        if (at != dir.size() && dir[at] != '/') continue;
        std::string part = dir.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st;
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A file-size limit (ulimit -f) would stop the write part way, and keeping the size unchanged
// while reserving does not test it, so it is looked at first.
bool WithinFileSizeLimit(uint64_t size) {
    rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        size <= limit.rlim_cur)
        return true;
    errno = EFBIG;
    return false;
}

// The temporary file beside `target`: its name is cut so that a long file name still leaves
// room for the suffix.
int MakeTemporaryFile(const std::string& target, std::string& tmp) {
    if (g_faults.TemporaryFileError != 0) {
        errno = g_faults.TemporaryFileError;
        g_faults.TemporaryFileError = 0;
        return -1;
    }
    constexpr size_t kKeep = 200;
    const auto slash = target.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    tmp = target.substr(0, std::min(target.size(), nameStart + kKeep)) + ".krq-XXXXXX";
    return ::mkstemp(tmp.data());
}

// Writes the `size` bytes at the start of `from` to `to` and flushes them.
bool CopyContents(int from, int to, uint64_t size) {
    std::vector<char> buffer(size_t{1} << 20);
    uint64_t done = 0;
    while (done < size) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size(), size - done));
        ssize_t got = ::pread(from, buffer.data(), want, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        for (ssize_t put = 0; put < got;) {
            ssize_t n = ::pwrite(to, buffer.data() + put, static_cast<size_t>(got - put),
                                 static_cast<off_t>(done) + put);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            put += n;
        }
        done += static_cast<uint64_t>(got);
    }
    return ::fsync(to) == 0;
}

// Space for `size` bytes without changing the file's size, so the old contents stay exactly as
// they are; where the file system cannot keep the size, the reserved tail is cut off again when
// the reservation fails.
bool ReserveSpace(int fd, uint64_t size, uint64_t oldSize) {
    if (size == 0) return true;
    if (!WithinFileSizeLimit(size)) return false;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS) return false;
    int error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
    if (error == 0) return true;
    if (::ftruncate(fd, static_cast<off_t>(oldSize)) != 0) {
    }
    errno = error;
    return false;
}

// Writes the producer's bytes from the start of `fd`, cuts the file at their end and flushes.
bool WriteAndFlush(int fd, const std::function<bool(int fd)>& write) {
    if (!write(fd)) return false;
    off_t end = ::lseek(fd, 0, SEEK_CUR);
    return end >= 0 && ::ftruncate(fd, end) == 0 && ::fsync(fd) == 0;
}

void RewriteInPlace(const std::string& path, const std::string& target, uint64_t size,
                    const std::function<bool(int fd)>& write, const TWriteOptions& options) {
    int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) Fail(options, path);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Fail(options, path);
    }
    const auto oldSize = static_cast<uint64_t>(st.st_size);

    // The old contents go to the cache directory first: nothing of the file is touched until
    // they are on disk there.
    const std::string dir = RecoveryDirectory();
    std::string copy = dir + "/" + BaseNameOf(target) + ".XXXXXX";
    int copyFd = MakeDirectories(dir) ? ::mkstemp(copy.data()) : -1;
    if (copyFd < 0 || !CopyContents(fd, copyFd, oldSize) || !ReserveSpace(fd, size, oldSize) ||
        ::lseek(fd, 0, SEEK_SET) != 0) {
        if (copyFd >= 0) {
            ::close(copyFd);
            ::unlink(copy.c_str());
        }
        ::close(fd);
        Fail(options, path);
    }

    if (g_faults.InPlaceFailAfter >= 0) {
        g_failureFd = fd;
        g_failureLeft = g_faults.InPlaceFailAfter;
        g_faults.InPlaceFailAfter = -1;
    }
    bool ok = WriteAndFlush(fd, write);
    g_failureFd = -1;
    if (!ok) {
        // The file is put back as it was where the disk still allows; the copy stays either
        // way, and the message names it.
        if (CopyContents(copyFd, fd, oldSize)) {
            if (::ftruncate(fd, static_cast<off_t>(oldSize)) == 0) ::fsync(fd);
        }
        ::close(copyFd);
        ::close(fd);
        std::string message =
            FormatMessage(options.Message == TWriteMessage::UnableToWrite ? "Unable to write to %s"
                                                                          : "Cannot create file %s",
                          path);
        throw EKrqError(message + ". The old contents are kept in " + copy);
    }
    ::close(fd);
    ::close(copyFd);
    ::unlink(copy.c_str());
}

}  // namespace

bool WriteFully(int fd, const char* data, size_t size) {
    bool failAfter = false;
    if (g_failureFd >= 0 && fd == g_failureFd) {
        if (static_cast<int64_t>(size) > g_failureLeft) {
            size = static_cast<size_t>(g_failureLeft);
            failAfter = true;
        }
        g_failureLeft -= static_cast<int64_t>(size);
    }
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    if (failAfter) {
        errno = EIO;
        return false;
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

bool IsFileReadOnly(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return true;
    return (st.st_mode & S_IWUSR) == 0;
}

std::string RecoveryDirectory() {
    std::string base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/') {
        base = cache;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = ::getpwuid(::getuid());
            home = user && user->pw_dir ? user->pw_dir : "/tmp";
        }
        base = std::string(home) + "/.cache";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/kwerdel-rq";
}

void SetWriteFaultsForTests(const TWriteFaults& faults) { g_faults = faults; }

void WriteFileSafely(const std::string& path, uint64_t size,
                     const std::function<bool(int fd)>& write, const TWriteOptions& options) {
    const std::string target = ResolveLinks(path);
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) Fail(options, path);
    // Renaming over a file needs no write permission on it: a read-only file, or anything that
    // is not a plain file, must stay as it is.
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0)) Fail(options, path);

    std::string tmp;
    int fd = MakeTemporaryFile(target, tmp);
    if (fd < 0) {
        const int error = errno;
        if (options.InPlaceFallback && exists &&
            (error == EACCES || error == EPERM || error == EROFS)) {
            RewriteInPlace(path, target, size, write, options);
            return;
        }
        Fail(options, path);
    }
    if (exists) {
        // The owner is kept where we may change it (root saving another user's file must not
        // take it over); the group at least where only that is allowed. The mode always is.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        }
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, NewFileMode());
    }
    // Reserving the space first turns a full disk into a clean failure before any writing.
    bool ok = (size == 0 || (WithinFileSizeLimit(size) &&
                             ::posix_fallocate(fd, 0, static_cast<off_t>(size)) == 0)) &&
              WriteAndFlush(fd, write);
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(tmp.c_str(), target.c_str()) != 0) {
        ::unlink(tmp.c_str());
        Fail(options, path);
    }
    SyncDirectory(target);
}

void WriteFileSafely(const std::string& path, std::string_view bytes,
                     const TWriteOptions& options) {
    WriteFileSafely(
        path, bytes.size(), [&](int fd) { return WriteFully(fd, bytes.data(), bytes.size()); },
        options);
}

}  // namespace krq
