// Perl: variables, pragmas, quote-like operators, patterns, here documents, POD and __END__.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"

using namespace krq;
using test::AttrOf;
using test::StatesAfter;
using test::Styled;

namespace {
const TKrqLexer& Perl() { return PerlLexer(); }
}  // namespace

TEST(PerlLexer, EverySigilMakesAVariableAndPercentAfterATermIsModulo) {
    for (const char* v : {"$x", "@list", "$#list", "${name}", "$Foo::bar", "$_", "$1", "$$ref",
                          "$^W", "@{$ref}", "$#{$ref}", "$@", "$!", "$0", "@_", "$::global"})
        EXPECT_EQ(Styled(Perl(), v), std::string("Zmienna:\"") + v + "\"") << v;
    // %hash where a term is expected, the modulo operator after one.
    EXPECT_EQ(AttrOf(Perl(), "my %h = ();", "%h"), "Zmienna");
    EXPECT_EQ(Styled(Perl(), "$a %$b"),
              "Zmienna:\"$a\" Spacja:\" \" Operator:\"%\" Zmienna:\"$b\"");
    EXPECT_EQ(Styled(Perl(), "$a % 2"),
              "Zmienna:\"$a\" Spacja:\" \" Operator:\"%\" Spacja:\" \" Numer:\"2\"");
}

