// The word-list rules of the options pages without a window: duplicates, the grid's rows and
// the ";" / "=" round trip.
#include <gtest/gtest.h>

#include "editor/companions/unWordLists.h"
#include "platform/cp1250.h"
#include "settings/unWordListEdit.h"

using namespace krq;

namespace {

std::string W(const char* utf8) { return cp1250::FromUtf8(utf8); }

TEST(ProposalEdit, RefusesAWordPresentInAnyCaseAndKeepsTheTextAsTyped) {
    std::vector<std::string> words = {"tekst", W("źdźbło")};
    EXPECT_FALSE(AddProposal(words, "Tekst"));
    EXPECT_FALSE(AddProposal(words, "TEKST"));
    EXPECT_FALSE(AddProposal(words, W("ŹDŹBŁO")));
    EXPECT_FALSE(AddProposal(words, ""));
    EXPECT_EQ(words.size(), 2u);
    // Different letters are different words, blanks included.
    EXPECT_TRUE(AddProposal(words, "teksty"));
    EXPECT_TRUE(AddProposal(words, "tekst "));
    EXPECT_TRUE(AddProposal(words, W("zdzblo")));
    EXPECT_EQ(words,
              (std::vector<std::string>{"tekst", W("źdźbło"), "teksty", "tekst ", W("zdzblo")}));
    EXPECT_EQ(ProposalCounterText(0), "Ilość słówek: 0");
    EXPECT_EQ(ProposalCounterText(12), "Ilość słówek: 12");
}

TEST(AutoCorrectGrid, RowsSplitAtTheFirstSeparatorAndGoBackUnchanged) {
    TAutoCorrectGrid grid;
    const std::vector<std::string> file = {"x;y;z", "teh;the", "alone", "", ";lead", W("zle;źle")};
    grid.Load(file);
    ASSERT_EQ(grid.RowCount(), 6u);
    EXPECT_EQ(grid.Key(0), "x");
    EXPECT_EQ(grid.Value(0), "y=z");
    EXPECT_EQ(grid.Key(2), "alone");
    EXPECT_EQ(grid.Value(2), "");
    EXPECT_EQ(grid.Key(4), "");
    EXPECT_EQ(grid.Value(4), "lead");
    EXPECT_EQ(grid.CorrectLines(), file);
}

TEST(AutoCorrectGrid, EditedCellsComposeTheirLine) {
    TAutoCorrectGrid grid;
    grid.Load({"alone", "teh;the"});
    // A replacement with "=" is stored with ";" in its place: the text txt;a then b.
    grid.SetKey(1, "txt");
    grid.SetValue(1, "a=b");
    EXPECT_EQ(grid.CorrectLines()[1], "txt;a;b");
    // A line without a separator gets one only with a replacement.
    EXPECT_TRUE(grid.SetKey(0, "sam"));
    EXPECT_EQ(grid.Line(0), "sam");
    grid.SetValue(0, "s");
    EXPECT_EQ(grid.Line(0), "sam=s");
    // The left column never takes "=".
    EXPECT_FALSE(grid.SetKey(0, "a=b"));
    EXPECT_EQ(grid.Line(0), "sam=s");
}

TEST(AutoCorrectGrid, TheBlankRowIsAddedOnceAndSavedAsASpaceAndSemicolon) {
    TAutoCorrectGrid grid;
    grid.Load({"np;na przykład"});
    EXPECT_TRUE(grid.EnsureBlankRow());
    EXPECT_FALSE(grid.EnsureBlankRow());
    EXPECT_EQ(grid.Key(1), " ");
    EXPECT_EQ(grid.CorrectLines(), (std::vector<std::string>{"np;na przykład", " ;"}));
    // Typed over, it is a pair like any other and the next selection adds a new one.
    grid.SetKey(1, "ok");
    EXPECT_TRUE(grid.EnsureBlankRow());
    EXPECT_EQ(grid.RowCount(), 3u);
    // A blank row the file already holds counts.
    TAutoCorrectGrid again;
    again.Load({" ;"});
    EXPECT_FALSE(again.EnsureBlankRow());
}

TEST(AutoCorrectGrid, RowsAreAddedOnlyAfterAFilledLeftColumnAndEmptyRowsGo) {
    TAutoCorrectGrid grid;
    EXPECT_FALSE(grid.InsertRow(0));
    EXPECT_FALSE(grid.AppendRow(0));
    grid.Load({"a;1", ";2"});
    EXPECT_FALSE(grid.InsertRow(1));  // left column empty
    EXPECT_FALSE(grid.AppendRow(1));
    EXPECT_FALSE(grid.AppendRow(0));  // not the last row
    EXPECT_TRUE(grid.InsertRow(0));
    EXPECT_EQ(grid.Line(0), "");
    EXPECT_EQ(grid.Line(1), "a=1");
    EXPECT_TRUE(grid.RemoveIfEmpty(0));
    EXPECT_FALSE(grid.RemoveIfEmpty(1));  // the right column holds 2
    grid.SetKey(1, "b");
    EXPECT_TRUE(grid.AppendRow(1));
    EXPECT_EQ(grid.RowCount(), 3u);
    EXPECT_TRUE(grid.RemoveIfEmpty(2));
    grid.DeleteRow(0);
    grid.DeleteRow(7);
    EXPECT_EQ(grid.CorrectLines(), (std::vector<std::string>{"b;2"}));
}

}  // namespace
