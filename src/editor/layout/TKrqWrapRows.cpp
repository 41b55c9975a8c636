// Rows of a view over the model's lines, laid out through the wrap cache as far as asked.
#include "editor/layout/TKrqWrapRows.h"

#include <algorithm>

namespace krq {

TKrqWrapRows::TKrqWrapRows(const TKrqEditModel& model, TKrqWrapCache& cache, TKrqLineLayout& layout)
    : model_(model), cache_(cache), layout_(layout) {}

std::string_view TKrqWrapRows::Text(int line) const {
    const TKrqEditStringList& lines = model_.Lines();
    return line >= 1 && line <= lines.Count() ? lines[line - 1] : std::string_view();
}

TKrqLineText TKrqWrapRows::Line(int line) const {
    const TKrqEditStringList& lines = model_.Lines();
    return line >= 1 && line <= lines.Count() ? lines.Line(line - 1) : TKrqLineText();
}

size_t TKrqWrapRows::Length(int line) const {
    const TKrqEditStringList& lines = model_.Lines();
    return line >= 1 && line <= lines.Count() ? lines.Length(line - 1) : 0;
}

int TKrqWrapRows::Count() const { return std::max(1, model_.Lines().Count()); }

const TKrqLineLayout& TKrqWrapRows::Layout() {
    layout_.SetTabWidth(model_.TabWidth());
    return layout_;
}

double TKrqWrapRows::WrapWidth() {
    const double width = Width ? Width() : 80 * layout_.CharWidth();
    return std::max(width, layout_.CharWidth());
}

TKrqLineLayout::TRowSpan TKrqWrapRows::Bytes(TKrqRowPos p) {
    Ready();
    if (!wrap_) return {0, Length(p.line)};
    std::string_view s = Text(p.line);
    TKrqLineLayout::TRowSpan span{0, s.size()};
    if (!cache_.Row(p.line - 1, s, Layout(), WrapWidth(), p.row, span)) {
        span = {s.size(), s.size()};  // a row the line does not have shows nothing
    }
    return span;
}

int TKrqWrapRows::LastRow(int line) {
    if (!wrap_) return 0;
    Ready();
    return cache_.RowCount(line - 1, Text(line), Layout(), WrapWidth()) - 1;
}

TKrqRowPos TKrqWrapRows::RowOf(TBufferCoord pos) {
    const int line = std::clamp(pos.Line, 1, Count());
    if (!wrap_) return {line, 0};
    Ready();
    const size_t index = static_cast<size_t>(std::max(0, pos.Char - 1));
    return {line, cache_.RowOfByte(line - 1, Text(line), Layout(), WrapWidth(), index)};
}

void TKrqWrapRows::Span(TKrqRowPos p, int& first, int& last) {
    const TKrqLineLayout::TRowSpan span = Bytes(p);
    first = static_cast<int>(span.Begin) + 1;
    const bool lastRow = span.End >= Length(p.line);
    last = static_cast<int>(span.End) + (lastRow ? 1 : 0);
}

bool TKrqWrapRows::NextRow(TKrqRowPos& p) {
    Ready();
    TKrqLineLayout::TRowSpan span;
    if (wrap_ && cache_.Row(p.line - 1, Text(p.line), Layout(), WrapWidth(), p.row + 1, span)) {
        ++p.row;
        return true;
    }
    if (p.line >= Count()) return false;
    p = {p.line + 1, 0};
    return true;
}

bool TKrqWrapRows::PrevRow(TKrqRowPos& p) {
    if (p.row > 0) {
        --p.row;
        return true;
    }
    if (p.line <= 1) return false;
    p = {p.line - 1, LastRow(p.line - 1)};
    return true;
}

double TKrqWrapRows::XOf(TBufferCoord pos) {
    const TKrqLineLayout::TRowSpan span = Bytes(RowOf(pos));
    const TKrqLineText s = Line(pos.Line);
    const size_t index = static_cast<size_t>(std::max(0, pos.Char - 1));
    const size_t to = std::min(index, s.size());
    double x = Layout().XOf(s, span.Begin, to - std::min(to, span.Begin));
    if (index > s.size()) x += static_cast<double>(index - s.size()) * layout_.CharWidth();
    return x;
}

int TKrqWrapRows::CharAt(TKrqRowPos p, double x) {
    const TKrqLineLayout::TRowSpan span = Bytes(p);
    const TKrqLineText s = Line(p.line);
    const size_t partSize = span.End - span.Begin;
    const TKrqLineLayout& layout = Layout();
    double cellX = 0;
    size_t i = layout.ByteAt(s, span.Begin, span.End, x, &cellX);
    if (i < partSize) {
        // The nearer edge of the character wins.
        const double w = layout.XOf(s, span.Begin, i + 1) - cellX;
        if (x - cellX > w / 2) ++i;
    }
    // A row that another follows ends before its last character: after it is the next row.
    if (span.End < s.size() && i >= partSize && partSize > 0) i = partSize - 1;
    return static_cast<int>(span.Begin + i) + 1;
}

void TKrqWrapRows::SetTop(TKrqRowPos top) {
    top_ = top;
    if (OnTopChanged) OnTopChanged();
}

void TKrqWrapRows::EnsureVisible(TBufferCoord pos) {
    const int page = std::max(1, model_.LinesInWindow());
    const TKrqRowPos at = RowOf(pos);
    if (at < top_) {
        SetTop(at);
        return;
    }
    TKrqRowPos p = top_;
    for (int k = 0; k < page; ++k) {
        if (p == at) return;
        if (!NextRow(p)) break;
    }
    // Below the view: the row becomes the last one shown.
    TKrqRowPos top = at;
    for (int k = 1; k < page && PrevRow(top); ++k) {
    }
    SetTop(top);
}

}  // namespace krq
