// What the editing widget draws: gutter width, word wrap that leaves text and coordinates
// alone, highlighter colours on screen, and properties that take effect at once.
#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>

#include "editor/w_edit_Fixture.h"
#include "lexers/TKrqHighlighter.h"

namespace krq::test {
namespace {

using WEditView = EditWidgetTest;

std::string Lines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "x\n";
    return text;
}

TEST_F(WEditView, GutterFieldFollowsTheHighestNumberShownFromZero) {
    QFont gutter("Verdana");
    gutter.setPixelSize(11);
    const int digit = edit->GutterWidth() - 3 - 3 - 2;  // empty text: "0" in a 2-digit field
    ASSERT_EQ(digit % 2, 0);
    const int dw = digit / 2;
    for (int n : {9, 10, 100}) {
        Load(Lines(n));
        EXPECT_EQ(edit->GutterWidth(), 3 + 3 + 2 * dw + 2) << n << " lines";
    }
    Load(Lines(101));  // 0..100
    EXPECT_EQ(edit->GutterWidth(), 3 + 3 + 3 * dw + 2);
    edit->SetGutterVisible(false);
    EXPECT_EQ(edit->GutterWidth(), 0);
    // The text starts at the left edge at once.
    EXPECT_LE(edit->PointOfChar({1, 1}).x(), 2);
}

TEST_F(WEditView, WordWrapChangesRowsButNotTextOrCoordinates) {
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "word" + std::to_string(i) + " ";
    Load(longLine + "\nshort");
    const std::string before = edit->Model().Text();
    const QPoint shortLine = edit->PointOfChar({1, 2});
    edit->SetWordWrap(true);
    EXPECT_TRUE(edit->WordWrap());
    EXPECT_EQ(edit->Model().Text(), before);
    EXPECT_GT(edit->PointOfChar({1, 2}).y(), shortLine.y());  // line 1 now takes several rows
    // A character far along line 1 is on a lower row but still at its buffer position.
    QPoint far = edit->PointOfChar({150, 1});
    EXPECT_GT(far.y(), 0);
    EXPECT_LT(far.x(), edit->viewport()->width());
    EXPECT_EQ(edit->CharAtPoint(far + QPoint(1, 1)), (TBufferCoord{150, 1}));
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, far + QPoint(1, 2));
    EXPECT_EQ(Caret(), (TBufferCoord{150, 1}));
    // Rows break after a blank, so no word is cut in two.
    QPoint rowStart = QPoint(edit->PointOfChar({1, 1}).x() + 1, far.y() + 2);
    TBufferCoord first = edit->CharAtPoint(rowStart);
    EXPECT_EQ(edit->Model().Lines()[0][first.Char - 2], ' ');
    // Keys keep working in buffer coordinates: End goes to the row's end, then the line's.
    Key(Qt::Key_End);
    EXPECT_EQ(edit->PointOfChar(Caret()).y(), far.y());
    EXPECT_LT(Caret().Char, static_cast<int>(longLine.size()) + 1);
    Key(Qt::Key_End);
    EXPECT_EQ(Caret().Char, static_cast<int>(longLine.size()) + 1);
    QTest::keyClicks(edit.get(), "!");
    EXPECT_EQ(edit->Model().Lines()[0].back(), '!');
    edit->SetWordWrap(false);
    EXPECT_EQ(edit->PointOfChar({1, 2}).y(), shortLine.y());
}

// Digits are numbers (attribute 1), everything else is attribute 0, the whitespace.
class DigitsLexer : public TKrqLexer {
  public:
    DigitsLexer() {
        for (int c = 'a'; c <= 'z'; ++c) ident_[c] = true;
    }
    const char* ComponentName() const override { return "hgr_Test"; }
    const char* ClassName() const override { return "TTestHighlighter"; }
    const char* LanguageName() const override { return "Test"; }
    const char* DefaultFilter() const override { return ""; }
    const std::vector<std::string>& AttributeNames() const override { return names_; }
    int WhitespaceAttr() const override { return 0; }
    const std::array<bool, 256>& IdentChars() const override { return ident_; }
    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override {
        ++calls;
        for (uint32_t i = 0; i < line.size();) {
            bool digit = line[i] >= '0' && line[i] <= '9';
            uint32_t j = i;
            while (j < line.size() && (line[j] >= '0' && line[j] <= '9') == digit) ++j;
            out.push_back({i, j - i, static_cast<uint8_t>(digit ? 1 : 0)});
            i = j;
        }
        // A line ending in "{" opens a block that the next "}" line closes.
        if (!line.empty() && line.back() == '{') return 1;
        if (!line.empty() && line.back() == '}') return 0;
        return state;
    }
    mutable int calls = 0;

  private:
    std::vector<std::string> names_{"Spacja", "Liczba"};
    std::array<bool, 256> ident_{};
};

QColor PixelAt(TKrqEdit& edit, QPoint p) {
    QImage image = edit.viewport()->grab().toImage();
    return image.pixelColor(p * image.devicePixelRatio());
}

