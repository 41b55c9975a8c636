// Converting whole files in place: the line rule of the batch conversion and a safe write.
#pragma once

#include <string>
#include <string_view>

#include "platform/encoding.h"

namespace krq {

// The text as the batch conversion sees a file: split into lines at CR LF, a CR alone or an LF
// alone (a break at the very end opens no further line), each line followed by CR LF.
// A text whose lines already end in CR LF is handed back without a copy.
std::string NormalizeLines(std::string text);

// Reads the file as lines, applies the conversion with the given code (1–19) and writes the
// result back as lines, each followed by CR LF, through the one file reader and writer (a file
// that is no regular file is never opened; one whose owner-write bit is clear is never
// replaced, see IsFileReadOnly).
// The file is decoded from `encoding` first and encoded back after; one that cannot be is
// refused unwritten.
void ConvertFile(const std::string& path, int code,
                 TDocEncoding encoding = TDocEncoding::Windows1250);

}  // namespace krq
