// Byte classes and scanning steps the lexers share: blanks, words, numbers, quoted text and
// spans that close on a fixed text (block comments, CDATA) and may run on to the next line.
// The lexers look ahead only through these steps, and every step counts the bytes it examines,
// so a test can check that a line costs work in proportion to its length on any input.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "lexers/KrqLexerBase.h"

namespace krq::lexscan {

// What a scan returns when the line ends before the closing text.
inline constexpr size_t kOpen = std::string_view::npos;

// s.find(c, i) and s.find(text, i), counted.
inline size_t Find(std::string_view s, char c, size_t i) {
    size_t p = s.find(c, i);
    CountScan((p == std::string_view::npos ? s.size() : p + 1) - std::min(i, s.size()));
    return p;
}
inline size_t Find(std::string_view s, std::string_view text, size_t i) {
    size_t p = s.find(text, i);
    CountScan((p == std::string_view::npos ? s.size() : p + text.size()) - std::min(i, s.size()));
    return p;
}

// The first position at or after a point that holds one byte, remembered: asking again from a
// later point up to the answer needs no new search, so asking from every opening bracket of a
// line for its closing one examines each byte once instead of once per bracket.
class TNextByte {
  public:
    TNextByte(std::string_view s, char c) : s_(s), c_(c) {}
    size_t From(size_t i) {
        if (i < from_ || (at_ != std::string_view::npos && i > at_)) {
            at_ = Find(s_, c_, i);
            from_ = i;
        }
        return at_;
    }

  private:
    std::string_view s_;
    char c_;
    size_t from_ = std::string_view::npos;  // where the last search started; none yet
    size_t at_ = std::string_view::npos;
};

// The matching closing bracket of every opening one on a line, found in one pass the first time
// one is asked for: the bracket at which the count of openings minus closings from the opening
// one falls back to zero. Asked in increasing order, each answer costs a step or so.
class TBracketMatch {
  public:
    TBracketMatch(std::string_view s, char open, char close) : s_(s), open_(open), close_(close) {}
    // The position of the bracket closing the opening one at i, or npos.
    size_t Close(size_t i) {
        if (!built_) Build();
        if (next_ > 0 && opens_[next_ - 1] >= i) next_ = 0;  // asked out of order: start over
        while (next_ < opens_.size() && opens_[next_] < i) ++next_;
        CountScan(1);
        return next_ < opens_.size() && opens_[next_] == i ? closes_[next_]
                                                           : std::string_view::npos;
    }

