// Properties every lexer of the group keeps on any input, and the catalogue data they report.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "highlighters/LexerTestUtil.h"

namespace krq::test {
namespace {

struct TLexerCase {
    const char* name;
    const TKrqLexer& (*lexer)();
    // Pieces of the language that random mixes are made of.
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

std::vector<TLexerCase> Cases() {
    return {
        {"Html",
         HtmlLexer,
         {"<!--", "-->", "<p", "</div>", "/>", "<!DOCTYPE", "&amp;", "&#x41;", "class=", "<script>",
          "</script>", "<style", "</style>", "<?"}},
        {"Css",
         CssLexer,
         {"@media", "@import", "color:", "red", "#fff", "10px", "!important", "url(", "a.b", "--x",
          "-webkit-"}},
        {"Php",
         PhpLexer,
         {"<?php", "?>", "$x", "$$y", "echo", "<<<EOT", "<<<'N'", "EOT;", "N", "\"$a\""}},
        {"JavaScript", JavaScriptLexer, {"function", "onclick", "window", "${", "/re/g", "x /"}},
        {"Java", JavaLexer, {"/**", "/**/", "\"\"\"", "class", "non-sealed", "1L", "0b101"}},
        {"Pascal",
         PascalLexer,
         {"(*", "*)", "{$", "(*$", "asm", "end", "begin", "#13", "$FF", "''", "1..2", "&begin"}},
        {"Cpp",
         CppLexer,
         {"R\"x(", ")x\"", "R\"(", ")\"", "u8\"", "asm", "__asm", "#define", "\\", "1.5f", "0b1'0",
          "L'a'"}},
        {"Xml",
         XmlLexer,
         {"<?xml", "?>", "<!--", "-->", "<![CDATA[", "]]>", "<!DOCTYPE", "[", "]",
          "xmlns:a=", "&lt;", "<a", "</a>", "/>"}},
    };
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

TEST_P(LexerInvariants, VeryLongAndUnterminatedLines) {
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
    // Polish letters from both halves of the upper code page: ą ś ź ł ż Ł and ó ę ć ń.
    for (unsigned char c : {0xB9, 0x9C, 0x9F, 0xB3, 0xBF, 0xA3, 0xF3, 0xEA, 0xE6, 0xF1})
        EXPECT_TRUE(ident[c]) << static_cast<int>(c);
    EXPECT_FALSE(ident[' '] || ident['('] || ident[0xD7] || ident[0xBB]);
}

INSTANTIATE_TEST_SUITE_P(Lexers, LexerInvariants, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LexerCatalogueA, NamesAndFiltersOfTheGroup) {
    struct TExpect {
        const TKrqLexer& lexer;
        const char *component, *className, *language, *filter;
        std::vector<std::string> attributes;
    };
    const TExpect expected[] = {
        {HtmlLexer(),
         "hgr_Html",
         "TKrqHTMLHighlighter",
         "Dokument HTML",
         "HTML Documents (*.htm,*.html)|*.htm;*.html",
         {"Identyfikator", "Komentarz", "Nieznane słowo", "Słowo zarezerwowane", "Spacja", "Symbol",
          "Tekst", "Wartość", "Wyjście ampersand"}},
        {CssLexer(),
         "hgr_Css",
         "TKrqCssHighlighter",
         "Kaskadowe arkusze styli",
         "Kaskadowe arkusze styli (*.css)|*.css",
         {"Komentarz", "Łańcuch znaków", "Numer", "Property", "Słowo zarezerwowane", "Spacja",
          "Symbol", "Tekst", "Undefined Property", "Wartość", "Wartość koloru"}},
        {PhpLexer(),
         "hgr_Php",
         "TKrqPHPHighlighter",
         "PHP",
         "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc",
         {"Identyfikator", "Komentarz", "Łańcuch znaków", "Numer", "Słowo zarezerwowane", "Spacja",
          "Symbol", "Zmienna"}},
        {JavaScriptLexer(),
         "hgr_JavaScript",
         "TKrqJScriptHighlighter",
         "JavaScript",
         "Javascript Files (*.js)|*.js",
         {"Identyfikator", "Komentarz", "Łańcuch znaków", "Niezarezerwowane słowa kluczowe",
          "Numer", "Słowo zarezerwowane", "Spacja", "Symbol", "zdarzenie"}},
        {JavaLexer(),
         "hgr_Java",
         "TKrqJavaHighlighter",
         "Java",
         "Java Files (*.java)|*.java",
         {"Dokumentacja", "Identyfikator", "Komentarz", "Łańcuch znaków", "Nieprawidłowy symbol",
          "Numer", "Słowo zarezerwowane", "Spacja", "Symbol"}},
        {PascalLexer(),
         "hgr_Pascal",
         "TKrqPasHighlighter",
         "Pascal / Object Pascal",
         "Pliki Pascal / Object Pascal (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc",
         {"Assembler", "Float", "Identyfikator", "Komentarz", "Łańcuch znaków", "Numer",
          "Preprocesor", "Słowo zarezerwowane", "Spacja", "Symbol", "Wartość hexadecymalna",
          "Znak"}},
        {CppLexer(),
         "hgr_Cpp",
         "TKrqCppHighlighter",
         "C++",
         "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp",
         {"Assembler", "Float", "Identyfikator", "Komentarz", "Łańcuch znaków",
          "Niedopuszczalny znak", "Numer", "Preprocesor", "Słowo zarezerwowane", "Spacja", "Symbol",
          "Wartość hexadecymalna", "Wartość oktalna", "Znak"}},
        {XmlLexer(),
         "hgr_Xml",
         "TKrqXMLHighlighter",
         "XML",
         "XML Files (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
         {"Instrukcje postępu", "Jednostka odwolania", "Komentarz", "Nazwa atrybutu",
          "Nazwa atrybutu namespace", "Nazwa elementu", "Pusta przestrzeń", "Sekcja CDATA",
          "Sekcja DOCTYPE", "Symbol", "Tekst", "Wartość atrybutu", "Wartość atrybutu namespace"}},
    };
    for (const auto& e : expected) {
        EXPECT_STREQ(e.lexer.ComponentName(), e.component);
        EXPECT_STREQ(e.lexer.ClassName(), e.className);
        EXPECT_STREQ(e.lexer.LanguageName(), e.language);
        EXPECT_STREQ(e.lexer.DefaultFilter(), e.filter);
        EXPECT_EQ(e.lexer.AttributeNames(), e.attributes) << e.component;
    }
    // Variables' "$" is no part of a PHP word; Java and JavaScript names may hold it.
    EXPECT_FALSE(PhpLexer().IdentChars()['$']);
    EXPECT_TRUE(JavaLexer().IdentChars()['$'] && JavaScriptLexer().IdentChars()['$']);
    EXPECT_TRUE(CssLexer().IdentChars()['-']);
    EXPECT_FALSE(CppLexer().IdentChars()['-']);
}

}  // namespace
}  // namespace krq::test
