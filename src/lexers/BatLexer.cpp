// The MS-DOS batch highlighter's lexer: commands and keywords without regard to case, REM and
// "::" comment lines, labels, and %var%, %1, %%i, !var! variables.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

class TBatLexer final : public TKrqLexerBase {
  public:
    TBatLexer()
        : TKrqLexerBase("hgr_Bat", "TKrqBatHighlighter", "Język wsadowy MS-DOS",
                        "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd",
                        {"Identyfikator", "Klucz", "Komentarz", "Numer", "Spacja", "Zmienna"},
                        "Spacja", MakeIdentChars()),
          ident_(Attr("Identyfikator")),
          key_(Attr("Klucz")),
          comment_(Attr("Komentarz")),
          number_(Attr("Numer")),
          space_(Attr("Spacja")),
          variable_(Attr("Zmienna")) {}

    // Everything that is neither a command, a number nor a variable (arguments, labels,
    // operators) is an identifier, the language having no other class for plain text.
    int LexLine(std::string_view line, int, std::vector<TKrqToken>& out) const override {
        const size_t n = line.size();
        size_t i = EmitBlanks(out, line, 0, space_);
        if (At(line, i) == '@') {
            // "@" keeps the command from being echoed; it belongs to the command.
            EmitToken(out, i, 1, key_);
            i = EmitBlanks(out, line, i + 1, space_);
        }
        if (At(line, i) == ':') {
            // "::" is the usual comment; ":name" a label.
            EmitToken(out, i, n - i, At(line, i + 1) == ':' ? comment_ : ident_);
            return 0;
        }
        const auto& ident = IdentChars();
        bool commandPosition = true;  // the next word is a command (first word, after & | ( )
        bool echoText = false;        // after ECHO the rest is text
        int echoWords = 0;            // … except ECHO ON and ECHO OFF
        TMarks marks(line);
        while (i < n) {
            const unsigned char c = line[i];
            size_t j = i + 1;
            int attr = ident_;
            if (IsBlank(c)) {
                j = SkipBlanks(line, i);
                attr = space_;
            } else if (c == '%' || c == '!') {
                j = ScanVariable(line, i, marks);
                attr = j > i ? variable_ : ident_;
                if (j == i) j = i + 1;
            } else if (echoText) {
                bool echoStart = echoWords++ == 0;
                j = SkipIf(line, i, [](unsigned char b) {
                    return !IsBlank(b) && b != '%' && b != '!' && b != '&' && b != '|' &&
                           b != '>' && b != '<';
                });
                std::string_view word = line.substr(i, j - i);
                if (echoStart && (EqualsNoCase(word, "on") || EqualsNoCase(word, "off")))
                    attr = key_;
                if (j == i) {
                    j = i + 1;
                    if (c == '&' || c == '|') {
                        echoText = false;
                        commandPosition = true;
                    }
                }
            } else if (IsDigit(c) && !ident[At(line, SkipDigits(line, i))]) {
                j = SkipDigits(line, i);
                attr = number_;
                commandPosition = false;
            } else if (ident[c]) {
                j = SkipWhile(line, i, ident);
                std::string_view word = line.substr(i, j - i);
                if (commandPosition && EqualsNoCase(word, "rem") &&
                    (j == n || IsBlank(At(line, j)) || line[j] == '.' || line[j] == ':')) {
                    EmitToken(out, i, n - i, comment_);
                    return 0;
                }
                if (keywords_.Contains(word)) {
                    attr = key_;
                    echoText = commandPosition && EqualsNoCase(word, "echo");
                    echoWords = 0;
                    // IF, FOR … DO, ELSE are followed by another command.
                    commandPosition = EqualsNoCase(word, "do") || EqualsNoCase(word, "else") ||
                                      (commandPosition &&
                                       (EqualsNoCase(word, "if") || EqualsNoCase(word, "not")));
                } else {
                    commandPosition = false;
                }
            } else {
                if (c == '&' || c == '|' || c == '(' || c == ')') commandPosition = true;
            }
            EmitToken(out, i, j - i, attr);
            i = j;
        }
        return 0;
    }

  private:
    // The next "%", "!" and ":" of the line, each searched for once as the lexer goes on.
    struct TMarks {
        explicit TMarks(std::string_view line)
            : percent(line, '%'), bang(line, '!'), colon(line, ':') {}
        TNextByte percent, bang, colon;
    };
    // %name%, %name:~0,5%, %1, %*, %~dp0, %%i, %%~nxi, !name!; the end of the variable at i, or
    // i when there is none there.
    static size_t ScanVariable(std::string_view line, size_t i, TMarks& marks) {
        const size_t n = line.size();
        unsigned char c = line[i];
        unsigned char a = At(line, i + 1);
        if (c == '%') {
            if (a == '%') {
                size_t k = i + 2;
                if (At(line, k) == '~') {
                    ++k;
                    while (IsAsciiLetter(At(line, k))) ++k;
                    return k > i + 3 ? k : i;
                }
                return IsAsciiLetter(At(line, k)) ? k + 1 : i;
            }
            if (IsDigit(a) || a == '*') return i + 2;
            if (a == '~') {
                size_t k = i + 2;
                while (IsAsciiLetter(At(line, k))) ++k;
                if (IsDigit(At(line, k))) return k + 1;
                return i;
            }
        }
        if (a == 0 || IsBlank(a) || a == c) return i;
        size_t close = (c == '%' ? marks.percent : marks.bang).From(i + 1);
        if (close == std::string_view::npos) return i;
        // A name holds no blanks before its ":" edit part.
        size_t colon = marks.colon.From(i + 1);
        size_t nameEnd = colon < close ? colon : close;
        if (SkipIf(line.substr(0, nameEnd), i + 1, [](unsigned char b) { return !IsBlank(b); }) <
            nameEnd)
            return i;
        return close + 1 <= n ? close + 1 : i;
    }

    int ident_, key_, comment_, number_, space_, variable_;
    TKrqKeywordSet keywords_{{"assoc",
                              "attrib",
                              "break",
                              "call",
                              "cd",
                              "chcp",
                              "chdir",
                              "choice",
                              "cls",
                              "cmd",
                              "color",
                              "copy",
                              "date",
                              "defined",
                              "del",
                              "dir",
                              "do",
                              "echo",
                              "else",
                              "endlocal",
                              "equ",
                              "erase",
                              "errorlevel",
                              "exist",
                              "exit",
                              "find",
                              "findstr",
                              "for",
                              "ftype",
                              "geq",
                              "goto",
                              "gtr",
                              "if",
                              "in",
                              "leq",
                              "lss",
                              "md",
                              "mkdir",
                              "mklink",
                              "more",
                              "move",
                              "neq",
                              "not",
                              "nul",
                              "off",
                              "on",
                              "path",
                              "pause",
                              "popd",
                              "prompt",
                              "pushd",
                              "rd",
                              "rem",
                              "ren",
                              "rename",
                              "rmdir",
                              "set",
                              "setlocal",
                              "shift",
                              "sort",
                              "start",
                              "time",
                              "timeout",
                              "title",
                              "type",
                              "ver",
                              "verify",
                              "vol",
                              "xcopy",
                              "robocopy",
                              "tasklist",
                              "taskkill",
                              "where",
                              "cmdextversion",
                              "enableextensions",
                              "enabledelayedexpansion",
                              "disabledelayedexpansion",
                              "disableextensions"},
                             false};
};

}  // namespace

const TKrqLexer& BatLexer() {
    static const TBatLexer lexer;
    return lexer;
}

}  // namespace krq
