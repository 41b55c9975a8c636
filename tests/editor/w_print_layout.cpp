// Printing: the wrap of long lines, tab expansion, page counts in a PDF and the missing printer.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>
#include <cmath>
#include <random>

#include "common/TestHome.h"
#include "editor/print/TKrqEditPrint.h"
#include "platform/errors.h"

namespace krq {
namespace {

std::array<double, 256> UnitAdvances() {
    std::array<double, 256> a{};
    a.fill(1.0);
    return a;
}

std::vector<std::string> RowTexts(const std::string& line, double width) {
    std::vector<std::string> rows;
    for (const print::TRowSpan& s : print::WrapLine(line, UnitAdvances(), width))
        rows.push_back(line.substr(s.Begin, s.End - s.Begin));
    return rows;
}

using Rows = std::vector<std::string>;

TEST(PrintWrap, BreaksAtTheLastBlankThatFitsElseHard) {
    EXPECT_EQ(RowTexts("short", 10), Rows{"short"});
    EXPECT_EQ(RowTexts("", 10), Rows{""});
    EXPECT_EQ(RowTexts("aaaa bbbb cccc", 10), (Rows{"aaaa bbbb", "cccc"}));
    // The blank just past the width is the break itself.
    EXPECT_EQ(RowTexts("aaaaaaaaaa bb", 10), (Rows{"aaaaaaaaaa", "bb"}));
    EXPECT_EQ(RowTexts("abcdefghijklmnopqrstuvwxy", 10),
              (Rows{"abcdefghij", "klmnopqrst", "uvwxy"}));
    // A leading blank is no place to break: the word after it is cut instead.
    EXPECT_EQ(RowTexts(" abcdefghijkl", 10), (Rows{" abcdefghi", "jkl"}));
}

TEST(PrintWrap, AGlyphWiderThanThePageStillMovesOn) {
    EXPECT_EQ(RowTexts("abc", 0.5), (Rows{"a", "b", "c"}));
}

// Rows never exceed the width (unless one byte alone does), and the rows with the blanks
// dropped at the breaks give back the whole line.
TEST(PrintWrap, RandomLinesAreCoveredWithoutLossAndFit) {
    std::mt19937 rng(1250);
    std::array<double, 256> advance{};
    for (double& a : advance) a = 1 + (rng() % 7);
    for (int round = 0; round < 2000; ++round) {
        std::string line(rng() % 80, 'x');
        for (char& c : line) c = (rng() % 4 == 0) ? ' ' : static_cast<char>('a' + rng() % 26);
        double width = 5 + rng() % 60;
        auto spans = print::WrapLine(line, advance, width);
        ASSERT_FALSE(spans.empty());
        size_t expect = 0;
        for (const print::TRowSpan& s : spans) {
            if (s.Begin != expect) {
                ASSERT_EQ(s.Begin, expect + 1) << line;
                ASSERT_EQ(line[expect], ' ') << line;
            }
            double used = 0;
            for (size_t i = s.Begin; i < s.End; ++i) used += advance[static_cast<uint8_t>(line[i])];
            if (s.End - s.Begin > 1) {
                ASSERT_LE(used, width) << line;
            }
            expect = s.End;
        }
        // A blank at the very end may be the last break.
        if (expect + 1 == line.size()) {
            ASSERT_EQ(line.back(), ' ') << line;
        } else {
            ASSERT_EQ(expect, line.size()) << line;
        }
    }
}

TEST(PrintLines, TabsExpandAtEightColumns) {
    EXPECT_EQ(print::ExpandTabs("\tx", 8), std::string(8, ' ') + "x");
    EXPECT_EQ(print::ExpandTabs("abc\tx", 8), "abc" + std::string(5, ' ') + "x");
    EXPECT_EQ(print::ExpandTabs("1234567\tx", 8), "1234567 x");
    EXPECT_EQ(print::ExpandTabs("12345678\tx", 8), "12345678" + std::string(8, ' ') + "x");
    EXPECT_EQ(print::ExpandTabs("a\t\tb", 8), "a" + std::string(15, ' ') + "b");
}

TEST(PrintLines, TextSplitsAtEveryBreakWithoutATrailingEmptyLine) {
    TKrqEditPrint p;
    p.SetLinesText("a\r\nb\nc\rd\r\n");
    EXPECT_EQ(p.Lines(), (Rows{"a", "b", "c", "d"}));
    p.SetLinesText("a\r\n\r\n");
    EXPECT_EQ(p.Lines(), (Rows{"a", ""}));
    p.SetLinesText("");
    EXPECT_TRUE(p.Lines().empty());
}

// --- Pages in a PDF ---------------------------------------------------------------------------

int PagesInPdf(const std::string& path) {
    std::string pdf = test::ReadFile(path);
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

class PrintPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QFontMetricsF fm(TKrqEditPrint::DefaultFont(), &printer);
        const double dpmm = printer.resolution() / 25.4;
        // A4 less the top and bottom margins (25 mm each), and less left 25 and right 15.
        rowsPerPage = static_cast<int>(std::floor((297 - 50) * dpmm / fm.lineSpacing()));
        textWidth = (210 - 40) * dpmm;
        xWidth = fm.horizontalAdvance(QChar('x'));
        spaceWidth = fm.horizontalAdvance(QChar(' '));
        charsPerRow = static_cast<int>(textWidth / xWidth);
        path = test::MakeTempDir("print") + "/out.pdf";
    }

