// The Java lexer: keywords, documentation comments, literals and characters Java does not allow.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

enum : int {
    kCode = 0,
    kComment = 1,
    kDocComment = 2,
    kTextBlock = 3  // """ ... """
};

class TJavaLexer final : public TKrqLexerBase {
  public:
    TJavaLexer()
        : TKrqLexerBase(
              "hgr_Java", "TKrqJavaHighlighter", "Java", "Java Files (*.java)|*.java",
              {"Dokumentacja", "Identyfikator", "Komentarz", "Łańcuch znaków",
               "Nieprawidłowy symbol", "Numer", "Słowo zarezerwowane", "Spacja", "Symbol"},
              "Spacja", MakeIdentChars("$")),
          doc_(Attr("Dokumentacja")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          invalid_(Attr("Nieprawidłowy symbol")),
          number_(Attr("Numer")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")) {}

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    const int doc_, ident_, comment_, string_, invalid_, number_, keyword_, space_, symbol_;
    const std::array<bool, 256> symbolChar_ = CharSet("!%&*+,-./:;<=>?[]^{|}~()@");
    // clang-format off
    TKrqKeywordSet keywords_{{
        "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class", "const",
        "continue", "default", "do", "double", "else", "enum", "exports", "extends", "false",
        "final", "finally", "float", "for", "goto", "if", "implements", "import", "instanceof",
        "int", "interface", "long", "module", "native", "new", "non-sealed", "null", "open",
        "opens", "package", "permits", "private", "protected", "provides", "public", "record",
        "requires", "return", "sealed", "short", "static", "strictfp", "super", "switch",
        "synchronized", "this", "throw", "throws", "to", "transient", "transitive", "true", "try",
        "uses", "var", "void", "volatile", "when", "while", "with", "yield"},
        true};
    // clang-format on
};

int TJavaLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t i = 0;
    if (state == kComment || state == kDocComment) {
        i = EmitThrough(out, s, 0, 0, "*/", state == kDocComment ? doc_ : comment_);
        if (i == kOpen) return state;
    } else if (state == kTextBlock) {
        size_t p = 0;
        for (;;) {
            p = Find(s, "\"\"\"", p);
            if (p == std::string_view::npos) {
                EmitToken(out, 0, n, string_);
                return kTextBlock;
            }
            // An escaped quote cannot close the block.
            size_t slashes = 0;
            while (p - slashes > 0 && s[p - slashes - 1] == '\\') ++slashes;
            if (slashes % 2 == 0) break;
            ++p;
        }
        EmitToken(out, 0, p + 3, string_);
        i = p + 3;
    }
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsBlank(c)) {
            i = EmitBlanks(out, s, i, space_);
        } else if (c == '/' && (At(s, i + 1) == '/' || At(s, i + 1) == '*')) {
            // "/**/" is an empty ordinary comment, not the start of documentation.
            bool isDoc = At(s, i + 1) == '*' && At(s, i + 2) == '*' && At(s, i + 3) != '/';
            i = EmitCComment(out, s, i, isDoc ? doc_ : comment_);
            if (i == kOpen) return isDoc ? kDocComment : kComment;
        } else if (IdentChars()[c] && !IsDigit(c)) {
            size_t j = SkipWhile(s, i, IdentChars());
            // "non-sealed" is the one keyword with a hyphen.
            if (j - i == 3 && s.substr(i, 10) == "non-sealed" &&
                (i + 10 == n || !IdentChars()[static_cast<unsigned char>(s[i + 10])]))
                j = i + 10;
            i = EmitWord(out, s, i, j, keywords_, keyword_, ident_);
        } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(s[i + 1]))) {
            size_t end = ScanCNumber(s, i, '_').end;
            EmitToken(out, i, end - i, number_);
            i = end;
        } else if (c == '"' && s.compare(i, 3, "\"\"\"") == 0) {
            size_t p = Find(s, "\"\"\"", i + 3);
            while (p != std::string_view::npos && p > 0 && s[p - 1] == '\\')
                p = Find(s, "\"\"\"", p + 1);
            if (p == std::string_view::npos) {
                EmitToken(out, i, n - i, string_);
                return kTextBlock;
            }
            EmitToken(out, i, p + 3 - i, string_);
            i = p + 3;
        } else if (c == '"' || c == '\'') {
            size_t end = ScanQuoted(s, i + 1, static_cast<char>(c)).end;
            EmitToken(out, i, end - i, string_);
            i = end;
        } else {
            EmitToken(out, i, 1, symbolChar_[c] ? symbol_ : invalid_);
            ++i;
        }
    }
    return kCode;
}

}  // namespace

const TKrqLexer& JavaLexer() {
    static const TJavaLexer lexer;
    return lexer;
}

}  // namespace krq
