// The find dialog as the user meets it: Ctrl+F, where it appears, find next with its options,
// the not-found message, Enter and Esc, and Ctrl+V belonging to its field while it is shown.
#include "editing/EditingFixture.h"

namespace krq::test {
namespace {

class FindTest : public EditingTest {
  protected:
    // Opens the find dialog through Ctrl+F and fills it in.
    TKrqFindDialog& OpenFind(const char* text, bool down = true, bool matchCase = false,
                             bool wholeWord = false) {
        PressShortcut("mnsEditFind");
        TKrqFindDialog& d = FindDialog();
        d.edtFind->setText(Utf(text));
        (down ? d.rgDown : d.rgUp)->setChecked(true);
        d.ckbMatchCase->setChecked(matchCase);
        d.ckbWholeWord->setChecked(wholeWord);
        return d;
    }

    std::string Selected() { return cp1250::ToUtf8(Model().SelectedText()); }
};

TEST_F(FindTest, CtrlFShowsTheDialogBelowTheEditorsCornerWhereverTheWindowIs) {
    TfrmMain& w = Create();
    w.move(300, 250);
    PressShortcut("mnsEditFind");
    TKrqFindDialog& d = FindDialog();
    ASSERT_TRUE(d.isVisible());
    EXPECT_FALSE(d.isModal());
    EXPECT_EQ(d.windowTitle(), Utf("Znajdź"));
    const QPoint expected = w.mncKrqEdit->geometry().topLeft() + QPoint(100, 200);
    EXPECT_EQ(d.pos(), expected);
    // Shown again after the user moved it and the main window: back at the same point.
    d.move(10, 10);
    w.move(20, 30);
    w.mnsEditFind->trigger();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.pos(), expected);
    w.mnsEditReplace->trigger();
    EXPECT_TRUE(ReplaceDialog().isVisible());
    EXPECT_EQ(ReplaceDialog().pos(), expected);
    EXPECT_EQ(ReplaceDialog().windowTitle(), Utf("Zamień"));
}

TEST_F(FindTest, FindsDownAndUpFromTheCaretWithCaseAndWholeWord) {
    Create();
    Type("Kot kot kotek\r\nKOT");
    Model().SetCaretXY({1, 1});
    TKrqFindDialog& d = OpenFind("kot");
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_EQ(Selected(), "Kot");
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{5, 1}));
    d.ckbMatchCase->setChecked(true);
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{9, 1}));  // inside "kotek"
    d.ckbMatchCase->setChecked(false);
    d.ckbWholeWord->setChecked(true);
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{1, 2}));  // "kotek" is not a whole word
    EXPECT_EQ(Selected(), "KOT");
    EXPECT_TRUE(dialogs.Messages.empty());

    // Up from behind the selected occurrence finds that one first, then the earlier ones.
    d.rgUp->setChecked(true);
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{1, 2}));
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{5, 1}));
    // Backwards the caret stands at the start of the occurrence.
    EXPECT_EQ(Model().CaretXY(), (TBufferCoord{5, 1}));
    d.ckbMatchCase->setChecked(true);
    d.ckbWholeWord->setChecked(false);
    Model().SetCaretXY({4, 2});
    d.btnFindNext->click();
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{9, 1}));
}

TEST_F(FindTest, AnOccurrenceOnlyBeforeTheCaretIsNotFoundGoingDown) {
    TfrmMain& w = Create();
    Type("szukaj tutaj");
    TKrqFindDialog& d = OpenFind("szukaj");
    d.btnFindNext->click();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, Utf("Szukany element nie został znaleziony!"));
    EXPECT_EQ(dialogs.Messages[0].Caption, w.ApplicationTitle());
    EXPECT_EQ(dialogs.Messages[0].Buttons, TMsgButtons::OK);
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::None);
    EXPECT_FALSE(Model().SelAvail());
    EXPECT_EQ(Model().CaretXY(), (TBufferCoord{13, 1}));
    // Up from there it is found; no wrap-around ever happens.
    d.rgUp->setChecked(true);
    d.btnFindNext->click();
    EXPECT_EQ(Selected(), "szukaj");
    d.btnFindNext->click();
    EXPECT_EQ(dialogs.Messages.size(), 2u);
}

TEST_F(FindTest, EnterInTheFieldFindsNextAndEscClosesKeepingTheTexts) {
    TfrmMain& w = Create();
    Type("raz dwa raz");
    Model().SetCaretXY({1, 1});
    TKrqFindDialog& d = OpenFind("raz");
    QTest::keyClick(d.edtFind, Qt::Key_Return);
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{1, 1}));
    QTest::keyClick(d.edtFind, Qt::Key_Enter);
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{9, 1}));
    d.ckbWholeWord->setChecked(true);
    d.rgUp->setChecked(true);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    // Opened again: the same texts and options, not the selection.
    Model().SetSelection({5, 1}, {8, 1});
    w.mnsEditFind->trigger();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.edtFind->text(), "raz");
    EXPECT_TRUE(d.ckbWholeWord->isChecked());
    EXPECT_TRUE(d.rgUp->isChecked());
    d.btnCancel->click();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(FindTest, CtrlVPastesIntoTheFieldWhileShownAndIntoTheDocumentAfterwards) {
    TfrmMain& w = Create();
    Type("doc");
    SetClipboardText("schowek");
    auto* pasteKey = w.findChild<QShortcut*>("key_mnsEditPaste");
    ASSERT_NE(pasteKey, nullptr);
    PressShortcut("mnsEditFind");
    TKrqFindDialog& d = FindDialog();
    EXPECT_TRUE(w.mnsEditPaste->shortcut().isEmpty());
    EXPECT_FALSE(pasteKey->isEnabled());
    d.activateWindow();
    d.edtFind->setFocus();
    QTest::keyClick(d.edtFind, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.edtFind->text(), "schowek");
    EXPECT_EQ(Model().Text(), "doc");

    // With both dialogs shown, closing one keeps Ctrl+V with the other.
    w.mnsEditReplace->trigger();
    d.close();
    EXPECT_TRUE(w.mnsEditPaste->shortcut().isEmpty());
    QTest::keyClick(&ReplaceDialog(), Qt::Key_Escape);
    EXPECT_EQ(w.mnsEditPaste->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_TRUE(pasteKey->isEnabled());
    PressShortcut("mnsEditPaste");
    EXPECT_EQ(Model().Text(), "docschowek");
}

}  // namespace
}  // namespace krq::test
