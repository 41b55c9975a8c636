// Tab stops in columns and in device units: the one rule every tab follows.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

namespace krq {

// The column a tab at column `col` (0-based) moves to: the next multiple of `tabWidth`.
inline size_t NextTabColumn(size_t col, int tabWidth) {
    const size_t tw = tabWidth < 1 ? 1 : static_cast<size_t>(tabWidth);
    return (col / tw + 1) * tw;
}

// The same rule for a proportional font: `x` moves to the next multiple of `tabStop`. The
// small bias keeps an x that landed on a stop by summing advances from jumping a whole stop.
inline double NextTabStop(double x, double tabStop) {
    return (std::floor(x / tabStop + 1e-9) + 1) * tabStop;
}

// The line with each tab replaced by the spaces up to its tab stop (one byte, one column).
std::string ExpandTabs(std::string_view line, int tabWidth);

}  // namespace krq
