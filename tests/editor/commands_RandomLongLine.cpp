// Random edits of one long line (typing, deleting, splitting it with Enter, joining lines again,
// undo and redo in between) must leave the same bytes as the same edits on a plain string, and
// undo and redo must walk back to the loaded text and forward again byte for byte. A line this
// long is kept in pieces once edited, so this also checks the pieces against the plain bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor/commands/KrqEditCommands.h"
#include "editor/model/TKrqEditModel.h"
#include "editor/model/text/TKrqLineText.h"

namespace krq {
namespace {

// The whole text with LF between lines, read through the lines' pieces.
std::string Joined(const TKrqEditModel& m) {
    return m.Lines().Join(0, m.Lines().Count(), "\n", false);
}

// The same read through each line's single run of bytes.
std::string JoinedFlat(const TKrqEditModel& m) {
    std::string out;
    for (int i = 0; i < m.Lines().Count(); ++i) {
        if (i) out += '\n';
        out.append(m.Lines()[i]);
    }
    return out;
}

// The reference: the document as one string with LF line breaks, and its undo history as the
// splices each step made.
struct TReference {
    std::string text;
    struct TSplice {
        size_t at;
        std::string removed, inserted;
    };
    std::vector<TSplice> undo, redo;

    void Splice(size_t at, size_t count, const std::string& insert) {
        undo.push_back({at, text.substr(at, count), insert});
        redo.clear();
        text.replace(at, count, insert);
    }
    void Undo() {
        TSplice s = undo.back();
        undo.pop_back();
        text.replace(s.at, s.inserted.size(), s.removed);
        redo.push_back(s);
    }
    void Redo() {
        TSplice s = redo.back();
        redo.pop_back();
        text.replace(s.at, s.removed.size(), s.inserted);
        undo.push_back(s);
    }
    // The (column, line) of byte `at`.
    TBufferCoord CoordOf(size_t at) const {
        int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
        size_t start = text.rfind('\n', at == 0 ? std::string::npos : at - 1);
        start = start == std::string::npos || start >= at ? 0 : start + 1;
        return {static_cast<int>(at - start) + 1, line};
    }
    size_t LineEnd(size_t at) const {
        size_t e = text.find('\n', at);
        return e == std::string::npos ? text.size() : e;
    }
    size_t LineStart(size_t at) const {
        size_t s = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
        return s == std::string::npos ? 0 : s + 1;
    }
};

struct TParams {
    size_t size;
    int steps;
    unsigned seed;
    bool autoIndent;
};

class RandomLongLine : public testing::TestWithParam<TParams> {};

TEST_P(RandomLongLine, EditsMatchAPlainStringAndUndoRedoRetraceThem) {
    const TParams param = GetParam();
    std::mt19937 rng(param.seed);
    auto pick = [&](size_t lo, size_t hi) {
        return std::uniform_int_distribution<size_t>(lo, hi)(rng);
    };
    TReference ref;
    ref.text.reserve(param.size + 4096);
    for (size_t i = 0; i < param.size; ++i)
        ref.text += i % 97 == 0 ? ' ' : static_cast<char>('a' + pick(0, 25));
    TKrqEditModel m;
    m.Lines().LoadFromBytes(ref.text + "\r\n");
    m.SetOptions(param.autoIndent ? TKrqEditorOptions{eoAutoIndent} : 0u);
    const std::string loaded = ref.text;

    // Positions mostly inside the long text, now and then at a line's start or end.
    auto anywhere = [&]() -> size_t {
        size_t at = pick(0, ref.text.size());
        switch (pick(0, 5)) {
            case 0:
                return ref.LineStart(at);
            case 1:
                return ref.LineEnd(at);
            default:
                return at;
        }
    };
    auto word = [&]() {
        static const char* parts[] = {"x", "yz", " ", "\t", "\xB9\xE6", "  q"};
        std::string s;
        for (size_t n = pick(1, 4); n > 0; --n) s += parts[pick(0, 5)];
        return s;
    };
    auto check = [&](const char* what, int step) {
        ASSERT_EQ(m.Lines().Count(),
                  1 + static_cast<int>(std::count(ref.text.begin(), ref.text.end(), '\n')))
            << what << " " << step;
        ASSERT_TRUE(Joined(m) == ref.text) << what << " " << step;
    };

    for (int step = 0; step < param.steps; ++step) {
        const size_t op = pick(0, 10);
        SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
        if (op == 0 && !ref.undo.empty()) {
            ASSERT_TRUE(m.CanUndo());
            m.Undo();
            ref.Undo();
        } else if (op == 1 && !ref.redo.empty()) {
            ASSERT_TRUE(m.CanRedo());
            m.Redo();
            ref.Redo();
        } else if (op == 2) {
            // A typed character, in insert or in overwrite mode.
            size_t at = anywhere();
            const char ch = static_cast<char>('A' + pick(0, 25));
            const bool overwrite = pick(0, 3) == 0;
            m.SetInsertMode(!overwrite);
            m.SetCaretXY(ref.CoordOf(at));
            m.ExecuteCommand(ecChar, ch);
            const bool replaces = overwrite && at < ref.LineEnd(at);
            ref.Splice(at, replaces ? 1 : 0, std::string(1, ch));
            m.SetInsertMode(true);
        } else if (op == 3) {
            // Enter: splits the line at the caret, the new line indented like the text before
            // the caret when auto indent is on.
            size_t at = anywhere();
            const size_t start = ref.LineStart(at), end = ref.LineEnd(at);
            if (param.autoIndent && (at == start || at == end)) continue;
            m.SetCaretXY(ref.CoordOf(at));
            m.ExecuteCommand(ecLineBreak);
            std::string indent;
            if (param.autoIndent) {
                int width = 0;
                for (size_t i = start; i < at && (ref.text[i] == ' ' || ref.text[i] == '\t'); ++i)
                    width += ref.text[i] == '\t' ? m.TabWidth() : 1;
                indent.assign(static_cast<size_t>(width), ' ');
            }
            ref.Splice(at, 0, "\n" + indent);
        } else if (op == 4) {
            // Ctrl+N: the same split with the caret staying.
            size_t at = anywhere();
            m.SetCaretXY(ref.CoordOf(at));
            m.ExecuteCommand(ecInsertLine);
            ref.Splice(at, 0, "\n");
        } else if (op == 5) {
            // Backspace: at a line's start it joins the line to the one above.
            size_t at = anywhere();
            if (at == 0) continue;
            m.SetCaretXY(ref.CoordOf(at));
            m.ExecuteCommand(ecDeleteLastChar);
            ref.Splice(at - 1, 1, "");
        } else if (op == 6) {
            // Delete: at a line's end it joins the next line to it.
            size_t at = anywhere();
            if (at == ref.text.size()) continue;
            m.SetCaretXY(ref.CoordOf(at));
            m.ExecuteCommand(ecDeleteChar);
            ref.Splice(at, 1, "");
        } else if (op == 7) {
            // Text with line breaks inserted in one step.
            size_t at = anywhere();
            std::string t = word();
            std::string plain = t;
            if (pick(0, 1)) {
                const std::string next = word();
                t += "\r\n" + next;
                plain += "\n" + next;
            }
            m.InsertText(ref.CoordOf(at), t);
            ref.Splice(at, 0, plain);
        } else if (op == 8) {
            // A deletion, now and then a long one across lines.
            size_t a = anywhere();
            size_t n = pick(0, 2) == 0 ? pick(0, ref.text.size() / 3) : pick(0, 40);
            size_t b = std::min(ref.text.size(), a + n);
            if (a == b) continue;
            m.DeleteText(ref.CoordOf(a), ref.CoordOf(b));
            ref.Splice(a, b - a, "");
        } else {
            // The bytes as one run must agree with the pieces.
            ASSERT_TRUE(JoinedFlat(m) == ref.text);
            continue;
        }
        check("after", step);
        ASSERT_EQ(m.CanUndo(), !ref.undo.empty());
        ASSERT_EQ(m.CanRedo(), !ref.redo.empty());
    }

    EXPECT_GT(ref.undo.size() + ref.redo.size(), static_cast<size_t>(param.steps / 4));

    // Forward to the newest step, back to the loaded text and forward again, through every step.
    for (int step = 0; !ref.redo.empty(); ++step) {
        m.Redo();
        ref.Redo();
        check("pending redo", step);
    }
    const std::string edited = ref.text;
    for (int step = 0; !ref.undo.empty(); ++step) {
        ASSERT_TRUE(m.CanUndo());
        m.Undo();
        ref.Undo();
        check("undo", step);
    }
    EXPECT_FALSE(m.CanUndo());
    EXPECT_TRUE(ref.text == loaded);
    EXPECT_TRUE(JoinedFlat(m) == loaded);
    for (int step = 0; !ref.redo.empty(); ++step) {
        ASSERT_TRUE(m.CanRedo());
        m.Redo();
        ref.Redo();
        check("redo", step);
    }
    EXPECT_FALSE(m.CanRedo());
    EXPECT_TRUE(ref.text == edited);
    EXPECT_TRUE(JoinedFlat(m) == edited);
}

INSTANTIATE_TEST_SUITE_P(Lines, RandomLongLine,
                         testing::Values(TParams{3u << 20, 300, 1, false},
                                         TParams{3u << 20, 300, 2, true},
                                         TParams{200 << 10, 400, 3, false},
                                         TParams{200, 400, 4, false}, TParams{200, 400, 5, true},
                                         TParams{90, 400, 6, false}));

// The pieces of a long text against the same operations on a string: cutting, joining,
// replacing, and reading runs, bytes and copies.
TEST(LongLineText, PiecesAgreeWithAPlainString) {
    std::mt19937 rng(7);
    auto pick = [&](size_t lo, size_t hi) {
        return std::uniform_int_distribution<size_t>(lo, hi)(rng);
    };
    std::string plain(300000, '\0');
    for (char& c : plain) c = static_cast<char>('a' + pick(0, 25));
    const std::string original = plain;
    TKrqLineText text = TKrqLineText::Slice(original.data(), original.size());
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        size_t at = pick(0, plain.size());
        size_t count = pick(0, 3) == 0 ? pick(0, plain.size() - at) : pick(0, 30);
        count = std::min(count, plain.size() - at);
        std::string insert(pick(0, 2) == 0 ? pick(0, 100000) : pick(0, 5), 'X');
        for (char& c : insert) c = static_cast<char>('A' + pick(0, 25));
        text = text.Replaced(at, count, TKrqLineText::Copy(insert));
        plain.replace(at, count, insert);
        ASSERT_EQ(text.size(), plain.size());
        if (text.size() >= TKrqLineText::kLongLine) {
            ASSERT_TRUE(text.Pieced());
        }
        // Reading piece by piece gives the bytes in order.
        std::string runs;
        text.ForEachRun(0, text.size(), [&](std::string_view r) { runs.append(r); });
        ASSERT_TRUE(runs == plain);
        size_t from = pick(0, plain.size()), n = pick(0, plain.size() - from);
        ASSERT_TRUE(text.Substr(from, n) == plain.substr(from, n));
        ASSERT_TRUE(text.Sub(from, n).Substr(0) == plain.substr(from, n));
        if (from < plain.size()) {
            ASSERT_EQ(text.At(from), plain[from]);
            std::string_view run = text.RunAt(from);
            ASSERT_TRUE(run == std::string_view(plain).substr(from, run.size()));
            std::string_view before = text.RunBefore(from + 1);
            ASSERT_TRUE(before ==
                        std::string_view(plain).substr(from + 1 - before.size(), before.size()));
        }
        if (step % 50 == 0) {
            ASSERT_TRUE(text.view() == plain);
        }
    }
    // An old version stays as it was while newer ones share its pieces.
    TKrqLineText before = text;
    const std::string kept = plain;
    TKrqLineText after = text.Replaced(10, 5, TKrqLineText::Copy("new"));
    EXPECT_TRUE(before.view() == kept);
    EXPECT_TRUE(after.Substr(0) == kept.substr(0, 10) + "new" + kept.substr(15));
}

}  // namespace
}  // namespace krq