    int Print(std::vector<std::string> lines) {
        TKrqEditPrint p;
        p.SetLines(std::move(lines));
        int pages = p.PrintToPdf(QString::fromStdString(path));
        EXPECT_EQ(PagesInPdf(path), pages);
        return pages;
    }

    int rowsPerPage = 0;
    int charsPerRow = 0;
    double textWidth = 0;
    double xWidth = 0;
    double spaceWidth = 0;
    std::string path;
};

TEST_F(PrintPdf, PageCountFollowsTheLinesThatFitBetweenTheMargins) {
    ASSERT_GT(rowsPerPage, 40);  // 8 points on 247 mm: about 75 rows
    ASSERT_LT(rowsPerPage, 110);
    std::vector<std::string> lines;
    for (int i = 0; i < 500; ++i) lines.push_back("Wiersz " + std::to_string(i));
    EXPECT_EQ(Print(lines), (500 + rowsPerPage - 1) / rowsPerPage);

    EXPECT_EQ(Print(std::vector<std::string>(rowsPerPage, "x")), 1);
    EXPECT_EQ(Print(std::vector<std::string>(rowsPerPage + 1, "x")), 2);
}

TEST_F(PrintPdf, AnEmptyDocumentIsOneBlankPage) { EXPECT_EQ(Print({}), 1); }

TEST_F(PrintPdf, ALongLineWrapsOntoFurtherPages) {
    // Two and a half pages of rows in one line: three pages whether cut hard or at blanks.
    const size_t length = static_cast<size_t>(charsPerRow) * rowsPerPage * 5 / 2;
    EXPECT_EQ(Print({std::string(length, 'x')}), 3);

    std::string words;
    while (words.size() < length) words += "xxxx ";
    EXPECT_EQ(Print({words}), 3);
}

TEST_F(PrintPdf, TabsAreExpandedBeforeWrapping) {
    // Expanded, "x" and seven blanks per tab fill two and a half pages; unexpanded the same
    // line would not fill one.
    std::string line;
    const size_t units =
        static_cast<size_t>(textWidth * rowsPerPage * 2.5 / (xWidth + 7 * spaceWidth));
    for (size_t i = 0; i < units; ++i) line += "x\t";
    EXPECT_EQ(Print({line}), 3);
}

TEST(PrintDocument, WithoutADefaultPrinterReportsAnErrorAndPrintsNothing) {
    TKrqEditPrint p;
    p.SetLines({"text"});
    p.DefaultPrinter = [] { return QPrinterInfo(); };
    try {
        p.PrintDocument();
        FAIL() << "printed without a printer";
    } catch (const EKrqError& e) {
        EXPECT_STREQ(e.what(), "There is no default printer currently selected");
    }
}

TEST(PrintDocument, APdfThatCannotBeWrittenIsAnError) {
    TKrqEditPrint p;
    p.SetLines({"text"});
    std::string dir = test::MakeTempDir("print-missing");
    EXPECT_THROW(p.PrintToPdf(QString::fromStdString(dir + "/no/such/dir/out.pdf")), EKrqError);
}

}  // namespace
}  // namespace krq
