// The find and replace commands over the model, without windows.
#include <gtest/gtest.h>

#include "editing/unFindReplace.h"
#include "platform/cp1250.h"

namespace krq::test {
namespace {

std::string W(const char* utf8) { return cp1250::FromUtf8(utf8); }

TEST(SelectionMatches, FoldsOnlyAsciiLettersWithoutMatchCase) {
    EXPECT_TRUE(SelectionMatches("ABC", "abc", false));
    EXPECT_TRUE(SelectionMatches("a-Z1", "A-z1", false));
    EXPECT_FALSE(SelectionMatches("ABC", "abc", true));
    EXPECT_TRUE(SelectionMatches("abc", "abc", true));
    EXPECT_FALSE(SelectionMatches(W("Ą"), W("ą"), false));
    EXPECT_FALSE(SelectionMatches(W("Ż"), W("ż"), false));
    EXPECT_TRUE(SelectionMatches(W("ŁÓDŹ"), W("ŁÓDŹ"), false));
    EXPECT_FALSE(SelectionMatches("abc", "abcd", false));
    EXPECT_FALSE(SelectionMatches("", "a", false));
}

TEST(FindChoices, ReplaceAllIsUnpromptedSoTheEngineMakesOneStep) {
    TFindChoices c;
    c.Down = false;
    c.MatchCase = true;
    c.WholeWord = true;
    EXPECT_EQ(FindNextOptions(c), ssoPrompt | ssoBackwards | ssoMatchCase | ssoWholeWord);
    EXPECT_EQ(ReplaceAllOptions(c), ssoReplaceAll | ssoBackwards | ssoMatchCase | ssoWholeWord);
    c = {};
    EXPECT_EQ(FindNextOptions(c), TKrqSearchOptions{ssoPrompt});
    EXPECT_EQ(ReplaceAllOptions(c), TKrqSearchOptions{ssoReplaceAll});
}

// More occurrences than the undo history holds steps: one undo still brings back every byte.
TEST(ReplaceAll, ManyOccurrencesUndoInOneStep) {
    TKrqEditModel m;
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "ab ab\tAB\r\n";
    m.Lines().LoadFromBytes(text);
    TFindChoices c;
    c.FindText = "ab";
    c.ReplaceText = "xyz";
    EXPECT_EQ(ReplaceAll(m, c), 9000);
    EXPECT_EQ(m.Lines()[0], "xyz xyz\txyz");
    m.Undo();
    EXPECT_FALSE(m.CanUndo());
    EXPECT_EQ(m.LinesText(), text);
}

TEST(ReplaceNext, ReplacesOnlyASelectionThatIsTheSearchText) {
    TKrqEditModel m;
    m.Lines().LoadFromBytes("abc abc");
    TFindChoices c;
    c.FindText = "ABC";
    c.ReplaceText = "_";
    m.SetSelection({1, 1}, {3, 1});  // "ab": not the search text
    EXPECT_TRUE(ReplaceNext(m, c));
    EXPECT_EQ(m.Text(), "abc abc");
    EXPECT_EQ(m.BlockBegin(), (TBufferCoord{5, 1}));
    EXPECT_FALSE(ReplaceNext(m, c));
    EXPECT_EQ(m.Text(), "abc _");
    // A selection over two lines is never the search text.
    m.Lines().LoadFromBytes("abc\r\nabc");
    m.SetSelection({1, 1}, {1, 2});
    c.FindText = "abc\r\n";
    EXPECT_FALSE(ReplaceNext(m, c));
    EXPECT_EQ(m.Text(), "abc\r\nabc");
}

}  // namespace
}  // namespace krq::test
