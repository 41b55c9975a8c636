// The editing widget's layout: measuring lines, word-wrapped rows, scrolling and the caches
// that follow the text (wrapped rows, lexer states).
#include <QFontMetricsF>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "editor/TKrqEditViewImpl.h"
#include "platform/cp1250.h"
#include "lexers/TKrqHighlighter.h"

namespace krq {

std::string_view TKrqEdit::Impl::LineText(int line) const {
    const TKrqEditStringList& lines = model.Lines();
    return line >= 1 && line <= lines.Count() ? lines[line - 1] : std::string_view();
}

int TKrqEdit::Impl::LineCount() const { return std::max(1, model.Lines().Count()); }

void TKrqEdit::Impl::UpdateMetrics() {
    QFontMetricsF fm(drawFont);
    lineHeight = std::max(1, static_cast<int>(std::ceil(fm.height())));
    ascent = static_cast<int>(std::ceil(fm.ascent()));
    for (int b = 0; b < 256; ++b) {
        char16_t u = cp1250::toUnicode(static_cast<uint8_t>(b));
        advance[b] = b < 0x20 ? fm.horizontalAdvance(QChar(u' ')) : fm.horizontalAdvance(QChar(u));
    }
    charWidth = advance[' '];
    fixedPitch = true;
    for (int b = 0x20; b < 256; ++b) {
        if (advance[b] != charWidth && b != 0x7F && b != 0x81 && b != 0x83 && b != 0x88 &&
            b != 0x90 && b != 0x98 && b != 0xA0 && b != 0xAD) {
            fixedPitch = false;
            break;
        }
    }
    // In a fixed-pitch font every cell is the same, including the placeholders of undefined
    // bytes, so positions are columns times one width.
    if (fixedPitch) advance.fill(charWidth);
    digitWidth = QFontMetrics(gutterFont).horizontalAdvance(QLatin1Char('0'));
    model.SetLinesInWindow(VisibleRows());
}

int TKrqEdit::Impl::TextLeft() const { return q->GutterWidth() + kTextMargin; }
int TKrqEdit::Impl::TextWidth() const { return std::max(1, q->viewport()->width() - TextLeft()); }
int TKrqEdit::Impl::VisibleRows() const {
    return std::max(1, q->viewport()->height() / lineHeight);
}

double TKrqEdit::Impl::XOf(std::string_view text, size_t index) const {
    index = std::min(index, text.size());
    const double tabStop = charWidth * model.TabWidth();
    if (fixedPitch) {
        // Count columns, jumping from tab to tab with memchr: a 20 MB line costs microseconds.
        const int tw = model.TabWidth();
        size_t col = 0, pos = 0;
        while (pos < index) {
            const void* hit = std::memchr(text.data() + pos, '\t', index - pos);
            if (!hit) {
                col += index - pos;
                break;
            }
            size_t t = static_cast<const char*>(hit) - text.data();
            col += t - pos;
            col = (col / tw + 1) * tw;
            pos = t + 1;
        }
        return static_cast<double>(col) * charWidth;
    }
    double x = 0;
    for (size_t i = 0; i < index; ++i) {
        uint8_t c = static_cast<uint8_t>(text[i]);
        x = c == '\t' ? (std::floor(x / tabStop + 1e-9) + 1) * tabStop : x + advance[c];
    }
    return x;
}

size_t TKrqEdit::Impl::ByteAt(std::string_view text, double x, double* cellX) const {
    const double tabStop = charWidth * model.TabWidth();
    if (fixedPitch) {
        const int tw = model.TabWidth();
        const size_t target = x <= 0 ? 0 : static_cast<size_t>(x / charWidth);
        size_t col = 0, pos = 0;
        while (pos < text.size()) {
            // Tabs only widen, so the wanted byte lies within `target - col` bytes from here;
            // looking no further keeps a click in a 20 MB line from scanning all of it.
            size_t span = std::min(text.size() - pos, target - col + 1);
            const void* hit = std::memchr(text.data() + pos, '\t', span);
            size_t t = hit ? static_cast<const char*>(hit) - text.data() : pos + span;
            if (!hit && t < text.size()) {
                if (cellX) *cellX = static_cast<double>(target) * charWidth;
                return pos + (target - col);
            }
            if (col + (t - pos) > target) {
                if (cellX) *cellX = static_cast<double>(target) * charWidth;
                return pos + (target - col);
            }
            col += t - pos;
            if (t == text.size()) break;
            size_t next = (col / tw + 1) * tw;
            if (next > target) {
                if (cellX) *cellX = static_cast<double>(col) * charWidth;
                return t;
            }
            col = next;
            pos = t + 1;
        }
        if (cellX) *cellX = static_cast<double>(col) * charWidth;
        return text.size();
    }
    double cx = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(text[i]);
        double nx = c == '\t' ? (std::floor(cx / tabStop + 1e-9) + 1) * tabStop : cx + advance[c];
        if (nx > x) {
            if (cellX) *cellX = cx;
            return i;
        }
        cx = nx;
    }
    if (cellX) *cellX = cx;
    return text.size();
}

