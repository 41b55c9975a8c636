// Caret moves by character, word, line, page and view, with and without extending the selection.
#include <algorithm>

#include "editor/commands/KrqEditCommandState.h"

namespace krq::editcmd {

namespace {

bool ScrollPastEol(const TKrqEditModel& m) { return m.HasOption(eoScrollPastEol); }

void MoveTo(TKrqEditModel& m, TBufferCoord pos, bool select) {
    if (select) {
        TBufferCoord anchor = m.SelAvail() ? m.SelectionAnchor() : m.CaretXY();
        m.SetSelection(anchor, pos);
    } else {
        m.SetCaretXY(pos);
    }
}

TBufferCoord CharLeft(const TKrqEditModel& m, TBufferCoord p) {
    if (p.Char > 1) return {p.Char - 1, p.Line};
    if (p.Line > 1) return {LineLength(m, p.Line - 1) + 1, p.Line - 1};
    return p;
}

TBufferCoord CharRight(const TKrqEditModel& m, TBufferCoord p) {
    if (ScrollPastEol(m) || p.Char <= LineLength(m, p.Line)) return {p.Char + 1, p.Line};
    if (p.Line < LineCount(m)) return {1, p.Line + 1};
    return p;
}

TBufferCoord WordLeft(const TKrqEditModel& m, TBufferCoord p) {
    std::string_view s = LineText(m, p.Line);
    int i = std::min(p.Char - 1, static_cast<int>(s.size()));
    if (i <= 0) return p.Line > 1 ? TBufferCoord{LineLength(m, p.Line - 1) + 1, p.Line - 1} : p;
    while (i > 0 && !m.IsWordChar(static_cast<uint8_t>(s[i - 1]))) --i;
    while (i > 0 && m.IsWordChar(static_cast<uint8_t>(s[i - 1]))) --i;
    return {i + 1, p.Line};
}

TBufferCoord WordRight(const TKrqEditModel& m, TBufferCoord p) {
    std::string_view s = LineText(m, p.Line);
    int len = static_cast<int>(s.size());
    int i = p.Char - 1;
    if (i >= len) return p.Line < LineCount(m) ? TBufferCoord{1, p.Line + 1} : p;
    while (i < len && m.IsWordChar(static_cast<uint8_t>(s[i]))) ++i;
    while (i < len && !m.IsWordChar(static_cast<uint8_t>(s[i]))) ++i;
    return {i + 1, p.Line};
}

// The position on `line` for a vertical move: the remembered column, clamped to the line end
// unless the caret may stand past it.
TBufferCoord VerticalTarget(const TKrqEditModel& m, TKrqCommandState& st, int line) {
    line = std::clamp(line, 1, LineCount(m));
    int x = m.CaretColumn();
    if (m.HasOption(eoKeepCaretX) && !st.keptInRows && st.keptAt == m.CaretXY()) x = st.keptX;
    st.keptX = x;
    st.keptInRows = false;
    int col = ScrollPastEol(m) ? x : std::min(x, LineLength(m, line) + 1);
    st.keptAt = {col, line};
    return st.keptAt;
}

int MaxTopLine(const TKrqEditModel& m) {
    return std::max(1, LineCount(m) - std::max(1, m.LinesInWindow()) + 1);
}

void ScrollBy(TKrqEditModel& m, TKrqCommandState& st, int delta) {
    int rows = std::max(1, m.LinesInWindow());
    int top = std::clamp(m.TopLine() + delta, 1, MaxTopLine(m));
    m.SetTopLine(top);
    int line = m.CaretLine();
    int target = std::clamp(line, top, std::min(LineCount(m), top + rows - 1));
    if (target != line) m.SetCaretXY(VerticalTarget(m, st, target));
}

// --- Moves over the rows of a view that wraps lines ------------------------------------------

// The x on the row that a vertical move aims for: the caret's, or the one remembered while the
// caret still stands where the last vertical move left it.
double RowAim(const TKrqEditModel& m, TKrqCommandState& st, TKrqRowMap& rows) {
    if (m.HasOption(eoKeepCaretX) && st.keptInRows && st.keptAt == m.CaretXY()) return st.keptRowX;
    return rows.XOf(m.CaretXY());
}

TBufferCoord RowTarget(TKrqCommandState& st, TKrqRowMap& rows, TKrqRowPos row, double x) {
    st.keptRowX = x;
    st.keptInRows = true;
    st.keptAt = {rows.CharAt(row, x), row.line};
    return st.keptAt;
}

// Steps `p` by up to `count` rows, down when `count` is positive; returns the steps made.
int StepRows(TKrqRowMap& rows, TKrqRowPos& p, int count) {
    int made = 0;
    for (; count > 0 && rows.NextRow(p); --count) ++made;
    for (; count < 0 && rows.PrevRow(p); ++count) ++made;
    return made;
}

// The top that shows a whole page from `top` on, moved up when the page would run past the
// text's last row.
TKrqRowPos FullPageTop(TKrqRowMap& rows, TKrqRowPos top, int page) {
    TKrqRowPos probe = top;
    int below = StepRows(rows, probe, page - 1);
    StepRows(rows, top, -(page - 1 - below));
    return top;
}

bool RunRowCommand(TKrqEditModel& m, TKrqCommandState& st, TKrqRowMap& rows, TKrqEditorCommand move,
                   TBufferCoord p, TBufferCoord& to) {
    const int page = std::max(1, m.LinesInWindow());
    switch (move) {
        case ecUp:
        case ecDown:
        case ecPageUp:
        case ecPageDown: {
            const double x = RowAim(m, st, rows);
            const bool down = move == ecDown || move == ecPageDown;
            const int count = move == ecUp || move == ecDown ? 1 : page;
            TKrqRowPos row = rows.RowOf(p);
            StepRows(rows, row, down ? count : -count);
            to = RowTarget(st, rows, row, x);
            if (count > 1) {
                // A page moves the view with the caret, as far as the text goes.
                TKrqRowPos top = rows.Top();
                StepRows(rows, top, down ? count : -count);
                rows.SetTop(FullPageTop(rows, top, page));
            }
            return true;
        }
        case ecPageTop:
        case ecPageBottom: {
            const double x = RowAim(m, st, rows);
            TKrqRowPos row = rows.Top();
            if (move == ecPageBottom) StepRows(rows, row, page - 1);
            to = RowTarget(st, rows, row, x);
            return true;
        }
        case ecLineStart:
        case ecLineEnd: {
            // The row's start or end first; pressed there again, the line's.
            int first = 1, last = 1;
            rows.Span(rows.RowOf(p), first, last);
            if (move == ecLineStart) {
                to = {p.Char != first ? first : 1, p.Line};
            } else {
                to = {p.Char != last ? last : LineLength(m, p.Line) + 1, p.Line};
            }
            return true;
        }
        default:
            return false;
    }
}

// Ctrl+Up and Ctrl+Down over rows: the view moves one row, the caret stays inside it.
void ScrollRowsBy(TKrqEditModel& m, TKrqCommandState& st, TKrqRowMap& rows, bool down) {
    const int page = std::max(1, m.LinesInWindow());
    TKrqRowPos top = rows.Top();
    StepRows(rows, top, down ? 1 : -1);
    top = FullPageTop(rows, top, page);
    rows.SetTop(top);
    TKrqRowPos bottom = top;
    StepRows(rows, bottom, page - 1);
    const TKrqRowPos caret = rows.RowOf(m.CaretXY());
    if (caret < top || bottom < caret) {
        const double x = RowAim(m, st, rows);
        m.SetCaretXY(RowTarget(st, rows, caret < top ? top : bottom, x));
    }
}

}  // namespace

bool RunCaretCommand(TKrqEditModel& m, TKrqCommandState& st, TKrqEditorCommand cmd) {
    if (cmd == ecScrollUp || cmd == ecScrollDown) {
        if (st.Wrapping()) {
            ScrollRowsBy(m, st, *st.rows, cmd == ecScrollDown);
        } else {
            ScrollBy(m, st, cmd == ecScrollUp ? -1 : 1);
        }
        return true;
    }
    bool select = cmd > ecSelection && cmd <= ecSelection + ecEditorBottom;
    TKrqEditorCommand move = select ? cmd - ecSelection : cmd;
    TBufferCoord p = m.CaretXY();
    int rows = std::max(1, m.LinesInWindow());
    TBufferCoord to;
    if (st.Wrapping() && RunRowCommand(m, st, *st.rows, move, p, to)) {
        MoveTo(m, to, select);
        return true;
    }
    switch (move) {
        case ecLeft:
            to = CharLeft(m, p);
            break;
        case ecRight:
            to = CharRight(m, p);
            break;
        case ecWordLeft:
            to = WordLeft(m, p);
            break;
        case ecWordRight:
            to = WordRight(m, p);
            break;
        case ecUp:
            to = VerticalTarget(m, st, p.Line - 1);
            break;
        case ecDown:
            to = VerticalTarget(m, st, p.Line + 1);
            break;
        case ecPageUp:
        case ecPageDown: {
            int delta = move == ecPageUp ? -rows : rows;
            to = VerticalTarget(m, st, p.Line + delta);
            m.SetTopLine(std::clamp(m.TopLine() + delta, 1, MaxTopLine(m)));
            break;
        }
        case ecPageTop:
            to = VerticalTarget(m, st, m.TopLine());
            break;
        case ecPageBottom:
            to = VerticalTarget(m, st, std::min(LineCount(m), m.TopLine() + rows - 1));
            break;
        case ecLineStart:
            to = {1, p.Line};
            break;
        case ecLineEnd:
            to = {LineLength(m, p.Line) + 1, p.Line};
            break;
        case ecEditorTop:
            to = {1, 1};
            break;
        case ecEditorBottom:
            to = {LineLength(m, LineCount(m)) + 1, LineCount(m)};
            break;
        default:
            return false;
    }
    MoveTo(m, to, select);
    return true;
}

}  // namespace krq::editcmd
