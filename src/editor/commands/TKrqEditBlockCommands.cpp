// Commands on lines and marks: block indent and unindent, bookmarks, selection modes and
// bracket matching.
#include <algorithm>
#include <string>
#include <vector>

#include "editor/commands/KrqEditCommandState.h"

namespace krq::editcmd {

namespace {

constexpr int kBlockIndent = 8;

// How many leading characters unindent removes: one tab, or up to eight spaces together with
// a tab that directly follows fewer than eight of them.
int UnindentCount(std::string_view s) {
    if (!s.empty() && s[0] == '\t') return 1;
    int n = 0;
    while (n < kBlockIndent && n < static_cast<int>(s.size()) && s[n] == ' ') ++n;
    if (n < kBlockIndent && n < static_cast<int>(s.size()) && s[n] == '\t') ++n;
    return n;
}

void IndentLines(TKrqEditModel& m, bool indent) {
    if (m.Lines().Count() == 0) return;
    bool sel = m.SelAvail();
    TBufferCoord anchor = sel ? m.SelectionAnchor() : m.CaretXY();
    TBufferCoord caret = m.CaretXY();
    int first = std::min(anchor.Line, caret.Line);
    int last = std::max(anchor.Line, caret.Line);
    // A stream selection ending at the start of a line does not take that line along.
    if (sel && m.SelectionMode() == smNormal && last > first &&
        (anchor.Line == last ? anchor.Char : caret.Char) == 1) {
        --last;
    }
    last = std::min(last, m.Lines().Count());
    std::vector<int> delta(last - first + 1, 0);
    const std::string pad(kBlockIndent, ' ');
    for (int y = first; y <= last; ++y) {
        std::string_view s = LineText(m, y);
        if (indent) {
            m.SetLineText(y, pad + std::string(s));
            delta[y - first] = kBlockIndent;
        } else if (int n = UnindentCount(s); n > 0) {
            m.SetLineText(y, std::string(s.substr(n)));
            delta[y - first] = -n;
        }
    }
    // Positions follow their text; a selection edge at column 1 stays there so that whole
    // selected lines remain whole.
    auto follow = [&](TBufferCoord p, bool keepColumnOne) {
        if (p.Line < first || p.Line > last || (keepColumnOne && p.Char == 1)) return p;
        p.Char = std::max(1, p.Char + delta[p.Line - first]);
        return p;
    };
    if (sel) {
        m.SetSelection(follow(anchor, true), follow(caret, true));
    } else {
        m.SetCaretXY(follow(caret, false));
    }
}

void ToggleBookmark(TKrqEditModel& m, int number) {
    int line = m.CaretLine();
    if (m.Bookmark(number) == line) {
        m.ClearBookmark(number);
    } else {
        m.SetBookmark(number, line);
    }
}

void GotoBookmark(TKrqEditModel& m, int number) {
    if (std::optional<int> line = m.Bookmark(number)) m.SetCaretXY({1, *line});
}

char Partner(char c) {
    switch (c) {
        case '(':
            return ')';
        case ')':
            return '(';
        case '[':
            return ']';
        case ']':
            return '[';
        case '{':
            return '}';
        case '}':
            return '{';
        case '<':
            return '>';
        case '>':
            return '<';
        default:
            return 0;
    }
}

bool IsOpening(char c) { return c == '(' || c == '[' || c == '{' || c == '<'; }

// Finds the bracket matching the one at `at` (0-based index in its line), counting nesting of
// the same pair across lines.
bool FindMatch(const TKrqEditModel& m, int line, int at, TBufferCoord& found) {
    std::string_view s = LineText(m, line);
    char open = s[at];
    char close = Partner(open);
    int depth = 0;
    int count = m.Lines().Count();
    if (IsOpening(open)) {
        for (int y = line, i = at; y <= count; ++y, i = 0) {
            std::string_view t = LineText(m, y);
            for (; i < static_cast<int>(t.size()); ++i) {
                if (t[i] == open) {
                    ++depth;
                } else if (t[i] == close && --depth == 0) {
                    found = {i + 1, y};
                    return true;
                }
            }
        }
    } else {
        for (int y = line, i = at; y >= 1; --y) {
            std::string_view t = LineText(m, y);
            if (y != line) i = static_cast<int>(t.size()) - 1;
            for (; i >= 0; --i) {
                if (t[i] == open) {
                    ++depth;
                } else if (t[i] == close && --depth == 0) {
                    found = {i + 1, y};
                    return true;
                }
            }
        }
    }
    return false;
}

// The bracket under the caret is matched, or else the one just before it.
void MatchBracket(TKrqEditModel& m) {
    TBufferCoord p = m.CaretXY();
    std::string_view s = LineText(m, p.Line);
    for (int at : {p.Char - 1, p.Char - 2}) {
        if (at < 0 || at >= static_cast<int>(s.size()) || !Partner(s[at])) continue;
        TBufferCoord found;
        if (FindMatch(m, p.Line, at, found)) m.SetCaretXY(found);
        return;
    }
}

}  // namespace

bool RunBlockCommand(TKrqEditModel& m, TKrqCommandState&, TKrqEditorCommand cmd) {
    if (cmd >= ecGotoMarker0 && cmd <= ecGotoMarker0 + 9) {
        GotoBookmark(m, cmd - ecGotoMarker0);
        return true;
    }
    if (cmd >= ecSetMarker0 && cmd <= ecSetMarker0 + 9) {
        ToggleBookmark(m, cmd - ecSetMarker0);
        return true;
    }
    switch (cmd) {
        case ecBlockIndent:
        case ecBlockUnindent:
            IndentLines(m, cmd == ecBlockIndent);
            return true;
        case ecNormalSelect:
            m.SetSelectionMode(smNormal);
            return true;
        case ecColumnSelect:
            m.SetSelectionMode(smColumn);
            return true;
        case ecLineSelect:
            m.SetSelectionMode(smLine);
            return true;
        case ecMatchBracket:
            MatchBracket(m);
            return true;
        default:
            return false;
    }
}

}  // namespace krq::editcmd
