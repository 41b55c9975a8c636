// Replacing a file's contents so that a crash leaves either the old or the new file, never half.
#pragma once

#include <string>
#include <string_view>

namespace krq {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, keeping the old
// file's permission bits and writing through a symbolic link to its target. Returns false and
// leaves the old file untouched when the directory refuses the temporary file or the rename.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace krq
