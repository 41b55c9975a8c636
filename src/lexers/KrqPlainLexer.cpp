// The attributes and the shared tokens of the assembler, Fortran and Basic lexers.
#include "lexers/KrqPlainLexer.h"

#include "lexers/KrqLexerScan.h"

namespace krq {

using namespace lexscan;

TKrqPlainLexer::TKrqPlainLexer(const char* component, const char* className, const char* language,
                               const char* filter, std::array<bool, 256> identChars)
    : TKrqLexerBase(component, className, language, filter,
                    {"Identyfikator", "Komentarz", "Łańcuch znaków", "Numer", "Słowo zarezerwowane",
                     "Spacja", "Symbol"},
                    "Spacja", identChars),
      ident_(Attr("Identyfikator")),
      comment_(Attr("Komentarz")),
      string_(Attr("Łańcuch znaków")),
      number_(Attr("Numer")),
      keyword_(Attr("Słowo zarezerwowane")),
      space_(Attr("Spacja")),
      symbol_(Attr("Symbol")) {}

bool TKrqPlainLexer::LexPlainToken(std::string_view line, size_t i, char lineComment,
                                   std::string_view quotes, size_t& end, int& attr) const {
    const char c = line[i];
    if (IsBlank(static_cast<unsigned char>(c))) {
        end = SkipBlanks(line, i);
        attr = space_;
    } else if (c == lineComment) {
        end = line.size();
        attr = comment_;
    } else if (quotes.find(c) != std::string_view::npos) {
        end = ScanDoubledQuote(line, i + 1, c).end;
        attr = string_;
    } else {
        return false;
    }
    return true;
}

}  // namespace krq
