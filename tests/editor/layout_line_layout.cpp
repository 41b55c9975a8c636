// The line layout: tab stops, x <-> byte in fixed and proportional fonts, and both wraps.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/layout/TKrqLineLayout.h"
#include "editor/layout/TKrqTabStops.h"
#include "editor/layout/TKrqWrapCache.h"

namespace krq {
namespace {

// A font given as a table, as the screen and printer adapters measure theirs.
class TableFont : public TKrqFontMetrics {
  public:
    explicit TableFont(double all) { advance.fill(all); }
    double ByteAdvance(uint8_t byte) const override { return advance[byte]; }
    std::array<double, 256> advance{};
};

TKrqLineLayout LayoutOf(const TableFont& font, int tabWidth) {
    TKrqLineLayout layout;
    layout.SetFont(font);
    layout.SetTabWidth(tabWidth);
    return layout;
}

std::string RandomLine(std::mt19937& rng, size_t maxSize) {
    std::string s(rng() % maxSize, 'x');
    for (char& c : s) {
        int r = static_cast<int>(rng() % 10);
        c = r == 0 ? '\t' : r < 3 ? ' ' : static_cast<char>('a' + rng() % 26);
    }
    return s;
}

TEST(LineLayout, TabsMoveToTheSameStopsInColumnsPixelsAndExpandedText) {
    TableFont fixed(7);
    TKrqLineLayout layout = LayoutOf(fixed, 4);
    EXPECT_TRUE(layout.FixedPitch());
    EXPECT_EQ(layout.XOf("\tx", 1), 28);
    EXPECT_EQ(layout.XOf("abc\tx", 4), 28);
    EXPECT_EQ(layout.XOf("abcd\tx", 5), 56);
    EXPECT_EQ(ExpandTabs("abc\tx", 4), "abc x");
    EXPECT_EQ(ExpandTabs("abcd\tx", 4), "abcd    x");
    EXPECT_EQ(ExpandTabs("no tabs", 4), "no tabs");
    // A proportional font whose letters happen to be narrow puts the tab on the same stops.
    TableFont prop(7);
    prop.advance['i'] = 3;
    TKrqLineLayout p = LayoutOf(prop, 4);
    EXPECT_FALSE(p.FixedPitch());
    EXPECT_EQ(p.XOf("iii\tx", 4), 28);
    EXPECT_EQ(p.XOf("abcd\tx", 5), 56);
    EXPECT_EQ(NextTabColumn(0, 8), 8u);
    EXPECT_EQ(NextTabColumn(7, 8), 8u);
    EXPECT_EQ(NextTabColumn(8, 8), 16u);
    EXPECT_EQ(NextTabColumn(5, 0), 6u);  // a width below one counts as one
}

// Over random lines the fast column count of a fixed-pitch font and the summing of a
// proportional one agree, and ByteAt finds the byte XOf placed.
TEST(LineLayout, FixedAndProportionalMeasuresAgreeAndRoundTrip) {
    std::mt19937 rng(1250);
    TableFont fixed(8);
    TableFont almost(8);
    almost.advance[0x01] = 5;  // a control byte below the printable range keeps it "fixed"
    almost.advance['~'] = 8.0000001;
    TKrqLineLayout fast = LayoutOf(fixed, 8);
    TKrqLineLayout slow = LayoutOf(almost, 8);
    ASSERT_TRUE(fast.FixedPitch());
    ASSERT_FALSE(slow.FixedPitch());
    for (int round = 0; round < 300; ++round) {
        std::string s = RandomLine(rng, 60);
        for (size_t i = 0; i <= s.size(); ++i) {
            ASSERT_NEAR(fast.XOf(s, i), slow.XOf(s, i), 1e-3) << s;
            double cellFast = -1, cellSlow = -1;
            const double x = fast.XOf(s, i) + 0.5;
            ASSERT_EQ(fast.ByteAt(s, x, &cellFast), i) << s;
            ASSERT_EQ(slow.ByteAt(s, x, &cellSlow), i) << s;
            ASSERT_NEAR(cellFast, fast.XOf(s, i), 1e-3);
        }
        ASSERT_EQ(fast.ByteAt(s, 1e9, nullptr), s.size());
        ASSERT_EQ(fast.ByteAt(s, -5, nullptr), 0u);
    }
}

// A long line kept in pieces measures as the same bytes in one run: positions and hits are
// carried across the places where pieces meet, tabs included.
TEST(LineLayout, LinesInPiecesMeasureAsTheirBytes) {
    std::mt19937 rng(20);
    TableFont fixed(8);
    TableFont proportional(8);
    proportional.advance['a'] = 5;
    proportional.advance[' '] = 3;
    for (const TableFont* font : {&fixed, &proportional}) {
        TKrqLineLayout layout = LayoutOf(*font, 8);
        std::string plain = RandomLine(rng, 2) + std::string(150000, 'x');
        for (char& c : plain) {
            int r = static_cast<int>(rng() % 12);
            c = r == 0 ? '\t' : r < 3 ? ' ' : static_cast<char>('a' + rng() % 26);
        }
        // Edits leave pieces of many lengths.
        TKrqLineText text = TKrqLineText::Copy(plain);
        for (int k = 0; k < 40; ++k) {
            size_t at = rng() % plain.size();
            std::string ins = RandomLine(rng, 9);
            text = text.Replaced(at, 1, TKrqLineText::Copy(ins));
            plain.replace(at, 1, ins);
        }
        ASSERT_TRUE(text.Pieced());
        for (int round = 0; round < 150; ++round) {
            size_t begin = rng() % plain.size();
            size_t end = begin + rng() % (plain.size() - begin + 1);
            std::string_view part = std::string_view(plain).substr(begin, end - begin);
            size_t index = part.empty() ? 0 : rng() % (part.size() + 1);
            ASSERT_DOUBLE_EQ(layout.XOf(text, begin, index), layout.XOf(part, index));
            const double x = layout.XOf(part, index) + (round % 3 == 0 ? 0.0 : 2.5);
            double cellPieces = -1, cellRun = -2;
            ASSERT_EQ(layout.ByteAt(text, begin, end, x, &cellPieces),
                      layout.ByteAt(part, x, &cellRun));
            ASSERT_DOUBLE_EQ(cellPieces, cellRun);
        }
    }
}

std::vector<std::string> Rows(const TKrqLineLayout& layout, const std::string& s, double width,
                              bool paper) {
    std::vector<std::string> out;
    for (auto span : layout.Wrap(s, width, {paper}))
        out.push_back(s.substr(span.Begin, span.End - span.Begin));
    return out;
}

using Texts = std::vector<std::string>;

TEST(LineLayout, ScreenKeepsTheBreakingBlankAndPaperDropsIt) {
    TableFont unit(1);
    TKrqLineLayout layout = LayoutOf(unit, 8);
    EXPECT_EQ(Rows(layout, "aaaa bbbb cccc", 10, false), (Texts{"aaaa bbbb ", "cccc"}));
    EXPECT_EQ(Rows(layout, "aaaa bbbb cccc", 10, true), (Texts{"aaaa bbbb", "cccc"}));
    EXPECT_EQ(Rows(layout, "aaaaaaaaaa bb", 10, false), (Texts{"aaaaaaaaaa", " bb"}));
    EXPECT_EQ(Rows(layout, "aaaaaaaaaa bb", 10, true), (Texts{"aaaaaaaaaa", "bb"}));
    EXPECT_EQ(Rows(layout, "", 10, false), (Texts{""}));
    EXPECT_EQ(Rows(layout, "", 10, true), (Texts{""}));
    EXPECT_EQ(Rows(layout, "abc", 0.5, true), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Rows(layout, "abc", 0.5, false), (Texts{"a", "b", "c"}));
    // The screen breaks after a tab as after a space; its stops count from the row's start.
    EXPECT_EQ(Rows(layout, "ab\tcdefghij", 8, false), (Texts{"ab\t", "cdefghij"}));
    EXPECT_EQ(layout.WrapStarts("aaaa bbbb cccc", 10), (std::vector<uint32_t>{0, 10}));
}

// After a break the next row is measured again, so a word that starts a row and is wider than
// the rest of the width is cut too rather than drawn past the edge.
TEST(LineLayout, ScreenRowsFitTheWidthUnlessOneGlyphAloneDoesNot) {
    std::mt19937 rng(8);
    TableFont prop(1);
    for (int b = 'a'; b <= 'z'; ++b) prop.advance[b] = 1 + rng() % 7;
    TKrqLineLayout layout = LayoutOf(prop, 4);
    for (int round = 0; round < 2000; ++round) {
        std::string s = RandomLine(rng, 80);
        const double width = 3 + rng() % 40;
        std::vector<uint32_t> starts = layout.WrapStarts(s, width);
        ASSERT_EQ(starts.front(), 0u);
        starts.push_back(static_cast<uint32_t>(s.size()));
        for (size_t r = 0; r + 1 < starts.size(); ++r) {
            ASSERT_LT(starts[r], starts[r + 1] + (s.empty() ? 1 : 0)) << s;
            std::string_view row = std::string_view(s).substr(starts[r], starts[r + 1] - starts[r]);
            if (row.size() > 1) {
                ASSERT_LE(layout.WidthOf(row), width) << s;
            }
        }
    }
}

// The cache lays a line out row by row, only as far as asked; whatever order the rows and the
// bytes are asked in, they are the rows of the whole line's wrap.
TEST(WrapCache, RowsAskedOneByOneAreTheRowsOfTheWholeWrap) {
    std::mt19937 rng(21);
    TableFont prop(1);
    for (int b = 'a'; b <= 'z'; ++b) prop.advance[b] = 1 + rng() % 5;
    TKrqLineLayout layout = LayoutOf(prop, 4);
    for (int round = 0; round < 500; ++round) {
        const std::string s = RandomLine(rng, 200);
        const double width = 3 + rng() % 30;
        const std::vector<uint32_t> whole = layout.WrapStarts(s, width);
        TKrqWrapCache cache;
        // Bytes first, at random: each lies on the row whose span holds it.
        for (int k = 0; k < 10; ++k) {
            const size_t index = rng() % (s.size() + 3);
            const int row = cache.RowOfByte(0, s, layout, width, index);
            ASSERT_GE(row, 0);
            ASSERT_LT(static_cast<size_t>(row), whole.size());
            EXPECT_LE(whole[row], index) << s;
            if (static_cast<size_t>(row) + 1 < whole.size()) {
                EXPECT_LT(index, whole[row + 1]) << s;
            }
        }
        for (size_t r = 0; r <= whole.size(); ++r) {
            TKrqLineLayout::TRowSpan span;
            const bool have = cache.Row(0, s, layout, width, static_cast<int>(r), span);
            ASSERT_EQ(have, r < whole.size()) << s;
            if (!have) break;
            EXPECT_EQ(span.Begin, whole[r]) << s;
            EXPECT_EQ(span.End, r + 1 < whole.size() ? whole[r + 1] : s.size()) << s;
        }
        EXPECT_EQ(cache.RowsOf(0, s, layout, width), whole) << s;
    }
}

}  // namespace
}  // namespace krq
