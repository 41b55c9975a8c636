// Converting whole files in place: the line rule of the batch conversion and a safe write.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/encoding.h"

namespace krq {

// The text as the batch conversion sees a file: split into lines at CR LF, a CR alone or an LF
// alone (a break at the very end opens no further line), each line followed by CR LF.
// A text whose lines already end in CR LF is handed back without a copy.
std::string normalizeLines(std::string text);

// The whole file; throws EKrqError "Cannot open file %s", also for anything that is not a
// regular file (a FIFO, a socket, a device), which is never opened.
std::string readFileBytes(const std::string& path);

// Replaces the file's contents: a temporary file beside it is written, given the file's
// permission bits and renamed over it, so the file is never left half-written. A symbolic link
// keeps pointing at the file it names. A file whose owner-write bit is clear is not replaced.
// Throws EKrqError "Cannot create file %s".
void writeFileSafely(const std::string& path, std::string_view bytes);

// Reads the file as lines, applies the conversion with the given code (1–19) and writes the
// result back as lines, each followed by CR LF.
// The file is decoded from `encoding` first (from the encoding it is found to be in when none
// is given, as opening a document does) and encoded back after; one that cannot be is refused
// unwritten.
void convertFile(const std::string& path, int code,
                 std::optional<TDocEncoding> encoding = TDocEncoding::Windows1250);

// True when the owner-write permission bit is clear (also for root, who could write anyway) or
// the file's attributes cannot be read: such a file is left alone by the batch conversion.
bool isFileReadOnly(const std::string& path);

}  // namespace krq
