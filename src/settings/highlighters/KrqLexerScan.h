// Small scanning helpers shared by the lexers of the first group (C-like numbers, quoted text).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/cp1250.h"
#include "settings/highlighters/KrqLexerBase.h"

namespace krq::lexscan {

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
inline bool IsAsciiLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
// Blanks drawn with the whitespace attribute; other control bytes are left to each language.
inline bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// True when `a` equals the lower-case ASCII word `lower`, ignoring the case of `a`.
inline bool EqualsNoCase(std::string_view a, std::string_view lower) {
    if (a.size() != lower.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        char c = a[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != lower[k]) return false;
    }
    return true;
}

inline size_t SkipBlanks(std::string_view s, size_t i) {
    while (i < s.size() && IsBlank(static_cast<unsigned char>(s[i]))) ++i;
    return i;
}

inline size_t SkipWhile(std::string_view s, size_t i, const std::array<bool, 256>& set) {
    while (i < s.size() && set[static_cast<unsigned char>(s[i])]) ++i;
    return i;
}

enum class NumKind { Int, Hex, Octal, Binary, Float };

struct NumScan {
    size_t end;
    NumKind kind;
};

// A C-family number at s[i] (a digit, or "." followed by a digit): 0x1F, 017, 0b101, 1.5e-3,
// with digit separators `sep` (0 for none) and a suffix of letters such as u, L, f or n.
inline NumScan ScanCNumber(std::string_view s, size_t i, char sep) {
    const size_t n = s.size();
    auto digits = [&](size_t p, bool hex) {
        while (p < n) {
            unsigned char c = static_cast<unsigned char>(s[p]);
            if (hex ? IsHexDigit(c) : IsDigit(c)) {
                ++p;
            } else if (sep && c == static_cast<unsigned char>(sep) && p + 1 < n &&
                       (hex ? IsHexDigit(s[p + 1]) : IsDigit(s[p + 1]))) {
                ++p;
            } else {
                break;
            }
        }
        return p;
    };
    auto suffix = [&](size_t p) {
        while (p < n && (IsAsciiLetter(s[p]) || IsDigit(s[p]) || s[p] == '_')) ++p;
        return p;
    };
    NumKind kind = NumKind::Int;
    size_t p = i;
    if (s[p] == '0' && p + 1 < n && (s[p + 1] == 'x' || s[p + 1] == 'X')) {
        p = digits(p + 2, true);
        kind = NumKind::Hex;
        if (p < n && s[p] == '.') {
            p = digits(p + 1, true);
            kind = NumKind::Float;
        }
        if (p < n && (s[p] == 'p' || s[p] == 'P')) {
            size_t q = p + 1;
            if (q < n && (s[q] == '+' || s[q] == '-')) ++q;
            if (q < n && IsDigit(s[q])) {
                p = digits(q, false);
                kind = NumKind::Float;
            }
        }
        return {suffix(p), kind};
    }
    if (s[p] == '0' && p + 2 < n && (s[p + 1] == 'b' || s[p + 1] == 'B') &&
        (s[p + 2] == '0' || s[p + 2] == '1')) {
        return {suffix(digits(p + 2, false)), NumKind::Binary};
    }
    p = digits(p, false);
    bool octal = s[i] == '0' && p - i > 1;
    if (p < n && s[p] == '.' && !(p + 1 < n && s[p + 1] == '.')) {
        p = digits(p + 1, false);
        kind = NumKind::Float;
    }
    if (p < n && (s[p] == 'e' || s[p] == 'E')) {
        size_t q = p + 1;
        if (q < n && (s[q] == '+' || s[q] == '-')) ++q;
        if (q < n && IsDigit(s[q])) {
            p = digits(q, false);
            kind = NumKind::Float;
        }
    }
    if (kind == NumKind::Int && octal) {
        bool allOctal = true;
        for (size_t k = i; k < p; ++k)
            if (s[k] > '7') allOctal = false;
        if (allOctal) kind = NumKind::Octal;
    }
    size_t end = suffix(p);
    if (kind == NumKind::Int) {
        for (size_t k = p; k < end; ++k)
            if (s[k] == 'f' || s[k] == 'F' || s[k] == 'd' || s[k] == 'D') kind = NumKind::Float;
    }
    return {end, kind};
}

struct QuoteScan {
    size_t end;      // after the closing quote, or the line's length
    bool closed;     // the closing quote was found
    bool continued;  // unclosed and the line ends in a backslash that escapes the line break
};

// Quoted text from s[i] (just after the opening quote) with backslash escapes.
inline QuoteScan ScanQuoted(std::string_view s, size_t i, char quote) {
    const size_t n = s.size();
    while (i < n) {
        char c = s[i];
        if (c == '\\') {
            if (i + 1 >= n) return {n, false, true};
            i += 2;
        } else if (c == quote) {
            return {i + 1, true, false};
        } else {
            ++i;
        }
    }
    return {n, false, false};
}

// The position just after `close` searched from i, or npos when the line does not hold it.
inline size_t FindAfter(std::string_view s, size_t i, std::string_view close) {
    size_t p = s.find(close, i);
    return p == std::string_view::npos ? p : p + close.size();
}

}  // namespace krq::lexscan
