// The lexing rules Visual Basic and VBScript share.
#include "lexers/BasicLexerCommon.h"

#include "lexers/KrqLexerScan.h"

namespace krq {

using namespace lexscan;

TKrqBasicLexer::TKrqBasicLexer(const char* component, const char* className, const char* language,
                               const char* filter, const TKrqKeywordSet& keywords)
    : TKrqPlainLexer(component, className, language, filter, MakeIdentChars()),
      keywords_(keywords) {}

// Decimal numbers with fraction, exponent (E or D) and one type suffix (% & ! # @).
size_t TKrqBasicLexer::ScanNumber(std::string_view line, size_t i) const {
    size_t j = SkipDigits(line, i);
    if (At(line, j) == '.' && IsDigit(At(line, j + 1))) j = SkipDigits(line, j + 1);
    j = SkipExponent(line, j, "ed");
    unsigned char s = At(line, j);
    if (s == '%' || s == '!' || s == '#' || s == '@')
        ++j;
    else if (s == '&' && !IdentChars()[At(line, j + 1)])
        ++j;
    return j;
}

int TKrqBasicLexer::LexLine(std::string_view line, int, std::vector<TKrqToken>& out) const {
    const auto& ident = IdentChars();
    const size_t n = line.size();
    TNextByte closeBracket(line, ']');
    size_t i = 0;
    while (i < n) {
        unsigned char c = line[i];
        size_t j = i + 1;
        int attr = symbol_;
        if (LexPlainToken(line, i, '\'', "\"", j, attr)) {
            // blanks, a comment or a string
        } else if (IsDigit(c) || (c == '.' && IsDigit(At(line, i + 1)) &&
                                  !(i > 0 && ident[static_cast<unsigned char>(line[i - 1])]))) {
            j = ScanNumber(line, i);
            attr = number_;
        } else if (c == '&' && ((At(line, i + 1) | 0x20) == 'h') && IsHexDigit(At(line, i + 2))) {
            j = SkipHexDigits(line, i + 2);
            if (At(line, j) == '&') ++j;
            attr = number_;
        } else if (c == '&' && ((At(line, i + 1) | 0x20) == 'o') && IsDigit(At(line, i + 2))) {
            j = SkipDigits(line, i + 2);
            if (At(line, j) == '&') ++j;
            attr = number_;
        } else if (c == '[') {
            // [Any Name] is an identifier that may hold spaces or reserved words.
            size_t close = closeBracket.From(i + 1);
            if (close != std::string_view::npos && close > i + 1) {
                j = close + 1;
                attr = ident_;
            }
        } else if (ident[c]) {
            j = SkipWhile(line, i, ident);
            std::string_view word = line.substr(i, j - i);
            bool member = i > 0 && line[i - 1] == '.';
            if (word == "_") {
                attr = symbol_;  // the line continuation mark
            } else if (!member && EqualsNoCase(word, "rem") && (j == n || IsBlank(At(line, j)))) {
                j = n;
                attr = comment_;
            } else {
                // Type suffixes: Left$, count%, total#; "rs!Field" and "a&b" are operators.
                unsigned char suffix = At(line, j);
                if ((suffix == '$' || suffix == '%' || suffix == '#' || suffix == '@' ||
                     suffix == '&' || suffix == '!') &&
                    !ident[At(line, j + 1)])
                    ++j;
                attr = (!member && keywords_.Contains(word)) ? keyword_ : ident_;
            }
        }
        EmitToken(out, i, j - i, attr);
        i = j;
    }
    return 0;
}

}  // namespace krq
