// The C++ lexer: keywords of C++20, comments, literals, preprocessor lines and inline assembler.
#include <algorithm>

#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state: a mode in the low three bits, two assembler flags, and for raw strings the length
// and first three characters of the delimiter (a longer delimiter is matched on those three).
enum : int {
    kCode = 0,
    kComment = 1,
    kDirective = 2,         // a directive continued by a final backslash
    kStringCont = 3,        // "..." continued by a final backslash
    kCharCont = 4,          // '...' continued by a final backslash
    kRawString = 5,         // R"delim( ... )delim"
    kDirectiveComment = 6,  // a block comment opened inside a directive
    kModeMask = 7,
    kAsmBlock = 8,    // inside asm { ... }
    kAsmPending = 16  // "asm" ended a line; a "{" may open the block on the next one
};
constexpr int kRawShift = 8;

class TCppLexer final : public TKrqLexerBase {
  public:
    TCppLexer()
        : TKrqLexerBase("hgr_Cpp", "TKrqCppHighlighter", "C++",
                        "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp",
                        {"Assembler", "Float", "Identyfikator", "Komentarz", "Łańcuch znaków",
                         "Niedopuszczalny znak", "Numer", "Preprocesor", "Słowo zarezerwowane",
                         "Spacja", "Symbol", "Wartość hexadecymalna", "Wartość oktalna", "Znak"},
                        "Spacja", MakeIdentChars()),
          asm_(Attr("Assembler")),
          float_(Attr("Float")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          invalid_(Attr("Niedopuszczalny znak")),
          number_(Attr("Numer")),
          preproc_(Attr("Preprocesor")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          hex_(Attr("Wartość hexadecymalna")),
          octal_(Attr("Wartość oktalna")),
          char_(Attr("Znak")) {}

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;
    int EndState(std::string_view s, int state) const override;

  private:
    int LexDirective(std::string_view s, size_t i, int asmFlags, std::vector<TKrqToken>& out) const;
    int LexRaw(std::string_view s, size_t i, int state, std::vector<TKrqToken>& out) const;
    size_t LexAsmRest(std::string_view s, size_t i, std::vector<TKrqToken>& out) const;
    static bool IsStringPrefix(std::string_view w);

    const int asm_, float_, ident_, comment_, string_, invalid_, number_, preproc_, keyword_,
        space_, symbol_, hex_, octal_, char_;
    const std::array<bool, 256> symbolChar_ = CharSet("!%&*+,-./:;<=>?[]^{|}~()");
    // Bytes that may begin something outlasting its line in code: a comment, a literal, a
    // directive, or the "a" of an assembler keyword.
    const std::array<bool, 256> opener_ = CharSet("/\"'#a");
    // clang-format off
    TKrqKeywordSet keywords_{{
        "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
        "case", "catch", "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept",
        "const", "consteval", "constexpr", "constinit", "const_cast", "continue", "co_await",
        "co_return", "co_yield", "decltype", "default", "delete", "do", "double", "dynamic_cast",
        "else", "enum", "explicit", "export", "extern", "false", "final", "float", "for", "friend",
        "goto", "if", "import", "inline", "int", "long", "module", "mutable", "namespace", "new",
        "noexcept", "not", "not_eq", "nullptr", "operator", "or", "or_eq", "override", "private",
        "protected", "public", "register", "reinterpret_cast", "requires", "return", "short",
        "signed", "sizeof", "static", "static_assert", "static_cast", "struct", "switch",
        "template", "this", "thread_local", "throw", "true", "try", "typedef", "typeid", "typename",
        "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor",
        "xor_eq", "_asm", "__asm"},
        true};
    // clang-format on
};

bool TCppLexer::IsStringPrefix(std::string_view w) {
    return w == "L" || w == "u" || w == "U" || w == "u8" || w == "R" || w == "LR" || w == "uR" ||
           w == "UR" || w == "u8R";
}

// The rest of a directive from i: preprocessor text with comments inside it.
int TCppLexer::LexDirective(std::string_view s, size_t i, int asmFlags,
                            std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t start = i;
    while (i < n) {
        char c = s[i];
        if (c == '"' || c == '\'') {
            i = ScanQuoted(s, i + 1, c).end;
        } else if (c == '/' && i + 1 < n && (s[i + 1] == '/' || s[i + 1] == '*')) {
            EmitToken(out, start, i - start, preproc_);
            size_t end = EmitCComment(out, s, i, comment_);
            if (end == kOpen) return kDirectiveComment | asmFlags;
            if (end == n) return asmFlags;  // "//" ends it, final backslash or not
            i = start = end;
        } else {
            ++i;
        }
    }
    EmitToken(out, start, n - start, preproc_);
    return (n > 0 && s[n - 1] == '\\' ? kDirective : kCode) | asmFlags;
}

// Inside a raw string: looks for ")delim\"" using the delimiter kept in the state.
int TCppLexer::LexRaw(std::string_view s, size_t i, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    int len = (state >> kRawShift) & 3;
    bool longDelim = (state >> kRawShift) & 4;
    char d[3];
    for (int k = 0; k < 3; ++k) d[k] = static_cast<char>((state >> (kRawShift + 3 + 7 * k)) & 127);
    size_t start = i;
    for (size_t p = Find(s, ')', i); p != std::string_view::npos; p = Find(s, ')', p + 1)) {
        size_t q = p + 1;
        int k = 0;
        while (k < len && q < n && s[q] == d[k]) ++q, ++k;
        if (k < len) continue;
        if (longDelim)
            while (q < n && q - p <= 16 && s[q] != '"' && s[q] != ')' && !IsBlank(s[q])) ++q;
        if (q < n && s[q] == '"') {
            EmitToken(out, start, q + 1 - start, string_);
            return -static_cast<int>(q + 1) - 1;  // closed: the caller goes on from q + 1
        }
    }
    EmitToken(out, start, n - start, string_);
    return state;
}

// "__asm mov eax, 1": the rest of the line is assembler up to a line comment.
size_t TCppLexer::LexAsmRest(std::string_view s, size_t i, std::vector<TKrqToken>& out) const {
    size_t end = Find(s, "//", i);
    if (end == std::string_view::npos) end = s.size();
    while (i < end) {
        size_t j = i;
        if (IsBlank(s[i])) {
            j = SkipBlanks(s, i);
            if (j > end) j = end;
            EmitToken(out, i, j - i, space_);
        } else {
            while (j < end && !IsBlank(s[j])) ++j;
            EmitToken(out, i, j - i, asm_);
        }
        i = j;
    }
    EmitToken(out, end, s.size() - end, comment_);
    return s.size();
}

int TCppLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t i = 0;
    int asmFlags = state & kAsmBlock;
    switch (state & kModeMask) {
        case kComment:
        case kDirectiveComment: {
            size_t end = EmitThrough(out, s, 0, 0, "*/", comment_);
            if (end == kOpen) return state;
            if ((state & kModeMask) == kDirectiveComment)
                return LexDirective(s, end, asmFlags, out);
            i = end;
            break;
        }
        case kDirective:
            return LexDirective(s, 0, asmFlags, out);
        case kStringCont:
        case kCharCont: {
            QuoteScan q = ScanQuoted(s, 0, (state & kModeMask) == kStringCont ? '"' : '\'');
            EmitToken(out, 0, q.end, (state & kModeMask) == kStringCont ? string_ : char_);
            if (!q.closed) return q.continued ? state : asmFlags;
            i = q.end;
            break;
        }
        case kRawString: {
            int r = LexRaw(s, 0, state, out);
            if (r >= 0) return r;
            i = static_cast<size_t>(-r - 1);
            state = kCode;
            break;
        }
        default:
            break;
    }
    if (state & kAsmPending) {
        size_t j = SkipBlanks(s, i);
        if (j == n) {
            EmitToken(out, i, n - i, space_);
            return state;
        }
        if (s[j] == '{') {
            EmitToken(out, i, j - i, space_);
            EmitToken(out, j, 1, symbol_);
            i = j + 1;
            asmFlags = kAsmBlock;
        }
    }
    bool lineStart = true;  // only blanks and comments so far, so "#" opens a directive
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsBlank(c)) {
            i = EmitBlanks(out, s, i, space_);
            continue;
        }
        if (size_t end = EmitCComment(out, s, i, comment_); end != i) {
            if (end == kOpen) return kComment | asmFlags;
            i = end;
            continue;
        }
        const bool atStart = lineStart;
        lineStart = false;
        if (asmFlags) {
            // Inside asm { }: everything up to the closing brace is assembler.
            if (c == '}') {
                EmitToken(out, i, 1, symbol_);
                asmFlags = 0;
                ++i;
            } else if (c == ';') {
                EmitToken(out, i, n - i, comment_);
                return asmFlags;
            } else {
                size_t j = i + 1;
                while (j < n && !IsBlank(s[j]) && s[j] != '}' && s[j] != '/' && s[j] != ';') ++j;
                EmitToken(out, i, j - i, asm_);
                i = j;
            }
            continue;
        }
        if (c == '#' && atStart) return LexDirective(s, i, asmFlags, out);
        if (IdentChars()[c] && !IsDigit(c)) {
            size_t j = SkipWhile(s, i, IdentChars());
            std::string_view w = s.substr(i, j - i);
            if (j < n && (s[j] == '"' || s[j] == '\'') && IsStringPrefix(w)) {
                if (s[j] == '"' && w.back() == 'R') {
                    // Raw string: the delimiter runs up to "(".
                    size_t k = j + 1;
                    while (k < n && k - j <= 17 && s[k] != '(' && s[k] != ')' && s[k] != '\\' &&
                           s[k] != '"' && !IsBlank(s[k]))
                        ++k;
                    if (k < n && s[k] == '(') {
                        int len = static_cast<int>(k - j - 1);
                        int raw = kRawString | (std::min(len, 3) << kRawShift);
                        if (len > 3) raw |= 4 << kRawShift;
                        for (int m = 0; m < std::min(len, 3); ++m)
                            raw |= (s[j + 1 + m] & 127) << (kRawShift + 3 + 7 * m);
                        EmitToken(out, i, k + 1 - i, string_);
                        int r = LexRaw(s, k + 1, raw, out);
                        if (r >= 0) return r;
                        i = static_cast<size_t>(-r - 1);
                        continue;
                    }
                }
                QuoteScan q = ScanQuoted(s, j + 1, s[j]);
                bool isChar = s[j] == '\'';
                EmitToken(out, i, q.end - i, isChar ? char_ : string_);
                if (q.continued) return (isChar ? kCharCont : kStringCont) | asmFlags;
                i = q.end;
                continue;
            }
            if (!keywords_.Contains(w)) {
                EmitToken(out, i, j - i, ident_);
                i = j;
                continue;
            }
            EmitToken(out, i, j - i, keyword_);
            i = j;
            if (w == "asm" || w == "_asm" || w == "__asm") {
                size_t k = SkipBlanks(s, i);
                if (k == n) {
                    EmitToken(out, i, n - i, space_);
                    return kAsmPending;
                }
                if (s[k] == '{') {
                    EmitToken(out, i, k - i, space_);
                    EmitToken(out, k, 1, symbol_);
                    asmFlags = kAsmBlock;
                    i = k + 1;
                } else if (w != "asm" && s[k] != '(') {
                    EmitToken(out, i, k - i, space_);
                    i = LexAsmRest(s, k, out);
                }
            }
            continue;
        }
        if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(s[i + 1]))) {
            NumScan num = ScanCNumber(s, i, '\'');
            int attr = num.kind == NumKind::Hex     ? hex_
                       : num.kind == NumKind::Octal ? octal_
                       : num.kind == NumKind::Float ? float_
                                                    : number_;
            EmitToken(out, i, num.end - i, attr);
            i = num.end;
            continue;
        }
        if (c == '"' || c == '\'') {
            QuoteScan q = ScanQuoted(s, i + 1, static_cast<char>(c));
            EmitToken(out, i, q.end - i, c == '"' ? string_ : char_);
            if (q.continued) return (c == '"' ? kStringCont : kCharCont) | asmFlags;
            i = q.end;
            continue;
        }
        EmitToken(out, i, 1, symbolChar_[c] ? symbol_ : invalid_);
        ++i;
    }
    return asmFlags;
}

// Most lines of code and of a block comment change no state, and are found without tokens:
// code with none of the opening bytes before an optional line comment ends in code, and a
// comment line without "*/" ends in the comment. Any other line is lexed in full.
int TCppLexer::EndState(std::string_view s, int state) const {
    if ((state & kModeMask) == kComment || (state & kModeMask) == kDirectiveComment) {
        if (s.find("*/") == std::string_view::npos) return state;
    } else if (state == kCode) {
        const size_t n = s.size();
        size_t i = 0;
        for (; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (!opener_[c]) continue;
            if (c == '/') {
                if (i + 1 < n && s[i + 1] == '/') return kCode;
                if (i + 1 < n && s[i + 1] == '*') break;
                continue;
            }
            if (c == 'a' && s.substr(i, 3) != "asm") continue;
            break;
        }
        if (i == n) return kCode;
    }
    thread_local std::vector<TKrqToken> scratch;
    scratch.clear();
    return LexLine(s, state, scratch);
}

}  // namespace

const TKrqLexer& CppLexer() {
    static const TCppLexer lexer;
    return lexer;
}

}  // namespace krq
