// The data each lexer reports: names, filters and attributes in their list order, the catalogue
// order, and the characters of its names.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"
#include "lexers/unCatalogue.h"

namespace krq::test {
namespace {

TEST(LexerCatalogue, EveryLexerReportsItsNamesFilterAndAttributesInOrder) {
    struct TExpect {
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
        {XmlLexer(),
         "hgr_Xml",
         "TKrqXMLHighlighter",
         "XML",
         "XML Files (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
         {"Instrukcje postępu", "Jednostka odwolania", "Komentarz", "Nazwa atrybutu",
          "Nazwa atrybutu namespace", "Nazwa elementu", "Pusta przestrzeń", "Sekcja CDATA",
          "Sekcja DOCTYPE", "Symbol", "Tekst", "Wartość atrybutu", "Wartość atrybutu namespace"}},
        {InnoLexer(),
         "hgr_Inno",
         "TKrqInnoHighlighter",
         "Inno Setup",
         "Inno Setup Scripts (*.iss)|*.iss",
         {"Dyrektywa", "Identyfikator", "Komentarz", "Łańcuch znaków", "Niedopuszczalny znak",
          "Numer", "Preprocesor", "Sekcja", "Słowo zarezerwowane", "Spacja", "Symbol"}},
    };
    ASSERT_EQ(KrqLexerCatalogue().size(), std::size(expected));
    ASSERT_EQ(kCatalogue.size(), std::size(expected));
    for (size_t k = 0; k < std::size(expected); ++k) {
        const auto& e = expected[k];
        SCOPED_TRACE(e.component);
        EXPECT_EQ(KrqLexerCatalogue()[k], &e.lexer);
        EXPECT_STREQ(e.lexer.ComponentName(), e.component);
        EXPECT_STREQ(e.lexer.ClassName(), e.className);
        EXPECT_STREQ(e.lexer.LanguageName(), e.language);
        EXPECT_STREQ(e.lexer.DefaultFilter(), e.filter);
        EXPECT_EQ(e.lexer.AttributeNames(), e.attributes);
        // The catalogue the menus and the automatic choice walk names the same languages.
        EXPECT_STREQ(kCatalogue[k].Component, e.component);
        EXPECT_STREQ(kCatalogue[k].ClassName, e.className);
        EXPECT_STREQ(kCatalogue[k].Language, e.language);
        EXPECT_STREQ(kCatalogue[k].Filter, e.filter);
        EXPECT_TRUE(e.lexer.IdentChars()['_']);
        EXPECT_TRUE(e.lexer.IdentChars()['7']);
        EXPECT_FALSE(e.lexer.IdentChars()[' ']);
    }
}

// Polish letters are word characters where the language allows them in names; Perl's names are
// ASCII and its sigils are no part of them.
TEST(LexerCatalogue, PolishLettersAreIdentifierCharactersExceptInPerl) {
    const std::string polish = cp1250::FromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
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
    // Variables' "$" is no part of a PHP word; Java and JavaScript names may hold it.
    EXPECT_FALSE(PhpLexer().IdentChars()['$']);
    EXPECT_TRUE(JavaLexer().IdentChars()['$'] && JavaScriptLexer().IdentChars()['$']);
    EXPECT_TRUE(CssLexer().IdentChars()['-']);
    EXPECT_FALSE(CppLexer().IdentChars()['-']);
}

}  // namespace
}  // namespace krq::test
