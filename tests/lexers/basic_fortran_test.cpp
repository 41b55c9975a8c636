// Visual Basic, VBScript and Fortran: comments, strings, numbers and keyword case rules.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"

using namespace krq;
using test::AttrOf;
using test::Styled;

TEST(BasicLexers, KeywordsIgnoreCaseButNotAfterADot) {
    for (const TKrqLexer* l : {&VbScriptLexer(), &VbLexer()}) {
        EXPECT_EQ(AttrOf(*l, "dim x", "dim"), "Słowo zarezerwowane");
        EXPECT_EQ(AttrOf(*l, "DIM x", "DIM"), "Słowo zarezerwowane");
        EXPECT_EQ(AttrOf(*l, "obj.End", "End"), "Identyfikator");
        EXPECT_EQ(AttrOf(*l, "Dimension = 1", "Dimension"), "Identyfikator");
    }
    // Types are words of Visual Basic only.
    EXPECT_EQ(AttrOf(VbLexer(), "Dim a As Integer", "Integer"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(VbScriptLexer(), "Dim a As Integer", "Integer"), "Identyfikator");
}

TEST(BasicLexers, RemAndApostropheCommentsStringsWithDoubledQuotes) {
    const auto& vb = VbLexer();
    EXPECT_EQ(Styled(vb, "x = 1 ' it's \"no\" string"),
              "Identyfikator:\"x\" Spacja:\" \" Symbol:\"=\" Spacja:\" \" Numer:\"1\" "
              "Spacja:\" \" Komentarz:\"' it's \\\"no\\\" string\"");
    EXPECT_EQ(Styled(vb, "Rem a: b"), "Komentarz:\"Rem a: b\"");
    EXPECT_EQ(Styled(vb, "  REM"), "Spacja:\"  \" Komentarz:\"REM\"");
    EXPECT_EQ(AttrOf(vb, "Remark = 1", "Remark"), "Identyfikator");
    EXPECT_EQ(Styled(vb, "s = \"a \"\"b\"\" ' c\""),
              "Identyfikator:\"s\" Spacja:\" \" Symbol:\"=\" Spacja:\" \" "
              "Łańcuch znaków:\"\\\"a \\\"\\\"b\\\"\\\" ' c\\\"\"");
    // An unclosed string ends with the line and carries nothing over.
    int state = -1;
    EXPECT_EQ(
        Styled(vb, "s = \"abc", 0, &state),
        "Identyfikator:\"s\" Spacja:\" \" Symbol:\"=\" Spacja:\" \" Łańcuch znaków:\"\\\"abc\"");
    EXPECT_EQ(state, 0);
}

TEST(BasicLexers, NumbersHexOctalExponentAndSuffixes) {
    const auto& vb = VbLexer();
    for (const char* n :
         {"&H1F", "&hff&", "&O17", "12", "1.5", "1.5E+3", "2D-2", "7%", "7&", "0#", ".5"})
        EXPECT_EQ(Styled(vb, n), std::string("Numer:\"") + n + "\"") << n;
    EXPECT_EQ(Styled(vb, "&Hz"), "Symbol:\"&\" Identyfikator:\"Hz\"");
    EXPECT_EQ(Styled(vb, "a&b"), "Identyfikator:\"a\" Symbol:\"&\" Identyfikator:\"b\"");
    EXPECT_EQ(Styled(vb, "rs!Pole"), "Identyfikator:\"rs\" Symbol:\"!\" Identyfikator:\"Pole\"");
    EXPECT_EQ(Styled(vb, "Left$(s)"),
              "Identyfikator:\"Left$\" Symbol:\"(\" Identyfikator:\"s\" "
              "Symbol:\")\"");
}

TEST(BasicLexers, BracketedNamesAndContinuation) {
    const auto& vbs = VbScriptLexer();
    EXPECT_EQ(AttrOf(vbs, "x = [Moja nazwa] + 1", "[Moja"), "Identyfikator");
    EXPECT_EQ(Styled(vbs, "a & _"),
              "Identyfikator:\"a\" Spacja:\" \" Symbol:\"&\" Spacja:\" \" Symbol:\"_\"");
    EXPECT_EQ(AttrOf(vbs, "zażółć = 1", "zażółć"), "Identyfikator");
}

TEST(FortranLexer, CommentLinesByFirstColumnAndBang) {
    const auto& f = FortranLexer();
    for (const char* line : {"C comment", "c comment", "* comment", "! comment", "CALL X"})
        EXPECT_EQ(Styled(f, line), std::string("Komentarz:\"") + line + "\"");
    EXPECT_EQ(Styled(f, " CALL X ! why"),
              "Spacja:\" \" Słowo zarezerwowane:\"CALL\" Spacja:\" \" Identyfikator:\"X\" "
              "Spacja:\" \" Komentarz:\"! why\"");
    // "!" inside a string does not start a comment.
    EXPECT_EQ(AttrOf(f, "      PRINT *, 'a ! b'", "! b"), "Łańcuch znaków");
}

TEST(FortranLexer, NumbersAndDotOperators) {
    const auto& f = FortranLexer();
    for (const char* n : {"1.0D0", "1.5E-3", "2.", ".5", "1.e5", "3.14_dp", "42"})
        EXPECT_EQ(Styled(f, std::string(" ") + n), std::string("Spacja:\" \" Numer:\"") + n + "\"")
            << n;
    EXPECT_EQ(Styled(f, " 1.EQ.2"),
              "Spacja:\" \" Numer:\"1\" Słowo zarezerwowane:\".EQ.\" Numer:\"2\"");
    EXPECT_EQ(Styled(f, " A.and.B .TRUE."),
              "Spacja:\" \" Identyfikator:\"A\" Słowo zarezerwowane:\".and.\" Identyfikator:\"B\" "
              "Spacja:\" \" Słowo zarezerwowane:\".TRUE.\"");
    EXPECT_EQ(Styled(f, " A.xyz.B"),
              "Spacja:\" \" Identyfikator:\"A\" Symbol:\".\" Identyfikator:\"xyz\" Symbol:\".\" "
              "Identyfikator:\"B\"");
    EXPECT_EQ(AttrOf(f, " I = Z'1F'", "Z'"), "Numer");
    EXPECT_EQ(AttrOf(f, " do i=1,2", "do"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(f, " End Do", "Do"), "Słowo zarezerwowane");
}
