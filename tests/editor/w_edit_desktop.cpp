// Desktop manners of the editing widget: the primary selection and the session zoom.
#include <QClipboard>
#include <QGuiApplication>
#include <QWheelEvent>

#include "editor/w_edit_Fixture.h"
#include "editor/widget/TKrqEditQtClipboard.h"

namespace krq::test {
namespace {

using WEditDesktop = EditWidgetTest;

TEST_F(WEditDesktop, SelectingSetsThePrimarySelectionAndAMiddleClickPastesIt) {
    Load("Ala ma kota\nżółw\n");
    SetPrimarySelection("");
    QWidget* vp = edit->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, At(5, 1));
    QTest::mouseMove(vp, At(7, 1));
    // Not yet: the gesture is still going on.
    EXPECT_EQ(PrimarySelection(), "");
    QTest::mouseRelease(vp, Qt::LeftButton, {}, At(7, 1));
    EXPECT_EQ(PrimarySelection(), "ma");
    // The ordinary clipboard is not touched.
    EXPECT_NE(QGuiApplication::clipboard()->text(), "ma");
    if (QGuiApplication::clipboard()->supportsSelection()) {
        EXPECT_EQ(QGuiApplication::clipboard()->text(QClipboard::Selection), "ma");
    }

    QTest::mouseClick(vp, Qt::MiddleButton, {}, At(1, 2));
    EXPECT_EQ(Text(), "Ala ma kota\nmażółw");
    EXPECT_EQ(Caret(), (TBufferCoord{3, 2}));
    edit->Model().Undo();
    EXPECT_EQ(Text(), "Ala ma kota\nżółw");

    // A word picked by a double click, and a selection made with Shift and the arrows.
    QTest::mouseDClick(vp, Qt::LeftButton, {}, At(9, 1));
    EXPECT_EQ(PrimarySelection(), "kota");
    edit->Model().SetCaretXY({1, 2});
    QTest::keyPress(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyPress(edit.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyRelease(edit.get(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(cp1250::ToUtf8(PrimarySelection()), "żó");
}

TEST_F(WEditDesktop, MiddleClickWithNothingSelectedAnywhereChangesNothing) {
    Load("abc\n");
    SetPrimarySelection("");
    QTest::mouseClick(edit->viewport(), Qt::MiddleButton, {}, At(2, 1));
    EXPECT_EQ(Text(), "abc");
    EXPECT_FALSE(edit->Model().Modified());
}

TEST_F(WEditDesktop, CtrlKeysAndCtrlWheelZoomTheDrawnFontOnly) {
    QFont chosen("DejaVu Sans Mono");
    chosen.setPointSize(10);
    edit->SetTextFont(chosen);
    const int height = edit->LineHeight();
    Key(Qt::Key_Plus, Qt::ControlModifier);
    Key(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(edit->Zoom(), 2);
    EXPECT_EQ(edit->DrawnFont().pointSize(), 12);
    EXPECT_EQ(edit->TextFont().pointSize(), 10) << "the chosen font stays as stored";
    EXPECT_GT(edit->LineHeight(), height);
    Key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(edit->DrawnFont().pointSize(), 11);
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(edit->DrawnFont().pointSize(), 10);
    EXPECT_EQ(edit->LineHeight(), height);

    QWheelEvent wheel(QPointF(50, 50), edit->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, 240), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit->viewport(), &wheel);
    EXPECT_EQ(edit->DrawnFont().pointSize(), 12);
    // Never below one point, and a newly chosen font keeps the session's zoom.
    for (int i = 0; i < 30; ++i) Key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(edit->DrawnFont().pointSize(), 1);
    Key(Qt::Key_0, Qt::ControlModifier);
    Key(Qt::Key_Plus, Qt::ControlModifier);
    chosen.setPointSize(20);
    edit->SetTextFont(chosen);
    EXPECT_EQ(edit->DrawnFont().pointSize(), 21);
    // Typing is untouched: the text has no "+" or "0" from these keys.
    EXPECT_EQ(Text(), "");
}

}  // namespace
}  // namespace krq::test
