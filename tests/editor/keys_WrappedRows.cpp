// With word wrap on, the vertical keys and Home and End follow the rows on screen, in buffer
// coordinates, over a view's rows laid out by the Qt-free line layout (one unit a byte).
#include "commands_Fixture.h"
#include "editor/layout/TKrqLineCaches.h"
#include "editor/layout/TKrqWrapRows.h"

namespace krq::test {
namespace {

class WrappedRowKeys : public EditFixture {
  protected:
    void SetUp() override {
        rows.SetWrapping(true);
        rows.Width = [this] { return width; };
        rows.Sync = [this] { caches.Sync(m, 0); };
        m.SetRowMap(&rows);
        m.SetLinesInWindow(3);
    }
    void TearDown() override { m.SetRowMap(nullptr); }
    TKrqRowPos Top() { return rows.Top(); }

    double width = 10;
    TKrqLineLayout layout;  // one unit a byte, tab stops every 8 units from a row's start
    TKrqLineCaches caches;
    TKrqWrapRows rows{m, caches.Wrap(), layout};
};

// Line 1 wraps at 10 into "one two " [1, 9), "three " [9, 15), "four five " [15, 25) and
// "six" [25, 28); line 2 "x<tab>yz" puts y at x 8.
const std::vector<std::string> kParagraph = {"one two three four five six", "x\tyz", "end"};

TEST_F(WrappedRowKeys, WithWordWrapTheKeyboardMovesThroughALongLine) {
    SetText(kParagraph);
    // Down goes row by row through the paragraph before it leaves the line.
    const std::vector<TBufferCoord> down = {At(9, 1), At(15, 1), At(25, 1), At(1, 2), At(1, 3)};
    for (const TBufferCoord& want : down) {
        Key(vkDown);
        EXPECT_EQ(m.CaretXY(), want);
    }
    Key(vkDown);  // the last row: the caret stays
    EXPECT_EQ(m.CaretXY(), At(1, 3));
    for (auto it = down.rbegin() + 1; it != down.rend(); ++it) {
        Key(vkUp);
        EXPECT_EQ(m.CaretXY(), *it);
    }
    Key(vkUp);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
    Key(vkUp);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
}

// The x of the caret on its row is remembered across shorter rows and over a tab, and it is
// an x, not a column: after the tab, y stands at column 3 but at x 8.
TEST_F(WrappedRowKeys, VerticalMovesKeepTheCaretsXOnTheRows) {
    SetText(kParagraph);
    Caret(8, 1);  // x 7, after "one two"
    // "three " is shorter: its end, before the blank the row breaks at (after the blank would
    // be the next row); then x 7 again, the end of "six", the tab's nearer edge, "end"'s end.
    const std::vector<TBufferCoord> down = {At(14, 1), At(22, 1), At(28, 1), At(3, 2), At(4, 3)};
    for (const TBufferCoord& want : down) {
        Key(vkDown);
        EXPECT_EQ(m.CaretXY(), want);
    }
    for (auto it = down.rbegin() + 1; it != down.rend(); ++it) {
        Key(vkUp);
        EXPECT_EQ(m.CaretXY(), *it);
    }
    Key(vkUp);
    EXPECT_EQ(m.CaretXY(), At(8, 1));
    // Any other move forgets the x: from column 2 of line 2 (x 1) Up aims at x 1.
    Caret(3, 2);
    Key(vkLeft);
    Key(vkUp);
    EXPECT_EQ(m.CaretXY(), At(26, 1));
    // Shift extends the selection over the rows.
    Caret(4, 1);
    Key(vkDown, ssShift);
    EXPECT_EQ(m.CaretXY(), At(12, 1));
    EXPECT_EQ(m.SelectedText(), " two thr");
}

TEST_F(WrappedRowKeys, HomeAndEndGoToTheRowFirstAndToTheLineWhenPressedThere) {
    SetText(kParagraph);
    Caret(22, 1);  // in "four five "
    Key(vkEnd);
    EXPECT_EQ(m.CaretXY(), At(24, 1));  // after "five", before the blank the row breaks at
    Key(vkEnd);
    EXPECT_EQ(m.CaretXY(), At(28, 1));
    Key(vkEnd);
    EXPECT_EQ(m.CaretXY(), At(28, 1));
    Key(vkHome);
    EXPECT_EQ(m.CaretXY(), At(25, 1));  // the start of "six"
    Key(vkHome);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
    Caret(22, 1);
    Key(vkHome, ssShift);
    EXPECT_EQ(m.SelectedText(), "four fi");
    // A line that is one row: Home and End go to its start and end at once.
    Caret(3, 2);
    Key(vkEnd);
    EXPECT_EQ(m.CaretXY(), At(5, 2));
    // Without wrap they go to the line's start and end, as always.
    rows.SetWrapping(false);
    Caret(22, 1);
    Key(vkEnd);
    EXPECT_EQ(m.CaretXY(), At(28, 1));
    Caret(22, 1);
    Key(vkHome);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
    Key(vkDown);
    EXPECT_EQ(m.CaretXY(), At(1, 2));
}

TEST_F(WrappedRowKeys, PagesMoveCaretAndViewByRowsAndStopAtTheEnd) {
    SetText(kParagraph);  // six rows, three to a page
    Key(vkNext);
    EXPECT_EQ(m.CaretXY(), At(25, 1));
    EXPECT_EQ(Top(), (TKrqRowPos{1, 3}));
    Key(vkNext);  // two rows left: the caret goes to the last, the view shows a full page
    EXPECT_EQ(m.CaretXY(), At(1, 3));
    EXPECT_EQ(Top(), (TKrqRowPos{1, 3}));
    Key(vkPrior);
    EXPECT_EQ(m.CaretXY(), At(15, 1));
    EXPECT_EQ(Top(), (TKrqRowPos{1, 0}));
    // Ctrl+PgDn and Ctrl+PgUp: the last and the first row shown.
    Key(vkNext, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(15, 1));
    Key(vkPrior, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
    // Moving down past the view scrolls it by rows, leaving the caret's row last.
    Key(vkDown);
    Key(vkDown);
    Key(vkDown);
    EXPECT_EQ(m.CaretXY(), At(25, 1));
    EXPECT_EQ(Top(), (TKrqRowPos{1, 1}));
    // Ctrl+Up scrolls a row and keeps the caret inside the view.
    Key(vkUp, ssCtrl);
    EXPECT_EQ(Top(), (TKrqRowPos{1, 0}));
    EXPECT_EQ(m.CaretXY(), At(15, 1));
}

// PgDn in a 20 MB line without a break lays out the rows it crosses, not the line.
TEST_F(WrappedRowKeys, PagingInsideAHugeLineLaysOutOnlyTheRowsCrossed) {
    std::string huge;
    huge.reserve(20'000'000);
    while (huge.size() < 20'000'000) huge += "word ";  // every row is "word word "
    m.Lines().LoadFromBytes(huge);
    m.SetCaretXY({1, 1});
    m.SetLinesInWindow(40);
    for (int i = 0; i < 3; ++i) Key(vkNext);
    EXPECT_EQ(m.CaretXY(), At(1201, 1));
    EXPECT_EQ(Top(), (TKrqRowPos{1, 120}));
    Key(vkEnd);
    EXPECT_EQ(m.CaretXY(), At(1210, 1));
    Key(vkPrior);
    EXPECT_EQ(m.CaretXY(), At(810, 1));
    EXPECT_LT(caches.Wrap().RowsKnown(0), 1000u);
    // Going to the end is what lays out the line, once; the rows before it are there after.
    Key(vkEnd, ssCtrl);
    EXPECT_EQ(m.CaretXY(), At(20'000'001, 1));
    Key(vkUp);
    EXPECT_EQ(m.CaretXY(), At(19'999'990, 1));
}

}  // namespace
}  // namespace krq::test
