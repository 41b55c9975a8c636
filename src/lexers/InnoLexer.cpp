// The Inno Setup highlighter's lexer: section headers, [Setup] directives, "Name: value"
// entries, ISPP lines and the Pascal script of [Code]. The state carries the current section
// and an open Pascal comment.
#include "lexers/InnoWords.h"
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

// Bits 0-3 of the state: the kind of section the line is in.
enum TSection {
    kNoSection = 0,
    kSetup = 1,    // Directive=value
    kEntries = 2,  // Name: value; Name: value
    kCode = 3,     // Pascal script
    kKeyValue = 4  // [Messages], [CustomMessages], [LangOptions] and unknown sections
};
// Bits 4-5: the Pascal comment a [Code] line starts in.
enum TComment { kNoComment = 0, kBrace = 1, kParenStar = 2 };

constexpr size_t kNone = std::string_view::npos;

int MakeState(int section, int comment) { return section | (comment << 4); }

class TInnoLexer final : public TKrqLexerBase {
  public:
    TInnoLexer()
        : TKrqLexerBase(
              "hgr_Inno", "TKrqInnoHighlighter", "Inno Setup", "Inno Setup Scripts (*.iss)|*.iss",
              {"Dyrektywa", "Identyfikator", "Komentarz", "Łańcuch znaków", "Niedopuszczalny znak",
               "Numer", "Preprocesor", "Sekcja", "Słowo zarezerwowane", "Spacja", "Symbol"},
              "Spacja", MakeIdentChars()),
          directive_(Attr("Dyrektywa")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          invalid_(Attr("Niedopuszczalny znak")),
          number_(Attr("Numer")),
          preprocessor_(Attr("Preprocesor")),
          section_(Attr("Sekcja")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")) {}

    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override {
        int section = state & 15;
        int comment = (state >> 4) & 3;
        if (section > kKeyValue || comment == 3 || (comment != kNoComment && section != kCode))
            section = kNoSection, comment = kNoComment;  // a state no line produces
        if (section == kCode) {
            if (comment == kNoComment) {
                int header = SectionHeader(line, true);
                if (header >= 0) return LexHeader(line, header, out);
                if (LexPreprocessorLine(line, out)) return state;
            }
            return MakeState(kCode, LexCode(line, comment, out));
        }
        int header = SectionHeader(line, false);
        if (header >= 0) return LexHeader(line, header, out);
        if (LexPreprocessorLine(line, out)) return state;
        const size_t n = line.size();
        size_t i = EmitBlanks(out, line, 0, space_);
        if (At(line, i) == ';') {
            EmitToken(out, i, n - i, comment_);
        } else if (section == kEntries) {
            LexEntries(line, i, out);
        } else {
            LexKeyValue(line, i, section == kSetup || section == kKeyValue, out);
        }
        return state;
    }

  private:
    // The section kind of a "[Name]" header line, or -1. In [Code] only the known section
    // names count, since "[" may start a line of Pascal.
    static int SectionHeader(std::string_view line, bool knownOnly) {
        size_t i = SkipBlanks(line, 0);
        if (At(line, i) != '[') return -1;
        size_t close = Find(line, ']', i + 1);
        if (close == kNone || close == i + 1) return -1;
        std::string_view name = line.substr(i + 1, close - i - 1);
        for (unsigned char c : name)
            if (!IsAsciiIdent(c)) return -1;
        size_t rest = SkipBlanks(line, close + 1);
        if (rest < line.size() && line[rest] != ';') return -1;
        static const TKrqKeywordSet entries(
            {"types", "components", "tasks", "dirs", "files", "icons", "ini", "installdelete",
             "languages", "registry", "run", "uninstalldelete", "uninstallrun"},
            false);
        static const TKrqKeywordSet keyValue({"messages", "custommessages", "langoptions"}, false);
        if (EqualsNoCase(name, "setup")) return kSetup;
        if (EqualsNoCase(name, "code")) return kCode;
        if (entries.Contains(name)) return kEntries;
        if (keyValue.Contains(name) || !knownOnly) return kKeyValue;
        return -1;
    }

    int LexHeader(std::string_view line, int section, std::vector<TKrqToken>& out) const {
        size_t i = SkipBlanks(line, 0);
        size_t close = Find(line, ']', i);
        EmitToken(out, 0, i, space_);
        EmitToken(out, i, close + 1 - i, section_);
        size_t rest = EmitBlanks(out, line, close + 1, space_);
        EmitToken(out, rest, line.size() - rest, comment_);
        return MakeState(section, kNoComment);
    }

    // "#define", "#include" … lines of the preprocessor, in any section.
    bool LexPreprocessorLine(std::string_view line, std::vector<TKrqToken>& out) const {
        size_t i = SkipBlanks(line, 0);
        if (At(line, i) != '#' || !IsAsciiLetter(At(line, SkipBlanks(line, i + 1)))) return false;
        EmitToken(out, 0, i, space_);
        EmitToken(out, i, line.size() - i, preprocessor_);
        return true;
    }

    void LexKeyValue(std::string_view line, size_t i, bool directives,
                     std::vector<TKrqToken>& out) const;
    void LexEntries(std::string_view line, size_t i, std::vector<TKrqToken>& out) const;
    size_t LexValuePiece(std::string_view line, size_t i, bool asString, TNextByte& closeBrace,
                         std::vector<TKrqToken>& out) const;
    int LexCode(std::string_view line, int comment, std::vector<TKrqToken>& out) const;

    int directive_, ident_, comment_, string_, invalid_, number_, preprocessor_, section_, keyword_,
        space_, symbol_;
};

// One piece of an unquoted value at i: an {app}-style constant (an identifier), an inline
// {#expression} of the preprocessor, a "quoted" string, or plain text. Plain text is a string
// where a value is one whole text ([Setup]); in entries it is made of words, numbers and
// symbols. Returns the end of the piece.
size_t TInnoLexer::LexValuePiece(std::string_view line, size_t i, bool asString,
                                 TNextByte& closeBrace, std::vector<TKrqToken>& out) const {
    const size_t n = line.size();
    const unsigned char c = line[i];
    size_t j = i + 1;
    int attr = asString ? string_ : symbol_;
    if (c == '{' && At(line, i + 1) == '{') {
        j = i + 2;  // an escaped brace
    } else if (c == '{' && closeBrace.From(i + 1) != kNone) {
        j = closeBrace.From(i + 1) + 1;
        attr = At(line, i + 1) == '#' ? preprocessor_ : ident_;
    } else if (c == '"') {
        j = ScanDoubledQuote(line, i + 1, '"').end;
        attr = string_;
    } else if (c < 0x20 && c != '\t') {
        attr = invalid_;
    } else if (IsBlank(c)) {
        j = SkipBlanks(line, i);
        attr = asString && j < n ? string_ : space_;
    } else if (asString) {
        j = SkipIf(line, j, [](unsigned char b) {
            return b != '{' && b != '"' && !IsBlank(b) && b >= 0x20;
        });
    } else if (IsDigit(c)) {
        j = SkipDigits(line, i);
        attr = IdentChars()[At(line, j)] ? ident_ : number_;
        j = SkipWhile(line, j, IdentChars());
    } else if (IdentChars()[c]) {
        j = SkipWhile(line, i, IdentChars());
        attr = ident_;
    }
    EmitToken(out, i, j - i, attr);
    return j;
}

// Key=value lines: [Setup] directives, [LangOptions] and message entries.
void TInnoLexer::LexKeyValue(std::string_view line, size_t i, bool directives,
                             std::vector<TKrqToken>& out) const {
    const size_t n = line.size();
    size_t eq = Find(line, '=', i);
    TNextByte closeBrace(line, '}');
    if (eq == kNone) {
        while (i < n) i = LexValuePiece(line, i, false, closeBrace, out);
        return;
    }
    size_t keyEnd = TrimBlanksBack(line, i, eq);
    std::string_view key = line.substr(i, keyEnd - i);
    bool known = directives && innowords::Directives().Contains(key);
    EmitToken(out, i, keyEnd - i, known ? directive_ : ident_);
    EmitToken(out, keyEnd, eq - keyEnd, space_);
    EmitToken(out, eq, 1, symbol_);
    size_t v = EmitBlanks(out, line, eq + 1, space_);
    size_t end = TrimBlanksBack(line, v, n);
    std::string_view value = line.substr(v, end - v);
    static const TKrqKeywordSet flags({"yes", "no", "true", "false", "auto"}, false);
    bool number = !value.empty() && SkipDigits(value, 0) == value.size();
    if (number || flags.Contains(value)) {
        EmitToken(out, v, end - v, number ? number_ : keyword_);
        EmitToken(out, end, n - end, space_);
        return;
    }
    while (v < n) v = LexValuePiece(line, v, true, closeBrace, out);
}

// Name: value; Name: "value"; Flags: a b c
void TInnoLexer::LexEntries(std::string_view line, size_t i, std::vector<TKrqToken>& out) const {
    const size_t n = line.size();
    TNextByte closeBrace(line, '}');
    bool nameExpected = true;
    while (i < n) {
        const unsigned char c = line[i];
        if (IsBlank(c)) {
            i = EmitBlanks(out, line, i, space_);
        } else if (c == ';') {
            EmitToken(out, i, 1, symbol_);
            ++i;
            nameExpected = true;
        } else if (nameExpected && IsAsciiLetter(c)) {
            size_t j = SkipWhile(line, i, IdentChars());
            size_t colon = SkipBlanks(line, j);
            if (At(line, colon) == ':') {
                bool known = innowords::Parameters().Contains(line.substr(i, j - i));
                EmitToken(out, i, j - i, known ? directive_ : ident_);
                EmitToken(out, j, colon - j, space_);
                EmitToken(out, colon, 1, symbol_);
                i = colon + 1;
                nameExpected = false;
            } else {
                i = LexValuePiece(line, i, false, closeBrace, out);
            }
        } else {
            i = LexValuePiece(line, i, false, closeBrace, out);
        }
    }
}

// A line of the Pascal script; returns the comment the next line starts in.
int TInnoLexer::LexCode(std::string_view line, int comment, std::vector<TKrqToken>& out) const {
    const size_t n = line.size();
    size_t i = 0;
    for (;;) {
        if (comment != kNoComment) {
            i = EmitThrough(out, line, i, i, comment == kBrace ? "}" : "*)", comment_);
            if (i == kOpen) return comment;
            comment = kNoComment;
        }
        if (i >= n) return kNoComment;
        const unsigned char c = line[i];
        size_t j = i + 1;
        int attr = symbol_;
        if (IsBlank(c)) {
            j = SkipBlanks(line, i);
            attr = space_;
        } else if (c == '/' && At(line, i + 1) == '/') {
            j = n;
            attr = comment_;
        } else if (c == '{' && At(line, i + 1) == '#' && Find(line, '}', i) != kNone) {
            j = Find(line, '}', i) + 1;
            attr = preprocessor_;
        } else if (c == '{' || (c == '(' && At(line, i + 1) == '*')) {
            comment = c == '{' ? kBrace : kParenStar;
            EmitToken(out, i, c == '{' ? 1 : 2, comment_);
            i += c == '{' ? 1 : 2;
            continue;
        } else if (c == '\'') {
            j = ScanDoubledQuote(line, i + 1, '\'').end;
            attr = string_;
        } else if (c == '#' && (IsDigit(At(line, i + 1)) || At(line, i + 1) == '$')) {
            // #13, #$0A: characters by code.
            j = SkipCharCode(line, i);
            attr = string_;
        } else if (c == '$' && IsHexDigit(At(line, i + 1))) {
            j = SkipHexDigits(line, i + 1);
            attr = number_;
        } else if (IsDigit(c)) {
            j = ScanDecimal(line, i).end;
            attr = number_;
        } else if (IsAsciiLetter(c) || c == '_') {
            j = SkipIf(line, j, IsAsciiIdent);
            attr = innowords::PascalKeywords().Contains(line.substr(i, j - i)) ? keyword_ : ident_;
        } else if (c < 0x20 || c >= 0x7F || std::string_view("!?%\\|~\"&`").find(c) != kNone) {
            attr = invalid_;
        }
        EmitToken(out, i, j - i, attr);
        i = j;
    }
}

}  // namespace

const TKrqLexer& InnoLexer() {
    static const TInnoLexer lexer;
    return lexer;
}

}  // namespace krq
