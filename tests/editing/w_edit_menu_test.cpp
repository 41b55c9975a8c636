// The Edit menu: its three enabling rules, as the menu opens and as its shortcuts pass through
// it, and the commands reached through the menu, the shortcuts and the popup menu.
#include <QImage>

#include "editing/EditingFixture.h"

namespace krq::test {
namespace {

using EditMenuTest = EditingTest;

TEST_F(EditMenuTest, ItemsFollowUndoClipboardAndSelection) {
    TfrmMain& w = Create();
    QApplication::clipboard()->clear();
    OpenEditMenu();
    EXPECT_FALSE(w.mnsEditUndo->isEnabled());
    EXPECT_FALSE(w.mnsEditRedo->isEnabled());
    EXPECT_FALSE(w.mnsEditPaste->isEnabled());
    EXPECT_FALSE(w.mnsEditCut->isEnabled());
    EXPECT_FALSE(w.mnsEditCopy->isEnabled());
    EXPECT_FALSE(w.mnsEditDelete->isEnabled());
    for (QAction* always :
         {w.mnsEditPasteExtraText, w.mnsEditFind, w.mnsEditReplace, w.mnsEditSelectAll})
        EXPECT_TRUE(always->isEnabled()) << always->objectName().toStdString();

    Type("ala ma kota");
    Model().SetSelection({1, 1}, {4, 1});
    SetClipboardText("x");
    OpenEditMenu();
    EXPECT_TRUE(w.mnsEditUndo->isEnabled());
    EXPECT_FALSE(w.mnsEditRedo->isEnabled());
    EXPECT_TRUE(w.mnsEditPaste->isEnabled());
    EXPECT_TRUE(w.mnsEditCut->isEnabled());
    EXPECT_TRUE(w.mnsEditCopy->isEnabled());
    EXPECT_TRUE(w.mnsEditDelete->isEnabled());

    // An image is no text: Wklej is greyed out.
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QApplication::clipboard()->setImage(image);
    w.ctxEditUndoExecute();
    OpenEditMenu();
    EXPECT_FALSE(w.mnsEditPaste->isEnabled());
    EXPECT_FALSE(w.mnsEditUndo->isEnabled());
    EXPECT_TRUE(w.mnsEditRedo->isEnabled());
}

TEST_F(EditMenuTest, ShortcutsActOnlyWhenTheirItemIsEnabledAfterTheMenuOpened) {
    TfrmMain& w = Create();
    Type("abc");
    SetClipboardText("XY");
    // Nothing is selected: Ctrl+X leaves the text and the clipboard alone.
    PressShortcut("mnsEditCut");
    EXPECT_EQ(Model().Text(), "abc");
    EXPECT_EQ(QApplication::clipboard()->text(), "XY");
    PressShortcut("mnsEditSelectAll");
    PressShortcut("mnsEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    PressShortcut("mnsEditCut");
    EXPECT_EQ(Model().Text(), "");
    PressShortcut("mnsEditPaste");
    PressShortcut("mnsEditPaste");
    EXPECT_EQ(Model().Text(), "abcabc");
    PressShortcut("mnsEditUndo");
    EXPECT_EQ(Model().Text(), "abc");
    PressShortcut("mnsEditRedo");
    EXPECT_EQ(Model().Text(), "abcabc");
    // Usuń has no shortcut; from the opened menu it deletes the selection, and without one
    // it is greyed out.
    Model().SetSelection({1, 1}, {4, 1});
    OpenEditMenu();
    w.mnsEditDelete->trigger();
    EXPECT_EQ(Model().Text(), "abc");
    OpenEditMenu();
    EXPECT_FALSE(w.mnsEditDelete->isEnabled());
    // Wklej tekst pomocniczy is always enabled, and its shortcut passes the menu too.
    WriteFile(Path("data/extratext.dat"), "!");
    PressShortcut("mnsEditPasteExtraText");
    EXPECT_EQ(Model().Text(), "!\r\nabc");
}

TEST_F(EditMenuTest, PopupItemsRunTheirCommandsAndStayEnabled) {
    TfrmMain& w = Create();
    Type("abc");
    EXPECT_EQ(w.mncKrqEdit->PopupMenu(), w.mncPopUpMenu);
    auto* selectAll = w.findChild<QAction*>("pmsEditSelectAll");
    auto* copy = w.findChild<QAction*>("pmsEditCopy");
    auto* del = w.findChild<QAction*>("pmsEditDelete");
    auto* undo = w.findChild<QAction*>("pmsEditUndo");
    ASSERT_TRUE(selectAll && copy && del && undo);
    for (QAction* item : w.mncPopUpMenu->actions()) EXPECT_TRUE(item->isEnabled());
    selectAll->trigger();
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    del->trigger();
    EXPECT_EQ(Model().Text(), "");
    undo->trigger();
    EXPECT_EQ(Model().Text(), "abc");
}

TEST_F(EditMenuTest, NoPopupSettingLeavesTheEditorWithoutAMenu) {
    Ini().WriteBool("Edit", "nopopup", true);
    TfrmMain& w = Create();
    EXPECT_EQ(w.mncKrqEdit->PopupMenu(), nullptr);
}

}  // namespace
}  // namespace krq::test
