// The INI-file highlighter's lexer: [sections], keys, values, ";" and "#" comment lines.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

class TIniLexer final : public TKrqLexerBase {
  public:
    TIniLexer()
        : TKrqLexerBase("hgr_Ini", "TKrqIniHighlighter", "Plik INI", "INI Files (*.ini)|*.ini",
                        {"Klucz", "Komentarz", "Łańcuch znaków", "Numer", "Sekcja", "Spacja",
                         "Symbol", "Tekst"},
                        "Spacja", MakeIdentChars()),
          key_(Attr("Klucz")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          number_(Attr("Numer")),
          section_(Attr("Sekcja")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          text_(Attr("Tekst")) {}

    int LexLine(std::string_view line, int, std::vector<TKrqToken>& out) const override {
        const size_t n = line.size();
        size_t i = EmitBlanks(out, line, 0, space_);
        if (i == n) return 0;
        unsigned char c = line[i];
        if (c == ';' || c == '#') {
            EmitToken(out, i, n - i, comment_);
        } else if (c == '[') {
            size_t close = Find(line, ']', i + 1);
            size_t end = close == std::string_view::npos ? n : close + 1;
            EmitToken(out, i, end - i, section_);
            LexTail(line, end, out);
        } else if (size_t eq = Find(line, '=', i); eq != std::string_view::npos) {
            size_t keyEnd = TrimBlanksBack(line, i, eq);
            EmitToken(out, i, keyEnd - i, key_);
            EmitToken(out, keyEnd, eq - keyEnd, space_);
            EmitToken(out, eq, 1, symbol_);
            LexValue(line, eq + 1, out);
        } else {
            LexTail(line, i, out);
        }
        return 0;
    }

  private:
    // A value: "quoted" or 'quoted' text is a string, a number on its own a number, the rest
    // plain text; blanks around it are whitespace.
    void LexValue(std::string_view line, size_t i, std::vector<TKrqToken>& out) const {
        const size_t n = line.size();
        size_t start = EmitBlanks(out, line, i, space_);
        size_t end = TrimBlanksBack(line, start, n);
        if (start == end) {
            EmitToken(out, start, n - start, space_);
            return;
        }
        unsigned char q = line[start];
        if (q == '"' || q == '\'') {
            size_t close = Find(line, static_cast<char>(q), start + 1);
            size_t stop = close == std::string_view::npos ? end : std::min(close + 1, end);
            EmitToken(out, start, stop - start, string_);
            LexTail(line, stop, out);
            return;
        }
        EmitToken(out, start, end - start,
                  IsNumber(line.substr(start, end - start)) ? number_ : text_);
        EmitToken(out, end, n - end, space_);
    }

    // Whatever follows a section header or a string: blanks and plain text.
    void LexTail(std::string_view line, size_t i, std::vector<TKrqToken>& out) const {
        const size_t n = line.size();
        while (i < n) {
            size_t j = i;
            bool blank = IsBlank(At(line, i));
            while (j < n && IsBlank(At(line, j)) == blank) ++j;
            EmitToken(out, i, j - i, blank ? space_ : text_);
            i = j;
        }
    }

    // -12, 3.5, 0x1F, 1e6
    static bool IsNumber(std::string_view v) {
        size_t i = 0;
        if (At(v, 0) == '-' || At(v, 0) == '+') ++i;
        if (At(v, i) == '0' && (At(v, i + 1) | 0x20) == 'x' && IsHexDigit(At(v, i + 2)))
            return SkipHexDigits(v, i + 2) == v.size();
        size_t digits = SkipDigits(v, i);
        bool any = digits > i;
        i = digits;
        if (At(v, i) == '.') {
            size_t frac = SkipDigits(v, i + 1);
            any = any || frac > i + 1;
            i = frac;
        }
        // An "e" without its exponent digits is left over, so the value is no number.
        if (any) i = SkipExponent(v, i);
        return any && i == v.size();
    }

    int key_, comment_, string_, number_, section_, space_, symbol_, text_;
};

}  // namespace

const TKrqLexer& IniLexer() {
    static const TIniLexer lexer;
    return lexer;
}

}  // namespace krq
