// Word completion driven through a real model as the widget would drive it.
#include <gtest/gtest.h>

#include "editor/commands/KrqEditCommands.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace krq {
namespace {

TEST(CompletionRules, SelectedRowIsTheFirstWordStartingWithThePrefix) {
    const std::vector<std::string> words = {"Kolor", "klasa", "klucz", cp1250::FromUtf8("źle")};
    EXPECT_EQ(completion::MatchRow(words, "kl", false), 1);
    EXPECT_EQ(completion::MatchRow(words, "KLU", false), 2);
    EXPECT_EQ(completion::MatchRow(words, "zz", false), 0);
    EXPECT_EQ(completion::MatchRow(words, "klasaa", false), 0);
    // Only A-Z fold: an accented capital never matches its small letter.
    EXPECT_EQ(completion::MatchRow(words, cp1250::FromUtf8("Ź"), false), 0);
    EXPECT_EQ(completion::MatchRow(words, cp1250::FromUtf8("ź"), false), 3);
}

TEST(CompletionRules, ListIsPlacedBelowTheCaretAndKeptOnTheWorkArea) {
    const TKrqScreenRect screen{0, 0, 1000, 700};
    using P = TKrqScreenPoint;
    EXPECT_EQ(completion::PlaceList({100, 200}, 16, 260, 130, screen), (P{100, 216}));
    EXPECT_EQ(completion::PlaceList({900, 650}, 16, 260, 130, screen), (P{640, 518}));
    EXPECT_EQ(completion::PlaceList({100, 100}, 16, 1200, 900, screen), (P{0, 0}));
}

class CompletionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m.SetOptions(m.Options() & ~eoTrimTrailingSpaces);
        cp.SetItemList({"Kolor", "klasa", "klucz"});
        cp.SetEditor(&m);
        cp.OnShow = [this] { events += 'S'; };
        cp.OnHide = [this] { events += 'H'; };
        cp.OnSelectionChanged = [this] { events += 'C'; };
    }
    // A key as the widget sends it: KeyDown, then the character unless the key was taken.
    void Key(int vk, TShiftState shift = 0, char ch = 0) {
        if (!m.KeyDown(vk, shift) && ch) m.KeyPress(ch);
    }
    // Ctrl+Space as Windows sends it: its character follows even though the key was taken.
    void CtrlSpace() {
        m.KeyDown(vkSpace, ssCtrl);
        m.KeyPress(' ');
    }
    void Type(std::string_view utf8) {
        for (char c : cp1250::FromUtf8(utf8))
            Key(c >= 'a' && c <= 'z' ? c - 32 : (c == ' ' ? vkSpace : 0), 0, c);
    }
    void Line(std::string_view text, int caretColumn) {
        m.ClearDocument();
        m.InsertText({1, 1}, text);
        m.SetCaretXY({caretColumn, 1});
    }
    std::string Text() const { return cp1250::ToUtf8(m.Text()); }

    TKrqEditModel m;
    TKrqCompletionProposal cp;
    std::string events;
};

TEST_F(CompletionTest, CtrlSpaceOpensAtThePrefixAndTypedCharactersExtendIt) {
    Type("a k");
    CtrlSpace();
    ASSERT_TRUE(cp.IsOpen());
    EXPECT_EQ(cp.StartColumn(), 3);
    EXPECT_EQ(cp.SelectedRow(), 0);
    Type("lu");
    EXPECT_EQ(cp.Prefix(), "klu");
    EXPECT_EQ(cp.SelectedRow(), 2);
    Type("ą");
    EXPECT_FALSE(cp.IsOpen());
    EXPECT_EQ(Text(), "a kluą");
    EXPECT_EQ(events, "SCCH");
}

TEST_F(CompletionTest, OnlyTheShortcutsOwnCharacterIsSwallowed) {
    cp.SetItemList({});
    CtrlSpace();
    EXPECT_FALSE(cp.IsOpen());
    EXPECT_EQ(Text(), "");
    // A widget that sends no character for a taken key loses nothing afterwards.
    cp.SetItemList({"klasa"});
    Key(vkSpace, ssCtrl, ' ');
    Type("k");
    EXPECT_EQ(Text(), "k");
    EXPECT_TRUE(cp.IsOpen());
    // Ctrl with another modifier is not the shortcut.
    cp.Close();
    Key(vkSpace, ssCtrl | ssShift, ' ');
    EXPECT_EQ(Text(), "k ");
}

