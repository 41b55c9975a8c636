// The wrapped rows of the lines a view has shown, kept in step with the text.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editor/layout/TKrqLineLayout.h"

namespace krq {

// Rows are made only for what is drawn or scrolled over, so turning wrap on costs one screen.
class TKrqWrapCache {
  public:
    // The row starts of `line` (0-based), wrapped at `width`. A change
    // of width drops every row made for another width.
    const std::vector<uint32_t>& RowsOf(int line, std::string_view text,
                                        const TKrqLineLayout& layout, double width);
    // Lines [first, first + oldCount) became `newCount` lines: the rows of the changed lines
    // go, and when lines came or went every row goes, since the numbers moved.
    void LinesChanged(int first, int oldCount, int newCount);
    void Clear() { rows_.clear(); }
    size_t Size() const { return rows_.size(); }

  private:
    std::unordered_map<int, std::vector<uint32_t>> rows_;
    double width_ = -1;
};

}  // namespace krq
