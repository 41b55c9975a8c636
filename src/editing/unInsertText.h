// The texts the insert commands and the auxiliary text put into the document, without windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace krq {

// "#RRGGBB": red first, two upper-case hexadecimal digits each.
std::string HtmlColorCode(uint8_t red, uint8_t green, uint8_t blue);

// The bytes before the first NUL; a text file's content ends there, as the line readers do.
std::string_view UpToNul(std::string_view bytes);

// A file's lines (ended by CR LF, CR or LF; a final break opens no line), each followed by
// CR LF, up to the first NUL. An empty file gives "".
std::string LinesEachWithCrLf(std::string_view bytes);

// The auxiliary text as its window's box shows it: every lone CR and lone LF made CR LF, up to
// the first NUL; nothing is added or removed at the end.
std::string CrLfBreaks(std::string_view bytes);

// The auxiliary text file of the program directory.
std::string ExtraTextPath();
// Its whole content; throws "Cannot open file %s" when it cannot be read.
std::string ReadExtraTextFile();
// Replaces its content atomically, creating it; throws "Cannot create file %s" when the file
// cannot be written (for instance when the data directory is missing).
void WriteExtraTextFile(std::string_view bytes);

}  // namespace krq
