// Focused cases of the programming-language lexers: C++, Java, JavaScript, PHP and Pascal.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"

namespace krq::test {
namespace {

std::vector<TRun> Line(const TKrqLexer& lexer, const std::string& line) {
    return LastRuns(lexer, {line});
}

TEST(CppLexer, NumbersByKind) {
    auto runs = Line(CppLexer(), "0x1F 017 0 09 42 1.5f 1e9 .5 0b1010 10'000ULL 0x1.8p3");
    ExpectAttrs(runs, {{"0x1F", "Wartość hexadecymalna"},
                       {"017", "Wartość oktalna"},
                       {"0", "Numer"},
                       {"09", "Numer"},  // not octal: 9 is no octal digit
                       {"42", "Numer"},
                       {"1.5f", "Float"},
                       {"1e9", "Float"},
                       {".5", "Float"},
                       {"0b1010", "Numer"},
                       {"10'000ULL", "Numer"},
                       {"0x1.8p3", "Float"}});
}

TEST(CppLexer, CommentsAndDirectivesCarryTheirState) {
    // A block comment over three lines, then code again.
    auto lines = LexRuns(CppLexer(), {"int a; /* one", "two", "end */ int b;"});
    EXPECT_EQ(AttrOf(lines[1], "two"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[2], "end */"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[2], "int"), "Słowo zarezerwowane");
    // A directive continued by a backslash; the line after it is code.
    lines = LexRuns(CppLexer(), {"  #define X \\", "  (1 + 2)", "int x;"});
    EXPECT_EQ(AttrOf(lines[0], "  "), "Spacja");
    EXPECT_EQ(AttrOf(lines[0], "#define X \\"), "Preprocesor");
    EXPECT_EQ(AttrOf(lines[1], "  (1 + 2)"), "Preprocesor");
    EXPECT_EQ(AttrOf(lines[2], "int"), "Słowo zarezerwowane");
    // A comment opened inside a directive returns to the directive after it closes.
    lines = LexRuns(CppLexer(), {"#if A /* why", "   */ && B", "x"});
    EXPECT_EQ(AttrOf(lines[1], "   */"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[1], " && B"), "Preprocesor");
    EXPECT_EQ(AttrOf(lines[2], "x"), "Identyfikator");
    // "#" after code is no directive (and no valid C++); after a comment it still is one.
    EXPECT_EQ(AttrOf(Line(CppLexer(), "a # b"), "#"), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(Line(CppLexer(), "/* c */ #include <x>"), "#include <x>"), "Preprocesor");
}

TEST(CppLexer, StringsCharsAndRawStrings) {
    auto runs = Line(CppLexer(), R"(s = "a\"b" + 'x' + L"w" + '\'';)");
    ExpectAttrs(runs, {{R"("a\"b")", "Łańcuch znaków"},
                       {"'x'", "Znak"},
                       {R"(L"w")", "Łańcuch znaków"},
                       {R"('\'')", "Znak"}});
    // A raw string ends only at its own delimiter, on a later line.
    auto lines = LexRuns(CppLexer(), {"R\"ab(x", ")\" )a\" still", ")ab\" + 1"});
    EXPECT_EQ(AttrOf(lines[1], ")\" )a\" still"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], ")ab\""), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "1"), "Numer");
    // A string continued by a final backslash.
    lines = LexRuns(CppLexer(), {"\"one \\", "two\" x"});
    EXPECT_EQ(AttrOf(lines[1], "two\""), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[1], "x"), "Identyfikator");
}

TEST(CppLexer, KeywordsAreCaseSensitiveAndInvalidCharactersMarked) {
    auto runs = Line(CppLexer(), "co_await Int concept ż @ $ ` €");
    ExpectAttrs(runs, {{"co_await", "Słowo zarezerwowane"},
                       {"concept", "Słowo zarezerwowane"},
                       {"Int", "Identyfikator"},
                       {"ż", "Identyfikator"},
                       {"@", "Niedopuszczalny znak"},
                       {"$", "Niedopuszczalny znak"},
                       {"`", "Niedopuszczalny znak"},
                       {"€", "Niedopuszczalny znak"}});
}

