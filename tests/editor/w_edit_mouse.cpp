// Mouse on the editing widget: clicks, drag selection, word selection, Shift+click, the wheel,
// and drag and drop of a selection (move, copy, onto itself) and of files.
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include "editor/w_edit_Fixture.h"

namespace krq::test {
namespace {

using WEditMouse = EditWidgetTest;

TEST_F(WEditMouse, ClickDragDoubleClickAndShiftClickSelect) {
    Load("alpha beta gamma\nsecond line");
    QWidget* vp = edit->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, {}, At(7, 1));
    EXPECT_EQ(Caret(), (TBufferCoord{7, 1}));
    EXPECT_FALSE(edit->Model().SelAvail());

    QTest::mousePress(vp, Qt::LeftButton, {}, At(1, 1));
    QTest::mouseMove(vp, At(4, 2));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, At(4, 2));
    EXPECT_EQ(Selected(), "alpha beta gamma\r\nsec");

    QTest::mouseClick(vp, Qt::LeftButton, {}, At(3, 1));
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, At(9, 1));
    EXPECT_EQ(Selected(), "pha be");

    QTest::mouseDClick(vp, Qt::LeftButton, {}, At(8, 1));
    EXPECT_EQ(Selected(), "beta");
}

TEST_F(WEditMouse, DragInColumnModeSelectsARectangle) {
    Load("abcdef\nghijkl\nmnopqr");
    edit->Model().SetSelectionMode(smColumn);
    QWidget* vp = edit->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, At(2, 1));
    QTest::mouseMove(vp, At(4, 3));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, At(4, 3));
    EXPECT_EQ(Selected(), "bc\r\nhi\r\nno");
}

TEST_F(WEditMouse, WheelScrollsThreeLinesANotch) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "x\n";
    Load(text);
    QSignalSpy status(edit.get(), &TKrqEdit::StatusChanged);
    QWheelEvent wheel(QPointF(50, 50), edit->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit->viewport(), &wheel);
    EXPECT_EQ(edit->Model().TopLine(), 4);
    ASSERT_GE(status.count(), 1);
    EXPECT_TRUE(status.last().at(0).value<uint>() & scTopLine);
}

class WEditDrop : public EditWidgetTest {
  protected:
    // Drops `data` at the character `at`, with Ctrl held when `copy`.
    void Drop(QMimeData* data, TBufferCoord at, bool copy) {
        // Qt delivers a drop only to the widget that accepted the drag's entry.
        const QPoint pos = At(at.Char, at.Line);
        const Qt::KeyboardModifiers mods = copy ? Qt::ControlModifier : Qt::NoModifier;
        QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, mods);
        QApplication::sendEvent(edit->viewport(), &enter);
        QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, mods);
        QApplication::sendEvent(edit->viewport(), &move);
        QDropEvent drop(QPointF(pos), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, mods);
        QApplication::sendEvent(edit->viewport(), &drop);
        delete data;
    }
};

TEST_F(WEditDrop, MovingASelectionIsOneUndoStep) {
    Load("one two three");
    edit->Model().SetSelection({1, 1}, {4, 1});  // "one"
    QSignalSpy changed(edit.get(), &TKrqEdit::Changed);
    Drop(edit->SelectionMimeData(), {14, 1}, false);
    EXPECT_EQ(Text(), " two threeone");
    EXPECT_EQ(Selected(), "one");
    EXPECT_EQ(changed.count(), 1);
    edit->Model().Undo();
    EXPECT_EQ(Text(), "one two three");
}

TEST_F(WEditDrop, MovingForwardAcrossLinesLandsWhereDropped) {
    Load("ab\ncd\nef");
    edit->Model().SetSelection({2, 1}, {2, 2});  // "b\r\nc"
    Drop(edit->SelectionMimeData(), {2, 3}, false);
    EXPECT_EQ(Text(), "ad\neb\ncf");
    edit->Model().Undo();
    EXPECT_EQ(Text(), "ab\ncd\nef");
}

TEST_F(WEditDrop, CtrlAtTheDropCopies) {
    Load("one two");
    edit->Model().SetSelection({1, 1}, {4, 1});
    Drop(edit->SelectionMimeData(), {8, 1}, true);
    EXPECT_EQ(Text(), "one twoone");
    edit->Model().Undo();
    EXPECT_EQ(Text(), "one two");
}

TEST_F(WEditDrop, DroppingOntoTheSelectionChangesNothing) {
    Load("one two");
    edit->Model().SetSelection({1, 1}, {4, 1});
    Drop(edit->SelectionMimeData(), {2, 1}, false);
    Drop(edit->SelectionMimeData(), {2, 1}, true);
    EXPECT_EQ(Text(), "one two");
    EXPECT_FALSE(edit->Model().CanUndo());
}

TEST_F(WEditDrop, ColumnBlockMovesAsAColumn) {
    Load("abcd\nefgh");
    edit->Model().SetSelectionMode(smColumn);
    edit->Model().SetSelection({1, 1}, {2, 2});  // "a", "e"
    Drop(edit->SelectionMimeData(), {4, 1}, false);
    EXPECT_EQ(Text(), "bcad\nfgeh");
    edit->Model().Undo();
    EXPECT_EQ(Text(), "abcd\nefgh");
}

TEST_F(WEditDrop, DroppedFilesRaiseDropFilesWithFullPaths) {
    QSignalSpy dropped(edit.get(), &TKrqEdit::DropFiles);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile("/tmp/a b.txt"), QUrl::fromLocalFile("/home/x/ż.txt")});
    Drop(data, {1, 1}, false);
    ASSERT_EQ(dropped.count(), 1);
    QStringList files = dropped.at(0).at(2).toStringList();
    EXPECT_EQ(files, (QStringList{"/tmp/a b.txt", QString::fromUtf8("/home/x/ż.txt")}));
    EXPECT_EQ(Text(), "");
}

}  // namespace
}  // namespace krq::test
