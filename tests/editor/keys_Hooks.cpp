// The key map, the command hooks and the key hooks the companions attach through.
#include <string>
#include <vector>

#include "commands_Fixture.h"

namespace krq::test {
namespace {

using Lines = std::vector<std::string>;

class Hooks : public EditFixture {};

TEST_F(Hooks, BeforeHookCanHandleOrChangeTheCommandAndAfterHooksStillRun) {
    std::vector<std::string> seen;
    m.AddCommandHook([&](bool after, bool& handled, TKrqEditorCommand& cmd, char& ch) {
        seen.push_back(std::string(after ? "after " : "before ") + std::to_string(cmd) + ":" +
                       (handled ? "h" : "-"));
        if (after || cmd != ecChar) return;
        if (ch == 'x') handled = true;
        if (ch == 'a') ch = 'b';
        if (ch == '!') cmd = ecLineBreak;
    });
    Type("xa!");
    EXPECT_EQ(Text(), (Lines{"b", ""}));
    EXPECT_EQ(seen, (std::vector<std::string>{"before 511:-", "after 511:h", "before 511:-",
                                              "after 511:-", "before 511:-", "after 509:-"}));
}

TEST_F(Hooks, AHookMayRemoveHooksWhileTheyRun) {
    int a = 0, b = 0;
    int idB = 0;
    int idA = m.AddCommandHook([&](bool after, bool&, TKrqEditorCommand&, char&) {
        ++a;
        if (!after) {
            m.RemoveCommandHook(idB);
            m.RemoveCommandHook(idA);
        }
    });
    idB = m.AddCommandHook([&](bool, bool&, TKrqEditorCommand&, char&) { ++b; });
    Type("ab");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(Text(), Lines{"ab"});
}

TEST_F(Hooks, ACorrectionMadeBeforeTheCommandIsItsOwnUndoStep) {
    m.AddCommandHook([&](bool after, bool&, TKrqEditorCommand& cmd, char& ch) {
        if (after || cmd != ecChar || ch != ' ') return;
        m.SetSelection({1, 1}, {4, 1});
        m.SetSelectedText("the");
    });
    SetText({"x"});
    Type("teh ");
    EXPECT_EQ(Text(), Lines{"the x"});
    EXPECT_EQ(m.CaretXY(), At(5, 1));
    m.Undo();
    EXPECT_EQ(Text(), Lines{"thex"});
    m.Undo();
    EXPECT_EQ(Text(), Lines{"tehx"});
}

TEST_F(Hooks, KeyHooksSwallowOrChangeKeys) {
    int down = m.AddKeyDownHook([](int key, TShiftState) { return key == vkReturn; });
    m.AddKeyPressHook([](char& ch) {
        if (ch == 'q') return true;
        if (ch == 'w') ch = 'W';
        return false;
    });
    Type("qwe");
    EXPECT_TRUE(m.KeyDown(vkReturn, 0));
    EXPECT_EQ(Text(), Lines{"We"});
    m.RemoveKeyHook(down);
    EXPECT_TRUE(m.KeyDown(vkReturn, 0));
    EXPECT_EQ(m.Lines().Count(), 2);
    EXPECT_FALSE(m.KeyDown('Q', 0));
}

}  // namespace
}  // namespace krq::test
