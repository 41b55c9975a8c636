// The editing widget's geometry: the screen font, rows on screen, positions, scrolling, and
// the caches over the text kept in step with the model.
#include <QFontMetricsF>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "editor/widget/TKrqEditViewImpl.h"
#include "platform/cp1250.h"

namespace krq {

std::string_view TKrqEdit::Impl::LineText(int line) const {
    const TKrqEditStringList& lines = model.Lines();
    return line >= 1 && line <= lines.Count() ? lines[line - 1] : std::string_view();
}

int TKrqEdit::Impl::LineCount() const { return std::max(1, model.Lines().Count()); }

namespace {

// The screen font measured per Windows-1250 byte; control bytes take the width of a space.
class TScreenFont : public TKrqFontMetrics {
  public:
    explicit TScreenFont(const QFont& font) : metrics_(font) {}
    double ByteAdvance(uint8_t b) const override {
        char16_t u = cp1250::ToUnicode(b);
        return b < 0x20 ? metrics_.horizontalAdvance(QChar(u' '))
                        : metrics_.horizontalAdvance(QChar(u));
    }
    const QFontMetricsF& Metrics() const { return metrics_; }

  private:
    QFontMetricsF metrics_;
};

}  // namespace

const TKrqLineLayout& TKrqEdit::Impl::Layout() const {
    layout.SetTabWidth(model.TabWidth());
    return layout;
}

void TKrqEdit::Impl::UpdateMetrics() {
    TScreenFont font(drawFont);
    const QFontMetricsF& fm = font.Metrics();
    lineHeight = std::max(1, static_cast<int>(std::ceil(fm.height())));
    ascent = static_cast<int>(std::ceil(fm.ascent()));
    layout.SetFont(font);
    charWidth = layout.CharWidth();
    digitWidth = QFontMetrics(gutterFont).horizontalAdvance(QLatin1Char('0'));
    model.SetLinesInWindow(VisibleRows());
}

int TKrqEdit::Impl::TextLeft() const { return q->GutterWidth() + kTextMargin; }
int TKrqEdit::Impl::TextWidth() const { return std::max(1, q->viewport()->width() - TextLeft()); }
int TKrqEdit::Impl::VisibleRows() const {
    return std::max(1, q->viewport()->height() / lineHeight);
}

double TKrqEdit::Impl::XOf(std::string_view text, size_t index) const {
    return Layout().XOf(text, index);
}

size_t TKrqEdit::Impl::ByteAt(std::string_view text, double x, double* cellX) const {
    return Layout().ByteAt(text, x, cellX);
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
    const double width = std::max<double>(TextWidth(), charWidth);
    return caches.Wrap().RowsOf(line - 1, LineText(line), Layout(), width);
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
    caches.Wrap().Clear();
    caches.States().ClearTokens();
}

void TKrqEdit::Impl::SyncCaches() {
    // States are lexed eagerly only as far as the view reaches; the rest waits to be shown.
    if (caches.Sync(model, top.line + VisibleRows() + 1)) {
        widestSeen = 0;
        // A load or a clear starts at the left edge again.
        if (!model.CanUndo()) leftPx = 0;
    }
}

const std::vector<TKrqToken>* TKrqEdit::Impl::TokensOf(int line) {
    return caches.States().TokensOf(model.Lines(), line - 1);
}

}  // namespace krq
