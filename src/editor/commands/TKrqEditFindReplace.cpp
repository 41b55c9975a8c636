// FindAndReplace: the region, the order of visits, prompting, and the one-pass replace-all.
#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "editor/commands/KrqEditCommandState.h"
#include "editor/model/TKrqEditModelImpl.h"
#include "editor/model/TKrqEditSearch.h"
#include "editor/model/TKrqUndoBlock.h"
#include "editor/model/text/TKrqLineText.h"

namespace krq {

namespace {

// Where occurrences count: on the first line from firstCol, on the last line ending by lastCol
// (an exclusive column); a column region applies both bounds on every line.
struct TRegion {
    int firstLine = 1;
    int lastLine = 1;
    int firstCol = 1;
    int lastCol = INT_MAX;
    bool column = false;

    bool Accepts(int line, int col, int len) const {
        int end = col + len;
        if (column) return col >= firstCol && end <= lastCol;
        if (line == firstLine && col < firstCol) return false;
        if (line == lastLine && end > lastCol) return false;
        return true;
    }
};

TRegion RegionOf(const TKrqEditModel& m, TKrqSearchOptions options) {
    TRegion r;
    if ((options & ssoSelectedOnly) && m.SelAvail()) {
        TBufferCoord b = m.BlockBegin();
        TBufferCoord e = m.BlockEnd();
        r.firstLine = b.Line;
        r.lastLine = e.Line;
        if (m.SelectionMode() == smNormal) {
            r.firstCol = b.Char;
            r.lastCol = e.Char;
        } else if (m.SelectionMode() == smColumn) {
            r.column = true;
            r.firstCol = std::min(b.Char, e.Char);
            r.lastCol = std::max(b.Char, e.Char);
        }
    } else {
        r.lastLine = m.Lines().Count();
        if (!(options & ssoEntireScope)) {
            TBufferCoord c = m.CaretXY();
            if (options & ssoBackwards) {
                r.lastLine = c.Line;
                r.lastCol = c.Char;
            } else {
                r.firstLine = c.Line;
                r.firstCol = c.Char;
            }
        }
    }
    r.lastLine = std::min(r.lastLine, m.Lines().Count());
    return r;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The 1-based columns of the occurrences of `line` that lie in the region.
void Occurrences(const TKrqEditSearch& engine, const TRegion& r, int y, std::string_view line,
                 std::vector<int>& found, std::vector<int>& cols) {
    engine.FindAll(line, found);
    cols.clear();
    for (int at : found) {
        if (r.Accepts(y, at + 1, engine.Length())) cols.push_back(at + 1);
    }
}

// Replace-all without prompting: each changed line is built once and written once, all inside
// one undo step. The caret ends at the last replacement the visiting order reaches.
int ReplaceAllInOnePass(TKrqEditModel& m, const TKrqEditSearch& engine, const TRegion& r,
                        std::string_view replace, bool backwards) {
    const int len = engine.Length();
    const int rlen = static_cast<int>(replace.size());
    int count = 0;
    TBufferCoord caret;
    std::vector<int> found;
    std::vector<int> cols;
    TKrqLineArena arena;  // the rewritten lines come from a few large chunks
    {
        TKrqUndoBlock block(m);
        for (int i = 0, n = r.lastLine - r.firstLine + 1; i < n; ++i) {
            int y = backwards ? r.lastLine - i : r.firstLine + i;
            std::string_view s = m.Lines()[y - 1];
            Occurrences(engine, r, y, s, found, cols);
            if (cols.empty()) continue;
            // The new line is written once, straight into the storage it keeps.
            const size_t size = s.size() + cols.size() * replace.size() - cols.size() * len;
            char* out;
            TKrqLineText line = TKrqLineText::Uninitialized(size, out);
            size_t prev = 0;
            for (int col : cols) {
                if (!out) break;  // the line becomes empty
                const size_t at = static_cast<size_t>(col - 1);
                std::memcpy(out, s.data() + prev, at - prev);
                out += at - prev;
                std::memcpy(out, replace.data(), replace.size());
                out += replace.size();
                prev = at + static_cast<size_t>(len);
            }
            if (out) std::memcpy(out, s.data() + prev, s.size() - prev);
            count += static_cast<int>(cols.size());
            if (backwards) {
                caret = {cols.front(), y};
            } else {
                int shift = static_cast<int>(cols.size() - 1) * (rlen - len);
                caret = {cols.back() + shift + rlen, y};
            }
            m.SetLineText(y, std::move(line));
        }
    }
    if (count > 0) m.SetCaretXY(caret);
    return count;
}

// Replaces one occurrence as one undo step; returns the position after the inserted text.
// Trimming waits for the line's last occurrence: trimming earlier could remove blanks that are
// still to be replaced.
TBufferCoord ReplaceOne(TKrqEditModel& m, TBufferCoord b, TBufferCoord e, std::string_view replace,
                        bool lastOfLine) {
    const TKrqEditorOptions options = m.Options();
    const bool holdTrim = !lastOfLine && (options & eoTrimTrailingSpaces);
    TBufferCoord after;
    TKrqUndoBlock block(m);
    // Inside the block the options change raises nothing, so giving them back cannot throw.
    struct TRestoreOptions {
        TKrqEditModel& m;
        TKrqEditorOptions options;
        bool held;
        ~TRestoreOptions() {
            if (held) m.SetOptions(options);
        }
    } restore{m, options, holdTrim};
    if (holdTrim) m.SetOptions(options & ~eoTrimTrailingSpaces);
    if (!HasLineBreak(replace)) {
        std::string s(m.Lines()[b.Line - 1]);
        s.replace(b.Char - 1, e.Char - b.Char, replace);
        m.SetLineText(b.Line, s);
        after = {b.Char + static_cast<int>(replace.size()), b.Line};
    } else {
        m.DeleteText(b, e);
        after = m.InsertText(b, replace);
    }
    return after;
}

}  // namespace

int TKrqEditModel::FindAndReplace(std::string_view search, std::string_view replace,
                                  TKrqSearchOptions options) {
    if (search.empty() || Lines().Count() == 0) return 0;
    TKrqEditSearch engine;
    engine.SetPattern(search, options & ssoMatchCase, options & ssoWholeWord);
    const TRegion r = RegionOf(*this, options);
    const bool backwards = options & ssoBackwards;
    const bool doReplace = options & (ssoReplace | ssoReplaceAll);
    bool all = options & ssoReplaceAll;
    const bool prompt = options & ssoPrompt;
    bool ask = prompt && static_cast<bool>(OnReplaceText);

    if (doReplace && all && !prompt && !HasLineBreak(replace)) {
        int count = ReplaceAllInOnePass(*this, engine, r, replace, backwards);
        editcmd::EnsureCaretVisible(*this, d->commands);
        return count;
    }

    // Without prompting the whole run is one undo step; with it each replacement is its own.
    const bool oneStep = doReplace && !prompt;
    std::optional<TKrqUndoBlock> block;
    if (oneStep) block.emplace(*this);
    const int len = engine.Length();
    int count = 0;
    bool stop = false;
    std::vector<int> found;
    std::vector<int> cols;
    int lineShift = 0;  // lines added so far by replacements holding line breaks
    {
        for (int i = 0, n = r.lastLine - r.firstLine + 1; i < n && !stop; ++i) {
            int y0 = backwards ? r.lastLine - i : r.firstLine + i;
            int y = y0 + lineShift;
            Occurrences(engine, r, y0, Lines()[y - 1], found, cols);
            if (cols.empty()) continue;
            if (backwards) std::reverse(cols.begin(), cols.end());
            const std::string orig(Lines()[y - 1]);
            int curLine = y;
            int colShift = 0;
            for (size_t k = 0; k < cols.size(); ++k) {
                const int col = cols[k];
                TBufferCoord b{col + colShift, curLine};
                TBufferCoord e{b.Char + len, curLine};
                // An earlier replacement on this line may have trimmed the occurrence away.
                std::string_view cur = Lines()[curLine - 1];
                if (static_cast<size_t>(e.Char - 1) > cur.size() ||
                    cur.compare(b.Char - 1, len, orig, col - 1, len) != 0) {
                    continue;
                }
                ++count;
                if (backwards) {
                    SetSelection(e, b);
                } else {
                    SetSelection(b, e);
                }
                if (!doReplace) {
                    stop = true;
                    break;
                }
                if (ask) {
                    TKrqReplaceAction action = OnReplaceText(search, replace, b, e);
                    if (action == TKrqReplaceAction::raCancel) {
                        stop = true;
                        break;
                    }
                    if (action == TKrqReplaceAction::raSkip) continue;
                    if (action == TKrqReplaceAction::raReplaceAll) {
                        ask = false;
                        all = true;
                    }
                }
                TBufferCoord after = ReplaceOne(*this, b, e, replace, k + 1 == cols.size());
                SetCaretXY(backwards ? b : after);
                if (!backwards) {
                    lineShift += after.Line - curLine;
                    colShift = after.Char - (col + len);
                    curLine = after.Line;
                }
                if (!all) {
                    stop = true;
                    break;
                }
            }
        }
    }
    block.reset();
    editcmd::EnsureCaretVisible(*this, d->commands);
    return count;
}

}  // namespace krq
