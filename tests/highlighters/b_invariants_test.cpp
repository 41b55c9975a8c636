// Properties every lexer of this group keeps on any input: its catalogue data, tokens that cover
// each line exactly with valid attributes, and the same result for the same line and state.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "highlighters/LexerTestUtil.h"

using namespace krq;
using test::CheckLine;

namespace {

struct LexerCase {
    const char* name;
    const TKrqLexer& (*lexer)();
    // Pieces of the language that random lines are made of.
    std::vector<std::string> pieces;
};

const std::vector<LexerCase>& Cases() {
    static const std::vector<LexerCase> cases = {
        {"VbScript", VbScriptLexer, {"Dim", " ",    "x",    "=",     "\"s\"", "\"", "'",
                                     "Rem", "&H1F", "&",    "1.5E3", "_",     "[a", "]",
                                     "If",  "\t",   "Then", ".",     "5#",    "$",  "ą"}},
        {"Vb",
         VbLexer,
         {"Sub", " ", "a$", "\"\"", "\"", "'c", "rem", "&O17&", "&H", "#", "!", "%", "(", ")",
          "1D2", "[", "End", "ł"}},
        {"Fortran",
         FortranLexer,
         {"C", "*", "!", " ", "'", "\"", "''", ".AND.", ".EQ.", ".", "1.0D0", "1.", "E", "Z'", "DO",
          "_8", "x", "\t"}},
        {"Perl", PerlLexer, {"$",  "@",      "%",   "#",  "{",  "}",      "(",    ")",       "/",
                             "s",  "q",      "tr",  "y",  "m",  "qw",     "'",    "\"",      "`",
                             "\\", "<<",     "EOT", "~",  "=",  "=head1", "=cut", "__END__", "use",
                             "no", "strict", "->",  "=>", "x",  " ",      "\t",   "1..2",    "0x1F",
                             "$#", "${",     "<",   ">",  "::", "ż",      "\x01"}},
        {"Sql",
         SqlLexer,
         {"SELECT", " ", "@x", "@@y",  "--",    "/*",  "*/",           "'",     "''",   "\"",
          "[",      "]", "N'", "0x1F", "1.5e3", "SET", "SERVEROUTPUT", "SPOOL", "DESC", "START",
          "WITH",   ":", "x",  "(",    "ś",     "\t"}},
        {"Asm",
         AsmLexer,
         {"mov", " ", "ax", ",", "0FFh", "0x", "'", "\"", ";", "COMMENT", "!", ".model", "%define",
          "?", "[", "]", "1.5e3", "\t", "ę"}},
        {"Ini",
         IniLexer,
         {"[", "]", "=", ";", "#", " ", "key", "\"", "'", "12", "-", "0x", ".", "e", "\t", "ó"}},
        {"Bat", BatLexer, {"@",  "echo", "off", "rem", "::", ":", "%", "%%", "%~", "!",  "set",
                           "if", "(",    ")",   "&",   "|",  " ", "1", "x",  "do", "\t", "ź"}},
        {"Inno", InnoLexer, {"[Setup]", "[Code]",  "[Files]", "[",  "]",   "=",  ":",
                             ";",       "#define", "#",       "{",  "}",   "{#", "(*",
                             "*)",      "//",      "'",       "\"", "$FF", "13", "AppName",
                             "Source",  "begin",   " ",       "\t", "?",   "ń",  "\n"}},
    };
    return cases;
}

class InvariantTest : public ::testing::TestWithParam<LexerCase> {};

}  // namespace

TEST_P(InvariantTest, RandomBytesAndStatesAreCoveredExactly) {
    const auto& lexer = GetParam().lexer();
    std::mt19937 rng(1234);
    int state = 0;
    for (int n = 0; n < 3000 && !HasFailure(); ++n) {
        std::string line(rng() % 120, '\0');
        for (char& c : line) c = static_cast<char>(rng() % 256);
        state = CheckLine(lexer, line, state);
    }
    // States no line produces must not break the lexer either.
    for (int bad : {-1, INT_MIN, INT_MAX, 0x7F7F7F7F, 15, 255, 1 << 20})
        CheckLine(lexer, "x = 'a' \"b\" { } ; # 1", bad);
}

TEST_P(InvariantTest, RandomMixesOfTheLanguageAreCoveredExactly) {
    const auto& c = GetParam();
    const auto& lexer = c.lexer();
    std::mt19937 rng(99);
    int state = 0;
    for (int n = 0; n < 4000 && !HasFailure(); ++n) {
        std::string line;
        size_t count = rng() % 25;
        for (size_t k = 0; k < count; ++k)
            line += cp1250::fromUtf8(c.pieces[rng() % c.pieces.size()]);
        // The editor never hands over a line break, but a stray one must still be covered.
        state = CheckLine(lexer, line, state);
    }
}

TEST_P(InvariantTest, LongLinesEveryByteAndUnclosedConstructs) {
    const auto& c = GetParam();
    const auto& lexer = c.lexer();
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    CheckLine(lexer, all, 0);
    std::string longLine;
    std::mt19937 rng(7);
    while (longLine.size() < 1'000'000)
        longLine += cp1250::fromUtf8(c.pieces[rng() % c.pieces.size()]);
    CheckLine(lexer, longLine, 0);
    for (std::string_view open : {"'", "\"", "`", "/*", "{", "(*", "[", "%", "!", "s{", "q(",
                                  "<<EOT", "=pod", "COMMENT !", "$", "&H", "\\"}) {
        int s = CheckLine(lexer, open, 0);
        CheckLine(lexer, "", s);
        CheckLine(lexer, std::string(open) + std::string(open), s);
    }
}

