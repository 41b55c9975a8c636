// Auto-correction driven through a real model as typing would drive it.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/commands/KrqEditCommands.h"
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace krq {
namespace {

class AutoCorrectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Trailing blanks stay, so the typed space can be seen behind the corrected word.
        m.SetOptions(m.Options() & ~eoTrimTrailingSpaces);
        ac.ConfigureAsMainWindow();
        ac.SetEditor(&m);
    }
    // Types UTF-8 text into a new document: "\n" as Enter, "\t" as Tab, the rest as characters.
    std::string TypeWith(std::vector<std::string> items, std::string_view utf8) {
        for (std::string& i : items) i = cp1250::FromUtf8(i);
        ac.SetItems(std::move(items));
        m.ClearDocument();
        for (char c : cp1250::FromUtf8(utf8)) {
            if (c == '\n' || c == '\t') {
                m.KeyDown(c == '\n' ? vkReturn : vkTab, 0);
            } else {
                m.KeyPress(c);
            }
        }
        return cp1250::ToUtf8(m.Text());
    }

    TKrqEditModel m;
    TKrqAutoCorrect ac;
};

TEST_F(AutoCorrectTest, CaseOfTheCorrectionFollowsTheTypedWord) {
    const char* cases[][3] = {
        {"teh;the", "teh ", "the "},
        {"teh;the", "Teh ", "The "},
        {"teh;the", "TEH ", "THE "},
        {"teh;the", "tEh ", "the "},
        {"polska;Polska", "polska ", "polska "},
        {"polska;Polska", "Polska ", "Polska "},
        {"zle;źle", "Zle ", "źle "},
        {"wziąść;wziąć", "WZIĄŚĆ ", "WZIĄĆ "},
        {"123;abc", "123 ", "ABC "},
    };
    for (auto& [item, typed, expected] : cases) EXPECT_EQ(TypeWith({item}, typed), expected);
}

TEST_F(AutoCorrectTest, OnlyAFinishedWholeWordIsCorrected) {
    const char* cases[][2] = {
        {"teh.", "the."},   {"teh,", "the,"},   {"teh-", "the-"},   {"teh)", "the)"},
        {"teh\nx", "the"},  {"teh1 ", "teh1 "}, {"tehą ", "tehą "}, {"(teh ", "(teh "},
        {"xteh ", "xteh "}, {"te h ", "te h "},
    };
    for (auto& [typed, expected] : cases)
        EXPECT_EQ(TypeWith({"teh;the"}, typed).substr(0, strlen(expected)), expected) << typed;
    EXPECT_EQ(TypeWith({"teh;the"}, "teh\t").substr(0, 4), "the ");
}

TEST_F(AutoCorrectTest, ItemsSplitAtTheLastSeparatorAndTheFirstMatchWins) {
    EXPECT_EQ(TypeWith({"", ";", " ;x", "a;b;c", "teh;the", "teh;ten", "usun"}, "a;b teh usun "),
              "c the  ");
    EXPECT_EQ(TypeWith({"", ";", " ;x"}, "   "), "   ");
}

TEST_F(AutoCorrectTest, CorrectionIsOneUndoStepBeforeTheTypedCharacter) {
    ASSERT_EQ(TypeWith({"teh;the"}, "teh "), "the ");
    m.Undo();
    EXPECT_EQ(m.Text(), "the");
    m.Undo();
    EXPECT_EQ(m.Text(), "teh");
    // Trailing-space trimming drops the space but not the correction.
    m.SetOptions(kKrqEditDefaultOptions);
    EXPECT_EQ(TypeWith({"teh;the"}, "teh teh "), "the the");
}

TEST_F(AutoCorrectTest, NothingHappensWhenOffHandledOrOverASelection) {
    ac.SetEnabled(false);
    EXPECT_EQ(TypeWith({"teh;the"}, "teh "), "teh ");
    ac.SetEnabled(true);

    // A hook that ran earlier and handled the command.
    ac.SetEditor(nullptr);
    int id = m.AddCommandHook([](bool after, bool& handled, TKrqEditorCommand& cmd, char&) {
        if (!after && cmd == ecChar && !handled) handled = true;
    });
    ac.SetEditor(&m);
    m.ClearDocument();
    m.InsertText({1, 1}, "teh");
    m.KeyPress(' ');
    EXPECT_EQ(m.Text(), "teh");
    m.RemoveCommandHook(id);

    // The typed space replaces a selection; the selected word is not corrected.
    TypeWith({"teh;the"}, "teh");
    m.SetSelection({1, 1}, {4, 1});
    m.KeyPress(' ');
    EXPECT_EQ(m.Text(), " ");

    ac.SetEditor(nullptr);
    EXPECT_EQ(TypeWith({"teh;the"}, "teh "), "teh ");
}

TEST(AutoCorrectLifetime, DestroyingTheCompanionFirstLeavesNoHookBehind) {
    TKrqEditModel m;
    {
        TKrqAutoCorrect ac;
        ac.SetItems({"teh\tthe"});
        ac.SetEditor(&m);
    }
    for (char c : std::string("teh x")) m.KeyPress(c);
    EXPECT_EQ(m.Text(), "teh x");
}

}  // namespace
}  // namespace krq
