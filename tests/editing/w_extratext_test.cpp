// The auxiliary text: Ctrl+B pasting data/extratext.dat, and its window under
// Opcje > Tekst pomocniczy reading and writing the file.
#include <QPlainTextEdit>
#include <filesystem>

#include "editing/EditingFixture.h"
#include "editing/frExTxShow.h"
#include "editing/unInsertText.h"

namespace krq::test {
namespace {

class ExtraTextTest : public EditingTest {
  protected:
    std::string ExtraPath() const { return Path("data/extratext.dat"); }
    void SetExtra(const std::string& bytes) { WriteFile(ExtraPath(), bytes); }
    void OpenWindow() { Item("mnsOptionsExtraTextShow")->trigger(); }
};

TEST_F(ExtraTextTest, CtrlBPastesTheLinesEachEndedByCrLfInOneStep) {
    TfrmMain& w = Create();
    SetExtra("AB");
    Type("12");
    Model().SetSelection({1, 1}, {2, 1});
    PressShortcut("mnsEditPasteExtraText");
    EXPECT_EQ(Model().Text(), "AB\r\n2");
    EXPECT_EQ(Model().CaretXY(), (TBufferCoord{1, 2}));
    w.ctxEditUndoExecute();
    EXPECT_EQ(Model().Text(), "12");
    // Read at every press: a change made outside counts at once, up to the first NUL.
    SetExtra(std::string("x\ny\r\rz\0tail", 11));
    Model().SetCaretXY({1, 1});
    w.mnsEditPasteExtraText->trigger();
    EXPECT_EQ(Model().Text(), "x\r\ny\r\n\r\nz\r\n12");
    // The toolbar button and the popup item run the same command.
    SetExtra("!");
    Model().SetCaretXY({1, 1});
    w.btnEditPasteExtraText->click();
    w.findChild<QAction*>("pmsEditPasteExtraText")->trigger();
    EXPECT_EQ(cp1250::ToUtf8(Model().Lines()[0]), "!");
    EXPECT_EQ(cp1250::ToUtf8(Model().Lines()[1]), "!");
}

TEST_F(ExtraTextTest, AnEmptyFileOnlyDeletesTheSelection) {
    Create();
    SetExtra("");
    Type("abc");
    Model().SetSelection({1, 1}, {3, 1});
    PressShortcut("mnsEditPasteExtraText");
    EXPECT_EQ(Model().Text(), "c");
}

TEST_F(ExtraTextTest, InBlockModeThreeLinesGoInAsAColumn) {
    TfrmMain& w = Create();
    SetExtra("11\r\n22\r\n33");
    Type("abcd\r\nefgh\r\nijkl");
    w.mnsViewBlock->trigger();
    Model().SetCaretXY({3, 1});
    PressShortcut("mnsEditPasteExtraText");
    EXPECT_EQ(Model().Text(), "ab11cd\r\nef22gh\r\nij33kl\r\n");
}

TEST_F(ExtraTextTest, AMissingFileIsReportedAndTheDocumentStaysAsItWas) {
    TfrmMain& w = Create();
    Type("abc");
    Model().SelectAll();
    PressShortcut("mnsEditPasteExtraText");
    EXPECT_EQ(Model().Text(), "abc");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(LastMessage(), QString::fromStdString("Cannot open file " + ExtraPath() + "."));
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
    EXPECT_EQ(dialogs.Messages[0].Caption, w.ApplicationTitle());
}

TEST_F(ExtraTextTest, WindowShowsLfBreaksAsLinesAndOkWritesThemBackWithCrLf) {
    Create();
    SetExtra(cp1250::FromUtf8("Łódź\nul. 1\n"));
    bool shown = false;
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        shown = true;
        EXPECT_EQ(w.windowTitle(), "Tekst pomocniczy");
        EXPECT_EQ(w.size(), QSize(536, 343));
        EXPECT_EQ(w.pos(), QPoint(154, 136));
        EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(w.mcMemo->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(w.mcMemo->toPlainText(), Utf("Łódź\nul. 1\n"));
        EXPECT_EQ(cp1250::ToUtf8(w.MemoText()), "Łódź\r\nul. 1\r\n");
        w.btnOk->click();
        EXPECT_FALSE(w.isVisible());
    });
    OpenWindow();
    EXPECT_TRUE(shown);
    EXPECT_EQ(cp1250::ToUtf8(ReadFile(ExtraPath())), "Łódź\r\nul. 1\r\n");
}

TEST_F(ExtraTextTest, OkWritesExactlyTheBoxAndAnulujLeavesTheFile) {
    Create();
    SetExtra("stary\r\n");
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        w.mcMemo->setPlainText(Utf("nowy\nżółw"));
        w.btnCancel->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), "stary\r\n");
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        w.mcMemo->selectAll();
        QTest::keyClicks(w.mcMemo, "nowy");
        QTest::keyClick(w.mcMemo, Qt::Key_Return);  // a line break in the box, not OK
        EXPECT_TRUE(w.isVisible());
        w.mcMemo->insertPlainText(Utf("żółw"));
        w.btnOk->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), cp1250::FromUtf8("nowy\r\nżółw"));
    // An empty box gives an empty file; Esc is Anuluj.
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        w.mcMemo->clear();
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), cp1250::FromUtf8("nowy\r\nżółw"));
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        w.mcMemo->clear();
        w.btnOk->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), "");
}

