// The whole-file reader.
#include "platform/files/filereader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/errors.h"
#include "platform/files/largebuffer.h"

namespace krq {

namespace {

TFileIdentity IdentityOf(const struct stat& st) {
    TFileIdentity id;
    id.Device = st.st_dev;
    id.Inode = st.st_ino;
    id.Size = static_cast<int64_t>(st.st_size);
    id.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.ChangedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return id;
}

// A growable std::string: resizing zero-fills, which the small files read this way can afford.
struct TStringSink {
    std::string& out;
    char* Reserve(size_t capacity) {
        out.resize(capacity);
        return out.data();
    }
    void Finish(size_t size) { out.resize(size); }
};

struct TBufferSink {
    TFileBuffer& out;
    size_t capacity = 0;
    char* Reserve(size_t wanted) {
        TFileBufferData bigger = AllocateFileBuffer(wanted);
        if (out.Data) std::memcpy(bigger.get(), out.Data.get(), capacity);
        out.Data = std::move(bigger);
        capacity = wanted;
        return out.Data.get();
    }
    void Finish(size_t size) { out.Size = size; }
};

// Reads from `fd` until its end, starting with room for `initial` bytes and doubling.
template <class TSink>
bool ReadToEnd(int fd, TSink& sink, size_t initial) {
    size_t capacity = initial > 0 ? initial : 1;
    char* data = sink.Reserve(capacity);
    size_t size = 0;
    for (;;) {
        if (size == capacity) {
            capacity *= 2;
            data = sink.Reserve(capacity);
        }
        ssize_t got = ::read(fd, data + size, capacity - size);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        size += static_cast<size_t>(got);
    }
    sink.Finish(size);
    return true;
}

template <class TSink>
TReadResult ReadRegularFile(const std::string& path, TSink& sink, size_t spare,
                            TFileIdentity* identity) {
    // Looked at before it is opened: opening a FIFO waits for a writer, opening a device may do
    // anything.
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? TReadResult::Missing : TReadResult::Failed;
    if (!S_ISREG(st.st_mode)) return TReadResult::NotRegular;
    // O_NONBLOCK: should the name have been replaced by a FIFO since, the open does not wait.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? TReadResult::Missing : TReadResult::Failed;
    TReadResult result = TReadResult::Read;
    if (::fstat(fd, &st) != 0) {
        result = TReadResult::Failed;
    } else if (!S_ISREG(st.st_mode)) {
        result = TReadResult::NotRegular;
    } else {
        // One byte more than the file holds, so the end is seen without growing the buffer.
        size_t initial = static_cast<size_t>(st.st_size) + (spare > 0 ? spare : 1);
        if (!ReadToEnd(fd, sink, initial)) result = TReadResult::Failed;
        if (identity) *identity = IdentityOf(st);
    }
    ::close(fd);
    return result;
}

}  // namespace

void TFileBufferFree::operator()(char* p) const {
    if (mapped)
        UnmapLargeBuffer(p, mapped);
    else
        std::free(p);
}

TFileBufferData AllocateFileBuffer(size_t size) {
    if (size >= 2 * kHugePage) {
        if (void* p = MapLargeBuffer(size))
            return TFileBufferData(static_cast<char*>(p), TFileBufferFree{size});
        throw std::bad_alloc();
    }
    void* p = std::malloc(size > 0 ? size : 1);
    if (!p) throw std::bad_alloc();
    return TFileBufferData(static_cast<char*>(p));
}

TReadResult ReadFileBytes(const std::string& path, std::string& bytes, size_t spare,
                          TFileIdentity* identity) {
    std::string out;
    TStringSink sink{out};
    TReadResult result = ReadRegularFile(path, sink, spare, identity);
    if (result == TReadResult::Read) bytes = std::move(out);
    return result;
}

TReadResult ReadFileBytes(const std::string& path, TFileBuffer& bytes) {
    TFileBuffer out;
    TBufferSink sink{out};
    TReadResult result = ReadRegularFile(path, sink, 0, nullptr);
    if (result == TReadResult::Read) bytes = std::move(out);
    return result;
}

std::string ReadFileOrRaise(const std::string& path, size_t spare) {
    std::string bytes;
    if (ReadFileBytes(path, bytes, spare) != TReadResult::Read) RaiseCannotOpen(path);
    return bytes;
}

TFileBuffer ReadFileBufferOrRaise(const std::string& path) {
    TFileBuffer bytes;
    if (ReadFileBytes(path, bytes) != TReadResult::Read) RaiseCannotOpen(path);
    return bytes;
}

bool ReadAllFromDescriptor(int fd, std::string& bytes) {
    TStringSink sink{bytes};
    return ReadToEnd(fd, sink, size_t{1} << 20);
}

bool CurrentIdentity(const std::string& path, TFileIdentity& identity, int& error) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = errno;
        return false;
    }
    identity = IdentityOf(st);
    error = 0;
    return true;
}

}  // namespace krq
