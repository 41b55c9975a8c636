// Colouring as the user sees it through the window: scheme colours on screen, the fallbacks
// for missing colours, repainting on a changed attribute and the word characters.
#include <QImage>
#include <QTest>
#include <random>

#include "app/MainWindowFixture.h"
#include "editor/commands/KrqEditCommands.h"
#include "settings/frMarkers.h"

namespace krq::test {
namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kCyan = 0xFF00FFFF;

class MarkersDrawTest : public MainWindowTest {
  protected:
    TfrmMain& Window() {
        TfrmMain& w = Create();
        w.resize(800, 500);
        return w;
    }

    QImage Screen() const { return frm->mncKrqEdit->viewport()->grab().toImage(); }

    // Pixels of the cells of characters [from, to) of a line that satisfy `test`, as a share of
    // the cells' area.
    template <typename Test>
    double Share(const QImage& image, int line, int from, int to, Test test) const {
        QPoint a = frm->mncKrqEdit->PointOfChar({from, line});
        QPoint b = frm->mncKrqEdit->PointOfChar({to, line});
        int height = frm->mncKrqEdit->LineHeight();
        int hits = 0, all = 0;
        for (int y = a.y(); y < a.y() + height; ++y)
            for (int x = a.x(); x < b.x(); ++x, ++all) hits += test(image.pixel(x, y)) ? 1 : 0;
        return all ? static_cast<double>(hits) / all : 0;
    }
    double ShareOf(const QImage& image, int line, int from, int to, QRgb colour) const {
        return Share(image, line, from, to, [colour](QRgb p) { return p == colour; });
    }
    static bool Reddish(QRgb p) { return qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100; }
};

// Reserved word in red on green, whitespace background cyan; identifiers have no background
// of their own, so they sit on the cyan.
const char kScheme[] =
    "[hgr_Cpp]\r\nS\xB3owo zarezerwowane_F=255\r\nS\xB3owo zarezerwowane_B=65280\r\n"
    "S\xB3owo zarezerwowane_S=1\r\nSpacja_B=16776960\r\n";

TEST_F(MarkersDrawTest, OpenedCppShowsReservedWordsInTheSchemeColours) {
    WriteFile(Path("marks.ini"), kScheme);
    TfrmMain& w = Window();
    OpenFile("prog.cpp", "int value;\r\n");
    ASSERT_NE(w.mncKrqEdit->Highlighter(), nullptr);
    QImage image = Screen();
    EXPECT_GT(ShareOf(image, 1, 1, 4, kGreen), 0.4);
    EXPECT_GT(Share(image, 1, 1, 4, Reddish), 0.0);
    EXPECT_GT(ShareOf(image, 1, 5, 10, kCyan), 0.4);
    EXPECT_EQ(Share(image, 1, 5, 10, Reddish), 0.0);
    // Beyond the text the row shows the whitespace background too.
    EXPECT_GT(ShareOf(image, 1, 20, 30, kCyan), 0.9);

    // A selection keeps the selection colours over the token's.
    w.mncKrqEdit->Model().SetSelection({1, 1}, {4, 1});
    image = Screen();
    EXPECT_EQ(ShareOf(image, 1, 1, 4, kGreen), 0.0);
    EXPECT_GT(ShareOf(image, 1, 1, 4, w.mncKrqEdit->SelectedBackground().rgb()), 0.4);

    // Off again, the text is in the editor's own colours.
    w.mncKrqEdit->Model().SetCaretXY({1, 1});
    w.prcSetMarker("nil", false);
    image = Screen();
    const QRgb editor = w.mncKrqEdit->Color().rgb();
    EXPECT_GT(ShareOf(image, 1, 1, 4, editor), 0.4);
    EXPECT_EQ(Share(image, 1, 1, 10, Reddish), 0.0);
}

TEST_F(MarkersDrawTest, WithoutAnyBackgroundTheEditorBackgroundShows) {
    // The section is missing: every attribute uncoloured, as the text without a highlighter.
    WriteFile(Path("marks.ini"), "[hgr_Html]\r\nKomentarz_F=255\r\n");
    TfrmMain& w = Window();
    OpenFile("prog.cpp", "int value;\r\n");
    ASSERT_NE(w.mncKrqEdit->Highlighter(), nullptr);
    QImage image = Screen();
    const QRgb editor = w.mncKrqEdit->Color().rgb();
    EXPECT_GT(ShareOf(image, 1, 1, 10, editor), 0.4);
    EXPECT_EQ(Share(image, 1, 1, 10, Reddish), 0.0);

    // Only the reserved word has a background; the identifier stays on the editor's.
    WriteFile(Path("marks.ini"), kScheme);
    w.prcSetMarker("C++", false);
    auto& cpp = *w.Markers().FindByLanguage("C++");
    ASSERT_EQ(cpp.Attributes()[9].Name, "Spacja");
    cpp.SetAttribute(9, kNoColorValue, kNoColorValue, 0);
    image = Screen();
    EXPECT_GT(ShareOf(image, 1, 1, 4, kGreen), 0.4);
    EXPECT_GT(ShareOf(image, 1, 5, 10, editor), 0.4);
}

// The options window edits highlighters in place; the one on the editor shows the change at
// once, the others cause no painting.
TEST_F(MarkersDrawTest, ChangedAttributeRepaintsAtOnce) {
    WriteFile(Path("marks.ini"), kScheme);
    TfrmMain& w = Window();
    OpenFile("prog.cpp", "int value;\r\n");
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QWidget* viewport = w.mncKrqEdit->viewport();
    struct TPaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    viewport->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    w.Markers().FindByLanguage("Java")->SetAttribute(0, 255, 255, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    auto& cpp = *w.Markers().FindByLanguage("C++");
    const int reserved = 8;
    ASSERT_EQ(cpp.Attributes()[reserved].Name, "Słowo zarezerwowane");
    cpp.SetAttribute(reserved, 255, 0xFF0000, 0);  // now on blue
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_GT(ShareOf(Screen(), 1, 1, 4, 0xFF0000FF), 0.4);

    // Taken off, the highlighter no longer reaches the editor.
    w.prcSetMarker("nil", false);
    QCoreApplication::processEvents();
    counter.paints = 0;
    cpp.SetAttribute(reserved, 255, 65280, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    viewport->removeEventFilter(&counter);
}

// Edits that open and close block comments, add and remove lines: the states the editor kept
// and re-lexed in part draw the same screen as lexing everything afresh.
TEST_F(MarkersDrawTest, RandomEditsDrawAsAFreshLex) {
    WriteFile(Path("marks.ini"), kScheme + std::string("Komentarz_B=255\r\n"));
    TfrmMain& w = Window();
    std::string text;
    for (int i = 0; i < 300; ++i) text += i % 7 == 3 ? "int a; /* open\r\n" : "x = 1; */ y\r\n";
    OpenFile("random.cpp", text);
    TKrqEdit& edit = *w.mncKrqEdit;
    TKrqHighlighter* cpp = edit.Highlighter();
    ASSERT_NE(cpp, nullptr);
    const char* pieces[] = {"/*", "*/", "\r\n", "int\r\n/* a\r\nb */\r\n", "q", "//", "\r\n\r\n"};
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        TKrqEditModel& model = Model();
        const int lines = model.Lines().Count();
        const int line = 1 + static_cast<int>(random() % lines);
        const int length = static_cast<int>(model.Lines()[line - 1].size());
        model.SetCaretXY({1 + static_cast<int>(random() % (length + 1)), line});
        switch (random() % 4) {
            case 0:
            case 1:
                Type(pieces[random() % 7]);
                break;
            case 2: {
                const int to = std::min(lines, line + static_cast<int>(random() % 3));
                model.SetSelection(model.CaretXY(), {1, to});
                model.DeleteSelection();
                break;
            }
            default:
                if (model.CanUndo()) model.Undo();
        }
        model.SetTopLine(std::max(1, model.CaretLine() - static_cast<int>(random() % 20)));
        const QImage kept = Screen();
        edit.SetHighlighter(nullptr);
        edit.SetHighlighter(cpp);
        ASSERT_EQ(Screen(), kept) << "round " << round;
    }
}

TEST_F(MarkersDrawTest, IdentifierCharactersBecomeTheWordCharacters) {
    TfrmMain& w = Window();
    TKrqEditModel& model = Model();
    std::array<bool, 256> plain{};
    for (int c = 0; c < 256; ++c) plain[c] = model.IsWordChar(static_cast<uint8_t>(c));
    for (int i = 0; i < w.Markers().Count(); ++i) {
        const TKrqLexer& lexer = w.Markers().Highlighter(i).Lexer();
        w.prcSetMarker(Utf(lexer.LanguageName()), false);
        for (int c = 0; c < 256; ++c)
            ASSERT_EQ(model.IsWordChar(static_cast<uint8_t>(c)), lexer.IdentChars()[c])
                << lexer.LanguageName() << " " << c;
    }
    w.prcSetMarker("nil", false);
    for (int c = 0; c < 256; ++c) ASSERT_EQ(model.IsWordChar(static_cast<uint8_t>(c)), plain[c]);

    // A CSS property is one word; without a highlighter the hyphen ends the word.
    Type("font-size: 2px");
    w.prcSetMarker(Utf("Kaskadowe arkusze styli"), false);
    model.SetCaretXY({1, 1});
    model.ExecuteCommand(ecWordRight);
    EXPECT_EQ(model.CaretXY().Char, 12);
    w.prcSetMarker("nil", false);
    model.SetCaretXY({1, 1});
    model.ExecuteCommand(ecWordRight);
    EXPECT_EQ(model.CaretXY().Char, 6);
}

}  // namespace
}  // namespace krq::test