  private:
    void Build() {
        built_ = true;
        std::vector<size_t> open;  // indexes into opens_ of the brackets not closed yet
        for (size_t k = 0; k < s_.size(); ++k) {
            if (s_[k] == open_) {
                open.push_back(opens_.size());
                opens_.push_back(k);
                closes_.push_back(std::string_view::npos);
            } else if (s_[k] == close_ && !open.empty()) {
                closes_[open.back()] = k;
                open.pop_back();
            }
        }
        CountScan(s_.size());
    }
    std::string_view s_;
    char open_, close_;
    bool built_ = false;
    std::vector<size_t> opens_, closes_;  // every opening bracket in order, and its closing one
    size_t next_ = 0;                     // where the last answer was found in opens_
};

// The byte at i, or 0 past the line's end, so that look-ahead needs no bounds check.
inline unsigned char At(std::string_view s, size_t i) {
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
inline bool IsAsciiLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
inline bool IsAsciiIdent(unsigned char c) { return IsAsciiLetter(c) || IsDigit(c) || c == '_'; }
// Blanks drawn with the whitespace attribute; other control bytes are left to each language.
inline bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
inline char LowerAscii(unsigned char c) {
    return static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
}

// True when `s` equals the lower-case ASCII word `lower`, ignoring the case of `s`.
inline bool EqualsNoCase(std::string_view s, std::string_view lower) {
    if (s.size() != lower.size()) return false;
    for (size_t k = 0; k < s.size(); ++k)
        if (LowerAscii(static_cast<unsigned char>(s[k])) != lower[k]) return false;
    return true;
}

// The end of the run from i of the bytes `in` accepts.
template <class In>
size_t SkipIf(std::string_view s, size_t i, In in) {
    const size_t from = i;
    while (i < s.size() && in(static_cast<unsigned char>(s[i]))) ++i;
    CountScan(i - std::min(from, i) + 1);
    return i;
}
inline size_t SkipBlanks(std::string_view s, size_t i) { return SkipIf(s, i, IsBlank); }
inline size_t SkipWhile(std::string_view s, size_t i, const std::array<bool, 256>& set) {
    return SkipIf(s, i, [&set](unsigned char c) { return set[c]; });
}
inline size_t SkipDigits(std::string_view s, size_t i) { return SkipIf(s, i, IsDigit); }
inline size_t SkipHexDigits(std::string_view s, size_t i) { return SkipIf(s, i, IsHexDigit); }
// `end` moved back over the blanks before it, but not below `from`.
inline size_t TrimBlanksBack(std::string_view s, size_t from, size_t end) {
    while (end > from && IsBlank(static_cast<unsigned char>(s[end - 1]))) --end;
    return end;
}

// The set of the bytes in `chars`.
inline std::array<bool, 256> CharSet(std::string_view chars) {
    std::array<bool, 256> t{};
    for (unsigned char c : chars) t[c] = true;
    return t;
}

// Identifier bytes of languages whose names are plain ASCII.
inline std::array<bool, 256> AsciiIdentChars(std::string_view extra = {}) {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = IsAsciiIdent(static_cast<unsigned char>(c));
    for (unsigned char c : extra) t[c] = true;
    return t;
}

// The FNV-1a hash of a word. A here document's closing word does not fit in the integer state,
// so the lexers keep the low bits of its hash there instead.
inline uint32_t WordHash(std::string_view word) {
    uint32_t h = 2166136261u;
    for (unsigned char c : word) h = (h ^ c) * 16777619u;
    return h;
}

// Emits the blanks from i as `attr` and returns where they end.
inline size_t EmitBlanks(std::vector<TKrqToken>& out, std::string_view s, size_t i, int attr) {
    size_t j = SkipBlanks(s, i);
    EmitToken(out, i, j - i, attr);
    return j;
}

// The word s[i, end) drawn as `keywordAttr` when `keywords` holds it, otherwise as `identAttr`.
inline size_t EmitWord(std::vector<TKrqToken>& out, std::string_view s, size_t i, size_t end,
                       const TKrqKeywordSet& keywords, int keywordAttr, int identAttr) {
    EmitToken(out, i, end - i, keywords.Contains(s.substr(i, end - i)) ? keywordAttr : identAttr);
    return end;
}

enum class NumKind { Int, Hex, Octal, Binary, Float };

struct NumScan {
    size_t end;
    NumKind kind;
};

// An exponent at j: one of the lower-case `letters` in either case, an optional sign and at
// least one digit. Returns its end, or j when none is there.
inline size_t SkipExponent(std::string_view s, size_t j, std::string_view letters = "e") {
    const char e = static_cast<char>(At(s, j) | 0x20);
    bool isLetter = false;
    for (char l : letters) isLetter = isLetter || l == e;
    if (!isLetter) return j;
    size_t k = j + 1;
    if (At(s, k) == '+' || At(s, k) == '-') ++k;
    return IsDigit(At(s, k)) ? SkipDigits(s, k) : j;
}

// A decimal number at i: digits, a fraction when a digit follows the ".", and an exponent.
// "1..10" keeps its range operator, and "1.x" its member access.
inline NumScan ScanDecimal(std::string_view s, size_t i, std::string_view exponentLetters = "e") {
    size_t j = SkipDigits(s, i);
    NumKind kind = NumKind::Int;
    if (At(s, j) == '.' && IsDigit(At(s, j + 1))) {
        j = SkipDigits(s, j + 1);
        kind = NumKind::Float;
    }
    size_t k = SkipExponent(s, j, exponentLetters);
    if (k > j) kind = NumKind::Float;
    return {k, kind};
}

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
        while (p < n && IsAsciiIdent(s[p])) ++p;
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
    const size_t from = std::min(i, n);
    QuoteScan r{n, false, false};
    while (i < n) {
        char c = s[i];
        if (c == '\\') {
            if (i + 1 >= n) {
                r.continued = true;
                break;
            }
            i += 2;
        } else if (c == quote) {
            r = {i + 1, true, false};
            break;
        } else {
            ++i;
        }
    }
    CountScan(r.end - from);
    return r;
}

// Quoted text from s[i] (just after the opening quote) in which a doubled quote stands for one
// quote, as in Basic, Pascal, SQL and Fortran.
inline QuoteScan ScanDoubledQuote(std::string_view s, size_t i, char quote) {
    const size_t n = s.size();
    const size_t from = std::min(i, n);
    QuoteScan r{n, false, false};
    while (i < n) {
        if (s[i] == quote) {
            if (i + 1 < n && s[i + 1] == quote) {
                i += 2;
                continue;
            }
            r = {i + 1, true, false};
            break;
        }
        ++i;
    }
    CountScan(r.end - from);
    return r;
}

// Quoted text from s[i] (just after the opening quote) that knows no escapes: markup values.
inline QuoteScan ScanPlainQuote(std::string_view s, size_t i, char quote) {
    size_t q = Find(s, quote, i);
    if (q == std::string_view::npos) return {s.size(), false, false};
    return {q + 1, true, false};
}

// The position just after `close` searched from i, or kOpen when the line does not hold it.
inline size_t FindAfter(std::string_view s, size_t i, std::string_view close) {
    size_t p = Find(s, close, i);
    return p == std::string_view::npos ? p : p + close.size();
}

// A span that closes on a fixed text (a block comment, CDATA): emits s[start, …) as `attr` up
// to just after the first `close` found from `from`, or to the line's end. Returns where the
// span ended, or kOpen when it goes on past the line (the caller keeps that in its state).
inline size_t EmitThrough(std::vector<TKrqToken>& out, std::string_view s, size_t start,
                          size_t from, std::string_view close, int attr) {
    size_t end = FindAfter(s, from, close);
    EmitToken(out, start, (end == kOpen ? s.size() : end) - start, attr);
    return end;
}

// A "//" or "/*" comment of the C family at s[i], emitted as `attr`. Returns i when none starts
// there, the line's length after "//", the end of a closed "/* */", or kOpen when the block
// comment goes on past the line.
inline size_t EmitCComment(std::vector<TKrqToken>& out, std::string_view s, size_t i, int attr) {
    if (At(s, i) != '/') return i;
    if (At(s, i + 1) == '/') {
        EmitToken(out, i, s.size() - i, attr);
        return s.size();
    }
    if (At(s, i + 1) == '*') return EmitThrough(out, s, i, i + 2, "*/", attr);
    return i;
}

// "&amp;", "&#163;", "&#x41;" from the "&" at s[i] in markup: its end after the ";", or i when
// it is a plain "&". `upperX` admits "&#X41;"; `isNameChar` tells the bytes of a named one.
template <class NameChar>
size_t ScanCharReference(std::string_view s, size_t i, bool upperX, NameChar isNameChar) {
    const size_t n = s.size();
    size_t j = i + 1;
    if (j < n && s[j] == '#') {
        ++j;
        bool hex = j < n && (s[j] == 'x' || (upperX && s[j] == 'X'));
        if (hex) ++j;
        size_t k = hex ? SkipHexDigits(s, j) : SkipDigits(s, j);
        j = k > j ? k : i;
    } else {
        size_t k = j;
        while (k < n && isNameChar(static_cast<unsigned char>(s[k]))) ++k;
        j = k > j ? k : i;
    }
    return j > i && j < n && s[j] == ';' ? j + 1 : i;
}

// Pascal's character codes "#13" and "#$0A" from the "#" at s[i]: their end.
inline size_t SkipCharCode(std::string_view s, size_t i) {
    return At(s, i + 1) == '$' ? SkipHexDigits(s, i + 2) : SkipDigits(s, i + 1);
}

}  // namespace krq::lexscan
