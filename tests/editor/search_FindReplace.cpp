// FindAndReplace: regions, directions, case and whole words, prompting, undo and counts.
#include <deque>
#include <random>

#include "commands_Fixture.h"

namespace krq::test {
namespace {

using Lines = std::vector<std::string>;

class Find : public EditFixture {
  protected:
    int Run(const std::string& search, const std::string& replace, TKrqSearchOptions o) {
        return m.FindAndReplace(cp1250::FromUtf8(search), cp1250::FromUtf8(replace), o);
    }
};

TEST_F(Find, WholeWordIsBoundedByLettersDigitsAndUnderscore) {
    SetText({"cat_dog xcat ącat 2cat"});
    EXPECT_EQ(Run("cat", "", ssoWholeWord), 0);
    SetText({"cat_dog cat-dog"});
    EXPECT_EQ(Run("cat", "", ssoWholeWord), 1);
    EXPECT_EQ(m.BlockBegin(), At(9, 1));
    EXPECT_EQ(m.CaretXY(), At(12, 1));
    SetText({"(cat)"});
    EXPECT_EQ(Run("cat", "", ssoWholeWord), 1);
}

TEST_F(Find, WithoutMatchCasePolishLettersFindTheirOtherCase) {
    SetText({"w ŁÓDŹ"});
    EXPECT_EQ(Run("łódź", "", 0), 1);
    EXPECT_EQ(m.SelectedText(), cp1250::FromUtf8("ŁÓDŹ"));
    Caret(1, 1);
    EXPECT_EQ(Run("łódź", "", ssoMatchCase), 0);
}

TEST_F(Find, BackwardsEndsAtTheCaretAndLeavesItAtTheStart) {
    SetText({"ab ab ab"});
    Caret(6, 1);
    EXPECT_EQ(Run("ab", "", ssoBackwards), 1);
    EXPECT_EQ(m.SelectedText(), "ab");
    EXPECT_EQ(m.BlockBegin(), At(4, 1));
    EXPECT_EQ(m.CaretXY(), At(4, 1));
    EXPECT_EQ(Run("ab", "", ssoBackwards), 1);
    EXPECT_EQ(m.CaretXY(), At(1, 1));
    EXPECT_EQ(Run("ab", "", ssoBackwards), 0);
    EXPECT_EQ(m.BlockBegin(), At(1, 1));
    EXPECT_EQ(m.BlockEnd(), At(3, 1));
}

TEST_F(Find, ForwardsStartsAtTheCaretUnlessEntireScope) {
    SetText({"ab", "xab ab"});
    Caret(3, 2);
    EXPECT_EQ(Run("ab", "", 0), 1);
    EXPECT_EQ(m.CaretXY(), At(7, 2));
    EXPECT_EQ(Run("ab", "", 0), 0);
    EXPECT_EQ(m.CaretXY(), At(7, 2));
    EXPECT_EQ(Run("ab", "", ssoEntireScope), 1);
    EXPECT_EQ(m.CaretXY(), At(3, 1));
    EXPECT_EQ(Run("", "", ssoEntireScope), 0);
}

TEST_F(Find, ReplaceAllFromTheCaretDoublesEachLaterAOnceInOneStep) {
    SetText({"a a", "xa"});
    Caret(2, 1);
    EXPECT_EQ(Run("a", "aa", ssoReplaceAll), 2);
    EXPECT_EQ(Text(), (Lines{"a aa", "xaa"}));
    EXPECT_EQ(m.CaretXY(), At(4, 2));
    EXPECT_FALSE(m.SelAvail());
    m.Undo();
    EXPECT_EQ(Text(), (Lines{"a a", "xa"}));
    EXPECT_FALSE(m.CanUndo());
}

TEST_F(Find, ReplaceAloneStopsAfterTheFirstReplacement) {
    SetText({"a a a"});
    EXPECT_EQ(Run("a", "bb", ssoReplace), 1);
    EXPECT_EQ(Text(), Lines{"bb a a"});
    EXPECT_EQ(m.CaretXY(), At(3, 1));
}

TEST_F(Find, SelectionOnlyInTheThreeModes) {
    SetText({"ab ab ab"});
    m.SetSelection({1, 1}, {6, 1});
    EXPECT_EQ(Run("ab", "X", ssoSelectedOnly | ssoReplaceAll), 2);
    EXPECT_EQ(Text(), Lines{"X X ab"});

    SetText({"ab", "ab", "ab"});
    m.SetSelectionMode(smLine);
    m.SetSelection({2, 1}, {1, 2});
    EXPECT_EQ(Run("ab", "X", ssoSelectedOnly | ssoReplaceAll), 2);
    EXPECT_EQ(Text(), (Lines{"X", "X", "ab"}));

    SetText({"abab", "abab", "abab"});
    m.SetSelectionMode(smColumn);
    m.SetSelection({5, 1}, {2, 2});
    EXPECT_EQ(Run("ab", "X", ssoSelectedOnly | ssoReplaceAll), 2);
    EXPECT_EQ(Text(), (Lines{"abX", "abX", "abab"}));

    Caret(1, 3);  // no selection: the option is ignored
    EXPECT_EQ(Run("ab", "X", ssoSelectedOnly | ssoReplaceAll), 2);
}

TEST_F(Find, PromptAnswersSkipReplaceAllAndCancel) {
    std::deque<TKrqReplaceAction> answers;
    std::vector<TBufferCoord> asked;
    m.OnReplaceText = [&](std::string_view, std::string_view, TBufferCoord b, TBufferCoord) {
        asked.push_back(b);
        TKrqReplaceAction a = answers.front();
        answers.pop_front();
        return a;
    };
    SetText({"a a a a a"});
    answers = {TKrqReplaceAction::raSkip, TKrqReplaceAction::raReplace,
               TKrqReplaceAction::raReplaceAll};
    EXPECT_EQ(Run("a", "b", ssoReplaceAll | ssoPrompt), 5);
    EXPECT_EQ(Text(), Lines{"a b b b b"});
    EXPECT_EQ(asked.size(), 3u);
    m.Undo();  // each replacement is its own step
    EXPECT_EQ(Text(), Lines{"a b b b a"});

    SetText({"a a a"});
    answers = {TKrqReplaceAction::raReplace, TKrqReplaceAction::raCancel};
    Run("a", "b", ssoReplaceAll | ssoPrompt);
    EXPECT_EQ(Text(), Lines{"b a a"});
}

TEST_F(Find, PromptWithoutAHandlerReplacesEverythingStepByStep) {
    SetText({"a a"});
    EXPECT_EQ(Run("a", "b", ssoReplaceAll | ssoPrompt), 2);
    EXPECT_EQ(Text(), Lines{"b b"});
    m.Undo();
    EXPECT_EQ(Text(), Lines{"b a"});
}

TEST_F(Find, AReplacementMayBreakLines) {
    SetText({"x;y;z", "w;"});
    EXPECT_EQ(Run(";", "\r\n", ssoReplaceAll), 3);
    EXPECT_EQ(Text(), (Lines{"x", "y", "z", "w", ""}));
    m.Undo();
    EXPECT_EQ(Text(), (Lines{"x;y;z", "w;"}));
}

// The one-pass replace-all must give what replacing occurrence by occurrence gives.
TEST_F(Find, OnePassReplaceAllAgreesWithStepwiseReplacement) {
    std::mt19937 rng(7);
    const std::string alphabet = cp1250::FromUtf8("aAąĄ_ b");
    auto randomText = [&](int maxLen) {
        std::string s;
        for (int n = rng() % (maxLen + 1); n > 0; --n) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int y = rng() % 6 + 1; y > 0; --y) bytes += randomText(12) + "\r\n";
        std::string search = randomText(2);
        if (search.empty()) search = "a";
        std::string replace = randomText(3);
        TKrqSearchOptions o = ssoReplaceAll;
        for (TKrqSearchOption flag : {ssoMatchCase, ssoWholeWord, ssoBackwards}) {
            if (rng() % 2) o |= flag;
        }
        TBufferCoord caret{static_cast<int>(rng() % 8) + 1, static_cast<int>(rng() % 3) + 1};
        TKrqEditModel a;
        TKrqEditModel b;
        for (TKrqEditModel* x : {&a, &b}) {
            x->Lines().LoadFromBytes(bytes);
            x->SetCaretXY(caret);
        }
        b.OnReplaceText = [](auto, auto, auto, auto) { return TKrqReplaceAction::raReplace; };
        int na = a.FindAndReplace(search, replace, o);
        int nb = b.FindAndReplace(search, replace, o | ssoPrompt);
        ASSERT_EQ(na, nb) << round;
        ASSERT_EQ(a.Text(), b.Text()) << round;
        ASSERT_EQ(a.CaretXY(), b.CaretXY()) << round;
    }
}

}  // namespace
}  // namespace krq::test