INSTANTIATE_TEST_SUITE_P(LexersB, InvariantTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The data each highlighter reports: names, filters and attributes in their list order.
TEST(LexerCatalogueB, NamesFiltersAndAttributes) {
    struct Expected {
        const TKrqLexer& lexer;
        const char* component;
        const char* className;
        const char* language;
        const char* filter;
        std::vector<std::string> attributes;
    };
    const std::vector<std::string> basic = {
        "Identyfikator",       "Komentarz", "Łańcuch znaków", "Numer",
        "Słowo zarezerwowane", "Spacja",    "Symbol"};
    const Expected expected[] = {
        {VbScriptLexer(), "hgr_VbScript", "TKrqVBScriptHighlighter", "Microsoft VBScript",
         "VBScript Files (*.vbs)|*.vbs", basic},
        {VbLexer(), "hgr_Vb", "TKrqVBHighlighter", "Visual Basic",
         "Visual Basic Files (*.bas)|*.bas", basic},
        {FortranLexer(), "hgr_Fortran", "TKrqFortranHighlighter", "Fortran",
         "Fortran Files (*.for)|*.for", basic},
        {PerlLexer(),
         "hgr_Perl",
         "TKrqPerlHighlighter",
         "Perl",
         "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi",
         {"Identyfikator", "Komentarz", "Łańcuch znaków", "Niedopuszczalny znak", "Numer",
          "Operator", "Pragma", "Słowo zarezerwowane", "Spacja", "Symbol", "Zmienna"}},
        {SqlLexer(),
         "hgr_Sql",
         "TKrqSQLHighlighter",
         "SQL",
         "SQL Files (*.sql)|*.sql",
         {"Domyślne paczki", "Funkcja", "Identyfikator", "Komentarz", "Łańcuch znaków",
          "Nazwa tabeli", "Numer", "Słowo zarezerwowane", "Słowo zarezerwowane PL/SQL", "Spacja",
          "SQL*Komenda Plus", "Symbol", "Typ danych", "Wyjątek", "Zmienna"}},
        {AsmLexer(), "hgr_Asm", "TKrqAsmHighlighter", "Assembler x86",
         "x86 Assembler (*.asm)|*.asm", basic},
        {IniLexer(),
         "hgr_Ini",
         "TKrqIniHighlighter",
         "Plik INI",
         "INI Files (*.ini)|*.ini",
         {"Klucz", "Komentarz", "Łańcuch znaków", "Numer", "Sekcja", "Spacja", "Symbol", "Tekst"}},
        {BatLexer(),
         "hgr_Bat",
         "TKrqBatHighlighter",
         "Język wsadowy MS-DOS",
         "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd",
         {"Identyfikator", "Klucz", "Komentarz", "Numer", "Spacja", "Zmienna"}},
        {InnoLexer(),
         "hgr_Inno",
         "TKrqInnoHighlighter",
         "Inno Setup",
         "Inno Setup Scripts (*.iss)|*.iss",
         {"Dyrektywa", "Identyfikator", "Komentarz", "Łańcuch znaków", "Niedopuszczalny znak",
          "Numer", "Preprocesor", "Sekcja", "Słowo zarezerwowane", "Spacja", "Symbol"}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.component);
        EXPECT_STREQ(e.lexer.ComponentName(), e.component);
        EXPECT_STREQ(e.lexer.ClassName(), e.className);
        EXPECT_STREQ(e.lexer.LanguageName(), e.language);
        EXPECT_STREQ(e.lexer.DefaultFilter(), e.filter);
        EXPECT_EQ(e.lexer.AttributeNames(), e.attributes);
        EXPECT_EQ(e.lexer.AttributeNames().at(e.lexer.WhitespaceAttr()), "Spacja");
        EXPECT_TRUE(e.lexer.IdentChars()['_']);
        EXPECT_TRUE(e.lexer.IdentChars()['7']);
        EXPECT_FALSE(e.lexer.IdentChars()[' ']);
    }
}

// Polish letters are word characters where the language allows them in names; Perl's names are
// ASCII and its sigils are no part of them.
TEST(LexerCatalogueB, IdentifierCharacters) {
    const std::string polish = cp1250::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    for (const TKrqLexer* l : {&VbScriptLexer(), &VbLexer(), &FortranLexer(), &SqlLexer(),
                               &AsmLexer(), &IniLexer(), &BatLexer(), &InnoLexer()})
        for (unsigned char c : polish)
            EXPECT_TRUE(l->IdentChars()[c]) << l->ComponentName() << int(c);
    for (unsigned char c : polish) EXPECT_FALSE(PerlLexer().IdentChars()[c]);
    EXPECT_FALSE(PerlLexer().IdentChars()['$']);
    EXPECT_FALSE(PerlLexer().IdentChars()['@']);
    EXPECT_TRUE(SqlLexer().IdentChars()['#']);  // #temp tables
    EXPECT_TRUE(AsmLexer().IdentChars()['@']);  // @data, @@label
    EXPECT_FALSE(SqlLexer().IdentChars()['@']);
}