TEST(CppLexer, AsmBlocksSpanLinesAndGccAsmIsACall) {
    // asm { } over lines, with the brace on the next line.
    auto lines = LexRuns(CppLexer(), {"asm", "{", "  mov eax, 1 ; load", "}", "int x;"});
    EXPECT_EQ(AttrOf(lines[2], "mov"), "Assembler");
    EXPECT_EQ(AttrOf(lines[2], "; load"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[3], "}"), "Symbol");
    EXPECT_EQ(AttrOf(lines[4], "int"), "Słowo zarezerwowane");
    // __asm without braces takes the rest of its line; GCC's asm("...") is a call.
    auto runs = Line(CppLexer(), "__asm mov eax, ebx // c");
    EXPECT_EQ(AttrOf(runs, "ebx"), "Assembler");
    EXPECT_EQ(AttrOf(runs, "// c"), "Komentarz");
    runs = Line(CppLexer(), "asm(\"nop\");");
    EXPECT_EQ(AttrOf(runs, "\"nop\""), "Łańcuch znaków");
}

TEST(JavaLexer, DocumentationAndComments) {
    auto lines = LexRuns(JavaLexer(), {"/** Doc", " * @param x */ int a; /**/ /* c", "*/ b"});
    EXPECT_EQ(AttrOf(lines[0], "/** Doc"), "Dokumentacja");
    ExpectAttrs(lines[1],
                {{" * @param x */", "Dokumentacja"}, {"/**/", "Komentarz"}, {"/* c", "Komentarz"}});
    EXPECT_EQ(AttrOf(lines[2], "*/"), "Komentarz");
}

TEST(JavaLexer, LiteralsKeywordsAndInvalidSymbols) {
    auto runs = Line(JavaLexer(), "non-sealed record R ( ) { } 0x1F 1_000L 2.5f 'c' # ` \\ $x");
    ExpectAttrs(runs, {{"non-sealed", "Słowo zarezerwowane"},
                       {"record", "Słowo zarezerwowane"},
                       {"0x1F", "Numer"},
                       {"1_000L", "Numer"},
                       {"2.5f", "Numer"},
                       {"'c'", "Łańcuch znaków"},
                       {"#", "Nieprawidłowy symbol"},
                       {"`", "Nieprawidłowy symbol"},
                       {"\\", "Nieprawidłowy symbol"},
                       {"$x", "Identyfikator"}});
    // A text block spans lines; an escaped quote triple does not close it.
    auto lines = LexRuns(JavaLexer(), {"s = \"\"\"", "a \\\"\"\" b", "\"\"\"; int"});
    EXPECT_EQ(AttrOf(lines[1], "a \\\"\"\" b"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "int"), "Słowo zarezerwowane");
}

TEST(JavaScriptLexer, ReservedWordsObjectsAndEventsAreCaseSensitiveClasses) {
    auto runs = Line(JavaScriptLexer(), "typeof document.onclick window Math alert foo Document");
    ExpectAttrs(runs, {{"typeof", "Słowo zarezerwowane"},
                       {"document", "Niezarezerwowane słowa kluczowe"},
                       {"onclick", "zdarzenie"},
                       {"Math", "Niezarezerwowane słowa kluczowe"},
                       {"alert", "Niezarezerwowane słowa kluczowe"},
                       {"foo", "Identyfikator"},
                       {"Document", "Identyfikator"}});  // case matters
}

TEST(JavaScriptLexer, TemplatesRegexesAndDivision) {
    auto lines = LexRuns(JavaScriptLexer(), {"let t = `a ${b}", "c /* no comment", "` + 1;"});
    EXPECT_EQ(AttrOf(lines[1], "c /* no comment"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "`"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "1"), "Numer");
    // "${...}" holds code, with its own braces, strings and templates, even over lines.
    lines = LexRuns(JavaScriptLexer(), {"`a ${ {k: `in ${n}`}.k } b ${f(", "'}')} c` d"});
    ExpectAttrs(lines[0], {{"`a ", "Łańcuch znaków"},
                           {"k", "Identyfikator"},
                           {"`in ", "Łańcuch znaków"},
                           {"n", "Identyfikator"},
                           {" b ", "Łańcuch znaków"}});
    ExpectAttrs(lines[1],
                {{"'}'", "Łańcuch znaków"}, {" c`", "Łańcuch znaków"}, {"d", "Identyfikator"}});
    auto runs = Line(JavaScriptLexer(), "x = a / b / c; r = /[/]\"x/g.test(s);");
    ExpectAttrs(runs, {{"/[/]\"x/g", "Łańcuch znaków"}, {"b", "Identyfikator"}, {"/", "Symbol"}});
}

