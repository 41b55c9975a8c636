// The Perl highlighter's lexer: sigils, quote-like operators, regular expressions, here
// documents and POD, with what spans lines carried in the state.
#include <cstdint>
#include <cstring>

#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

constexpr size_t kNone = std::string_view::npos;

// What a line can start inside of. The state packs the mode in bits 0-3, the "modifiers
// follow" flag in bit 4, and either the closing delimiter (bits 8-15) with the bracket depth
// (bits 16-23), or for a here document a 20-bit hash of its terminator (bits 8-27).
enum TMode {
    kCode = 0,
    kPod = 1,
    kEnd = 2,             // after __END__ / __DATA__
    kQuoted = 3,          // the last (or only) part of a string, pattern or q-like operator
    kFirstShared = 4,     // s/a/b/: first part, the second reuses the delimiter
    kFirstBracketed = 5,  // s{a}{b}: first part, the second brings its own delimiters
    kAwaitSecond = 6,     // between s{a} and {b}
    kHereDoc = 7,
    kHereDocIndented = 8,  // <<~ allows the terminator to be indented
};

struct TPerlState {
    int mode = kCode;
    bool modifiers = false;
    unsigned char close = 0;
    int depth = 0;
    uint32_t hash = 0;

    static TPerlState Decode(int s) {
        TPerlState st;
        st.mode = s & 15;
        if (st.mode == kHereDoc || st.mode == kHereDocIndented) {
            st.hash = (static_cast<uint32_t>(s) >> 8) & 0xFFFFF;
        } else {
            st.modifiers = (s & 16) != 0;
            st.close = static_cast<unsigned char>((s >> 8) & 0xFF);
            st.depth = (s >> 16) & 0xFF;
        }
        if (st.mode > kHereDocIndented) st = TPerlState();  // a state no line produces
        return st;
    }
    int Encode() const {
        if (mode == kHereDoc || mode == kHereDocIndented)
            return mode | static_cast<int>((hash & 0xFFFFF) << 8);
        return mode | (modifiers ? 16 : 0) | (close << 8) | (depth << 16);
    }
};

uint32_t TerminatorHash(std::string_view s) { return WordHash(s) & 0xFFFFF; }

unsigned char CloserOf(unsigned char open) {
    switch (open) {
        case '(':
            return ')';
        case '[':
            return ']';
        case '{':
            return '}';
        case '<':
            return '>';
        default:
            return open;
    }
}
unsigned char OpenerOf(unsigned char close) {
    switch (close) {
        case ')':
            return '(';
        case ']':
            return '[';
        case '}':
            return '{';
        case '>':
            return '<';
        default:
            return close;
    }
}

bool IsNameStart(unsigned char c) { return IsAsciiLetter(c) || c == '_'; }

// The last non-blank byte before i, or 0.
unsigned char PrevNonSpace(std::string_view line, size_t i) {
    while (i > 0 && IsBlank(static_cast<unsigned char>(line[i - 1]))) --i;
    return i > 0 ? static_cast<unsigned char>(line[i - 1]) : 0;
}

// The end of a package-qualified name (Foo::Bar::baz) starting at i.
size_t ScanName(std::string_view line, size_t i) {
    size_t j = i;
    for (;;) {
        while (IsAsciiIdent(At(line, j))) ++j;
        if (At(line, j) == ':' && At(line, j + 1) == ':') {
            j += 2;
            continue;
        }
        return j;
    }
}

// From i (just after an opening delimiter) to just after the matching closing one, counting
// nested brackets in `depth`; a backslash escapes the next byte. kNone when the line ends first.
size_t ScanDelimited(std::string_view line, size_t i, unsigned char open, unsigned char close,
                     int& depth) {
    const size_t n = line.size();
    while (i < n) {
        unsigned char c = line[i];
        if (c == '\\') {
            i += 2;
            continue;
        }
        if (c == close) {
            if (depth == 0) return i + 1;
            --depth;
        } else if (open != close && c == open && depth < 255) {
            ++depth;
        }
        ++i;
    }
    return kNone;
}

