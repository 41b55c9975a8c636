// The replace dialog: Replace first selecting and then replacing, its selection comparison,
// and Replace all on the caret's side only, undone in one step.
#include "editing/EditingFixture.h"

namespace krq::test {
namespace {

class ReplaceTest : public EditingTest {
  protected:
    TKrqFindDialog& OpenReplace(const char* find, const char* replace, bool down = true,
                                bool matchCase = false) {
        PressShortcut("mnsEditReplace");
        TKrqFindDialog& d = ReplaceDialog();
        d.edtFind->setText(Utf(find));
        d.edtReplace->setText(Utf(replace));
        (down ? d.rgDown : d.rgUp)->setChecked(true);
        d.ckbMatchCase->setChecked(matchCase);
        return d;
    }
    std::string Text() { return cp1250::ToUtf8(Model().Text()); }
};

TEST_F(ReplaceTest, FirstPressOnlySelectsThenEachPressReplacesAndSelectsTheNext) {
    Create();
    Type("a-b a-b a-b");
    Model().SetCaretXY({1, 1});
    TKrqFindDialog& d = OpenReplace("a-b", "X");
    d.btnReplace->click();
    EXPECT_EQ(Text(), "a-b a-b a-b");
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{1, 1}));
    d.btnReplace->click();
    EXPECT_EQ(Text(), "X a-b a-b");
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{3, 1}));
    d.btnReplace->click();
    d.btnReplace->click();
    EXPECT_EQ(Text(), "X X X");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(LastMessage(), Utf("Szukany element nie został znaleziony!"));
    // Each replacement is its own undo step.
    Model().Undo();
    EXPECT_EQ(Text(), "X X a-b");
    // The find button of the replace dialog only selects.
    Model().SetCaretXY({1, 1});
    d.btnFindNext->click();
    EXPECT_EQ(Text(), "X X a-b");
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{5, 1}));
}

TEST_F(ReplaceTest, SelectionComparisonFoldsOnlyAsciiLettersWithoutMatchCase) {
    Create();
    Type("ABC Ą");
    Model().SetSelection({1, 1}, {4, 1});
    TKrqFindDialog& d = OpenReplace("abc", "x");
    d.btnReplace->click();
    EXPECT_EQ(Text(), "x Ą");
    EXPECT_EQ(dialogs.Messages.size(), 1u);  // no further "abc"
    // "Ą" is not "ą" for this comparison, though the search engine finds it: the press only
    // selects it.
    Model().SetSelection({3, 1}, {4, 1});
    d.edtFind->setText(Utf("ą"));
    d.btnReplace->click();
    EXPECT_EQ(Text(), "x Ą");
    EXPECT_EQ(dialogs.Messages.size(), 2u);  // and nothing after the caret
    // With match case the selection must equal the search text exactly.
    Model().SetSelection({3, 1}, {4, 1});
    d.edtFind->setText(Utf("Ą"));
    d.ckbMatchCase->setChecked(true);
    d.btnReplace->click();
    EXPECT_EQ(Text(), "x x");
    Model().SetSelection({1, 1}, {2, 1});
    d.edtFind->setText("X");
    d.btnReplace->click();
    EXPECT_EQ(Text(), "x x");
}

TEST_F(ReplaceTest, ReplaceAllDownChangesOnlyWhatFollowsTheCaretInOneUndoStep) {
    TfrmMain& w = Create();
    const std::string original = "kot kot\r\nkot   \r\nKot kot";
    OpenFile("a.txt", original + "\r\n");
    Model().SetCaretXY({5, 1});
    TKrqFindDialog& d = OpenReplace("kot", "pies");
    d.btnReplaceAll->click();
    // A changed line loses its trailing blanks, as every edit does here; undo brings them back.
    EXPECT_EQ(Text(), "kot pies\r\npies\r\npies pies");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(w.Modified());
    PressShortcut("mnsEditUndo");
    EXPECT_EQ(Model().Text(), original);
    EXPECT_FALSE(Model().CanUndo());
    EXPECT_FALSE(w.Modified());
    // Nothing after the caret: the message, and no undo step.
    Model().SetCaretXY({8, 3});
    d.btnReplaceAll->click();
    EXPECT_EQ(LastMessage(), Utf("Szukany element nie został znaleziony!"));
    EXPECT_FALSE(Model().CanUndo());
}

TEST_F(ReplaceTest, ReplaceAllUpChangesOnlyWhatPrecedesTheCaret) {
    TfrmMain& w = Create();
    Type("aXa\r\naXa\r\naXa");
    Model().SetCaretXY({2, 2});
    TKrqFindDialog& d = OpenReplace("a", "[a]", false, true);
    d.btnReplaceAll->click();
    EXPECT_EQ(Text(), "[a]X[a]\r\n[a]Xa\r\naXa");
    w.ctxEditUndoExecute();
    EXPECT_EQ(Text(), "aXa\r\naXa\r\naXa");
}

// Going up, Replace continues from where the replaced text began: a replacement holding the
// search text is never replaced again.
TEST_F(ReplaceTest, ReplacingUpwardsNeverReachesIntoTheReplacement) {
    Create();
    Type("a a");
    TKrqFindDialog& d = OpenReplace("a", "aa", false);
    d.btnReplace->click();  // selects the last "a"
    d.btnReplace->click();
    EXPECT_EQ(Text(), "a aa");
    EXPECT_EQ(Model().BlockBegin(), (TBufferCoord{1, 1}));
    d.btnReplace->click();
    EXPECT_EQ(Text(), "aa aa");
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    d.btnReplace->click();
    EXPECT_EQ(Text(), "aa aa");
    EXPECT_EQ(dialogs.Messages.size(), 2u);
}

TEST_F(ReplaceTest, ButtonsWaitForASearchText) {
    Create();
    PressShortcut("mnsEditReplace");
    TKrqFindDialog& d = ReplaceDialog();
    d.edtFind->clear();
    EXPECT_FALSE(d.btnFindNext->isEnabled());
    EXPECT_FALSE(d.btnReplaceAll->isEnabled());
    d.edtFind->setText("x");
    EXPECT_TRUE(d.btnReplace->isEnabled());
    EXPECT_TRUE(d.btnReplaceAll->isEnabled());
}

}  // namespace
}  // namespace krq::test
