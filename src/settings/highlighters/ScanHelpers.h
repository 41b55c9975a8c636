// Byte-class and scanning helpers used by the lexers of Basic, Fortran, Perl, SQL, assembler,
// INI, batch and Inno Setup.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/cp1250.h"

namespace krq::scan {

inline unsigned char At(std::string_view s, size_t i) {
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}
inline bool IsSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\r';
}
inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
inline bool IsAsciiAlpha(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
inline bool IsAsciiIdent(unsigned char c) { return IsAsciiAlpha(c) || IsDigit(c) || c == '_'; }
inline char LowerAscii(unsigned char c) {
    return static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
}

inline size_t SkipSpaces(std::string_view s, size_t i) {
    while (i < s.size() && IsSpace(static_cast<unsigned char>(s[i]))) ++i;
    return i;
}
inline size_t SkipIn(std::string_view s, size_t i, const std::array<bool, 256>& table) {
    while (i < s.size() && table[static_cast<unsigned char>(s[i])]) ++i;
    return i;
}
inline size_t SkipDigits(std::string_view s, size_t i) {
    while (i < s.size() && IsDigit(static_cast<unsigned char>(s[i]))) ++i;
    return i;
}
inline size_t SkipHexDigits(std::string_view s, size_t i) {
    while (i < s.size() && IsHexDigit(static_cast<unsigned char>(s[i]))) ++i;
    return i;
}

// True when `word` (lower-case ASCII) equals `s` from `i` on, letters compared without case.
inline bool MatchNoCase(std::string_view s, size_t i, std::string_view word) {
    if (i > s.size() || s.size() - i < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (LowerAscii(static_cast<unsigned char>(s[i + k])) != word[k]) return false;
    return true;
}
inline bool EqualsNoCase(std::string_view s, std::string_view word) {
    return s.size() == word.size() && MatchNoCase(s, 0, word);
}

// Identifier bytes of languages whose names are plain ASCII.
inline std::array<bool, 256> AsciiIdentChars(std::string_view extra = {}) {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = IsAsciiIdent(static_cast<unsigned char>(c));
    for (unsigned char c : extra) t[c] = true;
    return t;
}

}  // namespace krq::scan
