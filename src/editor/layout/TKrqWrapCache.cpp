// The wrapped rows of shown lines.
#include "editor/layout/TKrqWrapCache.h"

namespace krq {

const std::vector<uint32_t>& TKrqWrapCache::RowsOf(int line, std::string_view text,
                                                   const TKrqLineLayout& layout, double width) {
    if (width != width_) {
        rows_.clear();
        width_ = width;
    }
    auto it = rows_.find(line);
    if (it != rows_.end()) return it->second;
    return rows_.emplace(line, layout.WrapStarts(text, width)).first->second;
}

void TKrqWrapCache::LinesChanged(int first, int oldCount, int newCount) {
    if (oldCount != newCount) {
        rows_.clear();
        return;
    }
    for (int i = 0; i < newCount; ++i) rows_.erase(first + i);
}

}  // namespace krq
