// Replacing a file's contents so that a crash leaves either the old or the new file, never half.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace krq {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, keeping the old
// file's permission bits and writing through a symbolic link to its target. Returns false and
// leaves the old file untouched when the directory refuses the temporary file or the rename.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

enum class TReplaceResult { Done, NoTemporaryFile, Failed };

// The same with the contents streamed by `write` into the open descriptor (false = failed).
// NoTemporaryFile: the directory took no new file and nothing was touched, so a caller may
// choose to rewrite the file in place. `sync` flushes the new file before the rename.
TReplaceResult ReplaceFileAtomically(const std::string& path,
                                     const std::function<bool(int fd)>& write, bool sync);

// The file a write to `path` must replace: the final target of a chain of symbolic links
// (also a dangling one), so the links stay in place.
std::string ResolveLinks(const std::string& path);

// Writes all bytes, retrying short writes; false on an error.
bool WriteFully(int fd, const char* data, size_t size);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace krq