double TKrqEdit::Impl::TextWidthOf(std::string_view text) const {
    // Measuring a huge line on every paint would cost the paint its budget; counting bytes
    // serves the scroll bar as well (the caret widens the range when it goes further).
    if (text.size() > 65536) return static_cast<double>(text.size()) * charWidth;
    return XOf(text, text.size());
}

// --- Word wrap --------------------------------------------------------------------------------

const std::vector<uint32_t>& TKrqEdit::Impl::RowsOf(int line) {
    static const std::vector<uint32_t> kOneRow{0};
    if (!wordWrap) return kOneRow;
    if (wrapWidth != TextWidth()) {
        wrapRows.clear();
        wrapWidth = TextWidth();
    }
    auto it = wrapRows.find(line);
    if (it != wrapRows.end()) return it->second;
    std::vector<uint32_t> rows{0};
    std::string_view s = LineText(line);
    const double width = std::max<double>(wrapWidth, charWidth);
    const double tabStop = charWidth * model.TabWidth();
    double x = 0;
    size_t rowStart = 0;
    size_t lastBlank = std::string_view::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(s[i]);
        double nx = c == '\t' ? (std::floor(x / tabStop + 1e-9) + 1) * tabStop : x + advance[c];
        if (nx > width && i > rowStart) {
            // Break after the last blank of the row when there is one, else at this character.
            size_t brk = lastBlank != std::string_view::npos ? lastBlank + 1 : i;
            rows.push_back(static_cast<uint32_t>(brk));
            rowStart = brk;
            lastBlank = std::string_view::npos;
            x = 0;
            for (size_t j = brk; j <= i; ++j) {
                uint8_t cj = static_cast<uint8_t>(s[j]);
                x = cj == '\t' ? (std::floor(x / tabStop + 1e-9) + 1) * tabStop : x + advance[cj];
                if (cj == ' ' || cj == '\t') lastBlank = j;
            }
            continue;
        }
        x = nx;
        if (c == ' ' || c == '\t') lastBlank = i;
    }
    return wrapRows.emplace(line, std::move(rows)).first->second;
}

int TKrqEdit::Impl::RowCount(int line) { return static_cast<int>(RowsOf(line).size()); }

int TKrqEdit::Impl::RowOfChar(int line, int ch) {
    const std::vector<uint32_t>& rows = RowsOf(line);
    uint32_t byte = static_cast<uint32_t>(std::max(0, ch - 1));
    auto it = std::upper_bound(rows.begin(), rows.end(), byte);
    return static_cast<int>(it - rows.begin()) - 1;
}

bool TKrqEdit::Impl::NextRow(TKrqRowPos& p) {
    if (p.row + 1 < RowCount(p.line)) {
        ++p.row;
        return true;
    }
    if (p.line >= LineCount()) return false;
    p = {p.line + 1, 0};
    return true;
}

