// Reading and writing the selected text in normal, line and column mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/TKrqEditModel.h"

namespace krq {
namespace {

std::vector<std::string> LinesOf(const TKrqEditModel& m) {
    std::vector<std::string> out;
    for (int i = 0; i < m.Lines().Count(); ++i) out.emplace_back(m.Lines()[i]);
    return out;
}

using L = std::vector<std::string>;

class SelectionTest : public testing::Test {
  protected:
    void Load(const std::string& bytes, TKrqEditorOptions options = 0) {
        m.SetOptions(options);
        m.Lines().LoadFromBytes(bytes);
    }
    TKrqEditModel m;
};

TEST_F(SelectionTest, NormalModeReading) {
    Load("abcdef\r\nghij\r\nklm");
    m.SetSelection({2, 1}, {4, 1});
    EXPECT_EQ(m.SelectedText(), "bc");
    m.SetSelection({5, 3}, {3, 1});  // the caret may stand before the anchor
    EXPECT_EQ(m.SelectedText(), "cdef\r\nghij\r\nklm");
    m.SetSelection({9, 1}, {2, 2});  // begins beyond the end of its line
    EXPECT_EQ(m.SelectedText(), "\r\ng");
    m.SetSelection({2, 2}, {2, 2});
    EXPECT_EQ(m.SelectedText(), "");
    EXPECT_FALSE(m.SelAvail());
}

TEST_F(SelectionTest, LineModeReadingAddsBreakExceptOnLastLine) {
    Load("one\ntwo\nthree\n");
    m.SetSelectionMode(smLine);
    m.SetSelection({2, 1}, {1, 2});
    EXPECT_EQ(m.SelectedText(), "one\r\ntwo\r\n");
    m.SetSelection({2, 2}, {1, 3});
    EXPECT_EQ(m.SelectedText(), "two\r\nthree");
}

TEST_F(SelectionTest, ColumnModeReadingPadsUnlessTrimming) {
    Load("abcdef\nab\n\nabcdefgh\n");
    m.SetSelectionMode(smColumn);
    m.SetSelection({5, 4}, {2, 1});  // columns 2..5 whichever corner the caret is in
    EXPECT_EQ(m.SelectedText(), "bcd\r\nb  \r\n   \r\nbcd");
    m.SetOptions(eoTrimTrailingSpaces);
    EXPECT_EQ(m.SelectedText(), "bcd\r\nb\r\n\r\nbcd");
}

TEST_F(SelectionTest, SelectAllCoversTheText) {
    Load("ab\ncd\n");
    m.SelectAll();
    EXPECT_EQ(m.BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_EQ(m.BlockEnd(), (TBufferCoord{3, 2}));
    EXPECT_EQ(m.SelectedText(), "ab\r\ncd");
    m.SetSelectedText("");
    EXPECT_EQ(LinesOf(m), L{""});
}

TEST_F(SelectionTest, NormalWriteReplacesAndLeavesCaretAfterText) {
    Load("hello world\nsecond\n");
    m.SetSelection({7, 1}, {12, 1});
    m.SetSelectedText("there\r\nnew\rlines\nend");
    EXPECT_EQ(LinesOf(m), (L{"hello there", "new", "lines", "end", "second"}));
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{4, 4}));
    EXPECT_FALSE(m.SelAvail());
    EXPECT_EQ(m.CanUndo(), true);
    m.Undo();
    EXPECT_EQ(LinesOf(m), (L{"hello world", "second"}));
    EXPECT_EQ(m.SelectedText(), "world");  // undo restores the selection
}

TEST_F(SelectionTest, WritingBeyondLineEndPadsAndTrimmingApplies) {
    Load("ab\n");
    m.SetCaretXY({5, 1});
    m.SetSelectedText("x");
    EXPECT_EQ(LinesOf(m), L{"ab  x"});
    m.SetOptions(eoTrimTrailingSpaces);
    m.SetCaretXY({9, 1});
    m.SetSelectedText("  \r\nz\t ");
    EXPECT_EQ(LinesOf(m), (L{"ab  x", "z"}));
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{4, 2}));  // the caret may stand behind trimmed blanks
}

