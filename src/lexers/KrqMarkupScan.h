// The pieces of a tag and of the text between tags that the HTML and XML lexers read alike.
#pragma once

#include <array>
#include <string_view>

#include "lexers/KrqLexerScan.h"

namespace krq::lexscan {

// The end of a run of text from i: up to a blank, "<" or "&", and never past `end`.
inline size_t MarkupTextEnd(std::string_view s, size_t i, size_t end) {
    size_t j = i + 1;
    while (j < end && !IsBlank(s[j]) && s[j] != '<' && s[j] != '&') ++j;
    return j;
}

enum class TTagPart { Blank, End, Equals, Quoted, Value, Name, Symbol };

struct TTagScan {
    TTagPart part;
    size_t end;
    bool closed;  // a quoted value whose closing quote is on this line
};

// One piece of a tag from s[i]: blanks, the tag's end (">", or one of `endMarks` followed by
// ">"), "=", a quoted value up to its closing quote or the line's end, an unquoted value up to
// a blank or ">" when `afterEquals`, a name of `nameChars`, or any other byte as a symbol.
inline TTagScan ScanTagPart(std::string_view s, size_t i, bool afterEquals,
                            const std::array<bool, 256>& nameChars, std::string_view endMarks) {
    const size_t n = s.size();
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t j = i + 1;
    if (IsBlank(c)) return {TTagPart::Blank, SkipBlanks(s, i), false};
    if (c == '>') return {TTagPart::End, j, false};
    if (j < n && s[j] == '>' && endMarks.find(static_cast<char>(c)) != std::string_view::npos)
        return {TTagPart::End, j + 1, false};
    if (c == '=') return {TTagPart::Equals, j, false};
    if (c == '"' || c == '\'') {
        QuoteScan q = ScanPlainQuote(s, j, static_cast<char>(c));
        return {TTagPart::Quoted, q.end, q.closed};
    }
    if (afterEquals) {
        while (j < n && !IsBlank(s[j]) && s[j] != '>') ++j;
        return {TTagPart::Value, j, false};
    }
    if (nameChars[c]) return {TTagPart::Name, SkipWhile(s, i, nameChars), false};
    return {TTagPart::Symbol, j, false};
}

}  // namespace krq::lexscan
