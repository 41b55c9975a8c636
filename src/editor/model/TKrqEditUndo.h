// The undo and redo histories of the text model: compact records of what each step changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/model/KrqEditTypes.h"
#include "editor/model/text/TKrqLineText.h"

namespace krq {

// One change of the text. Records are applied forwards for redo and backwards for undo, so
// each keeps both sides: whole-line replacements keep the old and the new line texts (shared,
// not copied), in-line splices keep only the bytes removed and inserted (long ones as pieces
// shared with the line), so a keystroke or a line break in a 20 MB line does not keep a copy
// of the line.
struct TKrqUndoRecord {
    enum Kind : uint8_t {
        // Lines [line, line + oldCount) were replaced by newCount lines. The old texts are
        // texts[first .. first + oldCount), the new ones follow them.
        kReplaceLines,
        // In line `line`, at 0-based byte `column`, `oldCount` bytes were replaced by
        // `newCount` bytes: texts[first] holds the old bytes, texts[first + 1] the new.
        kSplice,
    };
    Kind kind;
    // kReplaceLines only: the removed lines were joined into the one before, so their
    // bookmarks move there instead of being cleared.
    bool joinBookmarks;
    int line;  // 0-based
    // Counts and columns fit 32 bits because positions are ints; a replace-all records
    // hundreds of thousands of these, so they are kept small.
    uint32_t column;
    uint32_t oldCount;
    uint32_t newCount;
    size_t first;
};

// One undo step: everything between the outermost BeginUndoBlock and EndUndoBlock, or a
// single primitive change made outside a block.
struct TKrqUndoEntry {
    uint64_t id = 0;  // unique and increasing; the clean state names an entry by it
    TBufferCoord caretBefore, anchorBefore;
    TBufferCoord caretAfter, anchorAfter;
    // Deques, because a replace-all appends hundreds of thousands of records and copying a
    // growing vector would touch twice the memory.
    std::deque<TKrqUndoRecord> records;
    std::deque<TKrqLineText> texts;
    // Set while the new texts of its same-count line replacements stand in the lines and
    // their slots in `texts` hold the old ones: redo swaps them in rather than copying, so
    // it touches no line's bytes, and the undo after it swaps them back.
    bool swapped = false;
    // The loaded file bytes that unchanged-line slices in `texts` point into.
    std::shared_ptr<const void> storage;
};

// Both histories and the clean-state bookkeeping behind Modified.
struct TKrqUndoHistory {
    static constexpr size_t kLimit = 1024;
    static constexpr uint64_t kUnreachable = UINT64_MAX;

    std::deque<TKrqUndoEntry> undo;  // back() is the newest
    std::deque<TKrqUndoEntry> redo;  // back() is the next to redo
    uint64_t nextId = 1;
    // The id standing for "no undo entry": the last entry dropped off the bottom of a full
    // history (undoing everything returns to the state after it), or a fresh id after a reset.
    uint64_t baseId = 0;
    // The state Modified is measured against, as the id of the newest undo entry then.
    uint64_t cleanId = 0;

    // Nesting depth of BeginUndoBlock; the open entry collects records while it is positive.
    int blockDepth = 0;
    TKrqUndoEntry open;

    uint64_t CurrentId() const { return undo.empty() ? baseId : undo.back().id; }
    bool AtCleanState() const { return CurrentId() == cleanId; }
    // Forgets both histories; `clean` tells whether the current text is the clean state.
    void Reset(bool clean) {
        undo.clear();
        redo.clear();
        baseId = nextId++;
        cleanId = clean ? baseId : kUnreachable;
    }
    // Pushes a finished entry, dropping the oldest one of a full history.
    void PushUndo(TKrqUndoEntry&& entry) {
        if (undo.size() >= kLimit) {
            baseId = undo.front().id;
            undo.pop_front();
        }
        undo.push_back(std::move(entry));
    }
    void PushRedo(TKrqUndoEntry&& entry) {
        if (redo.size() >= kLimit) redo.pop_front();
        redo.push_back(std::move(entry));
    }
};

}  // namespace krq
