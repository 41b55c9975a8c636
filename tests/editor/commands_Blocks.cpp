// Block indent and unindent, bookmarks and bracket matching.
#include "commands_Fixture.h"

namespace krq::test {
namespace {

using Lines = std::vector<std::string>;

class Blocks : public EditFixture {};

TEST_F(Blocks, IndentTakesTheSelectedLinesAsOneUndoStep) {
    SetText({"a", "b", "c"});
    m.SetSelection({1, 1}, {1, 3});  // ends at the start of line 3: not indented
    Key('I', ssCtrl | ssShift);
    EXPECT_EQ(Text(), (Lines{"        a", "        b", "c"}));
    EXPECT_EQ(m.SelectionAnchor(), At(1, 1));
    EXPECT_EQ(m.CaretXY(), At(1, 3));
    m.Undo();
    EXPECT_EQ(Text(), (Lines{"a", "b", "c"}));
}

TEST_F(Blocks, TheSelectionAndTheCaretFollowTheText) {
    SetText({"abcdef", "abcdef"});
    m.SetSelection({3, 1}, {5, 2});
    Key('I', ssCtrl | ssShift);
    EXPECT_EQ(m.SelectionAnchor(), At(11, 1));
    EXPECT_EQ(m.CaretXY(), At(13, 2));
    Key('U', ssCtrl | ssShift);
    EXPECT_EQ(Text(), (Lines{"abcdef", "abcdef"}));
    EXPECT_EQ(m.SelectedText(), "cdef\r\nabcd");
    m.SetCaretXY({2, 1});
    Key('I', ssCtrl | ssShift);
    EXPECT_EQ(Text(), (Lines{"        abcdef", "abcdef"}));
    EXPECT_EQ(m.CaretXY(), At(10, 1));
}

TEST_F(Blocks, UnindentRemovesATabOrUpToEightSpaces) {
    SetText({"\t\tx", "    y", "          z", "  \tw", "        \tv", "u"});
    m.SetSelectionMode(smLine);
    m.SetSelection({1, 1}, {1, 6});
    Key('U', ssCtrl | ssShift);
    EXPECT_EQ(Text(), (Lines{"\tx", "y", "  z", "w", "\tv", "u"}));
    m.Undo();
    EXPECT_EQ(Text()[0], "\t\tx");
    EXPECT_FALSE(m.CanUndo());
}

TEST_F(Blocks, BookmarksToggleAndJump) {
    SetText({"a", "b", "c"});
    Caret(1, 2);
    Key('3', ssCtrl | ssShift);
    EXPECT_EQ(m.Bookmark(3), 2);
    Caret(1, 3);
    Key('3', ssCtrl);
    EXPECT_EQ(m.CaretLine(), 2);
    Key('3', ssCtrl | ssShift);
    EXPECT_EQ(m.Bookmark(3), std::nullopt);
    Caret(1, 3);
    Key('3', ssCtrl);  // nothing to go to
    EXPECT_EQ(m.CaretLine(), 3);
}

TEST_F(Blocks, MatchingBracketCountsNestingAcrossLines) {
    SetText({"f(a[b](c)", "  d) <x{y}>"});
    Caret(2, 1);
    Key('B', ssCtrl | ssShift);
    EXPECT_EQ(m.CaretXY(), At(4, 2));
    Key('B', ssCtrl | ssShift);
    EXPECT_EQ(m.CaretXY(), At(2, 1));
    Caret(12, 2);  // just behind ">"
    Key('B', ssCtrl | ssShift);
    EXPECT_EQ(m.CaretXY(), At(6, 2));
    Caret(4, 1);
    Key('B', ssCtrl | ssShift);
    EXPECT_EQ(m.CaretXY(), At(6, 1));
    SetText({"(("});
    Key('B', ssCtrl | ssShift);  // unmatched: stays
    EXPECT_EQ(m.CaretXY(), At(1, 1));
}

}  // namespace
}  // namespace krq::test