TEST(PhpLexer, VariablesKeywordsAndComments) {
    auto runs = Line(PhpLexer(), "IF ($a) Echo $$b; $ # c ?> d");
    ExpectAttrs(runs, {{"IF", "Słowo zarezerwowane"},
                       {"Echo", "Słowo zarezerwowane"},
                       {"$a", "Zmienna"},
                       {"$$b", "Zmienna"},
                       {"$", "Symbol"},
                       {"# c ", "Komentarz"},  // "?>" ends a line comment
                       {"?>", "Symbol"}});
    // Variable names keep their case: $A and $a are different names, both variables.
    EXPECT_EQ(AttrOf(Line(PhpLexer(), "$Ala"), "$Ala"), "Zmienna");
}

TEST(PhpLexer, StringsAndHeredocSpanLines) {
    auto lines = LexRuns(PhpLexer(), {"$s = \"a $x", "b\"; $t = 'c \\' $y", "d';"});
    EXPECT_EQ(AttrOf(lines[0], "$x"), "Zmienna");
    EXPECT_EQ(AttrOf(lines[1], "b\""), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[1], "'c \\' $y"), "Łańcuch znaków");  // no variables in '...'
    EXPECT_EQ(AttrOf(lines[2], "d'"), "Łańcuch znaków");
    lines = LexRuns(PhpLexer(), {"$h = <<<\"END\"", "ENDING $v", "  END;", "$z"});
    EXPECT_EQ(AttrOf(lines[1], "ENDING "), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[1], "$v"), "Zmienna");
    EXPECT_EQ(AttrOf(lines[2], "END"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[3], "$z"), "Zmienna");
    lines = LexRuns(PhpLexer(), {"<<<'RAW'", "$v", "RAW"});
    EXPECT_EQ(AttrOf(lines[1], "$v"), "Łańcuch znaków");  // nowdoc interpolates nothing
    EXPECT_EQ(EndState(PhpLexer(), {"<<<'RAW'", "$v", "RAW"}), 0);
}

TEST(PascalLexer, CommentsAndDirectivesSpanLines) {
    auto lines = LexRuns(PascalLexer(), {"a { one", "two } b (* three", "*) c {$IFDEF X", "} d"});
    EXPECT_EQ(AttrOf(lines[1], "two }"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[1], "b"), "Identyfikator");
    EXPECT_EQ(AttrOf(lines[2], "*)"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[2], "{$IFDEF X"), "Preprocesor");
    EXPECT_EQ(AttrOf(lines[3], "}"), "Preprocesor");
    EXPECT_EQ(AttrOf(lines[3], "d"), "Identyfikator");
    // "}" does not close "(*", nor "*)" a "{".
    lines = LexRuns(PascalLexer(), {"(* } still", "*) x"});
    EXPECT_EQ(AttrOf(lines[1], "x"), "Identyfikator");
}

TEST(PascalLexer, KeywordsNumbersAndCharacters) {
    auto runs = Line(PascalLexer(), "BEGIN Begin x := $1F + 1.5E3 + 7 + #13 + #$0A + 'a''b'; &End");
    ExpectAttrs(runs, {{"BEGIN", "Słowo zarezerwowane"},
                       {"Begin", "Słowo zarezerwowane"},
                       {"$1F", "Wartość hexadecymalna"},
                       {"1.5E3", "Float"},
                       {"7", "Numer"},
                       {"#13", "Znak"},
                       {"#$0A", "Znak"},
                       {"'a''b'", "Łańcuch znaków"},
                       {"&End", "Identyfikator"}});
    runs = Line(PascalLexer(), "a[1..9]");
    EXPECT_EQ(AttrOf(runs, "1"), "Numer");
    EXPECT_EQ(AttrOf(runs, "9"), "Numer");
}

TEST(PascalLexer, AsmBlockRunsToItsEnd) {
    auto lines = LexRuns(PascalLexer(), {"asm", "  MOV AX, 1 { c }", "END;", "begin"});
    EXPECT_EQ(AttrOf(lines[1], "MOV"), "Assembler");
    EXPECT_EQ(AttrOf(lines[1], "{ c }"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[2], "END"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(lines[3], "begin"), "Słowo zarezerwowane");
    EXPECT_EQ(EndState(PascalLexer(), {"asm", "nop", "end;"}), 0);
}

}  // namespace
}  // namespace krq::test
