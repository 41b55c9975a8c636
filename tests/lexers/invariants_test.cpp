// Properties every lexer keeps on any input: tokens that cover each line exactly with valid
// attributes, the same result for the same line and state, any state a valid start, and the
// catalogue data it reports.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>

#include "lexers/LexerTestUtil.h"

namespace krq::test {
namespace {

struct TLexerCase {
    const char* name;
    const TKrqLexer& (*lexer)();
    // Pieces of the language (Windows-1250 bytes) that random lines are made of.
    std::vector<std::string> pieces;
};

const std::vector<std::string> kCommonPieces = {" ",    "\t",    "\"",
                                                "'",    "`",     "\\",
                                                "/",    "*",     "/*",
                                                "*/",   "//",    "#",
                                                "$",    "@",     "<",
                                                ">",    "{",     "}",
                                                "(",    ")",     "[",
                                                "]",    ";",     ":",
                                                "=",    "&",     "0x1F",
                                                "017",  "1.5e3", "\xb9\x9c\xbf",
                                                "\x80", "\xff",  std::string(1, '\0'),
                                                "\x01", "abc",   "_x",
                                                "-",    "!",     "?",
                                                "%",    ".",     ","};

// The pieces written in UTF-8, as Windows-1250 bytes.
std::vector<std::string> Pieces(std::initializer_list<const char*> utf8) {
    std::vector<std::string> bytes;
    for (const char* piece : utf8) bytes.push_back(cp1250::FromUtf8(piece));
    return bytes;
}

const std::vector<TLexerCase>& Cases() {
    static const std::vector<TLexerCase> cases = {
        {"Html", HtmlLexer,
         Pieces({"<!--", "-->", "<p", "</div>", "/>", "<!DOCTYPE", "&amp;", "&#x41;",
                 "class=", "<script>", "</script>", "<style", "</style>", "<?"})},
        {"Css", CssLexer,
         Pieces({"@media", "@import", "color:", "red", "#fff", "10px", "!important", "url(", "a.b",
                 "--x", "-webkit-"})},
        {"Php", PhpLexer,
         Pieces({"<?php", "?>", "$x", "$$y", "echo", "<<<EOT", "<<<'N'", "EOT;", "N", "\"$a\""})},
        {"JavaScript", JavaScriptLexer,
         Pieces({"function", "onclick", "window", "${", "/re/g", "x /"})},
        {"Java", JavaLexer,
         Pieces({"/**", "/**/", "\"\"\"", "class", "non-sealed", "1L", "0b101"})},
        {"Pascal", PascalLexer,
         Pieces({"(*", "*)", "{$", "(*$", "asm", "end", "begin", "#13", "$FF", "''", "1..2",
                 "&begin"})},
        {"Cpp", CppLexer,
         Pieces({"R\"x(", ")x\"", "R\"(", ")\"", "u8\"", "asm", "__asm", "#define", "\\", "1.5f",
                 "0b1'0", "L'a'"})},
        {"Xml", XmlLexer,
         Pieces({"<?xml", "?>", "<!--", "-->", "<![CDATA[", "]]>", "<!DOCTYPE", "[", "]",
                 "xmlns:a=", "&lt;", "<a", "</a>", "/>"})},
        {"VbScript", VbScriptLexer,
         Pieces({"Dim", " ",  "x", "=",  "\"s\"", "\"",   "'", "Rem", "&H1F", "&", "1.5E3",
                 "_",   "[a", "]", "If", "\t",    "Then", ".", "5#",  "$",    "ą"})},
        {"Vb", VbLexer,
         Pieces({"Sub", " ", "a$", "\"\"", "\"", "'c", "rem", "&O17&", "&H", "#", "!", "%", "(",
                 ")", "1D2", "[", "End", "ł"})},
        {"Fortran", FortranLexer,
         Pieces({"C", "*", "!", " ", "'", "\"", "''", ".AND.", ".EQ.", ".", "1.0D0", "1.", "E",
                 "Z'", "DO", "_8", "x", "\t"})},
        {"Perl", PerlLexer,
         Pieces({"$",  "@",      "%",    "#",       "{",   "}",  "(",      ")",  "/",  "s",   "q",
                 "tr", "y",      "m",    "qw",      "'",   "\"", "`",      "\\", "<<", "EOT", "~",
                 "=",  "=head1", "=cut", "__END__", "use", "no", "strict", "->", "=>", "x",   " ",
                 "\t", "1..2",   "0x1F", "$#",      "${",  "<",  ">",      "::", "ż",  "\x01"})},
        {"Sql", SqlLexer,
         Pieces(
             {"SELECT", " ", "@x", "@@y",  "--",    "/*",  "*/",           "'",     "''",   "\"",
              "[",      "]", "N'", "0x1F", "1.5e3", "SET", "SERVEROUTPUT", "SPOOL", "DESC", "START",
              "WITH",   ":", "x",  "(",    "ś",     "\t"})},
        {"Asm", AsmLexer,
         Pieces({"mov", " ", "ax", ",", "0FFh", "0x", "'", "\"", ";", "COMMENT", "!", ".model",
                 "%define", "?", "[", "]", "1.5e3", "\t", "ę"})},
        {"Ini", IniLexer,
         Pieces({"[", "]", "=", ";", "#", " ", "key", "\"", "'", "12", "-", "0x", ".", "e", "\t",
                 "ó"})},
        {"Bat", BatLexer,
         Pieces({"@",  "echo", "off", "rem", "::", ":", "%", "%%", "%~", "!",  "set",
                 "if", "(",    ")",   "&",   "|",  " ", "1", "x",  "do", "\t", "ź"})},
        {"Inno", InnoLexer,
         Pieces({"[Setup]", "[Code]", "[Files]", "[",  "]",  "=",  ":", ";",  "#define", "#",
                 "{",       "}",      "{#",      "(*", "*)", "//", "'", "\"", "$FF",     "13",
                 "AppName", "Source", "begin",   " ",  "\t", "?",  "ń", "\n"})},
    };
    return cases;
}

void PrintTo(const TLexerCase& c, std::ostream* os) { *os << c.name; }

class LexerInvariants : public ::testing::TestWithParam<TLexerCase> {};

TEST_P(LexerInvariants, RandomBytesAndTokenMixesAreCoveredExactly) {
    const auto& param = GetParam();
    const TKrqLexer& lexer = param.lexer();
    std::mt19937 rng(1234);
    std::vector<std::string> pieces = kCommonPieces;
    pieces.insert(pieces.end(), param.pieces.begin(), param.pieces.end());
    std::set<int> states = {0};
    int state = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        size_t len = rng() % 60;
        if (round % 2 == 0) {
            for (size_t k = 0; k < len; ++k) line += static_cast<char>(rng() % 256);
        } else {
            for (size_t k = 0; k < len / 3; ++k) line += pieces[rng() % pieces.size()];
        }
        state = CheckLine(lexer, line, state);
        states.insert(state);
        if (::testing::Test::HasFailure()) return;
    }
    // Every state reached must also be a valid start for any other line.
    for (int s : states) {
        CheckLine(lexer, "", s);
        CheckLine(lexer, "x \"y /* z", s);
    }
}

TEST_P(LexerInvariants, VeryLongAndUnterminatedLinesAreCoveredExactly) {
    const TKrqLexer& lexer = GetParam().lexer();
    std::string longLine;
    for (int k = 0; k < 20000; ++k) longLine += "abc 12 \"s\" <a b='c'> /* ";
    CheckLine(lexer, longLine, 0);
    for (const char* open : {"\"", "'", "`", "/*", "<!--", "{", "(*", "<![CDATA[", "<a b=\"",
                             "R\"x(", "<<<E", "\\", "#define x \\", "<?", "<!DOCTYPE [", "&#"}) {
        std::string line = std::string("x ") + open;
        int s = CheckLine(lexer, line, 0);
        CheckLine(lexer, line, s);
        CheckLine(lexer, std::string(1, '\0') + open + std::string(1, '\xff'), s);
    }
}

TEST_P(LexerInvariants, CatalogueDataIsConsistent) {
    const TKrqLexer& lexer = GetParam().lexer();
    const auto& names = lexer.AttributeNames();
    ASSERT_GE(lexer.WhitespaceAttr(), 0);
    EXPECT_EQ(names[lexer.WhitespaceAttr()],
              std::string(lexer.ComponentName()) == "hgr_Xml" ? "Pusta przestrzeń" : "Spacja");
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    const auto& ident = lexer.IdentChars();
    EXPECT_TRUE(ident['_'] && ident['a'] && ident['Z'] && ident['0']);
    // Polish letters from both halves of the upper code page: ą ś ź ł ż Ł and ó ę ć ń; Perl's
    // names are ASCII.
    const bool polishNames = std::string(lexer.ComponentName()) != "hgr_Perl";
    for (unsigned char c : {0xB9, 0x9C, 0x9F, 0xB3, 0xBF, 0xA3, 0xF3, 0xEA, 0xE6, 0xF1})
        EXPECT_EQ(ident[c], polishNames) << static_cast<int>(c);
    EXPECT_FALSE(ident[' '] || ident['('] || ident[0xD7] || ident[0xBB]);
}

TEST_P(LexerInvariants, RandomBytesAndStatesAreCoveredExactly) {
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

TEST_P(LexerInvariants, RandomMixesOfTheLanguageAreCoveredExactly) {
    const auto& c = GetParam();
    const auto& lexer = c.lexer();
    std::mt19937 rng(99);
    int state = 0;
    for (int n = 0; n < 4000 && !HasFailure(); ++n) {
        std::string line;
        size_t count = rng() % 25;
        for (size_t k = 0; k < count; ++k) line += c.pieces[rng() % c.pieces.size()];
        // The editor never hands over a line break, but a stray one must still be covered.
        state = CheckLine(lexer, line, state);
    }
}

TEST_P(LexerInvariants, EveryByteAndUnclosedConstructsAreCoveredExactly) {
    const auto& c = GetParam();
    const auto& lexer = c.lexer();
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    CheckLine(lexer, all, 0);
    std::string longLine;
    std::mt19937 rng(7);
    while (longLine.size() < 1'000'000) longLine += c.pieces[rng() % c.pieces.size()];
    CheckLine(lexer, longLine, 0);
    for (std::string_view open : {"'", "\"", "`", "/*", "{", "(*", "[", "%", "!", "s{", "q(",
                                  "<<EOT", "=pod", "COMMENT !", "$", "&H", "\\"}) {
        int s = CheckLine(lexer, open, 0);
        CheckLine(lexer, "", s);
        CheckLine(lexer, std::string(open) + std::string(open), s);
    }
}

INSTANTIATE_TEST_SUITE_P(Lexers, LexerInvariants, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krq::test
