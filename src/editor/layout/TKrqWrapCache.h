// The wrapped rows of the lines a view has shown, kept in step with the text.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editor/layout/TKrqLineLayout.h"

namespace krq {

// Rows are made only for what is drawn or moved over, and within a line only as far as it was
// asked: turning wrap on costs one screen, and paging into a 20 MB line costs the rows crossed.
class TKrqWrapCache {
  public:
    // Row `row` (0-based) of `line` (0-based) wrapped at `width`, as bytes [Begin, End); false
    // when the line has fewer rows. A change of width drops every row made for another width.
    bool Row(int line, std::string_view text, const TKrqLineLayout& layout, double width, int row,
             TKrqLineLayout::TRowSpan& span);
    // The row showing byte `index`: a row start belongs to its row, the end of the line (and
    // anything beyond it) to the last row.
    int RowOfByte(int line, std::string_view text, const TKrqLineLayout& layout, double width,
                  size_t index);
    // How many rows the line has: wraps the whole line.
    int RowCount(int line, std::string_view text, const TKrqLineLayout& layout, double width);
    // Every row start of the line: wraps the whole line.
    const std::vector<uint32_t>& RowsOf(int line, std::string_view text,
                                        const TKrqLineLayout& layout, double width);
    // Lines [first, first + oldCount) became `newCount` lines: the rows of the changed lines
    // go, and when lines came or went every row goes, since the numbers moved.
    void LinesChanged(int first, int oldCount, int newCount);
    void Clear() { rows_.clear(); }
    // How many rows of `line` have been laid out so far.
    size_t RowsKnown(int line) const {
        auto it = rows_.find(line);
        return it == rows_.end() ? 0 : it->second.starts.size();
    }
    size_t Size() const { return rows_.size(); }

  private:
    struct TLineRows {
        std::vector<uint32_t> starts{0};  // the rows known so far, from the line's start
        bool complete = false;            // the last start is the line's last row
    };
    TLineRows& Line(int line, double width);
    // Adds the row after the last one known; marks the line complete when there is none.
    void Extend(TLineRows& rows, std::string_view text, const TKrqLineLayout& layout, double width);

    std::unordered_map<int, TLineRows> rows_;
    double width_ = -1;
};

}  // namespace krq
