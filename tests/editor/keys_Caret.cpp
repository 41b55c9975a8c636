// Caret moves through the key map, with and without Shift, and the view they scroll.
#include "commands_Fixture.h"

namespace krq::test {
namespace {

class CaretKeys : public EditFixture {};

TEST_F(CaretKeys, CharacterMovesWrapAtLineEnds) {
    SetText({"ab", "cd"});
    Caret(1, 2);
    Key(vkLeft);
    EXPECT_EQ(m.CaretXY(), At(3, 1));
    Key(vkRight);
    EXPECT_EQ(m.CaretXY(), At(1, 2));
    Caret(3, 2);
    Key(vkRight);  // end of the last line
    EXPECT_EQ(m.CaretXY(), At(3, 2));
    Caret(1, 1);
    Key(vkLeft);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
}

TEST_F(CaretKeys, WordMovesStopAtWordStarts) {
    SetText({"foo, bar_ęb x", "next"});
    Key(vkRight, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(6, 1));
    Key(vkRight, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(13, 1));  // "bar_ęb" is one word
    Key(vkRight, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(14, 1));
    Key(vkRight, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(1, 2));
    Key(vkLeft, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(14, 1));
    Key(vkLeft, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(13, 1));
    Key(vkLeft, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(6, 1));
}

// Without a highlighter the word characters are 0-9, A-Z, a-z, "_" and 192-255; the Polish
// letters below 192 (ą ł ś ź ż and capitals) are words too, or "łódź" would fall apart.
TEST_F(CaretKeys, PolishLettersBelow192AreWordCharacters) {
    SetText({"łódź żółw ĄŚŹŁŻx"});
    Key(vkRight, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(6, 1));
    Key(vkRight, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(11, 1));
    EXPECT_TRUE(m.IsWordChar(0xA5));
    EXPECT_FALSE(m.IsWordChar(0xD7));
    EXPECT_FALSE(m.IsWordChar(0x96));  // en dash
}

TEST_F(CaretKeys, VerticalMovesKeepTheColumnAcrossShorterLines) {
    SetText({"abcdefgh", "ab", "abcdefgh"});
    Caret(7, 1);
    Key(vkDown);
    EXPECT_EQ(m.CaretXY(), At(3, 2));
    Key(vkDown);
    EXPECT_EQ(m.CaretXY(), At(7, 3));
    Key(vkUp);
    Key(vkLeft);  // a horizontal move forgets the remembered column
    Key(vkDown);
    EXPECT_EQ(m.CaretXY(), At(2, 3));
}

TEST_F(CaretKeys, PagesViewEdgesAndTextEnds) {
    std::vector<std::string> lines(100, "line");
    lines.back() = "last!";
    SetText(lines);
    m.SetLinesInWindow(10);
    m.SetTopLine(1);
    Key(vkNext);
    EXPECT_EQ(m.CaretLine(), 11);
    EXPECT_EQ(m.TopLine(), 11);
    Key(vkNext, ssCtrl);
    EXPECT_EQ(m.CaretLine(), 20);
    Key(vkPrior, ssCtrl);
    EXPECT_EQ(m.CaretLine(), 11);
    Key(vkPrior);
    EXPECT_EQ(m.CaretLine(), 1);
    EXPECT_EQ(m.TopLine(), 1);
    Key(vkEnd, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(6, 100));
    EXPECT_GE(m.TopLine(), 91);
    Key(vkHome, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
    EXPECT_EQ(m.TopLine(), 1);
}

TEST_F(CaretKeys, CtrlUpDownScrollAndKeepTheCaretInView) {
    SetText(std::vector<std::string>(50, "x"));
    m.SetLinesInWindow(10);
    m.SetTopLine(1);
    Key(vkUp, ssCtrl);
    EXPECT_EQ(m.TopLine(), 1);
    Key(vkDown, ssCtrl);
    EXPECT_EQ(m.TopLine(), 2);
    EXPECT_EQ(m.CaretLine(), 2);
    Caret(1, 11);
    Key(vkUp, ssCtrl);
    EXPECT_EQ(m.TopLine(), 1);
    EXPECT_EQ(m.CaretLine(), 10);
}

TEST_F(CaretKeys, ShiftExtendsTheSelectionInEachMode) {
    SetText({"abcdef", "ghijkl", "mn"});
    Caret(2, 1);
    Key(vkRight, ssShift);
    Key(vkRight, ssShift);
    Key(vkDown, ssShift);
    EXPECT_EQ(m.SelectionAnchor(), At(2, 1));
    EXPECT_EQ(m.CaretXY(), At(4, 2));
    EXPECT_EQ(m.SelectedText(), "bcdef\r\nghi");
    Key('C', ssCtrl | ssShift);
    EXPECT_EQ(m.SelectedText(), "bc\r\nhi");
    Key('L', ssCtrl | ssShift);
    EXPECT_EQ(m.SelectedText(), "abcdef\r\nghijkl\r\n");
    Key('N', ssCtrl | ssShift);
    Key(vkEnd, ssShift);
    EXPECT_EQ(m.SelectedText(), "bcdef\r\nghijkl");
    Key(vkLeft);
    EXPECT_FALSE(m.SelAvail());
}

}  // namespace
}  // namespace krq::test
