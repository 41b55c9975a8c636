// Editing keys: typing, overwrite, deleting, line breaks with auto indent, Tab and Shift+Tab.
#include "commands_Fixture.h"

namespace krq::test {
namespace {

using Lines = std::vector<std::string>;

class EditKeys : public EditFixture {};

TEST_F(EditKeys, TypingIsOneUndoStepPerCharacterAndPadsBeyondTheLineEnd) {
    Type("ał");
    EXPECT_EQ(Text(), Lines{"ał"});
    m.Undo();
    EXPECT_EQ(Text(), Lines{"a"});
    SetText({"ab"});
    Caret(5, 1);
    Type("x");
    EXPECT_EQ(Text(), Lines{"ab  x"});
    EXPECT_EQ(m.CaretXY(), At(6, 1));
}

TEST_F(EditKeys, TrailingBlanksAreTrimmedButTheCaretStaysBehindThem) {
    Type("a ");
    EXPECT_EQ(Text(), Lines{"a"});
    EXPECT_EQ(m.CaretXY(), At(3, 1));
    Type("b");
    EXPECT_EQ(Text(), Lines{"a b"});
}

TEST_F(EditKeys, OverwriteReplacesUnderTheCaretAndAppendsAtTheEnd) {
    SetText({"abc"});
    Key(vkInsert);
    EXPECT_FALSE(m.InsertMode());
    Caret(2, 1);
    Type("XYZ");
    EXPECT_EQ(Text(), Lines{"aXYZ"});
}

TEST_F(EditKeys, TypingReplacesTheSelection) {
    SetText({"abcd"});
    m.SetSelection({1, 1}, {3, 1});
    Type("x");
    EXPECT_EQ(Text(), Lines{"xcd"});
    m.Undo();
    EXPECT_EQ(Text(), Lines{"abcd"});
}

TEST_F(EditKeys, DeleteJoinsAtTheLineEndPaddingBeyondIt) {
    SetText({"ab", "cd"});
    Caret(3, 1);
    Key(vkDelete);
    EXPECT_EQ(Text(), Lines{"abcd"});
    SetText({"ab", "cd"});
    Caret(5, 1);
    Key(vkDelete);
    EXPECT_EQ(Text(), Lines{"ab  cd"});
    EXPECT_EQ(m.CaretXY(), At(5, 1));
}

TEST_F(EditKeys, BackspaceJoinsAtColumnOneAndOnlyMovesBeyondTheEnd) {
    SetText({"ab", "cd"});
    Caret(1, 2);
    Key(vkBack);
    EXPECT_EQ(Text(), Lines{"abcd"});
    EXPECT_EQ(m.CaretXY(), At(3, 1));
    Caret(7, 1);
    Key(vkBack, ssShift);
    EXPECT_EQ(Text(), Lines{"abcd"});
    EXPECT_EQ(m.CaretXY(), At(6, 1));
    Caret(2, 1);
    Key(vkBack);
    EXPECT_EQ(Text(), Lines{"bcd"});
    Key(vkBack);  // line 1, column 1: nothing to join
    EXPECT_EQ(Text(), Lines{"bcd"});
}

TEST_F(EditKeys, WordAndLineDeletions) {
    SetText({"foo bar baz"});
    Caret(12, 1);
    Key(vkBack, ssCtrl);
    EXPECT_EQ(Text(), Lines{"foo bar"});
    EXPECT_EQ(m.CaretXY(), At(9, 1));
    SetText({"foo  bar baz"});
    Caret(4, 1);
    Key('T', ssCtrl);
    EXPECT_EQ(Text(), Lines{"foo baz"});
    Caret(1, 1);
    Key('T', ssCtrl);
    EXPECT_EQ(Text(), Lines{" baz"});
    SetText({"abcdef"});
    Caret(3, 1);
    Key('Y', ssCtrl | ssShift);
    EXPECT_EQ(Text(), Lines{"ab"});
    SetText({"a", "b", "c"});
    Caret(2, 3);
    Key('Y', ssCtrl);
    EXPECT_EQ(Text(), (Lines{"a", "b"}));
    EXPECT_EQ(m.CaretXY(), At(1, 2));
}

TEST_F(EditKeys, InsertLineSplitsAndKeepsTheCaret) {
    SetText({"abcd"});
    Caret(3, 1);
    Key('N', ssCtrl);
    EXPECT_EQ(Text(), (Lines{"ab", "cd"}));
    EXPECT_EQ(m.CaretXY(), At(3, 1));
}

TEST_F(EditKeys, AutoIndentAtColumnOneInsertsAnEmptyLineBefore) {
    SetText({"    abc"});
    Key(vkReturn);
    EXPECT_EQ(Text(), (Lines{"", "    abc"}));
    EXPECT_EQ(m.CaretXY(), At(1, 2));
}

TEST_F(EditKeys, AutoIndentInsideALineCountsATabAsTabWidth) {
    SetText({"  \tab cd"});
    Caret(7, 1);
    Key(vkReturn, ssShift);
    EXPECT_EQ(Text(), (Lines{"  \tab", "          cd"}));
    EXPECT_EQ(m.CaretXY(), At(11, 2));
    m.Undo();
    EXPECT_EQ(Text(), Lines{"  \tab cd"});
}

TEST_F(EditKeys, AutoIndentAtTheEndCopiesTheLeadingBlanks) {
    m.SetOptions(m.Options() & ~eoTrimTrailingSpaces);
    SetText({"\t  abc"});
    Caret(7, 1);
    Key('M', ssCtrl);
    EXPECT_EQ(Text(), (Lines{"\t  abc", "\t  "}));
    EXPECT_EQ(m.CaretXY(), At(4, 2));
}

TEST_F(EditKeys, AutoIndentOnAnEmptyLinePlacesTheCaretWithoutBlanks) {
    SetText({"    abc", "", ""});
    Caret(1, 3);
    Key(vkReturn);
    EXPECT_EQ(Text(), (Lines{"    abc", "", "", ""}));
    EXPECT_EQ(m.CaretXY(), At(5, 4));
    Type("x");
    EXPECT_EQ(Text()[3], "    x");
}

TEST_F(EditKeys, WithoutAutoIndentTheNewLineHasNoBlanks) {
    m.SetOptions(m.Options() & ~eoAutoIndent);
    SetText({"    abcd"});
    Caret(7, 1);
    Key(vkReturn);
    EXPECT_EQ(Text(), (Lines{"    ab", "cd"}));
    EXPECT_EQ(m.CaretXY(), At(1, 2));
}

TEST_F(EditKeys, TabOnAnEmptyFirstLineInsertsEightSpaces) {
    m.SetOptions(m.Options() & ~eoTrimTrailingSpaces);
    Key(vkTab);
    EXPECT_EQ(Text(), Lines{"        "});
    EXPECT_EQ(m.CaretXY(), At(9, 1));
}

TEST_F(EditKeys, SmartTabTakesTheNextWordOfTheLineAbove) {
    SetText({"abc   def", "xyQ"});
    Caret(3, 2);
    Key(vkTab);
    EXPECT_EQ(Text()[1], "xy    Q");
    EXPECT_EQ(m.CaretXY(), At(7, 2));
}

TEST_F(EditKeys, TabFallsBackToTabStopsAndToATabCharacter) {
    SetText({"a", "xQ"});
    Caret(2, 2);
    Key(vkTab);
    EXPECT_EQ(Text()[1], "x       Q");
    EXPECT_EQ(m.CaretXY(), At(9, 2));
    m.SetOptions(m.Options() & ~eoTabsToSpaces);
    SetText({"xQz"});
    m.SetSelection({2, 1}, {3, 1});
    Key(vkTab);
    EXPECT_EQ(Text(), Lines{"x\tz"});
}

TEST_F(EditKeys, ShiftTabGoesBackToTheStopOfTheLineAbove) {
    SetText({"    foo(x)", "        bar"});
    Caret(9, 2);
    Key(vkTab, ssShift);
    EXPECT_EQ(Text()[1], "    bar");
    EXPECT_EQ(m.CaretXY(), At(5, 2));
}

TEST_F(EditKeys, ShiftTabWithoutALongLineAboveDeletesOnlyBlanks) {
    SetText({"            x"});
    Caret(13, 1);
    Key(vkTab, ssShift);
    EXPECT_EQ(Text(), Lines{"        x"});
    EXPECT_EQ(m.CaretXY(), At(9, 1));
    SetText({"ab  x"});
    Caret(5, 1);
    Key(vkTab, ssShift);
    EXPECT_EQ(Text(), Lines{"abx"});
    SetText({"\tx"});
    Caret(2, 1);
    Key(vkTab, ssShift);
    EXPECT_EQ(Text(), Lines{"x"});
    EXPECT_EQ(m.CaretXY(), At(1, 1));
}

}  // namespace
}  // namespace krq::test
