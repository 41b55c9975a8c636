// The JavaScript lexer: keywords, browser objects, event names, strings, templates and regexes.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state: a mode in the low three bits, how many template expressions ("${") are open
// around the current point, and for each of them how many of its own braces are open, so that
// the "}" which returns to the template text is told from the others. Nesting beyond what fits
// is treated as text.
enum : int {
    kCode = 0,
    kComment = 1,
    kTemplate = 2,    // `...` spans lines freely
    kSingleCont = 3,  // '...' continued by a final backslash
    kDoubleCont = 4,  // "..." continued by a final backslash
    kModeMask = 7,
    kLevelShift = 3,
    kMaxLevel = 7,
    kBraceShift = 6,
    kMaxBraces = 7
};

struct TJsState {
    int mode;
    int level;
    int braces[kMaxLevel + 1] = {};

    explicit TJsState(int s) : mode(s & kModeMask), level((s >> kLevelShift) & kMaxLevel) {
        for (int l = 1; l <= level; ++l) braces[l] = (s >> (kBraceShift + 3 * (l - 1))) & 7;
    }
    int Pack() const {
        int s = mode | (level << kLevelShift);
        for (int l = 1; l <= level; ++l) s |= braces[l] << (kBraceShift + 3 * (l - 1));
        return s;
    }
};

