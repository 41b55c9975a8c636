// Undo blocks, undo and redo, and the clean state behind Modified.
#include <algorithm>
#include <cstring>
#include <vector>

#include "editor/model/TKrqEditModel.h"
#include "editor/model/TKrqEditModelImpl.h"

namespace krq {

void TKrqEditModel::Impl::ResetHistories(bool clean) {
    heldLine0 = -1;
    history.Reset(clean);
    TKrqUndoEntry fresh;
    fresh.caretBefore = caret;
    fresh.anchorBefore = anchor;
    history.open = std::move(fresh);
}

void TKrqEditModel::Impl::SyncWithLines() {
    if (linesSerial == lines.Serial()) return;
    // The lines were loaded or cleared through Lines(): line numbers in the histories no
    // longer fit, so the model resets what a load through it resets.
    linesSerial = lines.Serial();
    bookmarks = {};
    SetCaretAndAnchor({1, 1}, {1, 1});
    ResetHistories(!modified);
}

void TKrqEditModel::Impl::UpdateModified() {
    bool now = !history.AtCleanState();
    if (now == modified) return;
    modified = now;
    statusPending |= scModified;
}

void TKrqEditModel::Impl::BeginBlock() {
    SyncWithLines();
    if (history.blockDepth++ > 0) return;
    history.open.records.clear();
    history.open.texts.clear();
    history.open.caretBefore = caret;
    history.open.anchorBefore = anchor;
}

void TKrqEditModel::Impl::EndBlock() {
    if (history.blockDepth == 0) return;
    if (--history.blockDepth == 0) CommitOpen();
}

void TKrqEditModel::Impl::CommitOpen() {
    TKrqUndoEntry& open = history.open;
    if (!open.records.empty()) {
        open.id = history.nextId++;
        open.caretAfter = caret;
        open.anchorAfter = anchor;
        open.storage = lines.Storage();
        history.PushUndo(std::move(open));
        history.redo.clear();
        changePending = true;
        UpdateModified();
    }
    history.open = TKrqUndoEntry{};
    history.open.caretBefore = caret;
    history.open.anchorBefore = anchor;
}

void TKrqEditModel::Impl::AdjustBookmarks(int line0, int oldCount, int newCount,
                                          bool joinBookmarks) {
    if (oldCount == newCount) return;
    int kept = std::min(oldCount, newCount);
    for (int& mark : bookmarks) {
        if (mark == 0) continue;
        int at = mark - 1;
        if (at < line0 + kept) continue;
        if (at >= line0 + oldCount)
            mark += newCount - oldCount;
        else
            mark = joinBookmarks && line0 + kept > 0 ? line0 + kept : 0;
    }
}

void TKrqEditModel::Impl::ApplyRecord(TKrqUndoEntry& entry, const TKrqUndoRecord& r, bool forward) {
    if (r.kind == TKrqUndoRecord::kReplaceLines) {
        int oldCount = static_cast<int>(r.oldCount);
        int newCount = static_cast<int>(r.newCount);
        if (oldCount == newCount && (forward || entry.swapped)) {
            for (int i = 0; i < newCount; ++i)
                lines.SwapLine(r.line + i, entry.texts[r.first + r.oldCount + i]);
            OwnChange();
            return;
        }
        size_t from = r.first + (forward ? r.oldCount : 0);
        int put = forward ? newCount : oldCount;
        int remove = forward ? oldCount : newCount;
        if (put == 1) {
            lines.Replace(r.line, remove, &entry.texts[from], 1);
        } else {
            std::vector<TKrqLineText> texts(entry.texts.begin() + static_cast<long>(from),
                                            entry.texts.begin() + static_cast<long>(from) + put);
            lines.Replace(r.line, remove, texts.data(), put);
        }
        AdjustBookmarks(r.line, remove, put, forward && r.joinBookmarks);
        OwnChange();
        return;
    }
    const TKrqLineText& oldBytes = entry.texts[r.first];
    const TKrqLineText& newBytes = entry.texts[r.first + 1];
    const TKrqLineText& removed = forward ? oldBytes : newBytes;
    const TKrqLineText& inserted = forward ? newBytes : oldBytes;
    const TKrqLineText current = lines.Line(r.line);
    lines.SetLine(r.line, current.Replaced(r.column, removed.size(), inserted));
    OwnChange();
}

// --- Public undo interface ----------------------------------------------------------------

void TKrqEditModel::BeginUndoBlock() {
    Impl::Operation op(*d);
    d->BeginBlock();
}

void TKrqEditModel::EndUndoBlock() {
    Impl::Operation op(*d);
    d->EndBlock();
}

bool TKrqEditModel::CanUndo() const {
    return d->linesSerial == d->lines.Serial() && !d->history.undo.empty();
}

bool TKrqEditModel::CanRedo() const {
    return d->linesSerial == d->lines.Serial() && !d->history.redo.empty();
}

void TKrqEditModel::Undo() {
    Impl::Operation op(*d);
    d->SyncWithLines();
    d->heldLine0 = -1;
    // Inside an open block, what it changed so far becomes its own step first.
    if (d->history.blockDepth > 0) d->CommitOpen();
    TKrqUndoHistory& h = d->history;
    if (h.undo.empty()) return;
    TKrqUndoEntry entry = std::move(h.undo.back());
    h.undo.pop_back();
    for (auto it = entry.records.rbegin(); it != entry.records.rend(); ++it)
        d->ApplyRecord(entry, *it, false);
    entry.swapped = false;
    d->SetCaretAndAnchor(entry.caretBefore, entry.anchorBefore);
    h.PushRedo(std::move(entry));
    d->changePending = true;
    d->UpdateModified();
    h.open.caretBefore = d->caret;
    h.open.anchorBefore = d->anchor;
}

void TKrqEditModel::Redo() {
    Impl::Operation op(*d);
    d->SyncWithLines();
    d->heldLine0 = -1;
    if (d->history.blockDepth > 0) d->CommitOpen();
    TKrqUndoHistory& h = d->history;
    if (h.redo.empty()) return;
    TKrqUndoEntry entry = std::move(h.redo.back());
    h.redo.pop_back();
    for (const TKrqUndoRecord& record : entry.records) d->ApplyRecord(entry, record, true);
    entry.swapped = true;
    d->SetCaretAndAnchor(entry.caretAfter, entry.anchorAfter);
    h.PushUndo(std::move(entry));
    d->changePending = true;
    d->UpdateModified();
    h.open.caretBefore = d->caret;
    h.open.anchorBefore = d->anchor;
}

bool TKrqEditModel::Modified() const { return d->modified; }

void TKrqEditModel::SetModified(bool modified) {
    Impl::Operation op(*d);
    d->SyncWithLines();
    d->history.cleanId = modified ? TKrqUndoHistory::kUnreachable : d->history.CurrentId();
    d->modified = modified;
    d->statusPending |= scModified;
}

}  // namespace krq
