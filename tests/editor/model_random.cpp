// Random edits applied to the model and to a plain vector of strings must agree, and undo and
// redo must walk back and forth through exactly the same texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor/model/TKrqEditModel.h"

namespace krq {
namespace {

// The reference: the documented rules written the plain way.
struct TReference {
    std::vector<std::string> lines;
    bool trim = false;

    std::string T(std::string s) const {
        if (trim) {
            while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
        }
        return s;
    }
    static std::vector<std::string> Pieces(const std::string& text) {
        std::vector<std::string> out(1);
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' || text[i] == '\n') {
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                out.emplace_back();
            } else {
                out.back() += text[i];
            }
        }
        return out;
    }
    int Count() const { return static_cast<int>(lines.size()); }
    TBufferCoord Clamp(TBufferCoord p) const {
        return {std::max(1, p.Char), std::clamp(p.Line, 1, std::max(1, Count()))};
    }

    TBufferCoord Insert(TBufferCoord pos, const std::string& text) {
        int line = std::clamp(pos.Line, 1, Count() + 1);
        int col = std::max(1, pos.Char);
        if (text.empty()) return {col, line};
        if (line == Count() + 1) lines.emplace_back();
        std::string cur = lines[line - 1];
        size_t at = static_cast<size_t>(col - 1);
        size_t keep = std::min(at, cur.size());
        std::string before = cur.substr(0, keep) + std::string(at - keep, ' ');
        std::string after = cur.substr(keep);
        std::vector<std::string> p = Pieces(text);
        if (p.size() == 1) {
            lines[line - 1] = T(before + p[0] + after);
            return {col + static_cast<int>(text.size()), line};
        }
        std::vector<std::string> made;
        made.push_back(T(before + p[0]));
        for (size_t i = 1; i + 1 < p.size(); ++i) made.push_back(T(p[i]));
        made.push_back(T(p.back() + after));
        lines.erase(lines.begin() + line - 1);
        lines.insert(lines.begin() + line - 1, made.begin(), made.end());
        return {static_cast<int>(p.back().size()) + 1, line + static_cast<int>(p.size()) - 1};
    }

    void Delete(TBufferCoord b, TBufferCoord e) {
        if (lines.empty()) return;
        if (e < b) std::swap(b, e);
        b.Line = std::clamp(b.Line, 1, Count());
        b.Char = std::max(1, b.Char);
        if (e.Line > Count()) e = {static_cast<int>(lines.back().size()) + 1, Count()};
        if (e <= b) return;
        std::string first = lines[b.Line - 1];
        size_t kb = std::min<size_t>(b.Char - 1, first.size());
        if (b.Line == e.Line) {
            size_t ke = std::min<size_t>(e.Char - 1, first.size());
            if (ke > kb) lines[b.Line - 1] = T(first.erase(kb, ke - kb));
            return;
        }
        const std::string& last = lines[e.Line - 1];
        std::string rest = last.substr(std::min<size_t>(e.Char - 1, last.size()));
        std::string pad = rest.empty() ? "" : std::string(b.Char - 1 - kb, ' ');
        lines[b.Line - 1] = T(first.substr(0, kb) + pad + rest);
        lines.erase(lines.begin() + b.Line, lines.begin() + e.Line);
    }

