// The program's own text conversions over Windows-1250 bytes, with their tables and split routines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krq {

// One entity of the entity table: the character and the text that stands for it.
struct TEncion {
    char Sign;
    const char* Code;
};

// The entity table in its fixed order; the order decides which entity a character becomes.
inline constexpr int kEncionCount = 86;
extern const std::array<TEncion, kEncionCount> tblEncions;

using TTableString = std::vector<std::string>;

// Byte classes, indexed by the unsigned byte value.
using TByteSet = std::array<bool, 256>;
extern const TByteSet setNumbers;
extern const TByteSet setLittleLetters;
extern const TByteSet setBigLetters;
extern const TByteSet setLetters;
// The bytes fncDelCharPoints removes (listed beside its definition).
extern const TByteSet setCharPoints;

// Byte maps, indexed by the unsigned byte value.
using TByteMap = std::array<uint8_t, 256>;
extern const TByteMap mapWinToIso;    // the six Polish letters that differ, Windows-1250 → ISO
extern const TByteMap mapIsoToWin;    // and back
extern const TByteMap mapDiacritics;  // the eighteen Polish letters → their base letters

std::string fncISOCode(std::string_view text);
std::string fncWinCode(std::string_view text);
std::string fncPolFix(std::string_view text);
std::string fncLittleChar(std::string_view text);
std::string fncBigChar(std::string_view text);
std::string fncFirstBig(std::string_view text);
std::string fncInverse(std::string_view text);
std::string fncAlternate(std::string_view text);
std::string fncDelSpaces(std::string_view text);
std::string fncDelLines(std::string_view text);
// The text's lines (ended by CR LF, CR or LF; a final break opens no line) each followed by
// CR LF, empty lines kept or dropped.
std::string JoinLinesCrLf(std::string_view text, bool keepEmptyLines);
std::string fncDelNumbers(std::string_view text);
std::string fncDelLetters(std::string_view text);
std::string fncDelLittleLetters(std::string_view text);
std::string fncDelBigLetters(std::string_view text);
std::string fncDelCharPoints(std::string_view text);
std::string fncDelHTML(std::string_view text);
std::string fncTtoE(std::string_view text);
std::string fncEtoT(std::string_view text);
std::string fncRot13(std::string_view text);

using TConvertFunction = std::string (*)(std::string_view);

// A conversion as the commands and the batch window offer it; Code is its number (1–19).
struct TConversion {
    int Code;
    const char* Name;     // the function's name, e.g. "fncISOCode"
    const char* Caption;  // the batch window's list item, UTF-8
    TConvertFunction Function;
};

inline constexpr int kConversionCount = 19;
extern const std::array<TConversion, kConversionCount> tblConversions;

// The conversion with the given code, or nullptr for a code outside 1–19.
const TConversion* FindConversion(int code);
// Applies the conversion with the given code; a code outside 1–19 returns the text unchanged.
std::string fncConvert(int code, std::string_view text);

// Appends the pieces of text between separators, each trimmed of bytes up to 20 (spaces, tabs,
// CR, LF); a separator at the very end adds no empty piece.
void fncSplitText(std::string_view text, char separator, TTableString& parts);
// The piece with the given 0-based index as fncSplitText splits the text; empty when there is
// no such piece.
std::string fncGetPiece(char separator, std::string_view text, uint8_t index);

}  // namespace krq
