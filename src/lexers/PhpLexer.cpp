// The PHP lexer: the whole file as PHP code, with variables, strings and heredoc text.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state: a mode in the low three bits; heredoc and nowdoc keep a hash of their closing
// word above it, since the word itself does not fit in an integer.
enum : int {
    kCode = 0,
    kComment = 1,
    kSingle = 2,    // '...'
    kDouble = 3,    // "..."
    kBacktick = 4,  // `...`
    kHeredoc = 5,   // <<<END
    kNowdoc = 6,    // <<<'END'
    kModeMask = 7
};
constexpr int kHashShift = 8;

int ClosingWordHash(std::string_view w) { return static_cast<int>(WordHash(w) & 0x3FFFFF); }

class TPhpLexer final : public TKrqLexerBase {
  public:
    TPhpLexer()
        : TKrqLexerBase("hgr_Php", "TKrqPHPHighlighter", "PHP",
                        "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc",
                        {"Identyfikator", "Komentarz", "Łańcuch znaków", "Numer",
                         "Słowo zarezerwowane", "Spacja", "Symbol", "Zmienna"},
                        "Spacja", MakeIdentChars()),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          number_(Attr("Numer")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          variable_(Attr("Zmienna")) {}

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    struct Quoted {
        size_t end;
        bool closed;
    };
    Quoted LexQuoted(std::string_view s, size_t i, char quote, bool interpolate,
                     std::vector<TKrqToken>& out) const;
    struct Variable {
        size_t end;   // the end of "$name" or "$$name", or i when no name follows
        size_t skip;  // where a "$" that starts no variable, and those after it, end
    };
    Variable ScanVariable(std::string_view s, size_t i) const;
    size_t LineCommentEnd(std::string_view s, size_t i) const;

    const int ident_, comment_, string_, number_, keyword_, space_, symbol_, variable_;
    // clang-format off
    TKrqKeywordSet keywords_{{
        "__class__", "__dir__", "__file__", "__function__", "__halt_compiler", "__line__",
        "__method__", "__namespace__", "__trait__", "abstract", "and", "array", "as", "bool",
        "break", "callable", "case", "catch", "class", "clone", "const", "continue", "declare",
        "default", "die", "do", "echo", "else", "elseif", "empty", "enddeclare", "endfor",
        "endforeach", "endif", "endswitch", "endwhile", "enum", "eval", "exit", "extends", "false",
        "final", "finally", "float", "fn", "for", "foreach", "function", "global", "goto", "if",
        "implements", "include", "include_once", "instanceof", "insteadof", "int", "interface",
        "isset", "iterable", "list", "match", "mixed", "namespace", "never", "new", "null",
        "object", "or", "parent", "print", "private", "protected", "public", "readonly", "require",
        "require_once", "return", "self", "static", "string", "switch", "throw", "trait", "true",
        "try", "unset", "use", "var", "void", "while", "xor", "yield"},
        false};
    // clang-format on
};

// "$name" or "$$name" from the "$" at s[i]. When no name follows the run of "$", none of them
// starts a variable, so the whole run is passed at once rather than rescanned from each "$".
TPhpLexer::Variable TPhpLexer::ScanVariable(std::string_view s, size_t i) const {
    size_t j = SkipIf(s, i, [](unsigned char c) { return c == '$'; });
    if (j == s.size() || IsDigit(s[j]) || !IdentChars()[static_cast<unsigned char>(s[j])])
        return {i, j};
    return {SkipWhile(s, j, IdentChars()), j};
}

// A line comment ends at the line's end or before a closing "?>".
size_t TPhpLexer::LineCommentEnd(std::string_view s, size_t i) const {
    size_t p = Find(s, "?>", i);
    return p == std::string_view::npos ? s.size() : p;
}

// Quoted text from s[i] (after the opening quote); a quote of 0 runs to the line's end.
TPhpLexer::Quoted TPhpLexer::LexQuoted(std::string_view s, size_t i, char quote, bool interpolate,
                                       std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t start = i;
    while (i < n) {
        char c = s[i];
        if (c == '\\') {
            i += 2;
        } else if (quote && c == quote) {
            EmitToken(out, start, i + 1 - start, string_);
            return {i + 1, true};
        } else if (interpolate && c == '$') {
            Variable v = ScanVariable(s, i);
            size_t end = v.end;
            if (end == i) {
                i = v.skip;
                continue;
            }
            EmitToken(out, start, i - start, string_);
            EmitToken(out, i, end - i, variable_);
            i = start = end;
        } else {
            ++i;
        }
    }
    EmitToken(out, start, n - start, string_);
    return {n, false};
}

int TPhpLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t i = 0;
    const int mode = state & kModeMask;
    if (mode == kComment) {
        i = EmitThrough(out, s, 0, 0, "*/", comment_);
        if (i == kOpen) return state;
    } else if (mode == kSingle || mode == kDouble || mode == kBacktick) {
        char quote = mode == kSingle ? '\'' : mode == kDouble ? '"' : '`';
        Quoted q = LexQuoted(s, 0, quote, mode != kSingle, out);
        if (!q.closed) return state;
        i = q.end;
    } else if (mode == kHeredoc || mode == kNowdoc) {
        // The closing word may be indented and followed by ";", ",", ")" and the like.
        size_t j = SkipBlanks(s, 0);
        size_t k = SkipWhile(s, j, IdentChars());
        if (k > j && ClosingWordHash(s.substr(j, k - j)) == (state >> kHashShift)) {
            EmitToken(out, 0, j, space_);
            EmitToken(out, j, k - j, string_);
            i = k;
        } else {
            LexQuoted(s, 0, 0, mode == kHeredoc, out);
            return state;
        }
    }
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsBlank(c)) {
            i = EmitBlanks(out, s, i, space_);
        } else if ((c == '/' && i + 1 < n && s[i + 1] == '/') ||
                   (c == '#' && !(i + 1 < n && s[i + 1] == '['))) {
            size_t end = LineCommentEnd(s, i);
            EmitToken(out, i, end - i, comment_);
            i = end;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            i = EmitThrough(out, s, i, i + 2, "*/", comment_);
            if (i == kOpen) return kComment;
        } else if (c == '$') {
            Variable v = ScanVariable(s, i);
            if (v.end == i) {
                EmitToken(out, i, v.skip - i, symbol_);
                i = v.skip;
            } else {
                EmitToken(out, i, v.end - i, variable_);
                i = v.end;
            }
        } else if (IdentChars()[c] && !IsDigit(c)) {
            i = EmitWord(out, s, i, SkipWhile(s, i, IdentChars()), keywords_, keyword_, ident_);
        } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(s[i + 1]))) {
            size_t end = ScanCNumber(s, i, '_').end;
            EmitToken(out, i, end - i, number_);
            i = end;
        } else if (c == '\'' || c == '"' || c == '`') {
            EmitToken(out, i, 1, string_);
            Quoted q = LexQuoted(s, i + 1, static_cast<char>(c), c != '\'', out);
            if (!q.closed) return c == '\'' ? kSingle : c == '"' ? kDouble : kBacktick;
            i = q.end;
        } else if (c == '<' && i + 1 < n && s[i + 1] == '?') {
            // "<?php", "<?=" and "<?" open code; shown whole as one mark.
            size_t j = i + 2;
            if (j < n && s[j] == '=') {
                ++j;
            } else if (EqualsNoCase(s.substr(j, 3), "php")) {
                j += 3;
            }
            EmitToken(out, i, j - i, symbol_);
            i = j;
        } else if (c == '<' && s.compare(i, 3, "<<<") == 0) {
            // <<<END, <<<"END" or <<<'END' opens text that runs to a line starting with END.
            size_t j = SkipBlanks(s, i + 3);
            char q = j < n && (s[j] == '\'' || s[j] == '"') ? s[j] : 0;
            size_t w = q ? j + 1 : j;
            size_t k = SkipWhile(s, w, IdentChars());
            size_t end = q && k < n && s[k] == q ? k + 1 : k;
            if (k > w && !IsDigit(s[w]) && SkipBlanks(s, end) == n) {
                EmitToken(out, i, n - i, string_);
                return (q == '\'' ? kNowdoc : kHeredoc) |
                       (ClosingWordHash(s.substr(w, k - w)) << kHashShift);
            }
            EmitToken(out, i, 3, symbol_);
            i += 3;
        } else {
            EmitToken(out, i, 1, symbol_);
            ++i;
        }
    }
    return kCode;
}

}  // namespace

const TKrqLexer& PhpLexer() {
    static const TPhpLexer lexer;
    return lexer;
}

}  // namespace krq
