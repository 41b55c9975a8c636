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
    EXPECT_EQ(AttrOf(runs, "<"), "Symbol");
    EXPECT_EQ(AttrOf(runs, "DIV"), "Słowo zarezerwowane");  // tag names ignore case
    EXPECT_EQ(AttrOf(runs, "Class"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "x"), "Wartość");
    EXPECT_EQ(AttrOf(runs, "bogus"), "Nieznane słowo");
    EXPECT_EQ(AttrOf(runs, "\"y\""), "Wartość");
    EXPECT_EQ(AttrOf(runs, "data-x"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "disabled"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "blink"), "Nieznane słowo");
    EXPECT_EQ(AttrOf(runs, "></"), "Symbol");
}

TEST(HtmlLexer, TextEntitiesAndComments) {
    auto runs = Line(HtmlLexer(), "a &amp; &#163; &#x41; &bogus & &#; <!-- c --> b");
    EXPECT_EQ(AttrOf(runs, "a"), "Tekst");
    EXPECT_EQ(AttrOf(runs, "&amp;"), "Wyjście ampersand");
    EXPECT_EQ(AttrOf(runs, "&#163;"), "Wyjście ampersand");
    EXPECT_EQ(AttrOf(runs, "&#x41;"), "Wyjście ampersand");
    EXPECT_EQ(AttrOf(runs, "&bogus"), "Tekst");
    EXPECT_EQ(AttrOf(runs, "&#;"), "Tekst");
    EXPECT_EQ(AttrOf(runs, "<!-- c -->"), "Komentarz");
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

TEST(HtmlLexer, Doctype) {
    auto runs = Line(HtmlLexer(), "<!doctype html PUBLIC \"-//W3C//DTD\">x");
    EXPECT_EQ(AttrOf(runs, "doctype"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "html"), "Identyfikator");
    EXPECT_EQ(AttrOf(runs, "\"-//W3C//DTD\""), "Wartość");
    EXPECT_EQ(AttrOf(runs, "x"), "Tekst");
}

TEST(CssLexer, PropertiesValuesAndColours) {
    auto lines = LexRuns(CssLexer(), {"p { COLOR: Red; colr: #abc; border: 1px solid #a0b1c2;",
                                      "  margin: -2.5em 0 !important; width: calc(50% - 3px) }"});
    EXPECT_EQ(AttrOf(lines[0], "p"), "Tekst");
    EXPECT_EQ(AttrOf(lines[0], "COLOR"), "Property");
    EXPECT_EQ(AttrOf(lines[0], "Red"), "Wartość koloru");
    EXPECT_EQ(AttrOf(lines[0], "colr"), "Undefined Property");
    EXPECT_EQ(AttrOf(lines[0], "#abc"), "Wartość koloru");
    EXPECT_EQ(AttrOf(lines[0], "1px"), "Numer");
    EXPECT_EQ(AttrOf(lines[0], "solid"), "Wartość");
    EXPECT_EQ(AttrOf(lines[0], "#a0b1c2"), "Wartość koloru");
    EXPECT_EQ(AttrOf(lines[1], "-2.5em"), "Numer");
    EXPECT_EQ(AttrOf(lines[1], "!important"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(lines[1], "calc"), "Wartość");
    EXPECT_EQ(AttrOf(lines[1], "50%"), "Numer");
    EXPECT_EQ(EndState(CssLexer(), {"p { a: b }"}), 0);
    // "#abcde" has five digits: no colour.
    EXPECT_NE(AttrOf(Line(CssLexer(), "a { b: #abcde }"), "#"), "Wartość koloru");
}

TEST(CssLexer, SelectorsAreNotColoursOrProperties) {
    auto runs = Line(CssLexer(), "#fff .red, a:hover > b { }");
    EXPECT_EQ(AttrOf(runs, "fff"), "Tekst");
    EXPECT_EQ(AttrOf(runs, "red"), "Tekst");
    EXPECT_EQ(AttrOf(runs, "hover"), "Tekst");
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

TEST(CssLexer, AtRules) {
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
    EXPECT_EQ(AttrOf(runs, "<"), "Symbol");
    EXPECT_EQ(AttrOf(runs, "x:a"), "Nazwa elementu");
    EXPECT_EQ(AttrOf(runs, "xmlns:x"), "Nazwa atrybutu namespace");
    EXPECT_EQ(AttrOf(runs, "\"urn:x\""), "Wartość atrybutu namespace");
    EXPECT_EQ(AttrOf(runs, "xmlns"), "Nazwa atrybutu namespace");
    EXPECT_EQ(AttrOf(runs, "'d'"), "Wartość atrybutu namespace");
    EXPECT_EQ(AttrOf(runs, "id"), "Nazwa atrybutu");
    EXPECT_EQ(AttrOf(runs, "\"1\""), "Wartość atrybutu");
    EXPECT_EQ(AttrOf(runs, "="), "Symbol");
    EXPECT_EQ(AttrOf(runs, "t"), "Tekst");
    EXPECT_EQ(AttrOf(runs, "&lt;"), "Jednostka odwolania");
    EXPECT_EQ(AttrOf(runs, "&#x41;"), "Jednostka odwolania");
    EXPECT_EQ(AttrOf(runs, "</"), "Symbol");
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