TEST(PerlLexer, KeywordsAreCaseSensitivePragmasFollowUseAndNo) {
    EXPECT_EQ(AttrOf(Perl(), "print $x;", "print"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(Perl(), "PRINT $x;", "PRINT"), "Identyfikator");
    EXPECT_EQ(Styled(Perl(), "use strict;"),
              "Słowo zarezerwowane:\"use\" Spacja:\" \" Pragma:\"strict\" Symbol:\";\"");
    EXPECT_EQ(AttrOf(Perl(), "no warnings 'once';", "warnings"), "Pragma");
    EXPECT_EQ(AttrOf(Perl(), "use POSIX qw(floor);", "POSIX"), "Identyfikator");
    EXPECT_EQ(AttrOf(Perl(), "use File::Spec;", "File::Spec"), "Identyfikator");
    EXPECT_EQ(AttrOf(Perl(), "use v5.36;", "v5.36"), "Numer");
    EXPECT_EQ(AttrOf(Perl(), "my %h = (print => 1);", "print"), "Identyfikator");
    EXPECT_EQ(AttrOf(Perl(), "$obj->print(1);", "print"), "Identyfikator");
    EXPECT_EQ(AttrOf(Perl(), "$h{print}", "print"), "Identyfikator");
}

TEST(PerlLexer, OperatorsAreToldFromSymbolsAndSlashesAfterATermAreDefinedOr) {
    EXPECT_EQ(Styled(Perl(), "$a<=>$b"), "Zmienna:\"$a\" Operator:\"<=>\" Zmienna:\"$b\"");
    EXPECT_EQ(Styled(Perl(), "f($x);"),
              "Identyfikator:\"f\" Symbol:\"(\" Zmienna:\"$x\" Symbol:\");\"");
    EXPECT_EQ(Styled(Perl(), "'-' x 3"),
              "Łańcuch znaków:\"'-'\" Spacja:\" \" Operator:\"x\" Spacja:\" \" Numer:\"3\"");
    // "//" after a term is defined-or, not an empty pattern.
    EXPECT_EQ(Styled(Perl(), "$a // 0; /x/"),
              "Zmienna:\"$a\" Spacja:\" \" Operator:\"//\" Spacja:\" \" Numer:\"0\" Symbol:\";\" "
              "Spacja:\" \" Łańcuch znaków:\"/x/\"");
}

TEST(PerlLexer, DivisionOrPatternDependsOnWhatCameBefore) {
    EXPECT_EQ(AttrOf(Perl(), "$x = $a / $b / 2;", "/"), "Operator");
    EXPECT_EQ(AttrOf(Perl(), "if ($s =~ /ab+c/i) {", "/ab"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(Perl(), "split /,/, $line;", "/,/"), "Łańcuch znaków");
    // A "/" with no partner on the line never opens a pattern across lines.
    int state = -1;
    Styled(Perl(), "return 1 if /", 0, &state);
    EXPECT_EQ(state, 0);
}

TEST(PerlLexer, QuoteLikeOperatorsNestAndSpanLines) {
    EXPECT_EQ(Styled(Perl(), "qq{a {b} c}"), "Łańcuch znaków:\"qq{a {b} c}\"");
    EXPECT_EQ(Styled(Perl(), "s/a\\/b/c/g;"), "Łańcuch znaków:\"s/a\\\\/b/c/g\" Symbol:\";\"");
    EXPECT_EQ(Styled(Perl(), "tr[a-z][A-Z];"), "Łańcuch znaków:\"tr[a-z][A-Z]\" Symbol:\";\"");
    EXPECT_EQ(Styled(Perl(), "y => 1"),
              "Identyfikator:\"y\" Spacja:\" \" Operator:\"=>\" Spacja:\" \" Numer:\"1\"");
    EXPECT_EQ(AttrOf(Perl(), "if (-s $file) {", "s"), "Identyfikator");
    // s{…} and its replacement on the next line, and a multi-line single-quoted string.
    auto states = StatesAfter(Perl(), {"s{a", "} ", "  {b}e; $x", "print 'one", "two'; $y"});
    EXPECT_NE(states[0], 0);
    EXPECT_NE(states[1], 0);
    EXPECT_EQ(states[2], 0);
    EXPECT_NE(states[3], 0);
    EXPECT_EQ(states[4], 0);
    EXPECT_EQ(AttrOf(Perl(), "} ", "}", states[0]), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(Perl(), "  {b}e; $x", "$x", states[1]), "Zmienna");
    EXPECT_EQ(AttrOf(Perl(), "two'; $y", "$y", states[3]), "Zmienna");
    EXPECT_EQ(AttrOf(Perl(), "two'; $y", "two", states[3]), "Łańcuch znaków");
}

TEST(PerlLexer, HereDocumentsEndAtTheirTerminator) {
    auto states = StatesAfter(Perl(), {"print <<EOT . 'x';", "  EOT", "$body", "EOT", "$after"});
    EXPECT_NE(states[0], 0);
    EXPECT_NE(states[1], 0);  // indented, so not the terminator of a plain <<EOT
    EXPECT_NE(states[2], 0);
    EXPECT_EQ(states[3], 0);
    EXPECT_EQ(AttrOf(Perl(), "$body", "$body", states[1]), "Łańcuch znaków");
    auto indented = StatesAfter(Perl(), {"my $t = <<~\"END\";", "  text", "    END"});
    EXPECT_NE(indented[1], 0);
    EXPECT_EQ(indented[2], 0);
    EXPECT_EQ(Styled(Perl(), "1 << 2"),
              "Numer:\"1\" Spacja:\" \" Operator:\"<<\" Spacja:\" \" Numer:\"2\"");
}

TEST(PerlLexer, PodAndEndSectionAreComments) {
    auto states = StatesAfter(Perl(), {"=head1 NAME", "print 1;", "=cut", "print 2;"});
    EXPECT_EQ(AttrOf(Perl(), "print 1;", "print", states[0]), "Komentarz");
    EXPECT_EQ(states[2], 0);
    EXPECT_EQ(AttrOf(Perl(), "print 2;", "print", states[2]), "Słowo zarezerwowane");
    // "=" followed by a blank is an assignment, not the start of POD.
    EXPECT_EQ(AttrOf(Perl(), "= 1", "="), "Operator");
    auto end = StatesAfter(Perl(), {"__END__", "print 3;", "=cut", "sub x {"});
    EXPECT_NE(end[3], 0);
    EXPECT_EQ(AttrOf(Perl(), "sub x {", "sub", end[2]), "Komentarz");
    EXPECT_EQ(AttrOf(Perl(), "__DATA__", "__DATA__"), "Słowo zarezerwowane");
}

TEST(PerlLexer, BytesThatPerlRejectsAreMarked) {
    EXPECT_EQ(AttrOf(Perl(), "my $zażółć = 1;", "żółć"), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(Perl(), "x\x01y", "\x01"), "Niedopuszczalny znak");
    // In strings and comments any byte is fine.
    EXPECT_EQ(AttrOf(Perl(), "print 'zażółć'; # gęślą", "ż"), "Łańcuch znaków");
    EXPECT_EQ(AttrOf(Perl(), "print 'zażółć'; # gęślą", "ę"), "Komentarz");
}
