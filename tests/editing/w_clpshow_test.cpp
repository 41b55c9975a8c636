// The clipboard preview under Opcje > Podgląd schowka.
#include <QImage>
#include <QPlainTextEdit>

#include "editing/EditingFixture.h"
#include "editing/frClpShow.h"

namespace krq::test {
namespace {

using ClipboardPreviewTest = EditingTest;

void OpenPreview(TfrmMain& w) { w.findChild<QAction*>("mnsOptionsClpShow")->trigger(); }

TEST_F(ClipboardPreviewTest, EditedTextReplacesTheClipboardOnOk) {
    TfrmMain& main = Create();
    SetClipboardText(Utf("ala\r\nma kota"));
    bool shown = false;
    WhenShown<TfrmClpShow>([&](TfrmClpShow& w) {
        shown = true;
        EXPECT_EQ(w.windowTitle(), Utf("Podgląd schowka"));
        EXPECT_EQ(w.pos(), QPoint(145, 141));
        EXPECT_EQ(w.mcMemo->toPlainText(), "ala\nma kota");
        w.mcMemo->moveCursor(QTextCursor::End);
        QTest::keyClicks(w.mcMemo, "!");
        w.btnOk->click();
        EXPECT_FALSE(w.isVisible());
    });
    OpenPreview(main);
    EXPECT_TRUE(shown);
    EXPECT_EQ(QApplication::clipboard()->text(), "ala\r\nma kota!");
    // The editor pastes what the preview left.
    PressShortcut("mnsEditPaste");
    EXPECT_EQ(Model().Text(), "ala\r\nma kota!");
}

TEST_F(ClipboardPreviewTest, AnulujLeavesTheClipboard) {
    TfrmMain& main = Create();
    SetClipboardText("bez zmian");
    WhenShown<TfrmClpShow>([&](TfrmClpShow& w) {
        w.mcMemo->setPlainText("inny");
        w.btnCancel->click();
    });
    OpenPreview(main);
    EXPECT_EQ(QApplication::clipboard()->text(), "bez zmian");
}

TEST_F(ClipboardPreviewTest, CharactersOutsideWindows1250BecomeQuestionMarks) {
    TfrmMain& main = Create();
    SetClipboardText(Utf("zażółć — €→"));
    WhenShown<TfrmClpShow>([&](TfrmClpShow& w) {
        EXPECT_EQ(w.mcMemo->toPlainText(), Utf("zażółć — €?"));
        w.btnCancel->click();
    });
    OpenPreview(main);
}

TEST_F(ClipboardPreviewTest, AnImageShowsAnEmptyBoxAndOkLeavesIt) {
    TfrmMain& main = Create();
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QApplication::clipboard()->setImage(image);
    WhenShown<TfrmClpShow>([&](TfrmClpShow& w) {
        EXPECT_TRUE(w.mcMemo->toPlainText().isEmpty());
        w.btnOk->click();
        EXPECT_FALSE(w.isVisible());
    });
    OpenPreview(main);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_FALSE(data->hasText());
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace krq::test
