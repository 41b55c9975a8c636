// The Fortran highlighter's lexer: fixed-form comment lines, "!" comments and the keywords of
// Fortran 77 and 90 without regard to case.
#include "lexers/KrqLexerScan.h"
#include "lexers/KrqPlainLexer.h"

namespace krq {

namespace {

using namespace lexscan;

// The statements, declarations and attributes of Fortran 77 and 90.
const TKrqKeywordSet& Keywords() {
    // A plain word list reads best packed into full lines.
    // clang-format off
    static const TKrqKeywordSet set(
        {"allocatable", "allocate", "assign", "assignment", "associated", "backspace", "block",
         "blockdata", "call", "case", "character", "close", "common", "complex", "contains",
         "continue", "cycle", "data", "deallocate", "default", "dimension", "do", "double",
         "doubleprecision", "else", "elseif", "elsewhere", "end", "endblockdata", "enddo",
         "endfile", "endfunction", "endif", "endinterface", "endmodule", "endprogram",
         "endselect", "endsubroutine", "endtype", "endwhere", "entry", "equivalence", "exit",
         "external", "forall", "format", "function", "go", "goto", "if", "implicit", "in",
         "include", "inout", "inquire", "integer", "intent", "interface", "intrinsic", "kind",
         "len", "logical", "module", "namelist", "none", "nullify", "only", "open", "operator",
         "optional", "out", "parameter", "pause", "pointer", "precision", "print", "private",
         "procedure", "program", "public", "pure", "read", "real", "recursive", "result",
         "return", "rewind", "save", "select", "selectcase", "sequence", "stop", "subroutine",
         "target", "then", "to", "type", "use", "where", "while", "write", "elemental"},
        false);
    // clang-format on
    return set;
}

class TFortranLexer final : public TKrqPlainLexer {
  public:
    TFortranLexer()
        : TKrqPlainLexer("hgr_Fortran", "TKrqFortranHighlighter", "Fortran",
                         "Fortran Files (*.for)|*.for", MakeIdentChars()) {}

    int LexLine(std::string_view line, int, std::vector<TKrqToken>& out) const override {
        const size_t n = line.size();
        if (n == 0) return 0;
        unsigned char first = line[0];
        if (first == 'C' || first == 'c' || first == '*' || first == '!') {
            EmitToken(out, 0, n, comment_);
            return 0;
        }
        const auto& ident = IdentChars();
        size_t i = 0;
        while (i < n) {
            unsigned char c = line[i];
            size_t j = i + 1;
            int attr = symbol_;
            if (LexPlainToken(line, i, '!', "'\"", j, attr)) {
                // blanks, a comment or a string
            } else if (IsDigit(c) || (c == '.' && IsDigit(At(line, i + 1)))) {
                j = ScanNumber(line, i);
                attr = number_;
            } else if (c == '.') {
                // .AND., .EQ., .TRUE. and the rest are words of the language.
                size_t k = i + 1;
                while (k < n && IsAsciiLetter(At(line, k))) ++k;
                if (At(line, k) == '.' && k > i + 1 &&
                    dotWords_.Contains(line.substr(i, k + 1 - i))) {
                    j = k + 1;
                    attr = keyword_;
                }
            } else if (ident[c]) {
                j = SkipWhile(line, i, ident);
                std::string_view word = line.substr(i, j - i);
                unsigned char q = At(line, j);
                if (word.size() == 1 && (q == '\'' || q == '"') &&
                    (EqualsNoCase(word, "z") || EqualsNoCase(word, "b") ||
                     EqualsNoCase(word, "o"))) {
                    // Z'1F', B'101', O'17': BOZ constants.
                    j = ScanDoubledQuote(line, j + 1, static_cast<char>(q)).end;
                    attr = number_;
                } else {
                    attr = Keywords().Contains(word) ? keyword_ : ident_;
                }
            }
            EmitToken(out, i, j - i, attr);
            i = j;
        }
        return 0;
    }

  private:
    // 12, 1.5, 1.0D0, 2.5E-3, 3.14_dp. A dot followed by letters and a dot is an operator
    // (1.EQ.2), not a fraction.
    static size_t ScanNumber(std::string_view line, size_t i) {
        size_t j = SkipDigits(line, i);
        if (At(line, j) == '.') {
            size_t k = j + 1;
            size_t letters = k;
            while (IsAsciiLetter(At(line, letters))) ++letters;
            bool dotOperator = letters > k && At(line, letters) == '.';
            if (!dotOperator || SkipExponent(line, k, kExponents) > k) j = SkipDigits(line, k);
        }
        j = SkipExponent(line, j, kExponents);
        if (At(line, j) == '_' && IsAsciiIdent(At(line, j + 1)))
            j = SkipWhile(line, j + 1, KindChars());
        return j;
    }

    // Single, double and quadruple precision.
    static constexpr std::string_view kExponents = "edq";

    static const std::array<bool, 256>& KindChars() {
        static const std::array<bool, 256> t = AsciiIdentChars();
        return t;
    }

    TKrqKeywordSet dotWords_{{".and.", ".or.", ".not.", ".eqv.", ".neqv.", ".eq.", ".ne.", ".lt.",
                              ".le.", ".gt.", ".ge.", ".true.", ".false."},
                             false};
};

}  // namespace

const TKrqLexer& FortranLexer() {
    static const TFortranLexer lexer;
    return lexer;
}

}  // namespace krq
