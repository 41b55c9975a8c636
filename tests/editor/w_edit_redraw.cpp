// What the widget draws after any sequence of edits and scrolls is what it draws for the same
// text freshly loaded: colours after comments open and close, and wrapped rows.
#include <QCoreApplication>
#include <QImage>
#include <random>

#include "editor/w_edit_Fixture.h"
#include "lexers/KrqLexer.h"
#include "lexers/TKrqHighlighter.h"

namespace krq::test {
namespace {

class WEditRedraw : public EditWidgetTest {
  protected:
    void SetUp() override {
        EditWidgetTest::SetUp();
        // Every attribute its own colour, so a token drawn in a stale state shows.
        for (int a = 0; a < static_cast<int>(highlighter.Attributes().size()); ++a)
            highlighter.SetAttribute(a, (0x102030 * (a + 1)) & 0xFFFFFF, kNoColorValue, 0);
    }
    void TearDown() override {
        edit->SetHighlighter(nullptr);
        EditWidgetTest::TearDown();
    }
    QImage Draw() { return edit->viewport()->grab().toImage(); }
    // The view drawn from nothing cached: the highlighter and the wrap set afresh.
    QImage DrawFresh() {
        edit->SetHighlighter(nullptr);
        edit->SetTabWidth(edit->Model().TabWidth());  // drops the wrapped rows
        edit->SetHighlighter(&highlighter);
        return Draw();
    }
    // Scrolls so the view starts at the first row of `line`, which a fresh view can repeat.
    void ShowFrom(int line) { edit->Model().SetTopLine(line); }

    TKrqHighlighter highlighter{CppLexer()};
};

std::string CodeLines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "int value" + std::to_string(i) + " = " + std::to_string(i) + "; // note\n";
    return text;
}

TEST_F(WEditRedraw, ClosingACommentRecoloursLinesDrawnWhileItWasOpen) {
    Load(CodeLines(300));
    edit->SetHighlighter(&highlighter);
    Draw();
    Type("/*");
    Draw();
    Key(Qt::Key_End, Qt::ControlModifier);
    Draw();
    Key(Qt::Key_Home, Qt::ControlModifier);
    Draw();
    Key(Qt::Key_Delete);
    Key(Qt::Key_Delete);
    Draw();
    Key(Qt::Key_End, Qt::ControlModifier);
    const QImage shown = Draw();
    EXPECT_EQ(shown, DrawFresh());
}

TEST_F(WEditRedraw, AnyEditsAndScrollsDrawAsAFreshLoad) {
    std::mt19937 rng(1250);
    const char* const pieces[] = {
        "/*", "*/", "\"", "//", " word", "\t", "\r\n", "x", "a b c d e f g h"};
    for (bool wrap : {false, true}) {
        Load(CodeLines(120));
        edit->SetWordWrap(wrap);
        edit->SetHighlighter(&highlighter);
        for (int step = 0; step < 40; ++step) {
            TKrqEditModel& m = edit->Model();
            const int count = m.Lines().Count();
            if (count == 0) {
                m.InsertText({1, 1}, "x");  // undo took the loaded text away
                continue;
            }
            const int line = 1 + static_cast<int>(rng() % count);
            const int len = static_cast<int>(m.Lines()[line - 1].size());
            const int ch = 1 + static_cast<int>(rng() % (len + 1));
            switch (rng() % 5) {
                case 0:
                case 1:
                    m.InsertText({ch, line}, pieces[rng() % std::size(pieces)]);
                    break;
                case 2:
                    m.DeleteText({ch, line}, {std::min(len + 1, ch + 3), line});
                    break;
                case 3:
                    if (m.CanUndo()) m.Undo();
                    break;
                default:
                    ShowFrom(1 + static_cast<int>(rng() % count));
                    break;
            }
            Draw();
        }
        ShowFrom(1 + static_cast<int>(rng() % edit->Model().Lines().Count()));
        const QImage shown = Draw();
        EXPECT_EQ(shown, DrawFresh()) << (wrap ? "with word wrap" : "without word wrap");
        ShowFrom(edit->Model().Lines().Count());
        const QImage end = Draw();
        EXPECT_EQ(end, DrawFresh()) << (wrap ? "with word wrap" : "without word wrap");
        edit->SetHighlighter(nullptr);
    }
}

// Lets the idle slices lex the line states ahead until all are known.
void LexAheadWhileIdle(TKrqEdit& edit) {
    for (int n = 0; n < 10000 && edit.LexedLines() < edit.Model().Lines().Count(); ++n)
        QCoreApplication::processEvents();
}

TEST_F(WEditRedraw, AFarJumpDrawsTheSameBeforeAndAfterTheIdleLexing) {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += CodeLines(1);
        if (i % 7 == 0) text += "/* opened here\n";
        if (i % 7 == 3) text += "closed */ char c = '\\\\';\n";
    }
    // At once after loading, the jump learns the states it passes over.
    Load(text);
    edit->SetHighlighter(&highlighter);
    Draw();
    EXPECT_LT(edit->LexedLines(), 100);
    Key(Qt::Key_End, Qt::ControlModifier);
    const QImage atOnce = Draw();
    EXPECT_EQ(atOnce, DrawFresh());
    // After the idle time, the states are known before the jump.
    Load(text);
    edit->SetHighlighter(nullptr);
    edit->SetHighlighter(&highlighter);
    Draw();
    LexAheadWhileIdle(*edit);
    EXPECT_EQ(edit->LexedLines(), edit->Model().Lines().Count());
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Draw(), atOnce);
    // An edit at the top that opens a comment, the states after it lexed again while idle.
    Key(Qt::Key_Home, Qt::ControlModifier);
    Type("/*");
    Draw();
    LexAheadWhileIdle(*edit);
    Key(Qt::Key_End, Qt::ControlModifier);
    const QImage commented = Draw();
    EXPECT_EQ(commented, DrawFresh());
    edit->SetHighlighter(nullptr);
}

}  // namespace
}  // namespace krq::test