    std::string Selected(TBufferCoord a, TBufferCoord c, TSelectionMode mode) const {
        if (a == c || lines.empty()) return "";
        TBufferCoord b = std::min(a, c), e = std::max(a, c);
        int bl = std::clamp(b.Line, 1, Count()), el = std::clamp(e.Line, 1, Count());
        auto slice = [](const std::string& s, size_t from, size_t to) {
            from = std::min(from, s.size());
            to = std::min(to, s.size());
            return to > from ? s.substr(from, to - from) : std::string();
        };
        std::string out;
        if (mode == smLine) {
            for (int l = bl; l <= el; ++l) out += lines[l - 1] + (l < Count() ? "\r\n" : "");
            return out;
        }
        if (mode == smColumn) {
            size_t lo = std::min(b.Char, e.Char) - 1, hi = std::max(b.Char, e.Char) - 1;
            for (int l = bl; l <= el; ++l) {
                std::string piece = slice(lines[l - 1], lo, hi);
                if (!trim) piece.resize(hi - lo, ' ');
                out += piece + (l < el ? "\r\n" : "");
            }
            return out;
        }
        if (bl == el) return slice(lines[bl - 1], b.Char - 1, e.Char - 1);
        out = slice(lines[bl - 1], b.Char - 1, std::string::npos) + "\r\n";
        for (int l = bl + 1; l < el; ++l) out += lines[l - 1] + "\r\n";
        return out + slice(lines[el - 1], 0, e.Char - 1);
    }

    // Returns the caret after writing the selected text.
    TBufferCoord SetSelected(TBufferCoord a, TBufferCoord c, TSelectionMode mode,
                             const std::string& text) {
        TBufferCoord at = c;
        if (a != c) {
            TBufferCoord b = std::min(a, c), e = std::max(a, c);
            at = b;
            if (!lines.empty()) {
                if (mode == smNormal) {
                    Delete(b, e);
                } else if (mode == smLine) {
                    int bl = std::clamp(b.Line, 1, Count()), el = std::clamp(e.Line, 1, Count());
                    lines.erase(lines.begin() + bl - 1, lines.begin() + el);
                    at = {1, bl};
                } else {
                    int lo = std::min(b.Char, e.Char), hi = std::max(b.Char, e.Char);
                    for (int l = b.Line; l <= std::min(e.Line, Count()); ++l)
                        Delete({lo, l}, {hi, l});
                    at = {lo, b.Line};
                }
            }
        }
        if (text.empty()) return Clamp(at);
        if (mode != smColumn) return Clamp(Insert(at, text));
        std::vector<std::string> p = Pieces(text);
        size_t col = static_cast<size_t>(std::max(1, at.Char) - 1);
        int line0 = std::clamp(at.Line, 1, Count() + 1) - 1;
        for (size_t k = 0; k < p.size(); ++k) {
            int l = line0 + static_cast<int>(k);
            if (l < Count()) {
                std::string& cur = lines[l];
                size_t keep = std::min(col, cur.size());
                cur =
                    T(cur.substr(0, keep) + std::string(col - keep, ' ') + p[k] + cur.substr(keep));
            } else {
                lines.push_back(T(std::string(col, ' ') + p[k]));
            }
        }
        return Clamp(
            {static_cast<int>(col + p.back().size()) + 1, line0 + static_cast<int>(p.size())});
    }
};

std::vector<std::string> LinesOf(const TKrqEditModel& m) {
    std::vector<std::string> out;
    for (int i = 0; i < m.Lines().Count(); ++i) out.emplace_back(m.Lines()[i]);
    return out;
}

class RandomEdits : public testing::TestWithParam<unsigned> {};