class TJavaScriptLexer final : public TKrqLexerBase {
  public:
    TJavaScriptLexer()
        : TKrqLexerBase(
              "hgr_JavaScript", "TKrqJScriptHighlighter", "JavaScript",
              "Javascript Files (*.js)|*.js",
              {"Identyfikator", "Komentarz", "Łańcuch znaków", "Niezarezerwowane słowa kluczowe",
               "Numer", "Słowo zarezerwowane", "Spacja", "Symbol", "zdarzenie"},
              "Spacja", MakeIdentChars("$")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          nonReserved_(Attr("Niezarezerwowane słowa kluczowe")),
          number_(Attr("Numer")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          event_(Attr("zdarzenie")) {}

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    size_t LexTemplate(std::string_view s, size_t i, TJsState& st,
                       std::vector<TKrqToken>& out) const;
    size_t ScanRegex(std::string_view s, size_t i, std::vector<uint8_t>& seen) const;

    const int ident_, comment_, string_, nonReserved_, number_, keyword_, space_, symbol_, event_;
    // clang-format off
    TKrqKeywordSet keywords_{{
        "await", "break", "case", "catch", "class", "const", "continue", "debugger", "default",
        "delete", "do", "else", "enum", "export", "extends", "false", "finally", "for", "function",
        "if", "implements", "import", "in", "instanceof", "interface", "let", "new", "null",
        "package", "private", "protected", "public", "return", "static", "super", "switch", "this",
        "throw", "true", "try", "typeof", "var", "void", "while", "with", "yield"},
        true};
    TKrqKeywordSet nonReservedWords_{{
        "Array", "ArrayBuffer", "BigInt", "Boolean", "Date", "Error", "EvalError", "Function",
        "Infinity", "Intl", "JSON", "Map", "Math", "NaN", "Number", "Object", "Promise", "Proxy",
        "RangeError", "Reflect", "RegExp", "Set", "String", "Symbol", "SyntaxError", "TypeError",
        "URIError", "WeakMap", "WeakSet", "XMLHttpRequest", "addEventListener", "alert",
        "arguments", "as", "async", "blur", "clearInterval", "clearTimeout", "close", "confirm",
        "console", "constructor", "decodeURI", "decodeURIComponent", "document", "encodeURI",
        "encodeURIComponent", "escape", "eval", "event", "fetch", "focus", "from", "get",
        "getElementById", "getElementsByClassName", "getElementsByTagName", "history", "innerHTML",
        "isFinite", "isNaN", "length", "localStorage", "location", "navigator", "of", "open",
        "parseFloat", "parseInt", "print", "prompt", "prototype", "querySelector",
        "querySelectorAll", "removeEventListener", "screen", "sessionStorage", "set", "setInterval",
        "setTimeout", "undefined", "unescape", "window"},
        true};
    TKrqKeywordSet events_{{
        "onabort", "onafterprint", "onanimationend", "onbeforeprint", "onbeforeunload", "onblur",
        "onchange", "onclick", "oncontextmenu", "oncopy", "oncut", "ondblclick", "ondrag",
        "ondragend", "ondragenter", "ondragleave", "ondragover", "ondragstart", "ondrop", "onerror",
        "onfocus", "onfocusin", "onfocusout", "onhashchange", "oninput", "oninvalid", "onkeydown",
        "onkeypress", "onkeyup", "onload", "onmessage", "onmousedown", "onmouseenter",
        "onmouseleave", "onmousemove", "onmouseout", "onmouseover", "onmouseup", "onoffline",
        "ononline", "onpaste", "onpointerdown", "onpointermove", "onpointerup", "onpopstate",
        "onreset", "onresize", "onscroll", "onselect", "onstorage", "onsubmit", "ontouchend",
        "ontouchmove", "ontouchstart", "ontransitionend", "onunload", "onwheel"},
        true};
    // clang-format on
};

// Template text from s[i]: up to the closing backquote (back to code) or to a "${" (code of
// one more level), or to the line's end. Returns where the text stopped.
size_t TJavaScriptLexer::LexTemplate(std::string_view s, size_t i, TJsState& st,
                                     std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t start = i;
    while (i < n) {
        char c = s[i];
        if (c == '\\') {
            i += 2;
        } else if (c == '`') {
            EmitToken(out, start, i + 1 - start, string_);
            st.mode = kCode;
            return i + 1;
        } else if (c == '$' && i + 1 < n && s[i + 1] == '{' && st.level < kMaxLevel) {
            EmitToken(out, start, i - start, string_);
            EmitToken(out, i, 2, symbol_);
            ++st.level;
            st.braces[st.level] = 0;
            st.mode = kCode;
            return i + 2;
        } else {
            ++i;
        }
    }
    EmitToken(out, start, n - start, string_);
    return n;
}

// A regular expression literal from the "/" at s[i]: its end, or i when the line holds none.
// `seen` marks each (position, inside a class) the scans of this line passed through: a scan
// that reaches one goes on exactly as the earlier one did, which found no end (a found end is
// taken, and the lexer goes on after it), so it stops there and the line is examined once.
size_t TJavaScriptLexer::ScanRegex(std::string_view s, size_t i, std::vector<uint8_t>& seen) const {
    const size_t n = s.size();
    if (At(s, i + 1) == '/') return i;  // "//" is a comment, never an empty regex
    if (seen.empty()) seen.resize(n + 1);
    bool inClass = false;
    size_t p = i + 1;
    size_t result = i;
    for (; p < n; ++p) {
        const uint8_t mark = inClass ? 2 : 1;
        if (seen[p] & mark) break;
        seen[p] |= mark;
        char c = s[p];
        if (c == '\\') {
            ++p;
        } else if (c == '[') {
            inClass = true;
        } else if (c == ']') {
            inClass = false;
        } else if (c == '/' && !inClass) {
            ++p;
            p = SkipIf(s, p, IsAsciiLetter);
            result = p;
            break;
        }
    }
    CountScan(std::min(p, n) - i);
    return result;
}

int TJavaScriptLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    TJsState st(state);
    std::vector<uint8_t> regexSeen;
    size_t i = 0;
    // A "/" starts a regular expression unless it follows a value, where it divides.
    bool afterValue = false;
    while (i < n) {
        if (st.mode == kComment) {
            i = EmitThrough(out, s, i, i, "*/", comment_);
            if (i == kOpen) return st.Pack();
            st.mode = kCode;
            continue;
        }
        if (st.mode == kTemplate) {
            i = LexTemplate(s, i, st, out);
            afterValue = st.mode == kCode && s[i - 1] == '`';
            continue;
        }
        if (st.mode == kSingleCont || st.mode == kDoubleCont) {
            QuoteScan q = ScanQuoted(s, i, st.mode == kSingleCont ? '\'' : '"');
            EmitToken(out, i, q.end - i, string_);
            if (q.continued) return st.Pack();
            st.mode = kCode;  // closed, or cut by the line's end without a backslash
            i = q.end;
            afterValue = true;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsBlank(c)) {
            i = EmitBlanks(out, s, i, space_);
            continue;
        }
        if (size_t end = EmitCComment(out, s, i, comment_); end != i) {
            if (end == kOpen) {
                st.mode = kComment;
                return st.Pack();
            }
            i = end;
            continue;
        }
        if (IdentChars()[c] && !IsDigit(c)) {
            size_t j = SkipWhile(s, i, IdentChars());
            std::string_view w = s.substr(i, j - i);
            if (keywords_.Contains(w)) {
                EmitToken(out, i, j - i, keyword_);
                afterValue =
                    w == "this" || w == "super" || w == "true" || w == "false" || w == "null";
            } else {
                int attr = nonReservedWords_.Contains(w) ? nonReserved_
                           : events_.Contains(w)         ? event_
                                                         : ident_;
                EmitToken(out, i, j - i, attr);
                afterValue = true;
            }
            i = j;
            continue;
        }
        if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(s[i + 1]))) {
            size_t end = ScanCNumber(s, i, '_').end;
            EmitToken(out, i, end - i, number_);
            i = end;
            afterValue = true;
            continue;
        }
        if (c == '`') {
            EmitToken(out, i, 1, string_);
            ++i;
            st.mode = kTemplate;
            continue;
        }
        if (c == '"' || c == '\'') {
            st.mode = c == '"' ? kDoubleCont : kSingleCont;
            EmitToken(out, i, 1, string_);
            ++i;
            continue;
        }
        if (c == '/' && !afterValue) {
            size_t end = ScanRegex(s, i, regexSeen);
            if (end > i) {
                EmitToken(out, i, end - i, string_);
                i = end;
                afterValue = true;
                continue;
            }
        }
        EmitToken(out, i, 1, symbol_);
        ++i;
        afterValue = c == ')' || c == ']' || c == '}';
        if (st.level > 0 && c == '{') {
            if (st.braces[st.level] < kMaxBraces) ++st.braces[st.level];
        } else if (st.level > 0 && c == '}') {
            // The "}" of the "${" itself returns to the template text around it.
            if (st.braces[st.level] == 0) {
                --st.level;
                st.mode = kTemplate;
            } else {
                --st.braces[st.level];
            }
        }
    }
    return st.Pack();
}

}  // namespace

const TKrqLexer& JavaScriptLexer() {
    static const TJavaScriptLexer lexer;
    return lexer;
}

}  // namespace krq
