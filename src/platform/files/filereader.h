// Reading a whole file: the one reader of documents, settings, word lists and batch files.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace krq {

enum class TReadResult {
    Read,
    Missing,     // the file does not exist
    NotRegular,  // a directory, FIFO, socket or device (after following links): never opened
    Failed,      // any other failure (no permission, a read error)
};

// What tells one state of a file from the next: a rewrite by rename gives a new inode, one in
// place a new size or change time.
struct TFileIdentity {
    dev_t Device = 0;
    ino_t Inode = 0;
    int64_t Size = -1;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    bool operator==(const TFileIdentity&) const = default;
};

// Frees what AllocateFileBuffer returned: a large buffer of `mapped` bytes, or malloc's.
struct TFileBufferFree {
    size_t mapped = 0;
    void operator()(char* p) const;
};
using TFileBufferData = std::unique_ptr<char[], TFileBufferFree>;

// Room for `size` bytes of a file, not zero-filled by us (filling 100 MB costs as much as
// cutting it into lines). A file of some megabytes gets a large buffer on huge pages.
TFileBufferData AllocateFileBuffer(size_t size);

// A file's bytes in such a buffer.
struct TFileBuffer {
    TFileBufferData Data;
    size_t Size = 0;
};

// Reads the whole regular file at `path`. `spare` bytes of room are left after the contents,
// for a caller that appends (so a large file is not copied to grow it). Anything that is not a
// regular file is refused before it is opened, so a FIFO or a device never hangs the program.
TReadResult ReadFileBytes(const std::string& path, std::string& bytes, size_t spare = 0,
                          TFileIdentity* identity = nullptr);
TReadResult ReadFileBytes(const std::string& path, TFileBuffer& bytes);

// The same, throwing EKrqError "Cannot open file %s" unless the file was read.
std::string ReadFileOrRaise(const std::string& path, size_t spare = 0);
TFileBuffer ReadFileBufferOrRaise(const std::string& path);

// Everything an open descriptor delivers up to its end (standard input, a pipe).
bool ReadAllFromDescriptor(int fd, std::string& bytes);

// The identity of the file at `path` as it is now; false when it cannot be looked at.
bool CurrentIdentity(const std::string& path, TFileIdentity& identity, int& error);

}  // namespace krq
