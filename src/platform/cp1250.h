// The Windows-1250 code page: byte <-> Unicode, the letter case pairs and the letter/digit class.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace krq::cp1250 {

// Shown for the five bytes the code page leaves undefined (81 83 88 90 98), so none is dropped.
inline constexpr char16_t kUndefined = 0xFFFD;

// The Unicode character of every byte.
extern const std::array<char16_t, 256> kToUnicode;
// Upper-case and lower-case partner of every byte (the byte itself when it has none).
extern const std::array<uint8_t, 256> kUpper;
extern const std::array<uint8_t, 256> kLower;
// True where the byte's Unicode character is a letter or a digit.
extern const std::array<bool, 256> kAlnum;

inline char16_t ToUnicode(uint8_t b) { return kToUnicode[b]; }
inline uint8_t ToUpper(uint8_t b) { return kUpper[b]; }
inline uint8_t ToLower(uint8_t b) { return kLower[b]; }
inline bool IsAlnum(uint8_t b) { return kAlnum[b]; }

// The byte of a Unicode character, or '?' when the code page cannot hold it.
uint8_t FromUnicode(char32_t c);

// Whole-string conversions used where bytes meet UTF-8 (program texts, terminals, tests).
std::string ToUtf8(std::string_view bytes);
std::string FromUtf8(std::string_view utf8);

}  // namespace krq::cp1250