TEST_P(RandomEdits, ModelMatchesReferenceAndUndoRedoRetraceIt) {
    std::mt19937 rng(GetParam());
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto text = [&]() {
        static const char* parts[] = {"a", "bc", " ", "\t", "\r\n", "\n", "\r", "\xB9\xE6", "  x"};
        std::string s;
        for (int n = pick(0, 5); n > 0; --n) s += parts[pick(0, 8)];
        return s;
    };

    TKrqEditModel m;
    TReference ref;
    int changes = 0;
    m.OnChange = [&] { ++changes; };
    if (GetParam() % 2) {
        m.Lines().LoadFromBytes("line one\r\n  two  \r\nthree\r\n\r\nfive\r\n");
        ref.lines = LinesOf(m);
    }
    auto pos = [&]() {
        int line = pick(1, ref.Count() + 1);
        int len = line <= ref.Count() ? static_cast<int>(ref.lines[line - 1].size()) : 0;
        return TBufferCoord{pick(1, len + 3), line};
    };

    struct TStep {
        std::vector<std::string> text;
        TBufferCoord caretBefore, anchorBefore;
    };
    std::vector<TStep> steps;
    std::vector<std::string> initial = ref.lines;
    for (int step = 0; step < 400; ++step) {
        bool trim = pick(0, 3) == 0;
        m.SetOptions(trim ? TKrqEditorOptions{eoTrimTrailingSpaces} : 0u);
        ref.trim = trim;
        TBufferCoord caretBefore = m.CaretXY(), anchorBefore = m.SelectionAnchor();
        int before = changes;
        int op = pick(0, 6);
        SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
        if (op == 0) {
            TBufferCoord p = pos();
            std::string t = text();
            EXPECT_EQ(m.InsertText(p, t), ref.Insert(p, t));
        } else if (op == 1) {
            TBufferCoord a = pos(), b = pos();
            if (b < a) std::swap(a, b);
            m.DeleteText(a, b);
            ref.Delete(a, b);
        } else if (op == 2 && ref.Count() > 0) {
            int line = pick(1, ref.Count());
            std::string t = text();
            t.erase(
                std::remove_if(t.begin(), t.end(), [](char c) { return c == '\r' || c == '\n'; }),
                t.end());
            m.SetLineText(line, t);
            ref.lines[line - 1] = ref.T(t);
        } else if (op == 3) {
            int line = pick(1, ref.Count() + 1);
            std::vector<std::string> add(pick(1, 3), "new ");
            m.InsertLines(line, add);
            for (auto& s : add) s = ref.T(s);
            ref.lines.insert(ref.lines.begin() + line - 1, add.begin(), add.end());
        } else if (op == 4 && ref.Count() > 0) {
            int line = pick(1, ref.Count());
            int n = pick(1, 3);
            m.DeleteLines(line, n);
            ref.lines.erase(ref.lines.begin() + line - 1,
                            ref.lines.begin() + std::min(ref.Count(), line - 1 + n));
        } else {
            auto mode = static_cast<TSelectionMode>(pick(0, 2));
            m.SetSelectionMode(mode);
            TBufferCoord a = pos(), c = pos();
            m.SetSelection(a, c);
            a = m.SelectionAnchor();
            c = m.CaretXY();
            caretBefore = c;
            anchorBefore = a;
            ASSERT_EQ(m.SelectedText(), ref.Selected(a, c, mode));
            std::string t = op == 5 ? text() : "";
            m.SetSelectedText(t);
            EXPECT_EQ(m.CaretXY(), ref.SetSelected(a, c, mode, t));
            EXPECT_FALSE(m.SelAvail());
        }
        ASSERT_EQ(LinesOf(m), ref.lines);
        ASSERT_LE(changes - before, 1);
        if (changes > before) steps.push_back({ref.lines, caretBefore, anchorBefore});
    }
    ASSERT_LT(steps.size(), 1024u);
    EXPECT_GT(steps.size(), 200u);  // most random steps really change the text

    for (size_t i = steps.size(); i-- > 0;) {
        ASSERT_TRUE(m.CanUndo());
        m.Undo();
        ASSERT_EQ(LinesOf(m), i > 0 ? steps[i - 1].text : initial) << "undo to step " << i;
        EXPECT_EQ(m.CaretXY(), steps[i].caretBefore);
        EXPECT_EQ(m.SelectionAnchor(), steps[i].anchorBefore);
    }
    EXPECT_FALSE(m.CanUndo());
    for (size_t i = 0; i < steps.size(); ++i) {
        ASSERT_TRUE(m.CanRedo());
        m.Redo();
        ASSERT_EQ(LinesOf(m), steps[i].text) << "redo of step " << i;
    }
    EXPECT_FALSE(m.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEdits, testing::Range(1u, 13u));

}  // namespace
}  // namespace krq
