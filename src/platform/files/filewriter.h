// Writing a whole file so that no failure, full disk or crash loses the old contents: the one
// writer of documents, settings, word lists and batch files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace krq {

// The message a refused write raises: "Cannot create file %s" (documents and data files) or
// "Unable to write to %s" (the INI facility).
enum class TWriteMessage { CannotCreate, UnableToWrite };

struct TWriteOptions {
    TWriteMessage Message = TWriteMessage::CannotCreate;
    // When the directory takes no new file (it refuses the temporary file with EACCES, EPERM or
    // EROFS), rewrite the existing file in place instead: its space is reserved first and its
    // old contents are copied to the user's cache directory until the new ones are on disk.
    // Never for any other failure (a full disk, a read error), which leaves the file as it was.
    bool InPlaceFallback = false;
};

// Replaces the contents of `path` with the `size` bytes that `write` puts into the open
// descriptor (through WriteFully; false = failed). Normally a temporary file beside the target is
// written, flushed and renamed over it, keeping the old file's owner and group where the system
// allows and its permission bits; a symbolic link keeps pointing at the file it names. A file
// whose owner-write bit is clear (also for root) or that is no regular file is never written.
// Throws EKrqError with the chosen message and the path; on failure the old file is untouched,
// no temporary file is left, and a half-done rewrite in place names the copy of the old contents.
void WriteFileSafely(const std::string& path, uint64_t size,
                     const std::function<bool(int fd)>& write, const TWriteOptions& options = {});
void WriteFileSafely(const std::string& path, std::string_view bytes,
                     const TWriteOptions& options = {});

// True when the file's owner-write permission bit is clear (so also for root, who could write
// anyway) or its attributes cannot be read.
bool IsFileReadOnly(const std::string& path);

// The file a write to `path` must replace: the final target of a chain of symbolic links
// (also a dangling one), so the links stay in place.
std::string ResolveLinks(const std::string& path);

// Writes all bytes, retrying short writes; false on an error.
bool WriteFully(int fd, const char* data, size_t size);

// Where the old contents of a file rewritten in place are kept: $XDG_CACHE_HOME/kwerdel-rq,
// by default ~/.cache/kwerdel-rq.
std::string RecoveryDirectory();

// Fault injection for tests: each fault acts once, on the next write that reaches it.
struct TWriteFaults {
    // Creating the temporary file beside the target fails with this errno (0: no fault).
    int TemporaryFileError = 0;
    // The rewrite in place stops with an I/O error once this many bytes of the new contents
    // have reached the file, as a failing disk would leave it (negative: no fault).
    int64_t InPlaceFailAfter = -1;
};
void SetWriteFaultsForTests(const TWriteFaults& faults);

}  // namespace krq