bool TKrqEdit::Impl::PrevRow(TKrqRowPos& p) {
    if (p.row > 0) {
        --p.row;
        return true;
    }
    if (p.line <= 1) return false;
    p = {p.line - 1, RowCount(p.line - 1) - 1};
    return true;
}

// --- Positions --------------------------------------------------------------------------------

QPoint TKrqEdit::Impl::PointOf(TBufferCoord pos) {
    std::string_view s = LineText(pos.Line);
    int row = 0;
    size_t rowStart = 0;
    if (wordWrap) {
        row = RowOfChar(pos.Line, pos.Char);
        rowStart = RowsOf(pos.Line)[row];
    }
    size_t index = static_cast<size_t>(std::max(0, pos.Char - 1));
    std::string_view part = s.substr(rowStart);
    double x = XOf(part, index - rowStart);
    if (index > s.size()) x += static_cast<double>(index - s.size()) * charWidth;
    // Rows from the top of the view to the position's row.
    int y = 0;
    if (pos.Line < top.line || (pos.Line == top.line && row < top.row)) {
        TKrqRowPos p = top;
        while ((p.line != pos.Line || p.row != row) && PrevRow(p)) y -= lineHeight;
    } else if (pos.Line - top.line > VisibleRows() + 1) {
        y = (pos.Line - top.line) * lineHeight;  // far below: the exact row does not matter
    } else {
        TKrqRowPos p = top;
        while ((p.line != pos.Line || p.row != row) && NextRow(p)) y += lineHeight;
    }
    int left = wordWrap ? 0 : leftPx;
    return QPoint(TextLeft() + static_cast<int>(std::lround(x)) - left, y);
}

TBufferCoord TKrqEdit::Impl::CoordAt(QPoint at, bool beyondEnd) {
    TKrqRowPos p = top;
    int rows = at.y() >= 0 ? at.y() / lineHeight : -1 - (-at.y() - 1) / lineHeight;
    for (int i = 0; i < rows && NextRow(p); ++i) {
    }
    for (int i = 0; i > rows && PrevRow(p); --i) {
    }
    std::string_view s = LineText(p.line);
    size_t rowStart = 0, rowEnd = s.size();
    if (wordWrap) {
        const std::vector<uint32_t>& r = RowsOf(p.line);
        rowStart = r[p.row];
        if (p.row + 1 < static_cast<int>(r.size())) rowEnd = r[p.row + 1];
    }
    std::string_view part = s.substr(rowStart, rowEnd - rowStart);
    double x = at.x() - TextLeft() + (wordWrap ? 0 : leftPx);
    double cellX = 0;
    size_t i = ByteAt(part, x, &cellX);
    if (i < part.size()) {
        // The nearer edge of the character wins.
        double w = XOf(part, i + 1) - cellX;
        if (x - cellX > w / 2) ++i;
    } else if (beyondEnd && x > cellX && rowEnd == s.size()) {
        i += static_cast<size_t>(std::lround((x - cellX) / charWidth));
    }
    // A wrapped row ends before its break; the next row starts there.
    if (wordWrap && rowEnd < s.size() && i >= part.size() && part.size() > 0) i = part.size() - 1;
    return {static_cast<int>(rowStart + i) + 1, p.line};
}

// --- Scrolling --------------------------------------------------------------------------------

void TKrqEdit::Impl::ClampTop() {
    int count = LineCount();
    if (wordWrap) {
        top.line = std::clamp(top.line, 1, count);
        top.row = std::clamp(top.row, 0, RowCount(top.line) - 1);
    } else {
        top.line = std::clamp(top.line, 1, std::max(1, count - VisibleRows() + 1));
        top.row = 0;
    }
    if (model.TopLine() != top.line) model.SetTopLine(top.line);
}