TEST_F(SelectionTest, LineModeWriteReplacesWholeLines) {
    Load("1\n2\n3\n4\n");
    m.SetSelectionMode(smLine);
    m.SetSelection({1, 2}, {1, 3});
    m.SetSelectedText("x\r\n");
    EXPECT_EQ(LinesOf(m), (L{"1", "x", "4"}));
    m.SetSelection({1, 2}, {1, 3});
    m.SetSelectedText("");
    EXPECT_EQ(LinesOf(m), (L{"1"}));
}

TEST_F(SelectionTest, ColumnWriteAddsLinesWithSpaces) {
    Load("first\nlast line\n");
    m.SetSelectionMode(smColumn);
    m.SetCaretXY({5, 2});
    m.SetSelectedText("A\r\nB\r\nC");
    EXPECT_EQ(LinesOf(m), (L{"first", "lastA line", "    B", "    C"}));
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{6, 4}));
    m.Undo();
    EXPECT_EQ(LinesOf(m), (L{"first", "last line"}));
}

TEST_F(SelectionTest, ColumnWriteCutsAtLoneCrAndLoneLf) {
    Load("aaaa\nbb\ncccc\n");
    m.SetSelectionMode(smColumn);
    m.SetCaretXY({4, 1});
    m.SetSelectedText("1\n2\r3");
    EXPECT_EQ(LinesOf(m), (L{"aaa1a", "bb 2", "ccc3c"}));
}

TEST_F(SelectionTest, ColumnWriteReplacesTheRectangle) {
    Load("abcdef\nab\nabcdef\n");
    m.SetSelectionMode(smColumn);
    m.SetSelection({2, 1}, {4, 3});
    m.SetSelectedText("X\nY\nZ");
    EXPECT_EQ(LinesOf(m), (L{"aXdef", "aY", "aZdef"}));
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{3, 3}));
}

TEST_F(SelectionTest, ColumnWriteIntoEmptyDocument) {
    m.SetSelectionMode(smColumn);
    m.SetCaretXY({3, 1});
    m.SetSelectedText("p\r\nq");
    EXPECT_EQ(LinesOf(m), (L{"  p", "  q"}));
}

TEST_F(SelectionTest, SelectionModeChangeKeepsBeginAndEnd) {
    Load("abc\ndef\n");
    std::vector<TStatusChanges> seen;
    m.OnStatusChange = [&](TStatusChanges s) { seen.push_back(s); };
    m.SetSelection({2, 1}, {3, 2});
    seen.clear();
    m.SetSelectionMode(smColumn);
    EXPECT_EQ(m.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(m.BlockEnd(), (TBufferCoord{3, 2}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0] & scSelectionMode);
}

TEST_F(SelectionTest, DeleteSelectionWithNothingSelectedDoesNothing) {
    Load("abc\n");
    m.SetCaretXY({2, 1});
    m.DeleteSelection();
    EXPECT_FALSE(m.CanUndo());
    m.SetSelection({1, 1}, {3, 1});
    m.DeleteSelection();
    EXPECT_EQ(LinesOf(m), L{"c"});
}

TEST(ModelSettings, DefaultsAndWordCharacters) {
    TKrqEditModel m;
    EXPECT_EQ(m.Options(), kKrqEditDefaultOptions);
    EXPECT_EQ(m.TabWidth(), 8);
    EXPECT_TRUE(m.InsertMode());
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{1, 1}));
    EXPECT_TRUE(m.IsWordChar('_'));
    EXPECT_TRUE(m.IsWordChar(0xC0));
    EXPECT_FALSE(m.IsWordChar(215));
    EXPECT_FALSE(m.IsWordChar(247));
    EXPECT_FALSE(m.IsWordChar('-'));
    std::array<bool, 256> ident{};
    ident['-'] = true;
    m.SetWordChars(&ident);
    EXPECT_TRUE(m.IsWordChar('-'));
    EXPECT_FALSE(m.IsWordChar('a'));
    m.SetWordChars(nullptr);
    EXPECT_TRUE(m.IsWordChar('a'));
}

}  // namespace
}  // namespace krq
