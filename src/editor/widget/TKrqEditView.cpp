// The editing widget's geometry: the screen font, rows on screen, positions, scrolling, and
// the caches over the text kept in step with the model.
#include <QFontMetricsF>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "editor/widget/TKrqEditViewImpl.h"
#include "platform/cp1250.h"

namespace krq {

std::string_view TKrqEdit::Impl::LineText(int line) const {
    const TKrqEditStringList& lines = model.Lines();
    return line >= 1 && line <= lines.Count() ? lines[line - 1] : std::string_view();
}

TKrqLineText TKrqEdit::Impl::Line(int line) const {
    const TKrqEditStringList& lines = model.Lines();
    return line >= 1 && line <= lines.Count() ? lines.Line(line - 1) : TKrqLineText();
}

size_t TKrqEdit::Impl::LineLength(int line) const {
    const TKrqEditStringList& lines = model.Lines();
    return line >= 1 && line <= lines.Count() ? lines.Length(line - 1) : 0;
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

double TKrqEdit::Impl::TextWidthOf(const TKrqLineText& text) const {
    // Measuring a huge line on every paint would cost the paint its budget; counting bytes
    // serves the scroll bar as well (the caret widens the range when it goes further).
    if (text.size() > 65536) return static_cast<double>(text.size()) * charWidth;
    return Layout().XOf(text, 0, text.size());
}

// --- Word wrap --------------------------------------------------------------------------------

int TKrqEdit::Impl::RowOfChar(int line, int ch) { return rows.RowOf({ch, line}).row; }

bool TKrqEdit::Impl::NextRow(TKrqRowPos& p) { return rows.NextRow(p); }

bool TKrqEdit::Impl::PrevRow(TKrqRowPos& p) { return rows.PrevRow(p); }

// --- Positions --------------------------------------------------------------------------------

QPoint TKrqEdit::Impl::PointOf(TBufferCoord pos) {
    const TKrqRowPos at = rows.RowOf(pos);
    const double x = rows.XOf(pos);
    // Rows from the top of the view to the position's row. Far off the view the exact row
    // does not matter, and counting it would cost a paint the rows between.
    const int reach = VisibleRows() + 2;
    int y = 0;
    if (pos.Line == top.line) {
        y = (at.row - top.row) * lineHeight;
    } else if (pos.Line < top.line) {
        TKrqRowPos p = top;
        int n = 0;
        while (p != at && n < reach && PrevRow(p)) ++n;
        y = -(p == at ? n : std::max(reach, top.line - pos.Line)) * lineHeight;
    } else if (pos.Line - top.line > reach) {
        y = (pos.Line - top.line) * lineHeight;
    } else {
        TKrqRowPos p = top;
        int n = 0;
        while (p != at && n < reach && NextRow(p)) ++n;
        y = (p == at ? n : reach) * lineHeight;
    }
    int left = wordWrap ? 0 : leftPx;
    return QPoint(TextLeft() + static_cast<int>(std::lround(x)) - left, y);
}

TBufferCoord TKrqEdit::Impl::CoordAt(QPoint at, bool beyondEnd) {
    TKrqRowPos p = top;
    int down = at.y() >= 0 ? at.y() / lineHeight : -1 - (-at.y() - 1) / lineHeight;
    for (int i = 0; i < down && NextRow(p); ++i) {
    }
    for (int i = 0; i > down && PrevRow(p); --i) {
    }
    const TKrqLineText s = Line(p.line);
    const TKrqLineLayout::TRowSpan span = rows.Bytes(p);
    const size_t rowStart = span.Begin, rowEnd = span.End;
    const size_t partSize = rowEnd - rowStart;
    double x = at.x() - TextLeft() + (wordWrap ? 0 : leftPx);
    double cellX = 0;
    size_t i = Layout().ByteAt(s, rowStart, rowEnd, x, &cellX);
    if (i < partSize) {
        // The nearer edge of the character wins.
        double w = Layout().XOf(s, rowStart, i + 1) - cellX;
        if (x - cellX > w / 2) ++i;
    } else if (beyondEnd && x > cellX && rowEnd == s.size()) {
        i += static_cast<size_t>(std::lround((x - cellX) / charWidth));
    }
    // A wrapped row ends before its break; the next row starts there.
    if (wordWrap && rowEnd < s.size() && i >= partSize && partSize > 0) i = partSize - 1;
    return {static_cast<int>(rowStart + i) + 1, p.line};
}

// --- Scrolling --------------------------------------------------------------------------------

void TKrqEdit::Impl::ClampTop() {
    int count = LineCount();
    if (wordWrap) {
        top.line = std::clamp(top.line, 1, count);
        top.row = std::max(0, top.row);
        // A row the line no longer has (it got shorter): its last row. Asking only for the row
        // before keeps a top deep in a long line from wrapping the rest of it.
        TKrqRowPos before{top.line, top.row - 1};
        if (top.row > 0 && !(NextRow(before) && before.line == top.line))
            top.row = rows.LastRow(top.line);
    } else {
        top.line = std::clamp(top.line, 1, std::max(1, count - VisibleRows() + 1));
        top.row = 0;
    }
    if (model.TopLine() != top.line) model.SetTopLine(top.line);
}

void TKrqEdit::Impl::SetTop(TKrqRowPos p) { rows.SetTop(p); }

void TKrqEdit::Impl::TopMoved() {
    ClampTop();
    UpdateScrollBars();
    q->viewport()->update();
}

void TKrqEdit::Impl::ScrollRows(int count) {
    TKrqRowPos p = top;
    if (!wordWrap) {
        p.line += count;
    } else {
        for (; count > 0 && NextRow(p); --count) {
        }
        for (; count < 0 && PrevRow(p); ++count) {
        }
    }
    SetTop(p);
}

void TKrqEdit::Impl::EnsureCaretVisible() {
    TBufferCoord caret = model.CaretXY();
    rows.EnsureVisible(caret);
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

void TKrqEdit::Impl::ScheduleLexAhead() {
    if (highlighter && caches.States().KnownStates() < model.Lines().Count() &&
        !lexAhead.isActive())
        lexAhead.start();
}

void TKrqEdit::Impl::LexAheadStep() {
    // The caches follow the model first, so the slice continues from states that still hold.
    SyncCaches();
    TKrqLineStates& states = caches.States();
    const TKrqEditStringList& lines = model.Lines();
    const int count = lines.Count();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(8);
    while (states.Lexer() && states.KnownStates() < count) {
        states.StateOf(lines, std::min(count - 1, states.KnownStates() + 4096));
        if (std::chrono::steady_clock::now() >= until) return;
    }
    lexAhead.stop();
}

const std::vector<TKrqToken>* TKrqEdit::Impl::TokensOf(int line) {
    return caches.States().TokensOf(model.Lines(), line - 1);
}

}  // namespace krq
