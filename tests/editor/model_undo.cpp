// Undo and redo, the Modified flag's clean state, notifications and bookmarks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TestHome.h"
#include "editor/model/TKrqEditModel.h"

namespace krq {
namespace {

class UndoTest : public testing::Test {
  protected:
    UndoTest() {
        m.OnChange = [this] { ++changes; };
        m.OnStatusChange = [this](TStatusChanges s) { statuses.push_back(s); };
    }
    void Type(const std::string& text) {
        TBufferCoord end = m.InsertText(m.CaretXY(), text);
        m.SetCaretXY(end);
    }
    TKrqEditModel m;
    int changes = 0;
    std::vector<TStatusChanges> statuses;
};

TEST_F(UndoTest, EachPrimitiveIsOneStepAndOneChange) {
    Type("a");
    Type("b");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(m.Text(), "ab");
    m.Undo();
    EXPECT_EQ(m.Text(), "a");
    EXPECT_EQ(changes, 3);
    m.Redo();
    EXPECT_EQ(m.Text(), "ab");
    EXPECT_EQ(changes, 4);
    EXPECT_FALSE(m.CanRedo());
}

TEST_F(UndoTest, BlockIsOneStepAndBatchesNotifications) {
    m.InsertText({1, 1}, "x\ny");
    changes = 0;
    statuses.clear();
    m.BeginUndoBlock();
    m.BeginUndoBlock();
    m.SetLineText(1, "first");
    m.SetCaretXY({3, 2});
    m.EndUndoBlock();
    m.InsertLines(3, {"z"});
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(statuses.empty());
    m.EndUndoBlock();
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_EQ(statuses[0] & (scCaretX | scCaretY), scCaretX | scCaretY);
    m.Undo();
    EXPECT_EQ(m.Text(), "x\r\ny");
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{1, 1}));  // the caret as the block began
    m.Redo();
    EXPECT_EQ(m.Text(), "first\r\ny\r\nz");
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{3, 2}));

    changes = 0;
    m.BeginUndoBlock();
    m.EndUndoBlock();
    EXPECT_EQ(changes, 0);  // an empty block records nothing
    m.Undo();
    EXPECT_EQ(m.Text(), "x\r\ny");
}

TEST_F(UndoTest, NewChangeEmptiesRedo) {
    Type("abc");
    m.Undo();
    EXPECT_TRUE(m.CanRedo());
    Type("d");
    EXPECT_FALSE(m.CanRedo());
}

TEST_F(UndoTest, ModifiedFollowsTheCleanState) {
    Type("a");
    m.SetModified(false);
    EXPECT_FALSE(m.Modified());
    Type("b");
    EXPECT_TRUE(m.Modified());
    m.Undo();
    EXPECT_FALSE(m.Modified());
    m.Undo();
    EXPECT_TRUE(m.Modified());
    m.Redo();
    EXPECT_FALSE(m.Modified());
    m.Redo();
    EXPECT_TRUE(m.Modified());

    // The clean entry was in the redo history when a new change discarded it.
    m.Undo();
    m.Undo();
    Type("c");
    m.Undo();
    EXPECT_TRUE(m.Modified());
}

TEST_F(UndoTest, ModifiedRaisesStatusOnlyWhenItFlips) {
    m.SetModified(false);
    Type("a");
    statuses.clear();
    Type("b");
    for (TStatusChanges s : statuses) EXPECT_FALSE(s & scModified);
    m.Undo();
    m.Undo();
    ASSERT_FALSE(statuses.empty());
    EXPECT_TRUE(statuses.back() & scModified);
}

TEST_F(UndoTest, LoadKeepsModifiedAndEmptiesHistories) {
    std::string dir = test::MakeTempDir("undo-load");
    test::WriteFile(dir + "/f.txt", "text\n");
    Type("x");
    m.SetModified(false);
    m.LoadLinesFromFile(dir + "/f.txt");
    EXPECT_EQ(changes, 1);  // only the typing
    EXPECT_FALSE(m.CanUndo());
    EXPECT_FALSE(m.Modified());
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{1, 1}));
    Type("y");
    m.Undo();
    EXPECT_FALSE(m.Modified());  // back at the loaded text

    Type("z");
    EXPECT_TRUE(m.Modified());
    m.LoadLinesFromFile(dir + "/f.txt");
    EXPECT_TRUE(m.Modified());
    m.SetModified(false);
    Type("q");
    m.Undo();
    EXPECT_FALSE(m.Modified());
}