void TKrqEdit::Impl::SetTop(TKrqRowPos p) {
    top = p;
    ClampTop();
    UpdateScrollBars();
    q->viewport()->update();
}

void TKrqEdit::Impl::ScrollRows(int rows) {
    TKrqRowPos p = top;
    if (!wordWrap) {
        p.line += rows;
    } else {
        for (; rows > 0 && NextRow(p); --rows) {
        }
        for (; rows < 0 && PrevRow(p); ++rows) {
        }
    }
    SetTop(p);
}

void TKrqEdit::Impl::EnsureCaretVisible() {
    TBufferCoord caret = model.CaretXY();
    int rows = VisibleRows();
    int caretRow = wordWrap ? RowOfChar(caret.Line, caret.Char) : 0;
    TKrqRowPos want = top;
    if (caret.Line < top.line || (caret.Line == top.line && caretRow < top.row)) {
        want = {caret.Line, caretRow};
    } else if (caret.Line - top.line >= rows) {
        // Far below: walk back from the caret's row so that it becomes the last row shown.
        want = {caret.Line, caretRow};
        for (int i = 1; i < rows && PrevRow(want); ++i) {
        }
    } else {
        TKrqRowPos p = top;
        int n = 0;
        while ((p.line != caret.Line || p.row != caretRow) && NextRow(p)) ++n;
        if (n >= rows) {
            for (int i = 0; i <= n - rows; ++i) NextRow(want);
        }
    }
    if (want.line != top.line || want.row != top.row) SetTop(want);
    if (!wordWrap) {
        QPoint pt = PointOf(caret);
        int x = pt.x() - TextLeft() + leftPx;
        int w = TextWidth();
        int newLeft = leftPx;
        if (x < leftPx) {
            newLeft = std::max(0, x - w / 4);
        } else if (x + static_cast<int>(charWidth) > leftPx + w) {
            newLeft = x + static_cast<int>(charWidth) - w + w / 4;
        }
        if (newLeft != leftPx) {
            leftPx = newLeft;
            widestSeen = std::max(widestSeen, x + static_cast<int>(charWidth));
            UpdateScrollBars();
            emit q->StatusChanged(scLeftChar);
        }
    }
    q->viewport()->update();
}

void TKrqEdit::Impl::UpdateScrollBars() {
    syncingBars = true;
    QScrollBar* v = q->verticalScrollBar();
    int count = LineCount();
    int rows = VisibleRows();
    // The vertical bar counts lines, not rows: with word wrap that is an estimate that needs
    // no wrapping of lines that are never shown.
    v->setRange(0, wordWrap ? count - 1 : std::max(0, count - rows));
    v->setPageStep(rows);
    v->setSingleStep(1);
    v->setValue(top.line - 1);
    QScrollBar* h = q->horizontalScrollBar();
    if (wordWrap) {
        h->setRange(0, 0);
    } else {
        int w = TextWidth();
        h->setRange(0, std::max({0, widestSeen - w + static_cast<int>(charWidth), leftPx}));
        h->setPageStep(w);
        h->setSingleStep(static_cast<int>(charWidth));
        h->setValue(leftPx);
    }
    syncingBars = false;
}

// --- Caches -----------------------------------------------------------------------------------

void TKrqEdit::Impl::InvalidateText() {
    wrapRows.clear();
    tokens.clear();
}

void TKrqEdit::Impl::SyncCaches() {
    const TKrqEditStringList& lines = model.Lines();
    const uint64_t history = model.HistoryId();
    bool reset = false;
    if (history != seenHistory) {
        int first = 0, oldCount = 0, newCount = 0;
        if (model.ChangedLines(seenHistory, first, oldCount, newCount)) {
            LinesChanged(first, oldCount, newCount);
        } else {
            reset = true;
        }
    } else if (lines.Serial() != seenSerial || lines.Count() != seenCount) {
        reset = true;  // changed behind the history's back
    }
    if (reset) {
        wrapRows.clear();
        tokens.clear();
        lexStates.clear();
        widestSeen = 0;
        // A load or a clear starts at the left edge again.
        if (!model.CanUndo()) leftPx = 0;
    }
    seenHistory = history;
    seenSerial = lines.Serial();
    seenCount = lines.Count();
}

