// The wrapped rows of shown lines, made row by row as far as they are asked for.
#include "editor/layout/TKrqWrapCache.h"

#include <algorithm>

namespace krq {

TKrqWrapCache::TLineRows& TKrqWrapCache::Line(int line, double width) {
    if (width != width_) {
        rows_.clear();
        width_ = width;
    }
    return rows_[line];
}

void TKrqWrapCache::Extend(TLineRows& rows, std::string_view text, const TKrqLineLayout& layout,
                           double width) {
    if (rows.complete) return;
    size_t next = 0;
    layout.RowAt(text, rows.starts.back(), width, TKrqLineLayout::TWrapRules{}, &next);
    if (next >= text.size()) {
        rows.complete = true;
    } else {
        rows.starts.push_back(static_cast<uint32_t>(next));
    }
}

bool TKrqWrapCache::Row(int line, std::string_view text, const TKrqLineLayout& layout, double width,
                        int row, TKrqLineLayout::TRowSpan& span) {
    if (row < 0) return false;
    TLineRows& r = Line(line, width);
    const size_t want = static_cast<size_t>(row);
    // The end of a row is the next one's start, or the line's end once the line is complete.
    while (!r.complete && r.starts.size() <= want + 1) Extend(r, text, layout, width);
    if (want >= r.starts.size()) return false;
    span.Begin = r.starts[want];
    span.End = want + 1 < r.starts.size() ? r.starts[want + 1] : text.size();
    return true;
}

int TKrqWrapCache::RowOfByte(int line, std::string_view text, const TKrqLineLayout& layout,
                             double width, size_t index) {
    TLineRows& r = Line(line, width);
    while (!r.complete && r.starts.back() <= index) Extend(r, text, layout, width);
    auto it = std::upper_bound(r.starts.begin(), r.starts.end(), index);
    return static_cast<int>(it - r.starts.begin()) - 1;
}

int TKrqWrapCache::RowCount(int line, std::string_view text, const TKrqLineLayout& layout,
                            double width) {
    return static_cast<int>(RowsOf(line, text, layout, width).size());
}

const std::vector<uint32_t>& TKrqWrapCache::RowsOf(int line, std::string_view text,
                                                   const TKrqLineLayout& layout, double width) {
    TLineRows& r = Line(line, width);
    while (!r.complete) Extend(r, text, layout, width);
    return r.starts;
}

void TKrqWrapCache::LinesChanged(int first, int oldCount, int newCount) {
    if (oldCount != newCount) {
        rows_.clear();
        return;
    }
    for (int i = 0; i < newCount; ++i) rows_.erase(first + i);
}

}  // namespace krq
