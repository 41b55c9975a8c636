// The SQL highlighter's lexer, set to the Sybase (Transact-SQL) dialect: its reserved words,
// types, functions, @variables and system tables, plus the PL/SQL and SQL*Plus words an Oracle
// script brings along.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"
#include "lexers/SqlWords.h"

namespace krq {

namespace {

using namespace lexscan;

// What a line can start inside of.
enum TSqlState { kNormal = 0, kBlockComment = 1, kString = 2 };

class TSqlLexer final : public TKrqLexerBase {
  public:
    TSqlLexer()
        : TKrqLexerBase(
              "hgr_Sql", "TKrqSQLHighlighter", "SQL", "SQL Files (*.sql)|*.sql",
              {"Domyślne paczki", "Funkcja", "Identyfikator", "Komentarz", "Łańcuch znaków",
               "Nazwa tabeli", "Numer", "Słowo zarezerwowane", "Słowo zarezerwowane PL/SQL",
               "Spacja", "SQL*Komenda Plus", "Symbol", "Typ danych", "Wyjątek", "Zmienna"},
              "Spacja", MakeIdentChars("#$")),
          package_(Attr("Domyślne paczki")),
          function_(Attr("Funkcja")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          table_(Attr("Nazwa tabeli")),
          number_(Attr("Numer")),
          reserved_(Attr("Słowo zarezerwowane")),
          plsql_(Attr("Słowo zarezerwowane PL/SQL")),
          space_(Attr("Spacja")),
          plus_(Attr("SQL*Komenda Plus")),
          symbol_(Attr("Symbol")),
          type_(Attr("Typ danych")),
          exception_(Attr("Wyjątek")),
          variable_(Attr("Zmienna")) {}

    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override {
        const size_t n = line.size();
        size_t i = 0;
        if (state == kBlockComment) {
            i = EmitThrough(out, line, 0, 0, "*/", comment_);
            if (i == kOpen) return state;
        } else if (state == kString) {
            i = EmitString(line, 0, 0, out);
            if (i == kOpen) return state;
        } else if (LexPlusCommand(line, out)) {
            return kNormal;
        }
        const auto& ident = IdentChars();
        while (i < n) {
            const unsigned char c = line[i];
            size_t j = i + 1;
            int attr = symbol_;
            if (IsBlank(c)) {
                j = SkipBlanks(line, i);
                attr = space_;
            } else if (c == '-' && At(line, i + 1) == '-') {
                j = n;
                attr = comment_;
            } else if (c == '/' && At(line, i + 1) == '*') {
                i = EmitThrough(out, line, i, i + 2, "*/", comment_);
                if (i == kOpen) return kBlockComment;
                continue;
            } else if (c == '\'' || ((c | 0x20) == 'n' && At(line, i + 1) == '\'')) {
                i = EmitString(line, i, c == '\'' ? i + 1 : i + 2, out);
                if (i == kOpen) return kString;
                continue;
            } else if (c == '"' || c == '[') {
                // "quoted" and [bracketed] identifiers.
                size_t close = Find(line, c == '"' ? '"' : ']', i + 1);
                j = close == std::string_view::npos ? n : close + 1;
                attr = ident_;
            } else if (IsDigit(c) || (c == '.' && IsDigit(At(line, i + 1)))) {
                j = ScanNumber(line, i);
                attr = number_;
            } else if (c == '@' || (c == ':' && IsAsciiLetter(At(line, i + 1)) &&
                                    (i == 0 || line[i - 1] != ':'))) {
                // @local, @@global, and :bind variables of embedded SQL and PL/SQL.
                j = i + 1;
                if (c == '@' && At(line, j) == '@') ++j;
                j = SkipWhile(line, j, ident);
                attr = variable_;
            } else if (ident[c]) {
                j = SkipWhile(line, i, ident);
                attr = WordAttr(line.substr(i, j - i), At(line, SkipBlanks(line, j)) == '(');
            }
            EmitToken(out, i, j - i, attr);
            i = j;
        }
        return kNormal;
    }

  private:
    // A string from `start` whose text begins at i ('' is a quote inside): its end, or kOpen
    // when it goes on past the line.
    size_t EmitString(std::string_view line, size_t start, size_t i,
                      std::vector<TKrqToken>& out) const {
        QuoteScan q = ScanDoubledQuote(line, i, '\'');
        EmitToken(out, start, q.end - start, string_);
        return q.closed ? q.end : kOpen;
    }

    // 42, 3.14, 1.5E-3, 0x1F (binary literals of Transact-SQL).
    static size_t ScanNumber(std::string_view line, size_t i) {
        if (line[i] == '0' && (At(line, i + 1) | 0x20) == 'x') return SkipHexDigits(line, i + 2);
        size_t j = SkipDigits(line, i);
        if (At(line, j) == '.') j = SkipDigits(line, j + 1);
        return SkipExponent(line, j);
    }

    // A word's class. A reserved word that also names a function (LEFT, RIGHT, COALESCE) is a
    // function when a "(" follows it; CHAR stays a type, as in "char(10)". The reserved words
    // and the types have no word in common, so the commonest class is looked up first.
    int WordAttr(std::string_view word, bool call) const {
        using namespace sqlwords;
        if (!Classified().Contains(word)) return ident_;
        if (call && Functions().Contains(word) && !DataTypes().Contains(word)) return function_;
        if (Reserved().Contains(word)) return reserved_;
        if (DataTypes().Contains(word)) return type_;
        if (PlSql().Contains(word)) return plsql_;
        if (Functions().Contains(word)) return function_;
        if (Packages().Contains(word)) return package_;
        if (Exceptions().Contains(word)) return exception_;
        if (SystemTables().Contains(word)) return table_;
        return ident_;
    }

    // A SQL*Plus command line (SPOOL out.txt, SET SERVEROUTPUT ON, PROMPT …) is coloured
    // whole; REM lines are comments. Words that also begin SQL (START WITH, CONNECT BY, a DESC
    // sort order, SET NOCOUNT) are left to the SQL rules.
    bool LexPlusCommand(std::string_view line, std::vector<TKrqToken>& out) const {
        size_t start = SkipBlanks(line, 0);
        if (!IsAsciiLetter(At(line, start))) return false;
        size_t end = start;
        while (IsAsciiIdent(At(line, end))) ++end;
        if (end < line.size() && !IsBlank(At(line, end)) && line[end] != ';') return false;
        std::string_view word = line.substr(start, end - start);
        size_t argStart = SkipBlanks(line, end);
        size_t argEnd = argStart;
        while (IsAsciiIdent(At(line, argEnd))) ++argEnd;
        std::string_view arg = line.substr(argStart, argEnd - argStart);
        bool plus;
        if (EqualsNoCase(word, "set")) {
            plus = sqlwords::PlusSettings().Contains(arg);
        } else if (!sqlwords::PlusCommands().Contains(word)) {
            plus = false;
        } else if (EqualsNoCase(word, "start") || EqualsNoCase(word, "sta")) {
            plus = !EqualsNoCase(arg, "with") && argEnd > argStart;
        } else if (EqualsNoCase(word, "connect") || EqualsNoCase(word, "conn")) {
            plus = !EqualsNoCase(arg, "by");
        } else if (EqualsNoCase(word, "desc") || EqualsNoCase(word, "describe")) {
            plus = argEnd > argStart && (argEnd == line.size() || At(line, argEnd) != ',');
        } else {
            plus = true;
        }
        if (!plus) return false;
        EmitToken(out, 0, start, space_);
        bool remark = EqualsNoCase(word, "rem") || EqualsNoCase(word, "remark");
        EmitToken(out, start, line.size() - start, remark ? comment_ : plus_);
        return true;
    }

    int package_, function_, ident_, comment_, string_, table_, number_, reserved_, plsql_, space_,
        plus_, symbol_, type_, exception_, variable_;
};

}  // namespace

const TKrqLexer& SqlLexer() {
    static const TSqlLexer lexer;
    return lexer;
}

}  // namespace krq
