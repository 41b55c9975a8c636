// Following the model's changes with the per-line caches of a view.
#include "editor/layout/TKrqLineCaches.h"

namespace krq {

bool TKrqLineCaches::Sync(const TKrqEditModel& model, int lexThrough) {
    const TKrqEditStringList& lines = model.Lines();
    const uint64_t history = model.HistoryId();
    bool reset = false;
    if (history != seenHistory_) {
        int first = 0, oldCount = 0, newCount = 0;
        if (model.ChangedLines(seenHistory_, first, oldCount, newCount)) {
            wrap_.LinesChanged(first, oldCount, newCount);
            states_.LinesChanged(lines, first, oldCount, newCount, lexThrough);
        } else {
            reset = true;
        }
    } else if (lines.Serial() != seenSerial_ || lines.Count() != seenCount_) {
        reset = true;  // changed behind the history's back
    }
    if (reset) {
        wrap_.Clear();
        states_.Clear();
    }
    seenHistory_ = history;
    seenSerial_ = lines.Serial();
    seenCount_ = lines.Count();
    return reset;
}

}  // namespace krq
