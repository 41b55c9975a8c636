// The view caches over a changing model: any sequence of edits, undos and scrolls leaves the
// same line states, tokens and wrapped rows as a fresh load of the same text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor/layout/TKrqLineCaches.h"
#include "editor/model/TKrqEditModel.h"
#include "lexers/KrqLexer.h"

namespace krq {
namespace {

class UnitFont : public TKrqFontMetrics {
  public:
    double ByteAdvance(uint8_t) const override { return 1; }
};

// A view over a model as the widget keeps it: caches synced after every change, and lines
// asked for (drawn) around a top line that moves.
struct TView {
    explicit TView(TKrqEditModel& m) : model(m) {
        layout.SetFont(UnitFont());
        caches.States().SetLexer(&CppLexer());
        caches.Sync(model, 0);
    }
    void Sync() { caches.Sync(model, top + shown); }
    void Draw() {
        Sync();
        const int count = model.Lines().Count();
        for (int line = top; line < std::min(count, top + shown); ++line) {
            caches.States().TokensOf(model.Lines(), line);
            caches.Wrap().RowsOf(line, model.Lines()[line], layout, kWidth);
        }
    }
    static constexpr double kWidth = 12;
    TKrqEditModel& model;
    TKrqLineLayout layout;
    TKrqLineCaches caches;
    int top = 0;
    int shown = 6;
};

// Every line's tokens and rows from the view, against a fresh view of the same text.
void ExpectSameAsFresh(TView& view, const std::string& context) {
    view.Sync();
    TKrqLineStates fresh;
    fresh.SetLexer(&CppLexer());
    const TKrqEditStringList& lines = view.model.Lines();
    for (int line = 0; line < lines.Count(); ++line) {
        const auto* got = view.caches.States().TokensOf(lines, line);
        const auto* want = fresh.TokensOf(lines, line);
        ASSERT_TRUE(got && want);
        ASSERT_EQ(*got, *want) << context << " line " << line;
        ASSERT_EQ(view.caches.Wrap().RowsOf(line, lines[line], view.layout, TView::kWidth),
                  view.layout.WrapStarts(lines[line], TView::kWidth))
            << context << " line " << line;
    }
}

// A comment opened at the top, the end visited (its lines drawn in comment colour), then the
// opener removed: the end must be drawn as code again.
TEST(LineStates, ClosingACommentRecoloursLinesDrawnWhileItWasOpen) {
    TKrqEditModel model;
    std::vector<std::string> text;
    for (int i = 0; i < 200; ++i) text.push_back("int x" + std::to_string(i) + " = 1;");
    model.InsertLines(1, text);
    TView view(model);
    view.Draw();
    model.InsertText({1, 1}, "/*");
    view.Draw();
    view.top = 190;  // Ctrl+End
    view.Draw();
    view.top = 0;  // Ctrl+Home
    view.Draw();
    model.DeleteText({1, 1}, {3, 1});
    view.Draw();
    view.top = 190;
    view.Draw();
    ExpectSameAsFresh(view, "after the opener went");
}

std::string RandomPiece(std::mt19937& rng) {
    static const char* const kPieces[] = {"/*", "*/",   "\"",  "//", "x",  " ",
                                          "\t", "\r\n", "int", "'",  "\\", "a b c d e f g h"};
    std::string s;
    for (int n = 1 + rng() % 3; n > 0; --n) s += kPieces[rng() % std::size(kPieces)];
    return s;
}

TEST(LineStates, AnyEditsAndScrollsEndAsAFreshLoad) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 40; ++round) {
        TKrqEditModel model;
        std::vector<std::string> text;
        for (int i = 0, n = 5 + rng() % 60; i < n; ++i) text.push_back(RandomPiece(rng));
        model.InsertLines(1, text);
        TView view(model);
        view.shown = 2 + rng() % 8;
        for (int step = 0; step < 60; ++step) {
            const int count = model.Lines().Count();
            if (count == 0) {
                model.InsertLines(1, {RandomPiece(rng)});  // undo took the first text away
                continue;
            }
            const int line = 1 + static_cast<int>(rng() % count);
            const int len = static_cast<int>(model.Lines()[line - 1].size());
            const int ch = 1 + static_cast<int>(rng() % (len + 1));
            switch (rng() % 7) {
                case 0:
                case 1:
                    model.InsertText({ch, line}, RandomPiece(rng));
                    break;
                case 2: {
                    const int line2 = std::min(count, line + static_cast<int>(rng() % 3));
                    const int len2 = static_cast<int>(model.Lines()[line2 - 1].size());
                    int ch2 = 1 + static_cast<int>(rng() % (len2 + 1));
                    if (line2 == line) ch2 = std::max(ch, ch2);
                    model.DeleteText({ch, line}, {ch2, line2});
                    break;
                }
                case 3:
                    if (model.CanUndo()) model.Undo();
                    break;
                case 4:
                    if (model.CanRedo()) model.Redo();
                    break;
                case 5:
                    view.top = static_cast<int>(rng() % std::max(1, count));
                    break;
                default:
                    if (count > 1) model.DeleteLines(line, 1);
                    break;
            }
            if (rng() % 2) view.Draw();
            if (step % 15 == 14) {
                ASSERT_NO_FATAL_FAILURE(ExpectSameAsFresh(view, "step " + std::to_string(step)));
            }
        }
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsFresh(view, "the end"));
    }
}