class TPerlLexer final : public TKrqLexerBase {
  public:
    TPerlLexer()
        : TKrqLexerBase(
              "hgr_Perl", "TKrqPerlHighlighter", "Perl",
              "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi",
              {"Identyfikator", "Komentarz", "Łańcuch znaków", "Niedopuszczalny znak", "Numer",
               "Operator", "Pragma", "Słowo zarezerwowane", "Spacja", "Symbol", "Zmienna"},
              "Spacja", AsciiIdentChars()),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          invalid_(Attr("Niedopuszczalny znak")),
          number_(Attr("Numer")),
          operator_(Attr("Operator")),
          pragma_(Attr("Pragma")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          variable_(Attr("Zmienna")) {}

    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override {
        const size_t n = line.size();
        TPerlState st = TPerlState::Decode(state);
        switch (st.mode) {
            case kEnd:
                EmitToken(out, 0, n, comment_);
                return st.Encode();
            case kPod:
                EmitToken(out, 0, n, comment_);
                return IsPodCommand(line, "=cut") ? kCode : st.Encode();
            case kHereDoc:
            case kHereDocIndented: {
                EmitToken(out, 0, n, string_);
                std::string_view body =
                    st.mode == kHereDocIndented ? line.substr(SkipBlanks(line, 0)) : line;
                return TerminatorHash(body) == st.hash ? kCode : st.Encode();
            }
            case kCode:
                if (At(line, 0) == '=' && IsAsciiLetter(At(line, 1))) {
                    EmitToken(out, 0, n, comment_);
                    return IsPodCommand(line, "=cut") ? kCode : kPod;
                }
                return LexCode(line, 0, true, out);
            default: {
                size_t i = LexQuoted(line, 0, st, out);
                if (st.mode != kCode) return st.Encode();
                return LexCode(line, i, false, out);
            }
        }
    }

  private:
    static bool IsPodCommand(std::string_view line, std::string_view command) {
        return line.substr(0, command.size()) == command && !IsAsciiIdent(At(line, command.size()));
    }

    int LexCode(std::string_view line, size_t i, bool valueExpected,
                std::vector<TKrqToken>& out) const;
    size_t LexQuoted(std::string_view line, size_t i, TPerlState& st,
                     std::vector<TKrqToken>& out) const;
    // What ScanVariable learns about a line as the lexer goes through it.
    struct TVariableScan {
        explicit TVariableScan(std::string_view line) : braces(line, '{', '}') {}
        TBracketMatch braces;
        size_t failedBelow = 0;  // a "$" before this position, in a run of "$", starts none
    };
    size_t ScanVariable(std::string_view line, size_t i, TVariableScan& scan) const;
    static size_t ScanNumber(std::string_view line, size_t i);
    static bool StartsQuoteLike(std::string_view line, size_t start, size_t end, TPerlState& st,
                                size_t& openEnd);
    static bool StartsHereDoc(std::string_view line, size_t i, size_t& end, TPerlState& pending);
    static size_t OperatorLength(std::string_view line, size_t i);

    int ident_, comment_, string_, invalid_, number_, operator_, pragma_, keyword_, space_, symbol_,
        variable_;

    // Words after which an operator, not a term, is expected (so "/" divides).
    TKrqKeywordSet terms_{
        {"time", "times", "wait", "wantarray", "__FILE__", "__LINE__", "__PACKAGE__", "__SUB__"},
        true};
    TKrqKeywordSet keywords_{
        {"BEGIN",     "CHECK",       "END",       "INIT",        "UNITCHECK",   "DESTROY",
         "AUTOLOAD",  "__FILE__",    "__LINE__",  "__PACKAGE__", "__SUB__",     "and",
         "cmp",       "continue",    "default",   "do",          "else",        "elsif",
         "eq",        "for",         "foreach",   "ge",          "given",       "goto",
         "gt",        "if",          "last",      "le",          "local",       "lt",
         "my",        "ne",          "next",      "no",          "not",         "or",
         "our",       "package",     "redo",      "require",     "return",      "state",
         "sub",       "unless",      "until",     "use",         "when",        "while",
         "xor",       "abs",         "accept",    "alarm",       "atan2",       "bind",
         "binmode",   "bless",       "caller",    "chdir",       "chmod",       "chomp",
         "chop",      "chown",       "chr",       "chroot",      "close",       "closedir",
         "connect",   "cos",         "crypt",     "dbmclose",    "dbmopen",     "defined",
         "delete",    "die",         "dump",      "each",        "eof",         "eval",
         "exec",      "exists",      "exit",      "exp",         "fc",          "fcntl",
         "fileno",    "flock",       "fork",      "format",      "formline",    "getc",
         "getlogin",  "getpeername", "getpgrp",   "getppid",     "getpriority", "glob",
         "gmtime",    "grep",        "hex",       "index",       "int",         "ioctl",
         "join",      "keys",        "kill",      "lc",          "lcfirst",     "length",
         "link",      "listen",      "localtime", "lock",        "log",         "lstat",
         "map",       "mkdir",       "msgctl",    "msgget",      "msgrcv",      "msgsnd",
         "oct",       "open",        "opendir",   "ord",         "pack",        "pipe",
         "pop",       "pos",         "print",     "printf",      "prototype",   "push",
         "quotemeta", "rand",        "read",      "readdir",     "readline",    "readlink",
         "readpipe",  "recv",        "ref",       "rename",      "reset",       "reverse",
         "rewinddir", "rindex",      "rmdir",     "say",         "scalar",      "seek",
         "seekdir",   "select",      "semctl",    "semget",      "semop",       "send",
         "setpgrp",   "setpriority", "shift",     "shutdown",    "sin",         "sleep",
         "socket",    "socketpair",  "sort",      "splice",      "split",       "sprintf",
         "sqrt",      "srand",       "stat",      "study",       "substr",      "symlink",
         "syscall",   "sysopen",     "sysread",   "sysseek",     "system",      "syswrite",
         "tell",      "telldir",     "tie",       "tied",        "time",        "times",
         "truncate",  "uc",          "ucfirst",   "umask",       "undef",       "unlink",
         "unpack",    "unshift",     "untie",     "utime",       "values",      "vec",
         "wait",      "waitpid",     "wantarray", "warn",        "write"},
        true};
};

// Continues a string, pattern or q-like operator from i; on its end the state returns to code
// and the position after it (and its modifiers) is returned, otherwise the line is used up.
size_t TPerlLexer::LexQuoted(std::string_view line, size_t i, TPerlState& st,
                             std::vector<TKrqToken>& out) const {
    const size_t n = line.size();
    for (;;) {
        if (st.mode == kAwaitSecond) {
            size_t k = SkipBlanks(line, i);
            if (k >= n) {
                EmitToken(out, i, n - i, string_);
                return n;
            }
            st.close = CloserOf(static_cast<unsigned char>(line[k]));
            st.depth = 0;
            st.mode = kQuoted;
            EmitToken(out, i, k + 1 - i, string_);
            i = k + 1;
        }
        size_t r = ScanDelimited(line, i, OpenerOf(st.close), st.close, st.depth);
        if (r == kNone) {
            EmitToken(out, i, n - i, string_);
            return n;
        }
        if (st.mode == kQuoted) {
            if (st.modifiers)
                while (IsAsciiLetter(At(line, r))) ++r;
            EmitToken(out, i, r - i, string_);
            st = TPerlState();
            return r;
        }
        st.mode = st.mode == kFirstShared ? kQuoted : kAwaitSecond;
        st.depth = 0;
        EmitToken(out, i, r - i, string_);
        i = r;
    }
}

// The end of the variable whose sigil is at i ($x, @x, %x, $#x, ${…}, $$ref, $Foo::x, $_,
// $1, $^W …), or i when the sigil starts none. Inside a run of "$" every "$" reaches the same
// byte after the run and so the same answer; a failed one is remembered for the rest of the run.
size_t TPerlLexer::ScanVariable(std::string_view line, size_t i, TVariableScan& scan) const {
    const unsigned char sigil = line[i];
    if (sigil == '$' && i < scan.failedBelow) return i;
    size_t j = i + 1;
    if (sigil == '$' && At(line, j) == '#') {
        unsigned char a = At(line, j + 1);
        if (!(IsNameStart(a) || a == '{' || a == '$')) return j + 1;  // $# itself
        ++j;
    }
    // A run of "$" ($$ref, $$$ref …); its last one belongs to the run only before a name or "{".
    const size_t runStart = j;
    const size_t runEnd = SkipIf(line, j, [](unsigned char c) { return c == '$'; });
    j = runEnd;
    if (runEnd > runStart && !(IsNameStart(At(line, runEnd)) || At(line, runEnd) == '{')) --j;
    auto fail = [&] {
        if (sigil == '$' && runEnd > runStart + 1) scan.failedBelow = runEnd - 1;
        return i;
    };
    unsigned char u = At(line, j);
    if (IsNameStart(u) || (u == ':' && At(line, j + 1) == ':' && IsNameStart(At(line, j + 2))))
        return ScanName(line, j);
    if (u == '{') {
        size_t close = scan.braces.Close(j);
        return close == kNone ? fail() : close + 1;
    }
    if (sigil == '$') {
        if (u == '^' && IsAsciiLetter(At(line, j + 1))) return j + 2;
        if (IsDigit(u)) return SkipDigits(line, j);
        if (u != 0 && std::strchr("&`'+!@/\\,;.<>[]()|?\"-:*=~%$0", u)) return j + 1;
        return fail();
    }
    if (u == '+' || u == '-' || (sigil == '%' && u == '!')) return j + 1;
    if (sigil == '%' && u == '^' && IsAsciiLetter(At(line, j + 1))) return j + 2;
    return i;
}

// 42, 1_000, 3.14, 1e-9, .5, 0x1F, 0b101, 017. "1..10" keeps its range operator.
size_t TPerlLexer::ScanNumber(std::string_view line, size_t i) {
    auto skip = [&](size_t k, bool (*digit)(unsigned char)) {
        while (digit(At(line, k)) || At(line, k) == '_') ++k;
        return k;
    };
    if (At(line, i) == '0' && (At(line, i + 1) | 0x20) == 'x') return skip(i + 2, IsHexDigit);
    if (At(line, i) == '0' && (At(line, i + 1) | 0x20) == 'b') return skip(i + 2, IsDigit);
    size_t j = skip(i, IsDigit);
    if (At(line, j) == '.' && IsDigit(At(line, j + 1))) j = skip(j + 1, IsDigit);
    if ((At(line, j) | 0x20) == 'e') {
        size_t k = j + 1;
        if (At(line, k) == '+' || At(line, k) == '-') ++k;
        if (IsDigit(At(line, k))) j = skip(k, IsDigit);
    }
    return j;
}

// Whether the word [start, end) is q, qq, qw, qx, m, qr, s, tr or y followed by a delimiter;
// then `st` describes the construct and `openEnd` is the position after the delimiter.
bool TPerlLexer::StartsQuoteLike(std::string_view line, size_t start, size_t end, TPerlState& st,
                                 size_t& openEnd) {
    std::string_view w = line.substr(start, end - start);
    bool twoParts = w == "s" || w == "tr" || w == "y";
    bool modifiers = twoParts || w == "m" || w == "qr";
    if (!twoParts && !modifiers && w != "q" && w != "qq" && w != "qw" && w != "qx") return false;
    // -s $file is a file test; $obj->s a method.
    if (start > 0 && (line[start - 1] == '-' || line[start - 1] == '>')) return false;
    size_t k = SkipBlanks(line, end);
    unsigned char d = At(line, k);
    bool spaced = k > end;
    if (k >= line.size() || d <= ' ' || d >= 0x7F || IsAsciiIdent(d) || d == '\\') return false;
    if (std::strchr(",;)]}>", d)) return false;
    if (d == '=' && (spaced || At(line, k + 1) == '>')) return false;
    if (d == '#' && spaced) return false;
    st = TPerlState();
    st.close = CloserOf(d);
    st.modifiers = modifiers;
    st.mode = !twoParts ? kQuoted : (st.close != d ? kFirstBracketed : kFirstShared);
    openEnd = k + 1;
    return true;
}

// A here document introducer at i: <<"EOT", <<'EOT', <<EOT, <<~EOT.
bool TPerlLexer::StartsHereDoc(std::string_view line, size_t i, size_t& end, TPerlState& pending) {
    size_t k = i + 2;
    bool indented = At(line, k) == '~';
    if (indented) ++k;
    unsigned char q = At(line, k);
    std::string_view terminator;
    if (q == '"' || q == '\'' || q == '`') {
        size_t close = Find(line, static_cast<char>(q), k + 1);
        if (close == kNone) return false;
        terminator = line.substr(k + 1, close - k - 1);
        end = close + 1;
    } else if (IsNameStart(q)) {
        end = k;
        while (IsAsciiIdent(At(line, end))) ++end;
        terminator = line.substr(k, end - k);
    } else {
        return false;
    }
    pending = TPerlState();
    pending.mode = indented ? kHereDocIndented : kHereDoc;
    pending.hash = TerminatorHash(terminator);
    return true;
}

size_t TPerlLexer::OperatorLength(std::string_view line, size_t i) {
    static constexpr std::string_view kThree[] = {
        "<=>", "**=", "||=", "&&=", "//=", "<<=", ">>=", "..."};
    static constexpr std::string_view kTwo[] = {
        "=~", "!~", "->", "**", "++", "--", "&&", "||", "//", "==", "!=", "<=", ">=", "<<",
        ">>", "+=", "-=", "*=", "/=", ".=", "%=", "|=", "&=", "^=", "..", "=>", "::"};
    std::string_view rest = line.substr(i, 3);
    for (auto op : kThree)
        if (rest == op) return 3;
    rest = rest.substr(0, 2);
    for (auto op : kTwo)
        if (rest == op) return 2;
    return 1;
}

// Lexes code from i to the end of the line. `valueExpected` tells whether a term (and so a
// pattern after "/") may come next, the way Perl itself decides.
int TPerlLexer::LexCode(std::string_view line, size_t i, bool valueExpected,
                        std::vector<TKrqToken>& out) const {
    const size_t n = line.size();
    bool afterUse = false;
    bool afterArrow = false;
    TPerlState pending;  // a here document announced on this line starts on the next
    TVariableScan variables(line);
    TNextByte slash(line, '/');
    while (i < n) {
        const unsigned char c = line[i];
        size_t j = i + 1;
        int attr = operator_;
        if (IsBlank(c)) {
            i = EmitBlanks(out, line, i, space_);
            continue;
        }
        if (c == '#') {
            EmitToken(out, i, n - i, comment_);
            break;
        }
        bool wasArrow = afterArrow;
        afterArrow = false;
        size_t varEnd = 0;
        if ((c == '$' || c == '@' || (c == '%' && valueExpected)) &&
            (varEnd = ScanVariable(line, i, variables)) > i) {
            j = varEnd;
            attr = variable_;
            valueExpected = false;
        } else if (IsDigit(c) || (c == '.' && valueExpected && IsDigit(At(line, i + 1)))) {
            j = ScanNumber(line, i);
            attr = number_;
            valueExpected = false;
        } else if (c == '\'' || c == '"' || c == '`' ||
                   (c == '/' && valueExpected && slash.From(i + 1) != kNone)) {
            TPerlState st;
            st.mode = kQuoted;
            st.close = c;
            st.modifiers = c == '/';
            EmitToken(out, i, 1, string_);
            i = LexQuoted(line, i + 1, st, out);
            if (st.mode != kCode) return st.Encode();
            valueExpected = false;
            continue;
        } else if (c == '<' && At(line, i + 1) == '<' && valueExpected &&
                   StartsHereDoc(line, i, j, pending)) {
            attr = string_;
            valueExpected = false;
        } else if (IsNameStart(c)) {
            j = ScanName(line, i);
            std::string_view word = line.substr(i, j - i);
            size_t next = SkipBlanks(line, j);
            TPerlState st;
            size_t openEnd = 0;
            bool use = afterUse;
            afterUse = false;
            if (i == 0 && (word == "__END__" || word == "__DATA__")) {
                EmitToken(out, 0, j, keyword_);
                EmitToken(out, j, n - j, comment_);
                return kEnd;
            }
            if (use) {
                // The pragma after use/no is a lower-case word; Foo::Bar is a module.
                bool lower = true;
                for (unsigned char w : word)
                    if (!((w >= 'a' && w <= 'z') || IsDigit(w) || w == '_')) lower = false;
                if (word[0] == 'v' && word.size() > 1 && IsDigit(At(word, 1))) {
                    while (At(line, j) == '.' && IsDigit(At(line, j + 1)))
                        j = SkipDigits(line, j + 1);
                    attr = number_;
                } else {
                    attr = lower ? pragma_ : ident_;
                }
                valueExpected = true;
            } else if (wasArrow || (At(line, next) == '=' && At(line, next + 1) == '>')) {
                attr = ident_;  // a method name, or a hash key before =>
                valueExpected = false;
            } else if (StartsQuoteLike(line, i, j, st, openEnd)) {
                EmitToken(out, i, openEnd - i, string_);
                i = LexQuoted(line, openEnd, st, out);
                if (st.mode != kCode) return st.Encode();
                valueExpected = false;
                continue;
            } else if (word == "x" && !valueExpected) {
                attr = operator_;  // repetition
                valueExpected = true;
            } else if (At(line, next) == '}' && PrevNonSpace(line, i) == '{') {
                attr = ident_;  // $hash{key}
                valueExpected = false;
            } else if (keywords_.Contains(word)) {
                attr = keyword_;
                valueExpected = !terms_.Contains(word);
                afterUse = word == "use" || word == "no";
            } else {
                attr = ident_;
                valueExpected = false;
            }
        } else if (c == '(' || c == '[' || c == '{' || c == ';' || c == ',') {
            attr = symbol_;
            valueExpected = true;
        } else if (c == ')' || c == ']' || c == '}') {
            attr = symbol_;
            valueExpected = false;
        } else if (c < 0x20 || c >= 0x7F) {
            attr = invalid_;
        } else {
            j = i + OperatorLength(line, i);
            std::string_view op = line.substr(i, j - i);
            afterArrow = op == "->";
            if (op != "++" && op != "--") valueExpected = true;
        }
        EmitToken(out, i, j - i, attr);
        i = j;
    }
    return pending.Encode();
}

}  // namespace

const TKrqLexer& PerlLexer() {
    static const TPerlLexer lexer;
    return lexer;
}

}  // namespace krq