TEST_F(CompletionTest, EnterReplacesTheRestOfTheWordAsOneUndoStep) {
    Line("klxyz abc", 3);
    CtrlSpace();
    Key(vkReturn, 0, '\r');
    EXPECT_EQ(Text(), "klasa abc");
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{6, 1}));
    EXPECT_FALSE(m.SelAvail() || cp.IsOpen());
    m.Undo();
    EXPECT_EQ(Text(), "klxyz abc");
    // The same word is not written again: the history keeps its last typed character.
    m.ClearDocument();
    Type("klasa");
    CtrlSpace();
    Key(vkReturn, 0, '\r');
    m.Undo();
    EXPECT_EQ(Text(), "klas");
}

TEST_F(CompletionTest, EndOfTokenCharactersCompleteThenAreTyped) {
    const char* cases[][2] = {{"(", "klasa(xyz"}, {" ", "klasa "}, {".", "klasa.xyz"}};
    for (auto& [ch, expected] : cases) {
        Line("klxyz", 3);
        CtrlSpace();
        Type(ch);
        EXPECT_EQ(Text(), expected);
    }
    // After a full stop the list is open again at once, with an empty prefix.
    ASSERT_TRUE(cp.IsOpen());
    EXPECT_EQ(cp.StartColumn(), 7);
    EXPECT_EQ(cp.Prefix(), "");
    Key(vkEscape);
    Key(vkSpace, ssCtrl);
    Key(vkTab, 0, '\t');
    EXPECT_FALSE(cp.IsOpen());
    EXPECT_EQ(Text(), "klasa.xyz");
}

TEST_F(CompletionTest, BackspaceLeftRightAndDeleteFollowThePrefix) {
    Type("x kl");
    CtrlSpace();
    for (int i = 0; i < 2; ++i) {
        m.KeyDown(vkBack, 0);
        m.KeyPress('\b');
    }
    EXPECT_TRUE(cp.IsOpen());
    Key(vkBack);
    EXPECT_FALSE(cp.IsOpen());
    EXPECT_EQ(Text(), "x");

    Line("kl kluczyk", 11);
    CtrlSpace();
    Key(vkLeft);
    Key(vkLeft);
    EXPECT_EQ(cp.Prefix(), "klucz");
    Key(vkDelete);
    Key(vkRight);
    EXPECT_EQ(cp.Prefix(), "kluczk");
    EXPECT_EQ(Text(), "kl kluczk");
    Key(vkRight);
    EXPECT_FALSE(cp.IsOpen());

    Line("kl x", 3);
    CtrlSpace();
    Key(vkRight);
    EXPECT_FALSE(cp.IsOpen());
    EXPECT_EQ(m.CaretColumn(), 4);
}

TEST_F(CompletionTest, RowsMoveByKeysAndClicksAndStayInTheList) {
    std::vector<std::string> words;
    for (int i = 0; i < 20; ++i) words.push_back("w" + std::to_string(i));
    cp.SetItemList(words);
    CtrlSpace();
    const std::pair<int, int> moves[] = {{vkUp, 0},    {vkNext, 8},   {vkNext, 16}, {vkNext, 19},
                                         {vkDown, 19}, {vkPrior, 11}, {vkHome, 0},  {vkEnd, 19}};
    for (auto [key, row] : moves) {
        Key(key);
        EXPECT_EQ(cp.SelectedRow(), row) << key;
    }
    Key(vkUp, ssCtrl);
    EXPECT_EQ(cp.SelectedRow(), 0);
    // The control's own shortcuts rest while the list is open.
    Key('A', ssCtrl);
    EXPECT_FALSE(m.SelAvail());
    cp.RowClick(5);
    EXPECT_EQ(cp.SelectedRow(), 5);
    cp.RowDoubleClick(3);
    EXPECT_EQ(Text(), "w3");
    EXPECT_FALSE(cp.IsOpen());
}

TEST_F(CompletionTest, FocusLossAndDetachingClose) {
    CtrlSpace();
    cp.FocusLost();
    CtrlSpace();
    cp.SetEditor(nullptr);
    EXPECT_EQ(events, "SHSH");
    EXPECT_FALSE(m.KeyDown(vkSpace, ssCtrl));
    EXPECT_FALSE(cp.IsOpen());
    EXPECT_EQ(Text(), "");
}

}  // namespace
}  // namespace krq
