// Focused cases of the markup and style lexers: HTML, CSS and XML.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"

namespace krq::test {
namespace {

std::vector<TRun> Line(const TKrqLexer& lexer, const std::string& line) {
    return LastRuns(lexer, {line});
}

TEST(HtmlLexer, TagsAttributesAndValues) {
    auto runs = Line(HtmlLexer(), "<DIV Class=x bogus=\"y\" data-x='z' disabled><blink></DIV>");
    ExpectAttrs(runs, {{"<", "Symbol"},
                       {"DIV", "Słowo zarezerwowane"},  // tag names ignore case
                       {"Class", "Słowo zarezerwowane"},
                       {"x", "Wartość"},
                       {"bogus", "Nieznane słowo"},
                       {"\"y\"", "Wartość"},
                       {"data-x", "Słowo zarezerwowane"},
                       {"disabled", "Słowo zarezerwowane"},
                       {"blink", "Nieznane słowo"},
                       {"></", "Symbol"}});
}

TEST(HtmlLexer, TextEntitiesAndComments) {
    auto runs = Line(HtmlLexer(), "a &amp; &#163; &#x41; &bogus & &#; <!-- c --> b");
    ExpectAttrs(runs, {{"a", "Tekst"},
                       {"&amp;", "Wyjście ampersand"},
                       {"&#163;", "Wyjście ampersand"},
                       {"&#x41;", "Wyjście ampersand"},
                       {"&bogus", "Tekst"},
                       {"&#;", "Tekst"},
                       {"<!-- c -->", "Komentarz"}});
    auto lines = LexRuns(HtmlLexer(), {"<!-- one", "<p> two", "--> <p>"});
    EXPECT_EQ(AttrOf(lines[1], "<p> two"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[2], "p"), "Słowo zarezerwowane");
}

TEST(HtmlLexer, TagsAndValuesSpanLines) {
    auto lines = LexRuns(HtmlLexer(), {"<a href=\"one", "two\"", "  title=t>text"});
    EXPECT_EQ(AttrOf(lines[1], "two\""), "Wartość");
    EXPECT_EQ(AttrOf(lines[2], "title"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(lines[2], "text"), "Tekst");
    EXPECT_EQ(EndState(HtmlLexer(), {"<a href=\"x\">"}), 0);
}

TEST(HtmlLexer, ScriptAndStyleContentIsRawText) {
    auto lines = LexRuns(HtmlLexer(), {"<script>", "if (a<b && c) x = '<!--';", "</SCRIPT> <b>"});
    EXPECT_EQ(AttrOf(lines[1], "(a<b"), "Tekst");
    EXPECT_EQ(AttrOf(lines[1], "'<!--';"), "Tekst");
    EXPECT_EQ(AttrOf(lines[2], "SCRIPT"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(lines[2], "b"), "Słowo zarezerwowane");
    // A self-closing script has no content.
    EXPECT_EQ(EndState(HtmlLexer(), {"<script src=x />"}), 0);
    EXPECT_EQ(AttrOf(LastRuns(HtmlLexer(), {"<style>", "a<b"}), "a<b"), "Tekst");
}

TEST(HtmlLexer, DoctypeIsAKeywordAndItsDeclarationEndsAtTheBracket) {
    auto runs = Line(HtmlLexer(), "<!doctype html PUBLIC \"-//W3C//DTD\">x");
    ExpectAttrs(runs, {{"doctype", "Słowo zarezerwowane"},
                       {"html", "Identyfikator"},
                       {"\"-//W3C//DTD\"", "Wartość"},
                       {"x", "Tekst"}});
}

TEST(CssLexer, PropertiesValuesAndColours) {
    auto lines = LexRuns(CssLexer(), {"p { COLOR: Red; colr: #abc; border: 1px solid #a0b1c2;",
                                      "  margin: -2.5em 0 !important; width: calc(50% - 3px) }"});
    ExpectAttrs(lines[0], {{"p", "Tekst"},
                           {"COLOR", "Property"},
                           {"Red", "Wartość koloru"},
                           {"colr", "Undefined Property"},
                           {"#abc", "Wartość koloru"},
                           {"1px", "Numer"},
                           {"solid", "Wartość"},
                           {"#a0b1c2", "Wartość koloru"}});
    ExpectAttrs(lines[1], {{"-2.5em", "Numer"},
                           {"!important", "Słowo zarezerwowane"},
                           {"calc", "Wartość"},
                           {"50%", "Numer"}});
    EXPECT_EQ(EndState(CssLexer(), {"p { a: b }"}), 0);
    // "#abcde" has five digits: no colour.
    EXPECT_NE(AttrOf(Line(CssLexer(), "a { b: #abcde }"), "#"), "Wartość koloru");
}

TEST(CssLexer, SelectorsAreNotColoursOrProperties) {
    auto runs = Line(CssLexer(), "#fff .red, a:hover > b { }");
    ExpectAttrs(runs, {{"fff", "Tekst"}, {"red", "Tekst"}, {"hover", "Tekst"}});
}

TEST(CssLexer, BlocksAndValuesSpanLines) {
    // The declaration block continues on the next line; so does a value without ";".
    auto lines = LexRuns(CssLexer(), {"a {", "  color:", "    blue;", "  top: 0", "}", "b { }"});
    EXPECT_EQ(AttrOf(lines[1], "color"), "Property");
    EXPECT_EQ(AttrOf(lines[2], "blue"), "Wartość koloru");
    EXPECT_EQ(AttrOf(lines[3], "top"), "Property");
    EXPECT_EQ(AttrOf(lines[5], "b"), "Tekst");
    lines = LexRuns(CssLexer(), {"a { /* x", "color: red */ color: red }"});
    EXPECT_EQ(AttrOf(lines[1], "color: red */"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[1], "color"), "Property");
}

TEST(CssLexer, AtRulesAreKeywordsAndTheirBlocksHoldRulesOrProperties) {
    auto lines = LexRuns(CssLexer(), {"@media print {", "  h1 { color: red }", "  @font-face {",
                                      "    src: url(a.woff) }", "}", "h2 { top: 0 }"});
    EXPECT_EQ(AttrOf(lines[0], "@media"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(lines[1], "h1"), "Tekst");  // a rule inside @media, not a property
    EXPECT_EQ(AttrOf(lines[1], "color"), "Property");
    EXPECT_EQ(AttrOf(lines[2], "@font-face"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(lines[3], "src"), "Property");  // @font-face holds properties
    EXPECT_EQ(AttrOf(lines[3], "a.woff"), "Wartość");
    EXPECT_EQ(AttrOf(lines[5], "h2"), "Tekst");
    EXPECT_EQ(AttrOf(Line(CssLexer(), "@import \"x.css\";"), "\"x.css\""), "Łańcuch znaków");
    // More closing braces than opening ones never take the depth below the top level.
    EXPECT_EQ(EndState(CssLexer(), {"} } a {", "}"}), 0);
}

TEST(XmlLexer, ElementsAttributesAndNamespaces) {
    auto runs = Line(XmlLexer(), "<x:a xmlns:x=\"urn:x\" xmlns='d' id=\"1\" >t &lt; &#x41;</x:a>");
    ExpectAttrs(runs, {{"<", "Symbol"},
                       {"x:a", "Nazwa elementu"},
                       {"xmlns:x", "Nazwa atrybutu namespace"},
                       {"\"urn:x\"", "Wartość atrybutu namespace"},
                       {"xmlns", "Nazwa atrybutu namespace"},
                       {"'d'", "Wartość atrybutu namespace"},
                       {"id", "Nazwa atrybutu"},
                       {"\"1\"", "Wartość atrybutu"},
                       {"=", "Symbol"},
                       {"t", "Tekst"},
                       {"&lt;", "Jednostka odwolania"},
                       {"&#x41;", "Jednostka odwolania"},
                       {"</", "Symbol"}});
}

TEST(XmlLexer, SectionsSpanLines) {
    auto lines = LexRuns(XmlLexer(), {"<?xml version=\"1.0\"", "?><![CDATA[ <a>", "]]> <b/>"});
    EXPECT_EQ(AttrOf(lines[0], "<?xml version=\"1.0\""), "Instrukcje postępu");
    EXPECT_EQ(AttrOf(lines[1], "?>"), "Instrukcje postępu");
    EXPECT_EQ(AttrOf(lines[1], "<![CDATA[ <a>"), "Sekcja CDATA");
    EXPECT_EQ(AttrOf(lines[2], "]]>"), "Sekcja CDATA");
    EXPECT_EQ(AttrOf(lines[2], "b"), "Nazwa elementu");
    // A ">" inside the internal subset does not end the DOCTYPE.
    lines = LexRuns(XmlLexer(), {"<!DOCTYPE a [", "<!ENTITY e \"]>\">", "]> <a/>"});
    EXPECT_EQ(AttrOf(lines[1], "<!ENTITY e \"]>\">"), "Sekcja DOCTYPE");
    EXPECT_EQ(AttrOf(lines[2], "]>"), "Sekcja DOCTYPE");
    EXPECT_EQ(AttrOf(lines[2], "a"), "Nazwa elementu");
    lines = LexRuns(XmlLexer(), {"<!-- a", "<b> -->"});
    EXPECT_EQ(AttrOf(lines[1], "<b> -->"), "Komentarz");
    // A namespace value cut by the line's end stays a namespace value.
    lines = LexRuns(XmlLexer(), {"<a xmlns=\"urn:", "x\" b=\"c\">"});
    EXPECT_EQ(AttrOf(lines[1], "x\""), "Wartość atrybutu namespace");
    EXPECT_EQ(AttrOf(lines[1], "\"c\""), "Wartość atrybutu");
}

}  // namespace
}  // namespace krq::test
