// What a view needs to keep its per-line caches (lexer states, wrapped rows) in step with the
// text: which lines the newest history step replaced, read from that step's undo records.
#include <algorithm>

#include "editor/model/TKrqEditModelImpl.h"

namespace krq {

uint64_t TKrqEditModel::HistoryId() const { return d->history.CurrentId(); }

bool TKrqEditModel::ChangedLines(uint64_t before, int& first, int& oldCount, int& newCount) const {
    const TKrqUndoHistory& h = d->history;
    uint64_t now = h.CurrentId();
    if (now == before || d->linesSerial != d->lines.Serial()) return false;
    const TKrqUndoEntry* entry = nullptr;
    bool forward = true;
    // An undo moves the undone step onto the redo history; check it first, because after an
    // undo the newest undo entry is an older, untouched step.
    if (!h.redo.empty() && h.redo.back().id == before) {
        entry = &h.redo.back();
        forward = false;
    } else if (!h.undo.empty() && h.undo.back().id == now) {
        uint64_t below = h.undo.size() >= 2 ? h.undo[h.undo.size() - 2].id : h.baseId;
        if (below != before) return false;  // several steps at once: not worth tracking
        entry = &h.undo.back();
    }
    if (!entry || entry->records.empty()) return false;

    // Grow one region [a, b) of current line numbers over the records in the order they were
    // applied; `delta` is how many lines the region gained.
    bool have = false;
    long a = 0, b = 0, delta = 0;
    auto add = [&](const TKrqUndoRecord& r) {
        long oc = 1, nc = 1;
        if (r.kind == TKrqUndoRecord::kReplaceLines) {
            oc = static_cast<long>(forward ? r.oldCount : r.newCount);
            nc = static_cast<long>(forward ? r.newCount : r.oldCount);
        }
        long line = r.line;
        if (!have) {
            a = line;
            b = line + nc;
            delta = nc - oc;
            have = true;
            return;
        }
        long end = std::max(b, line + oc);
        a = std::min(a, line);
        b = end + (nc - oc);
        delta += nc - oc;
    };
    if (forward) {
        for (const TKrqUndoRecord& r : entry->records) add(r);
    } else {
        for (auto it = entry->records.rbegin(); it != entry->records.rend(); ++it) add(*it);
    }
    first = static_cast<int>(a);
    newCount = static_cast<int>(b - a);
    oldCount = static_cast<int>(b - a - delta);
    return true;
}

}  // namespace krq