TEST_F(UndoTest, LoadThroughLinesAlsoResetsTheHistories) {
    Type("abc");
    m.SetCaretXY({2, 1});
    m.Lines().LoadFromBytes("x\n");
    EXPECT_FALSE(m.CanUndo());
    m.Undo();  // must not apply a step recorded against the old text
    EXPECT_EQ(m.Text(), "x");
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{1, 1}));

    Type("y");
    m.Lines().Set(0, "direct");
    EXPECT_FALSE(m.CanUndo());
}

TEST_F(UndoTest, ClearDocumentResetsWithoutChange) {
    Type("a\nb");
    m.SetBookmark(1, 2);
    changes = 0;
    m.ClearDocument();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m.Lines().Count(), 0);
    EXPECT_FALSE(m.Modified());
    EXPECT_FALSE(m.CanUndo());
    EXPECT_FALSE(m.Bookmark(1).has_value());
    Type("c");
    m.Undo();
    EXPECT_FALSE(m.Modified());
}

TEST_F(UndoTest, HistoryKeepsTheNewest1024Steps) {
    for (int i = 0; i < 1030; ++i) Type("x");
    int undone = 0;
    while (m.CanUndo()) {
        m.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 1024);
    EXPECT_EQ(m.Text(), std::string(6, 'x'));
    while (m.CanRedo()) m.Redo();
    EXPECT_EQ(m.Text(), std::string(1030, 'x'));
}

TEST_F(UndoTest, CleanStateDroppedOffTheBottomBecomesUnreachable) {
    m.SetModified(false);  // the empty history is clean
    for (int i = 0; i < 1025; ++i) Type("x");
    while (m.CanUndo()) m.Undo();
    EXPECT_TRUE(m.Modified());  // one x is left: not the clean text

    // A clean entry that itself drops off is reached again by undoing everything else.
    m.ClearDocument();
    Type("s");
    m.SetModified(false);
    for (int i = 0; i < 1024; ++i) Type("x");
    while (m.CanUndo()) m.Undo();
    EXPECT_EQ(m.Text(), "s");
    EXPECT_FALSE(m.Modified());
}

TEST_F(UndoTest, TrimmingStoresLinesWithoutTrailingBlanks) {
    m.SetOptions(kKrqEditDefaultOptions);
    m.InsertText({1, 1}, "a \t\nb  ");
    EXPECT_EQ(m.Text(), "a\r\nb");
    m.SetLineText(1, "c   ");
    m.InsertLines(1, {"d "});
    EXPECT_EQ(m.Text(), "d\r\nc\r\nb");
    m.SetOptions(0);
    m.SetLineText(1, "e ");
    EXPECT_EQ(m.Text(), "e \r\nc\r\nb");
}

TEST_F(UndoTest, BookmarksFollowLinesAbove) {
    m.InsertText({1, 1}, "1\n2\n3\n4");
    m.SetBookmark(0, 3);
    m.SetBookmark(1, 2);
    m.InsertLines(1, {"new"});
    EXPECT_EQ(m.Bookmark(0), 4);
    m.InsertText({1, 1}, "top\n");  // the line moves down as a whole
    EXPECT_EQ(m.Bookmark(0), 5);
    m.DeleteLines(1, 2);
    EXPECT_EQ(m.Bookmark(0), 3);
    EXPECT_EQ(m.Bookmark(1), 2);
    m.DeleteLines(2, 1);  // the marked line goes, and its bookmark
    EXPECT_FALSE(m.Bookmark(1).has_value());
    EXPECT_EQ(m.Bookmark(0), 2);
    m.DeleteText({2, 1}, {1, 2});  // joining lines moves the mark to the joined line
    EXPECT_EQ(m.Bookmark(0), 1);
}

TEST_F(UndoTest, CaretLineIsClampedToTheText) {
    m.InsertText({1, 1}, "a\nb\nc");
    m.SetCaretXY({9, 7});
    EXPECT_EQ(m.CaretXY(), (TBufferCoord{9, 3}));
    m.DeleteLines(2, 2);
    EXPECT_EQ(m.CaretLine(), 1);
}

TEST_F(UndoTest, LongLineEditsUndoExactly) {
    std::string line(100000, 'q');
    line[5000] = 'A';
    m.Lines().LoadFromBytes(line + "\n");
    m.InsertText({50001, 1}, "Z");
    m.DeleteText({10, 1}, {20, 1});
    m.InsertText({3, 1}, "\r\n");
    std::string changed = m.Text();
    while (m.CanUndo()) m.Undo();
    EXPECT_EQ(m.Text(), line);
    while (m.CanRedo()) m.Redo();
    EXPECT_EQ(m.Text(), changed);
}

}  // namespace
}  // namespace krq
