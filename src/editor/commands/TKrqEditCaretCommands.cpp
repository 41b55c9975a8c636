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
    if (m.HasOption(eoKeepCaretX) && st.keptAt == m.CaretXY()) x = st.keptX;
    st.keptX = x;
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

}  // namespace

bool RunCaretCommand(TKrqEditModel& m, TKrqCommandState& st, TKrqEditorCommand cmd) {
    if (cmd == ecScrollUp || cmd == ecScrollDown) {
        ScrollBy(m, st, cmd == ecScrollUp ? -1 : 1);
        return true;
    }
    bool select = cmd > ecSelection && cmd <= ecSelection + ecEditorBottom;
    TKrqEditorCommand move = select ? cmd - ecSelection : cmd;
    TBufferCoord p = m.CaretXY();
    int rows = std::max(1, m.LinesInWindow());
    TBufferCoord to;
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
