// Tab expansion for output that has no tab stops of its own (the printed page).
#include "editor/layout/TKrqTabStops.h"

namespace krq {

std::string ExpandTabs(std::string_view line, int tabWidth) {
    if (line.find('\t') == std::string_view::npos) return std::string(line);
    std::string out;
    out.reserve(line.size() + 8);
    for (char c : line) {
        if (c == '\t') {
            out.append(NextTabColumn(out.size(), tabWidth) - out.size(), ' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace krq