TEST_F(WEditView, HighlighterColoursTokensAndKeepsSelectionColours) {
    DigitsLexer lexer;
    TKrqHighlighter highlighter(lexer);
    highlighter.SetAttribute(1, 0x0000FF /* red */, 0x00FF00 /* lime */, 0);
    Load("ab 123 cd");
    edit->SetColor(Qt::white);
    edit->SetHighlighter(&highlighter);
    QPoint digit = edit->PointOfChar({5, 1}) + QPoint(0, 0);
    QPoint letter = edit->PointOfChar({2, 1});
    EXPECT_EQ(PixelAt(*edit, digit), QColor(0, 255, 0));
    EXPECT_EQ(PixelAt(*edit, letter), QColor(Qt::white));

    // A colour changed in the highlighter shows on the next paint.
    highlighter.SetAttribute(1, 0x0000FF, 0xFF0000 /* blue */, 0);
    EXPECT_EQ(PixelAt(*edit, digit), QColor(0, 0, 255));
    // The whitespace attribute's background replaces the editor's where tokens have none.
    highlighter.SetAttribute(0, kNoColorValue, 0x00FFFF /* yellow */, 0);
    EXPECT_EQ(PixelAt(*edit, letter), QColor(255, 255, 0));

    edit->SetSelectedColor(Qt::white, QColor(10, 20, 30));
    edit->Model().SetSelection({1, 1}, {10, 1});
    EXPECT_EQ(PixelAt(*edit, digit), QColor(10, 20, 30));
    // Word characters follow the highlighter: digits are not part of words here.
    EXPECT_FALSE(edit->Model().IsWordChar('5'));
    edit->SetHighlighter(nullptr);
    EXPECT_TRUE(edit->Model().IsWordChar('5'));
}

TEST_F(WEditView, KeystrokeRelexesOnlyAsFarAsTheStateChanges) {
    DigitsLexer lexer;
    TKrqHighlighter highlighter(lexer);
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + "\n";
    Load(text);
    edit->SetHighlighter(&highlighter);
    edit->Model().SetCaretXY({1, 2500});
    edit->EnsureCaretVisible();
    edit->viewport()->grab();
    // The lines before the view were lexed once for their states; the rest never.
    EXPECT_LT(lexer.calls, 2600);
    EXPECT_GE(lexer.calls, 2500);
    lexer.calls = 0;
    QTest::keyClicks(edit.get(), "x");
    edit->viewport()->grab();
    EXPECT_LT(lexer.calls, 100);
    // A "{" changes the end state: the lines below are re-lexed and drawn in the new state.
    lexer.calls = 0;
    Key(Qt::Key_End);
    QTest::keyClicks(edit.get(), "{");
    edit->viewport()->grab();
    EXPECT_LT(lexer.calls, 200);
    // Undoing it, and changes far above the view, leave the cache consistent with a fresh lex.
    edit->Model().Undo();
    edit->Model().SetSelectedText("a{");
    edit->Model().SetCaretXY({1, 10});
    edit->Model().SetSelectedText("}\r\n");
    edit->Model().SetCaretXY({1, 2500});
    edit->EnsureCaretVisible();
    QImage cached = edit->viewport()->grab().toImage();
    edit->SetHighlighter(nullptr);
    edit->SetHighlighter(&highlighter);
    EXPECT_EQ(edit->viewport()->grab().toImage(), cached);
    edit->SetHighlighter(nullptr);
}

TEST_F(WEditView, PropertiesTakeEffectAtOnce) {
    Load("text");
    edit->SetColor(QColor(1, 2, 3));
    QPoint empty(edit->viewport()->width() - 5, edit->viewport()->height() - 5);
    EXPECT_EQ(PixelAt(*edit, empty), QColor(1, 2, 3));
    edit->SetGutterColor(QColor(200, 10, 10));
    EXPECT_EQ(PixelAt(*edit, QPoint(1, edit->viewport()->height() - 3)), QColor(200, 10, 10));
    const int h = edit->LineHeight();
    QFont big("Fixedsys");
    big.setPixelSize(30);
    edit->SetTextFont(big);
    EXPECT_GT(edit->LineHeight(), h);
    EXPECT_EQ(edit->TextFont().family(), "Fixedsys");  // the stored name is kept
    const QFontMetricsF drawn(edit->DrawnFont());      // monospaced by measurement
    for (QChar c : QStringLiteral("il.M0 "))
        EXPECT_DOUBLE_EQ(drawn.horizontalAdvance(c), drawn.horizontalAdvance(QChar('W')))
            << c.toLatin1();
    edit->SetTabWidth(4);
    Load("\tx");
    EXPECT_EQ(edit->PointOfChar({2, 1}).x() - edit->PointOfChar({1, 1}).x(),
              4 * QFontMetrics(edit->DrawnFont()).horizontalAdvance(' '));
}

TEST_F(WEditView, UndefinedBytesAreDrawnNotDropped) {
    edit->Model().Lines().LoadFromBytes(
        std::string("a\x81"
                    "b"));
    const int w = QFontMetrics(edit->DrawnFont()).horizontalAdvance(' ');
    EXPECT_EQ(edit->PointOfChar({3, 1}).x() - edit->PointOfChar({1, 1}).x(), 2 * w);
}

}  // namespace
}  // namespace krq::test
