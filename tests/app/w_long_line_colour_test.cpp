// A hostile long line opened in the window with its highlighter costs work in proportion to its
// length: the lexers' own work count over opening, drawing and typing, never the clock.
#include <QTest>

#include "app/MainWindowFixture.h"
#include "lexers/KrqLexerBase.h"
#include "lexers/TKrqHighlighter.h"

namespace krq::test {
namespace {

class LongLineColourTest : public MainWindowTest {};

TEST_F(LongLineColourTest, PhpLineOfDollarsOpensDrawsAndTakesAKeystroke) {
    constexpr size_t kLength = 150000;
    TfrmMain& w = Create();
    w.resize(800, 500);
    const uint64_t before = lexscan::tScanWork;
    OpenFile("dollars.php", std::string(kLength, '$'));
    ASSERT_NE(w.mncKrqEdit->Highlighter(), nullptr);
    EXPECT_STREQ(w.mncKrqEdit->Highlighter()->Lexer().ComponentName(), "hgr_Php");
    w.mncKrqEdit->viewport()->grab();
    Type("x");
    w.mncKrqEdit->viewport()->grab();
    // Each pass over the line costs a few steps per byte; the window lexes it a few times.
    // Searching on from every "$" would cost about a hundred thousand steps per byte.
    EXPECT_LE(lexscan::tScanWork - before, 100 * kLength);
    EXPECT_EQ(Model().Text().substr(0, 2), "x$");
}

}  // namespace
}  // namespace krq::test
