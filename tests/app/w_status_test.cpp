// Title and status bar: the panels, the byte count and the toolbar button states.
#include <QApplication>
#include <QClipboard>

#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using StatusTest = MainWindowTest;

TEST_F(StatusTest, ByteCountUsesTwoCharacterBreaksWhateverTheFileHas) {
    TfrmMain& w = Create();
    OpenFile("crlf.txt", "ab\r\nc\r\n");
    EXPECT_EQ(Panel(2), Utf("5 bajtów."));
    OpenFile("lf.txt", "ab\nc");
    EXPECT_EQ(Panel(2), Utf("5 bajtów."));
    OpenFile("one.txt", "a\tc");
    EXPECT_EQ(Panel(2), Utf("3 bajtów."));
    OpenFile("empty.txt", "");
    EXPECT_EQ(Panel(2), Utf("0 bajtów."));
    OpenFile("blank-lines.txt", "\r\n\r\n");
    EXPECT_EQ(Panel(2), Utf("2 bajtów."));
    EXPECT_EQ(Panel(0), "Gotowy");
    EXPECT_EQ(w.windowTitle(), "blank-lines.txt - Kwerdel RQ");
}

TEST_F(StatusTest, CaretPanelsFollowTheCaret) {
    Create();
    OpenFile("a.txt", "abc\r\ndefgh\r\n");
    EXPECT_EQ(Panel(3), "X:1");
    EXPECT_EQ(Panel(4), "Y:1");
    Model().SetCaretXY({4, 2});
    EXPECT_EQ(Panel(3), "X:4");
    EXPECT_EQ(Panel(4), "Y:2");
}

TEST_F(StatusTest, ChangeMarksModifiedUntilTheNextSaveAndDrivesUndoButtons) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "abc");
    EXPECT_FALSE(w.btnEditUndo->isEnabled());
    EXPECT_FALSE(w.btnEditRedo->isEnabled());
    Type("x");
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
    EXPECT_EQ(Panel(2), Utf("4 bajtów."));
    EXPECT_TRUE(w.btnEditUndo->isEnabled());
    w.btnEditUndo->click();
    EXPECT_EQ(Model().Text(), "abc");
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
    EXPECT_TRUE(w.btnEditRedo->isEnabled());
    w.ctxFileSaveExecute();
    EXPECT_EQ(Panel(0), "Gotowy");
    EXPECT_EQ(w.windowTitle(), "a.txt - Kwerdel RQ");
}

TEST_F(StatusTest, SelectionAndClipboardDriveTheEditButtons) {
    TfrmMain& w = Create();
    QApplication::clipboard()->clear();
    OpenFile("a.txt", "abc");
    EXPECT_FALSE(w.btnEditCut->isEnabled());
    EXPECT_FALSE(w.btnEditCopy->isEnabled());
    EXPECT_FALSE(w.btnEditDelete->isEnabled());
    EXPECT_FALSE(w.btnEditPaste->isEnabled());
    // Text put on the clipboard elsewhere shows only at the next status notification.
    QApplication::clipboard()->setText("z");
    EXPECT_FALSE(w.btnEditPaste->isEnabled());
    Model().SetSelection({1, 1}, {3, 1});
    EXPECT_TRUE(w.btnEditCut->isEnabled());
    EXPECT_TRUE(w.btnEditCopy->isEnabled());
    EXPECT_TRUE(w.btnEditDelete->isEnabled());
    EXPECT_TRUE(w.btnEditPaste->isEnabled());
    w.btnEditDelete->click();
    EXPECT_EQ(Model().Text(), "c");
    EXPECT_FALSE(w.btnEditCut->isEnabled());
}

TEST_F(StatusTest, EditItemsFollowTheSelectionAndTheirShortcutsActOnlyWhenEnabled) {
    TfrmMain& w = Create();
    QApplication::clipboard()->clear();
    OpenFile("a.txt", "abc");
    w.mnsEditClick();
    EXPECT_FALSE(w.mnsEditUndo->isEnabled());
    EXPECT_FALSE(w.mnsEditCut->isEnabled());
    EXPECT_FALSE(w.mnsEditPaste->isEnabled());
    EXPECT_TRUE(w.mnsEditSelectAll->isEnabled());
    // Ctrl+X with nothing selected does nothing; after Ctrl+A it cuts.
    PressShortcut("mnsEditCut");
    EXPECT_EQ(Model().Text(), "abc");
    PressShortcut("mnsEditSelectAll");
    PressShortcut("mnsEditCut");
    EXPECT_EQ(Model().Text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    PressShortcut("mnsEditUndo");
    EXPECT_EQ(Model().Text(), "abc");
    // The context menu's items stay enabled whatever the menu bar shows.
    for (QAction* item : w.mncPopUpMenu->actions()) EXPECT_TRUE(item->isEnabled());
}

// The standard error report appends a full stop unless the message ends in one or in a
// character below it.
TEST_F(StatusTest, ErrorReportAddsAFullStopOnlyAfterALetterOrDigit) {
    TfrmMain& w = Create();
    w.ShowError("Cannot open file /a");
    w.ShowError("Done.");
    w.ShowError("Clipboard paste operation failed.");
    w.ShowError("ends in a bracket)");
    w.ShowError("Failed to set data for 'x'");
    ASSERT_EQ(dialogs.Messages.size(), 5u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file /a.");
    EXPECT_EQ(dialogs.Messages[1].Text, "Done.");
    EXPECT_EQ(dialogs.Messages[2].Text, "Clipboard paste operation failed.");
    EXPECT_EQ(dialogs.Messages[3].Text, "ends in a bracket)");
    EXPECT_EQ(dialogs.Messages[4].Text, "Failed to set data for 'x'");
    EXPECT_EQ(dialogs.Messages[0].Caption, "Kwerdel RQ");
    OpenFile("a.txt", "");
    w.ShowError("x");
    EXPECT_EQ(dialogs.Messages.back().Caption, "a.txt - Kwerdel RQ");
}

}  // namespace
}  // namespace krq::test
