// Editing keys: typing, deleting, line breaks with auto indent, Tab and Shift+Tab.
#include <algorithm>
#include <string>

#include "editor/commands/KrqEditCommandState.h"
#include "editor/layout/TKrqTabStops.h"

namespace krq::editcmd {

namespace {

// Commands that write the caret line need it to exist; an empty document has no lines.
void EnsureLine(TKrqEditModel& m) {
    if (m.Lines().Count() == 0) m.InsertLines(1, {std::string()});
}

// Joins line `line` with the one after it, padding with spaces up to column `col` first.
void JoinWithNext(TKrqEditModel& m, int line, int col) {
    const int len = LineLength(m, line);
    if (len < col - 1 && LineLength(m, line + 1) == 0) {
        // Nothing follows to carry the padding, so it is written as such.
        std::string s(LineText(m, line));
        s.resize(col - 1, ' ');
        m.SetLineText(line, s);
        m.DeleteLines(line + 1, 1);
        return;
    }
    // Deleting the line break joins the lines in place, without copying either of them.
    m.DeleteText({std::max(col, len + 1), line}, {1, line + 1});
}

// The width of the leading spaces and tabs, a tab counting as the tab width.
int IndentWidth(const TKrqEditModel& m, std::string_view s) {
    int w = 0;
    for (char c : s) {
        if (c == ' ') {
            ++w;
        } else if (c == '\t') {
            w += m.TabWidth();
        } else {
            break;
        }
    }
    return w;
}

void TypeChar(TKrqEditModel& m, char ch) {
    if (static_cast<uint8_t>(ch) < 0x20 || ch == 0x7F) return;
    if (m.SelAvail()) m.DeleteSelection();
    EnsureLine(m);
    TBufferCoord p = m.CaretXY();
    if (!m.InsertMode() && p.Char <= LineLength(m, p.Line)) {
        m.DeleteText(p, {p.Char + 1, p.Line});
        m.InsertText(p, std::string_view(&ch, 1));
    } else {
        m.InsertText(p, std::string_view(&ch, 1));
    }
    m.SetCaretXY({p.Char + 1, p.Line});
}

void DeleteChar(TKrqEditModel& m) {
    if (m.SelAvail()) {
        m.DeleteSelection();
        return;
    }
    TBufferCoord p = m.CaretXY();
    if (p.Char <= LineLength(m, p.Line)) {
        m.DeleteText(p, {p.Char + 1, p.Line});
    } else if (p.Line < m.Lines().Count()) {
        JoinWithNext(m, p.Line, p.Char);
    }
    m.SetCaretXY(p);
}

// Backspace at column 1: the caret line is appended to the one above.
void JoinWithPrevious(TKrqEditModel& m, TBufferCoord p) {
    if (p.Line <= 1 || p.Line > m.Lines().Count()) return;
    int prevLen = LineLength(m, p.Line - 1);
    JoinWithNext(m, p.Line - 1, 1);
    m.SetCaretXY({prevLen + 1, p.Line - 1});
}

void DeleteLastChar(TKrqEditModel& m) {
    if (m.SelAvail()) {
        m.DeleteSelection();
        return;
    }
    TBufferCoord p = m.CaretXY();
    int len = LineLength(m, p.Line);
    if (p.Char > len + 1) {
        m.SetCaretXY({p.Char - 1, p.Line});
    } else if (p.Char == 1) {
        JoinWithPrevious(m, p);
    } else {
        m.DeleteText({p.Char - 1, p.Line}, p);
        m.SetCaretXY({p.Char - 1, p.Line});
    }
}

void DeleteLastWord(TKrqEditModel& m) {
    TBufferCoord p = m.CaretXY();
    std::string_view s = LineText(m, p.Line);
    int end = std::min(p.Char - 1, static_cast<int>(s.size()));
    if (p.Char == 1) {
        JoinWithPrevious(m, p);
        return;
    }
    int i = end;
    while (i > 0 && !m.IsWordChar(static_cast<uint8_t>(s[i - 1]))) --i;
    while (i > 0 && m.IsWordChar(static_cast<uint8_t>(s[i - 1]))) --i;
    if (i < end) m.DeleteText({i + 1, p.Line}, {end + 1, p.Line});
    m.SetCaretXY({i + 1, p.Line});
}

// Ctrl+T: from the caret over any non-word characters and then to the end of the word.
void DeleteWord(TKrqEditModel& m) {
    TBufferCoord p = m.CaretXY();
    std::string_view s = LineText(m, p.Line);
    int len = static_cast<int>(s.size());
    if (p.Char > len) {
        if (p.Line < m.Lines().Count()) JoinWithNext(m, p.Line, p.Char);
        m.SetCaretXY(p);
        return;
    }
    int i = p.Char - 1;
    while (i < len && !m.IsWordChar(static_cast<uint8_t>(s[i]))) ++i;
    while (i < len && m.IsWordChar(static_cast<uint8_t>(s[i]))) ++i;
    m.DeleteText(p, {i + 1, p.Line});
    m.SetCaretXY(p);
}

void DeleteLine(TKrqEditModel& m) {
    if (m.Lines().Count() == 0) return;
    int line = std::min(m.CaretLine(), m.Lines().Count());
    m.DeleteLines(line, 1);
    m.SetCaretXY({1, std::min(line, LineCount(m))});
}

void DeleteToLineEnd(TKrqEditModel& m) {
    TBufferCoord p = m.CaretXY();
    std::string_view s = LineText(m, p.Line);
    if (p.Char <= static_cast<int>(s.size())) m.SetLineText(p.Line, s.substr(0, p.Char - 1));
    m.SetCaretXY(p);
}

void LineBreak(TKrqEditModel& m) {
    if (m.SelAvail()) m.DeleteSelection();
    EnsureLine(m);
    TBufferCoord p = m.CaretXY();
    int len = LineLength(m, p.Line);
    if (!m.HasOption(eoAutoIndent)) {
        int cut = std::min(p.Char - 1, len);
        if (cut < len)
            m.InsertText({cut + 1, p.Line}, "\r\n");
        else
            m.InsertLines(p.Line + 1, {std::string()});
        m.SetCaretXY({1, p.Line + 1});
    } else if (len == 0) {
        // The caret is placed at the indent without writing blanks that trimming would drop.
        int y = p.Line - 1;
        while (y >= 1 && LineLength(m, y) == 0) --y;
        int indent = y >= 1 ? IndentWidth(m, LeadingBlanksOf(m, y)) : 0;
        m.InsertLines(p.Line + 1, {std::string()});
        m.SetCaretXY({indent + 1, p.Line + 1});
    } else if (p.Char == 1) {
        m.InsertLines(p.Line, {std::string()});
        m.SetCaretXY({1, p.Line + 1});
    } else if (p.Char > len) {
        int y = p.Line;
        while (y > 1 && LineLength(m, y) == 0) --y;
        std::string indent = LeadingBlanksOf(m, y);
        m.HoldIndent(p.Line + 1, static_cast<int>(indent.size()));
        m.InsertLines(p.Line + 1, {indent});
        m.SetCaretXY({static_cast<int>(indent.size()) + 1, p.Line + 1});
    } else {
        // The text behind the caret moves to the new line in place; a long line is split
        // without being copied.
        int indent = IndentWidth(m, LeadingBlanksOf(m, p.Line, static_cast<size_t>(p.Char - 1)));
        m.InsertText(p, "\r\n" + std::string(indent, ' '));
        m.SetCaretXY({indent + 1, p.Line + 1});
    }
}

// Ctrl+N: the line is split at the caret, which stays where it is.
void InsertLine(TKrqEditModel& m) {
    if (m.SelAvail()) m.DeleteSelection();
    EnsureLine(m);
    TBufferCoord p = m.CaretXY();
    const int len = LineLength(m, p.Line);
    int cut = std::min(p.Char - 1, len);
    if (cut < len)
        m.InsertText({cut + 1, p.Line}, "\r\n");
    else
        m.InsertLines(p.Line + 1, {std::string()});
    m.SetCaretXY(p);
}

// How many spaces a smart Tab inserts: to the start of the next word of the nearest line above
// that reaches the caret column; 0 when there is none.
int SmartTabWidth(const TKrqEditModel& m, TBufferCoord p) {
    for (int y = p.Line - 1; y >= 1; --y) {
        std::string_view s = LineText(m, y);
        int len = static_cast<int>(s.size());
        if (len < p.Char) continue;
        int i = p.Char - 1;
        while (i < len && !IsBlank(s[i])) ++i;
        while (i < len && IsBlank(s[i])) ++i;
        return i - (p.Char - 1);
    }
    return 0;
}

void Tab(TKrqEditModel& m) {
    if (m.SelAvail()) m.DeleteSelection();
    EnsureLine(m);
    TBufferCoord p = m.CaretXY();
    if (!m.HasOption(eoTabsToSpaces)) {
        m.InsertText(p, "\t");
        m.SetCaretXY({p.Char + 1, p.Line});
        return;
    }
    int n = m.HasOption(eoSmartTabs) ? SmartTabWidth(m, p) : 0;
    if (n <= 0) {
        const size_t col = static_cast<size_t>(p.Char - 1);
        n = static_cast<int>(NextTabColumn(col, m.TabWidth()) - col);
    }
    m.InsertText(p, std::string(n, ' '));
    m.SetCaretXY({p.Char + n, p.Line});
}

// The smart stop of Shift+Tab from the nearest line above reaching the column left of the
// caret, or 0 when no line is long enough.
int SmartShiftTabStop(const TKrqEditModel& m, TBufferCoord p) {
    for (int y = p.Line - 1; y >= 1; --y) {
        std::string_view s = LineText(m, y);
        if (static_cast<int>(s.size()) < p.Char - 1) continue;
        int i = p.Char - 2;
        while (i >= 0 && s[i] == ' ') --i;
        while (i >= 0 && s[i] != ' ') --i;
        return i + 2;
    }
    return 0;
}

void ShiftTab(TKrqEditModel& m) {
    TBufferCoord p = m.CaretXY();
    if (p.Char <= 1) return;
    std::string_view s = LineText(m, p.Line);
    int len = static_cast<int>(s.size());
    int stop = m.HasOption(eoSmartTabs) ? SmartShiftTabStop(m, p) : 0;
    if (stop <= 0) {
        // Only blanks go: the spaces before the caret back to the previous tab stop, positions
        // past the line end counting as spaces, or a single tab.
        int tw = std::max(1, m.TabWidth());
        int prevStop = (p.Char - 2) / tw * tw + 1;
        stop = p.Char;
        while (stop > prevStop && (stop - 1 > len || s[stop - 2] == ' ')) --stop;
        if (stop == p.Char && p.Char - 1 <= len && s[p.Char - 2] == '\t') stop = p.Char - 1;
    }
    int end = std::min(p.Char, len + 1);
    if (stop < end) m.DeleteText({stop, p.Line}, {end, p.Line});
    m.SetCaretXY({stop, p.Line});
}

}  // namespace

bool RunEditCommand(TKrqEditModel& m, TKrqCommandState&, TKrqEditorCommand cmd, char ch) {
    switch (cmd) {
        case ecChar:
            TypeChar(m, ch);
            return true;
        case ecDeleteChar:
            DeleteChar(m);
            return true;
        case ecDeleteLastChar:
            DeleteLastChar(m);
            return true;
        case ecDeleteLastWord:
            DeleteLastWord(m);
            return true;
        case ecDeleteWord:
            DeleteWord(m);
            return true;
        case ecDeleteLine:
            DeleteLine(m);
            return true;
        case ecDeleteEOL:
            DeleteToLineEnd(m);
            return true;
        case ecLineBreak:
            LineBreak(m);
            return true;
        case ecInsertLine:
            InsertLine(m);
            return true;
        case ecTab:
            Tab(m);
            return true;
        case ecShiftTab:
            ShiftTab(m);
            return true;
        case ecToggleMode:
            m.SetInsertMode(!m.InsertMode());
            return true;
        case ecSelectAll:
            m.SelectAll();
            return true;
        default:
            return false;
    }
}

}  // namespace krq::editcmd
