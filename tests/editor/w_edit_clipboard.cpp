// Clipboard round trips of the editing widget in all three selection modes, through the real
// QClipboard: plain text as UTF-8, the private block as its own MIME type.
#include <QClipboard>
#include <QMimeData>

#include "editor/w_edit_Fixture.h"
#include "editor/widget/TKrqEditQtClipboard.h"

namespace krq::test {
namespace {

using WEditClipboard = EditWidgetTest;

TEST_F(WEditClipboard, NormalCopyPutsUtf8TextAndTheBlock) {
    Load("zażółć gęślą");
    edit->Model().SetSelection({1, 1}, {7, 1});
    Key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("zażółć"));
    QByteArray block = data->data(kKrqEditBlockMime);
    EXPECT_EQ(block, QByteArray("\0", 1) + QByteArray::fromStdString(cp1250::FromUtf8("zażółć")) +
                         QByteArray("\0", 1));
    edit->Model().SetCaretXY({13, 1});
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "zażółć gęślązażółć");
}

TEST_F(WEditClipboard, LineCopyPastesWholeLines) {
    Load("one\ntwo\nthree");
    edit->Model().SetSelectionMode(smLine);
    edit->Model().SetSelection({1, 1}, {1, 1});
    edit->Model().SetSelection({2, 1}, {1, 1});
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "one\r\n");
    edit->Model().SetSelectionMode(smNormal);
    edit->Model().SetCaretXY({1, 3});
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Text(), "one\ntwo\none\nthree");
}

TEST_F(WEditClipboard, ColumnCopyIsPaddedAndPastesAsAColumnInAnyMode) {
    Load("abcdef\nab\nabcdef");
    edit->Model().SetSelectionMode(smColumn);
    edit->Model().SetSelection({2, 1}, {5, 3});
    Key(Qt::Key_C, Qt::ControlModifier);
    // The short middle line is padded although trailing spaces are trimmed in the text.
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "bcd\r\nb  \r\nbcd");
    edit->Model().SetSelectionMode(smNormal);
    edit->Model().SetCaretXY({7, 1});
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "abcdefbcd\nab    b\nabcdefbcd");
    EXPECT_EQ(edit->Model().SelectionMode(), smNormal);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "abcdef\nab\nabcdef");
}

TEST_F(WEditClipboard, CutIsOneUndoStep) {
    Load("hello world");
    edit->Model().SetSelection({1, 1}, {7, 1});
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Text(), "world");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "hello ");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "hello world");
}

TEST_F(WEditClipboard, ForeignTextWithLfBreaksPastesAsColumnInColumnMode) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("X\nŻ\nZ"));
    Load("1234\n1234");
    edit->Model().SetSelectionMode(smColumn);
    edit->Model().SetCaretXY({3, 1});
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "12X34\n12Ż34\n  Z");
}

TEST_F(WEditClipboard, ForeignTextOutsideTheCodePageBecomesQuestionMarks) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("a→b"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "a?b");
}

TEST_F(WEditClipboard, CopyWithNothingSelectedLeavesTheClipboard) {
    QGuiApplication::clipboard()->setText("keep");
    Load("text");
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep");
}

}  // namespace
}  // namespace krq::test