TEST_F(ExtraTextTest, AMissingFileOpensAnEmptyBoxAndOkCreatesIt) {
    Create();
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(LastMessage(), QString::fromStdString("Cannot open file " + ExtraPath() + "."));
        EXPECT_TRUE(w.mcMemo->toPlainText().isEmpty());
        w.mcMemo->setPlainText("podpis");
        w.btnOk->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), "podpis");
}

TEST_F(ExtraTextTest, WithoutADataDirectoryOkReportsAndTheWindowKeepsTheText) {
    Create();
    std::filesystem::remove_all(Path("data"));
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        w.mcMemo->setPlainText("tekst");
        w.btnOk->click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.mcMemo->toPlainText(), "tekst");
        EXPECT_EQ(LastMessage(), QString::fromStdString("Cannot create file " + ExtraPath() + "."));
        w.btnCancel->click();
    });
    OpenWindow();
    EXPECT_FALSE(std::filesystem::exists(ExtraPath()));
}

TEST_F(ExtraTextTest, AnUnwritableDataDirectoryKeepsTheOldFile) {
    Create();
    SetExtra("stary");
    if (!MakeUnwritable(Path("data"))) GTEST_SKIP() << "cannot make a directory unwritable here";
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        w.mcMemo->setPlainText("nowy");
        w.btnOk->click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(LastMessage(), QString::fromStdString("Cannot create file " + ExtraPath() + "."));
        w.btnCancel->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), "stary");
}

TEST_F(ExtraTextTest, ALargeFileOpensWhole) {
    Create();
    std::string big;
    const std::string line =
        "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz\r\n";
    while (big.size() < (10u << 20)) big += line;
    SetExtra(big);
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(w.MemoText().size(), big.size());
        w.btnOk->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), big);
}

TEST_F(ExtraTextTest, ContextMenuIsEnabledFromTheBoxWhenItOpens) {
    Create();
    SetExtra("abc");
    WhenShown<TfrmExTxShow>([&](TfrmExTxShow& w) {
        QApplication::clipboard()->clear();
        w.mcPopUpMenuPopup();
        EXPECT_FALSE(w.pmUndo->isEnabled());
        EXPECT_FALSE(w.pmCut->isEnabled());
        EXPECT_FALSE(w.pmCopy->isEnabled());
        EXPECT_FALSE(w.pmDelete->isEnabled());
        EXPECT_FALSE(w.pmPaste->isEnabled());
        EXPECT_TRUE(w.pmSelectAll->isEnabled());
        // Between openings the items keep the state computed last.
        w.pmSelectAll->trigger();
        EXPECT_FALSE(w.pmCopy->isEnabled());
        w.mcPopUpMenuPopup();
        EXPECT_TRUE(w.pmCopy->isEnabled());
        w.pmCopy->trigger();
        EXPECT_EQ(QApplication::clipboard()->text(), "abc");
        w.pmDelete->trigger();
        EXPECT_TRUE(w.mcMemo->toPlainText().isEmpty());
        w.mcPopUpMenuPopup();
        EXPECT_TRUE(w.pmUndo->isEnabled());
        EXPECT_TRUE(w.pmPaste->isEnabled());
        w.pmPaste->trigger();
        w.pmPaste->trigger();
        EXPECT_EQ(w.mcMemo->toPlainText(), "abcabc");
        w.pmUndo->trigger();
        EXPECT_EQ(w.mcMemo->toPlainText(), "abc");
        w.mcMemo->selectAll();
        w.mcPopUpMenuPopup();
        w.pmCut->trigger();
        EXPECT_TRUE(w.mcMemo->toPlainText().isEmpty());
        w.btnCancel->click();
    });
    OpenWindow();
    EXPECT_EQ(ReadFile(ExtraPath()), "abc");
}

}  // namespace
}  // namespace krq::test
