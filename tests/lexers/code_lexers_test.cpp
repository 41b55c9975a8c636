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
    EXPECT_EQ(AttrOf(runs, "0x1F"), "Wartość hexadecymalna");
    EXPECT_EQ(AttrOf(runs, "017"), "Wartość oktalna");
    EXPECT_EQ(AttrOf(runs, "0"), "Numer");
    EXPECT_EQ(AttrOf(runs, "09"), "Numer");  // not octal: 9 is no octal digit
    EXPECT_EQ(AttrOf(runs, "42"), "Numer");
    EXPECT_EQ(AttrOf(runs, "1.5f"), "Float");
    EXPECT_EQ(AttrOf(runs, "1e9"), "Float");
    EXPECT_EQ(AttrOf(runs, ".5"), "Float");
    EXPECT_EQ(AttrOf(runs, "0b1010"), "Numer");
    EXPECT_EQ(AttrOf(runs, "10'000ULL"), "Numer");
    EXPECT_EQ(AttrOf(runs, "0x1.8p3"), "Float");
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
    EXPECT_EQ(AttrOf(runs, R"("a\"b")"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(runs, "'x'"), "Znak");
    EXPECT_EQ(AttrOf(runs, R"(L"w")"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(runs, R"('\'')"), "Znak");
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
    EXPECT_EQ(AttrOf(runs, "co_await"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "concept"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "Int"), "Identyfikator");
    EXPECT_EQ(AttrOf(runs, "ż"), "Identyfikator");
    EXPECT_EQ(AttrOf(runs, "@"), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(runs, "$"), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(runs, "`"), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(runs, "€"), "Niedopuszczalny znak");
}

TEST(CppLexer, AssemblerBlocks) {
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
    EXPECT_EQ(AttrOf(lines[1], " * @param x */"), "Dokumentacja");
    EXPECT_EQ(AttrOf(lines[1], "/**/"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[1], "/* c"), "Komentarz");
    EXPECT_EQ(AttrOf(lines[2], "*/"), "Komentarz");
}

TEST(JavaLexer, LiteralsKeywordsAndInvalidSymbols) {
    auto runs = Line(JavaLexer(), "non-sealed record R ( ) { } 0x1F 1_000L 2.5f 'c' # ` \\ $x");
    EXPECT_EQ(AttrOf(runs, "non-sealed"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "record"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "0x1F"), "Numer");
    EXPECT_EQ(AttrOf(runs, "1_000L"), "Numer");
    EXPECT_EQ(AttrOf(runs, "2.5f"), "Numer");
    EXPECT_EQ(AttrOf(runs, "'c'"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(runs, "#"), "Nieprawidłowy symbol");
    EXPECT_EQ(AttrOf(runs, "`"), "Nieprawidłowy symbol");
    EXPECT_EQ(AttrOf(runs, "\\"), "Nieprawidłowy symbol");
    EXPECT_EQ(AttrOf(runs, "$x"), "Identyfikator");
    // A text block spans lines; an escaped quote triple does not close it.
    auto lines = LexRuns(JavaLexer(), {"s = \"\"\"", "a \\\"\"\" b", "\"\"\"; int"});
    EXPECT_EQ(AttrOf(lines[1], "a \\\"\"\" b"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "int"), "Słowo zarezerwowane");
}

TEST(JavaScriptLexer, WordClasses) {
    auto runs = Line(JavaScriptLexer(), "typeof document.onclick window Math alert foo Document");
    EXPECT_EQ(AttrOf(runs, "typeof"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "document"), "Niezarezerwowane słowa kluczowe");
    EXPECT_EQ(AttrOf(runs, "onclick"), "zdarzenie");
    EXPECT_EQ(AttrOf(runs, "Math"), "Niezarezerwowane słowa kluczowe");
    EXPECT_EQ(AttrOf(runs, "alert"), "Niezarezerwowane słowa kluczowe");
    EXPECT_EQ(AttrOf(runs, "foo"), "Identyfikator");
    EXPECT_EQ(AttrOf(runs, "Document"), "Identyfikator");  // case matters
}

TEST(JavaScriptLexer, TemplatesRegexesAndDivision) {
    auto lines = LexRuns(JavaScriptLexer(), {"let t = `a ${b}", "c /* no comment", "` + 1;"});
    EXPECT_EQ(AttrOf(lines[1], "c /* no comment"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "`"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[2], "1"), "Numer");
    // "${...}" holds code, with its own braces, strings and templates, even over lines.
    lines = LexRuns(JavaScriptLexer(), {"`a ${ {k: `in ${n}`}.k } b ${f(", "'}')} c` d"});
    EXPECT_EQ(AttrOf(lines[0], "`a "), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[0], "k"), "Identyfikator");
    EXPECT_EQ(AttrOf(lines[0], "`in "), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[0], "n"), "Identyfikator");
    EXPECT_EQ(AttrOf(lines[0], " b "), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[1], "'}'"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[1], " c`"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(lines[1], "d"), "Identyfikator");
    auto runs = Line(JavaScriptLexer(), "x = a / b / c; r = /[/]\"x/g.test(s);");
    EXPECT_EQ(AttrOf(runs, "/[/]\"x/g"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(runs, "b"), "Identyfikator");
    EXPECT_EQ(AttrOf(runs, "/"), "Symbol");
}

TEST(PhpLexer, VariablesKeywordsAndComments) {
    auto runs = Line(PhpLexer(), "IF ($a) Echo $$b; $ # c ?> d");
    EXPECT_EQ(AttrOf(runs, "IF"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "Echo"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "$a"), "Zmienna");
    EXPECT_EQ(AttrOf(runs, "$$b"), "Zmienna");
    EXPECT_EQ(AttrOf(runs, "$"), "Symbol");
    EXPECT_EQ(AttrOf(runs, "# c "), "Komentarz");  // "?>" ends a line comment
    EXPECT_EQ(AttrOf(runs, "?>"), "Symbol");
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
    EXPECT_EQ(AttrOf(runs, "BEGIN"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "Begin"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(runs, "$1F"), "Wartość hexadecymalna");
    EXPECT_EQ(AttrOf(runs, "1.5E3"), "Float");
    EXPECT_EQ(AttrOf(runs, "7"), "Numer");
    EXPECT_EQ(AttrOf(runs, "#13"), "Znak");
    EXPECT_EQ(AttrOf(runs, "#$0A"), "Znak");
    EXPECT_EQ(AttrOf(runs, "'a''b'"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(runs, "&End"), "Identyfikator");
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