// The start state of every line as a lex of each line in turn from the top gives it.
std::vector<int> SequentialStates(const TKrqEditStringList& lines) {
    std::vector<int> states{0};
    std::vector<TKrqToken> tokens;
    for (int k = 0; k < lines.Count(); ++k) {
        tokens.clear();
        states.push_back(CppLexer().LexLine(lines[k], states.back(), tokens));
    }
    return states;
}

void ExpectSequentialStates(TView& view, const std::string& context) {
    view.Sync();
    const TKrqEditStringList& lines = view.model.Lines();
    const std::vector<int> want = SequentialStates(lines);
    for (int line = 0; line < lines.Count(); ++line)
        ASSERT_EQ(view.caches.States().StateOf(lines, line), want[line])
            << context << " line " << line;
}

// A far jump learns the states of the lines it passes over without their tokens, and lexing
// ahead in strides (as the widget does while idle) learns them before any jump; either way,
// and after edits in between, they are the states of a lex from the top.
TEST(LineStates, FarJumpsBeforeAndAfterLexingAheadGiveTheSequentialStates) {
    std::mt19937 rng(1250);
    for (int round = 0; round < 30; ++round) {
        TKrqEditModel model;
        std::vector<std::string> text;
        for (int i = 0, n = 50 + rng() % 400; i < n; ++i) text.push_back(RandomPiece(rng));
        model.InsertLines(1, text);
        TView view(model);
        view.Draw();
        const bool lexAheadFirst = round % 2 == 1;
        if (lexAheadFirst) {
            for (int k = 0; k < model.Lines().Count(); k += 1 + static_cast<int>(rng() % 40))
                view.caches.States().StateOf(model.Lines(), k);
        }
        view.top = std::max(0, model.Lines().Count() - view.shown);  // Ctrl+End
        view.Draw();
        ASSERT_NO_FATAL_FAILURE(ExpectSequentialStates(view, "first jump"));
        for (int step = 0; step < 20; ++step) {
            const int count = model.Lines().Count();
            const int line = 1 + static_cast<int>(rng() % count);
            const int len = static_cast<int>(model.Lines()[line - 1].size());
            model.InsertText({1 + static_cast<int>(rng() % (len + 1)), line}, RandomPiece(rng));
            view.top = static_cast<int>(rng() % model.Lines().Count());
            view.Draw();
            // Part of the rest lexed ahead, as an idle slice leaves it.
            const int known = view.caches.States().KnownStates();
            view.caches.States().StateOf(
                model.Lines(),
                std::min(model.Lines().Count() - 1, known + static_cast<int>(rng() % 100)));
        }
        view.top = std::max(0, model.Lines().Count() - view.shown);
        view.Draw();
        ASSERT_NO_FATAL_FAILURE(ExpectSequentialStates(view, "after edits"));
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsFresh(view, "after edits"));
    }
}

}  // namespace
}  // namespace krq
