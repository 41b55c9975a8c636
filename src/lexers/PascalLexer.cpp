// The Pascal / Object Pascal lexer: keywords, three kinds of comment, directives and asm blocks.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state: a mode in the low three bits and a flag for an open asm ... end block.
enum : int {
    kCode = 0,
    kBraceComment = 1,    // { ... }
    kParenComment = 2,    // (* ... *)
    kBraceDirective = 3,  // {$ ... }
    kParenDirective = 4,  // (*$ ... *)
    kModeMask = 7,
    kAsm = 8
};

class TPascalLexer final : public TKrqLexerBase {
  public:
    TPascalLexer()
        : TKrqLexerBase(
              "hgr_Pascal", "TKrqPasHighlighter", "Pascal / Object Pascal",
              "Pliki Pascal / Object Pascal (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc",
              {"Assembler", "Float", "Identyfikator", "Komentarz", "Łańcuch znaków", "Numer",
               "Preprocesor", "Słowo zarezerwowane", "Spacja", "Symbol", "Wartość hexadecymalna",
               "Znak"},
              "Spacja", MakeIdentChars()),
          asm_(Attr("Assembler")),
          float_(Attr("Float")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          number_(Attr("Numer")),
          preproc_(Attr("Preprocesor")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          hex_(Attr("Wartość hexadecymalna")),
          char_(Attr("Znak")) {}

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    const int asm_, float_, ident_, comment_, string_, number_, preproc_, keyword_, space_, symbol_,
        hex_, char_;
    // clang-format off
    TKrqKeywordSet keywords_{{
        "absolute", "abstract", "and", "array", "as", "asm", "assembler", "automated", "begin",
        "case", "cdecl", "class", "const", "constructor", "deprecated", "destructor",
        "dispinterface", "div", "do", "downto", "dynamic", "else", "end", "except", "exports",
        "external", "file", "finalization", "finally", "for", "forward", "function", "goto", "if",
        "implementation", "implements", "in", "inherited", "initialization", "inline", "interface",
        "is", "label", "library", "mod", "nil", "not", "object", "of", "or", "out", "overload",
        "override", "packed", "pascal", "private", "procedure", "program", "property", "protected",
        "public", "published", "raise", "record", "register", "reintroduce", "repeat",
        "resourcestring", "safecall", "set", "shl", "shr", "stdcall", "strict", "string", "then",
        "threadvar", "to", "try", "type", "unit", "until", "uses", "var", "virtual", "while",
        "with", "xor"},
        false};
    // clang-format on
};

int TPascalLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    int asmFlag = state & kAsm;
    size_t i = 0;
    // Comments and directives close on "}" or "*)" according to how they opened.
    auto closeBlock = [&](size_t from, int mode) -> bool {
        bool brace = mode == kBraceComment || mode == kBraceDirective;
        bool directive = mode == kBraceDirective || mode == kParenDirective;
        size_t end =
            EmitThrough(out, s, i, from, brace ? "}" : "*)", directive ? preproc_ : comment_);
        if (end == kOpen) return false;
        i = end;
        return true;
    };
    if ((state & kModeMask) != kCode && !closeBlock(0, state & kModeMask)) return state;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsBlank(c)) {
            i = EmitBlanks(out, s, i, space_);
        } else if (c == '{') {
            int mode = i + 1 < n && s[i + 1] == '$' ? kBraceDirective : kBraceComment;
            if (!closeBlock(i + 1, mode)) return mode | asmFlag;
        } else if (c == '(' && i + 1 < n && s[i + 1] == '*') {
            int mode = i + 2 < n && s[i + 2] == '$' ? kParenDirective : kParenComment;
            if (!closeBlock(i + 2, mode)) return mode | asmFlag;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '/') {
            EmitToken(out, i, n - i, comment_);
            return asmFlag;
        } else if (IdentChars()[c] && !IsDigit(c)) {
            size_t j = SkipWhile(s, i, IdentChars());
            std::string_view w = s.substr(i, j - i);
            if (asmFlag) {
                // Assembler words run to the "end" that closes the block.
                if (EqualsNoCase(w, "end")) {
                    EmitToken(out, i, j - i, keyword_);
                    asmFlag = 0;
                } else {
                    EmitToken(out, i, j - i, asm_);
                }
            } else if (keywords_.Contains(w)) {
                EmitToken(out, i, j - i, keyword_);
                if (EqualsNoCase(w, "asm")) asmFlag = kAsm;
            } else {
                EmitToken(out, i, j - i, ident_);
            }
            i = j;
        } else if (asmFlag) {
            size_t j = i + 1;
            while (j < n && !IsBlank(s[j]) && s[j] != '{' && s[j] != '(' && s[j] != '/' &&
                   !(IdentChars()[static_cast<unsigned char>(s[j])] && !IsDigit(s[j])))
                ++j;
            EmitToken(out, i, j - i, asm_);
            i = j;
        } else if (c == '\'') {
            // 'It''s' keeps going over the doubled quote.
            size_t j = ScanDoubledQuote(s, i + 1, '\'').end;
            EmitToken(out, i, j - i, string_);
            i = j;
        } else if (c == '#' && i + 1 < n && (IsDigit(s[i + 1]) || s[i + 1] == '$')) {
            size_t j = SkipCharCode(s, i);
            EmitToken(out, i, j - i, char_);
            i = j;
        } else if (c == '$' && i + 1 < n && IsHexDigit(s[i + 1])) {
            size_t j = SkipHexDigits(s, i + 1);
            EmitToken(out, i, j - i, hex_);
            i = j;
        } else if (IsDigit(c)) {
            NumScan num = ScanDecimal(s, i);
            EmitToken(out, i, num.end - i, num.kind == NumKind::Float ? float_ : number_);
            i = num.end;
        } else if (c == '&' && i + 1 < n && IdentChars()[static_cast<unsigned char>(s[i + 1])] &&
                   !IsDigit(s[i + 1])) {
            // "&begin" is an identifier that happens to be spelt like a keyword.
            size_t j = SkipWhile(s, i + 1, IdentChars());
            EmitToken(out, i, j - i, ident_);
            i = j;
        } else {
            EmitToken(out, i, 1, symbol_);
            ++i;
        }
    }
    return asmFlag;
}

}  // namespace

const TKrqLexer& PascalLexer() {
    static const TPascalLexer lexer;
    return lexer;
}

}  // namespace krq