void TKrqEdit::Impl::LinesChanged(int first, int oldCount, int newCount) {
    int delta = newCount - oldCount;
    // Wrapped rows and tokens are kept only for lines shown: drop what moved or changed.
    if (delta != 0) {
        wrapRows.clear();
        tokens.clear();
    } else {
        for (int i = 0; i < newCount; ++i) {
            wrapRows.erase(first + i + 1);
            tokens.erase(first + i + 1);
        }
    }
    if (!highlighter) {
        lexStates.clear();
        return;
    }
    int known = static_cast<int>(lexStates.size());
    if (first >= known) return;
    int oldEnd = first + oldCount;
    // The start state of `first` still holds; those of the lines after the change are kept
    // as guesses, shifted to their new numbers, and confirmed by re-lexing below. The shift
    // is done in place: a keystroke in a large document must not copy a state per line.
    const int firstState = lexStates[first];
    if (oldEnd < known) {
        if (delta > 0)
            lexStates.insert(lexStates.begin() + oldEnd, delta, 0);
        else if (delta < 0)
            lexStates.erase(lexStates.begin() + oldEnd + delta, lexStates.begin() + oldEnd);
    } else {
        lexStates.resize(first + std::max(newCount, 1));
    }
    lexStates[first] = firstState;
    if (newCount > 1)
        std::fill(lexStates.begin() + first + 1, lexStates.begin() + first + newCount, 0);
    const int guessFrom = first + std::max(newCount, 1);
    const TKrqLexer& lexer = highlighter->Lexer();
    const int count = model.Lines().Count();
    const int lastShown = top.line + VisibleRows() + 1;
    std::vector<TKrqToken> scratch;
    // Re-lex from the first changed line only until a line ends in the state its successor
    // already had; past the view the rest is left to be lexed when shown.
    for (int k = first; k < count; ++k) {
        if (k + 1 >= static_cast<int>(lexStates.size())) break;
        scratch.clear();
        int end = lexer.LexLine(model.Lines()[k], lexStates[k], scratch);
        if (k + 1 >= guessFrom && lexStates[k + 1] == end) break;
        lexStates[k + 1] = end;
        tokens.erase(k + 2);
        if (k + 1 >= guessFrom && k + 1 > lastShown) {
            lexStates.resize(k + 2);
            break;
        }
    }
    if (static_cast<int>(lexStates.size()) > count) lexStates.resize(std::max(1, count));
}

int TKrqEdit::Impl::LexState(int line0) {
    if (!highlighter) return 0;
    if (lexStates.empty()) lexStates.push_back(0);
    const TKrqLexer& lexer = highlighter->Lexer();
    std::vector<TKrqToken> scratch;
    const TKrqEditStringList& lines = model.Lines();
    while (static_cast<int>(lexStates.size()) <= line0) {
        int k = static_cast<int>(lexStates.size()) - 1;
        scratch.clear();
        lexStates.push_back(k < lines.Count() ? lexer.LexLine(lines[k], lexStates[k], scratch)
                                              : lexStates[k]);
    }
    return lexStates[line0];
}

const std::vector<TKrqToken>* TKrqEdit::Impl::TokensOf(int line) {
    if (!highlighter || line > model.Lines().Count()) return nullptr;
    auto it = tokens.find(line);
    if (it != tokens.end()) return &it->second;
    if (tokens.size() > 512) tokens.clear();
    std::vector<TKrqToken> out;
    int state = LexState(line - 1);
    int end = highlighter->Lexer().LexLine(LineText(line), state, out);
    if (static_cast<int>(lexStates.size()) == line) lexStates.push_back(end);
    return &tokens.emplace(line, std::move(out)).first->second;
}

}  // namespace krq
