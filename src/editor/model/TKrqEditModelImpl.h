// The private state of TKrqEditModel, shared by the model's own source files. The command
// families work through the model's public interface alone; the command entry points (key
// map, command execution, clipboard) reach only `commands`, the state they keep here.
#pragma once

#include <array>

#include "editor/commands/KrqEditCommandState.h"
#include "editor/model/TKrqEditModel.h"
#include "editor/model/TKrqEditUndo.h"

namespace krq {

struct TKrqEditModel::Impl {
    explicit Impl(TKrqEditModel& owner);

    TKrqEditModel& self;

    // The text. Change it only through the model's primitives (InsertText, DeleteText,
    // SetLineText, InsertLines, DeleteLines) so undo, bookmarks and notifications follow.
    TKrqEditStringList lines;

    // Caret and selection anchor, 1-based; the selection runs between them and is empty when
    // they are equal. The caret's column may lie beyond the end of its line.
    TBufferCoord caret;
    TBufferCoord anchor;
    TSelectionMode selectionMode = smNormal;
    bool insertMode = true;

    // Bookmarks 0..9 as 1-based line numbers; 0 when not set.
    std::array<int, 10> bookmarks{};

    TKrqEditorOptions options = kKrqEditDefaultOptions;
    int tabWidth = 8;
    // The word characters in effect (the highlighter's or the default set).
    std::array<bool, 256> wordChars{};

    // What the view reports: first visible line and the number of lines it shows.
    int topLine = 1;
    int linesInWindow = 20;

    TKrqUndoHistory history;
    // The value Modified reports; kept so a status change is raised only when it flips.
    bool modified = false;
    // The lines' serial after the model's own last change; a load or an edit straight
    // through Lines() changes it and makes the model drop histories that no longer fit.
    uint64_t linesSerial = 0;

    // Notification batching: public calls nest `operationDepth`; when it returns to zero
    // outside an undo block, the gathered OnChange and status changes are raised once.
    int operationDepth = 0;
    bool changePending = false;
    TStatusChanges statusPending = 0;

    // Hooks and clipboard of the command layer.
    TKrqCommandState commands;

    // --- Helpers of the model's own files ---------------------------------------------------
    int LineCount() const { return lines.Count(); }
    // Notes that the lines' latest change was the model's own.
    void OwnChange() { linesSerial = lines.Serial(); }
    // Line clamped to [1, max(1, Count)], column at least 1.
    TBufferCoord Clamp(TBufferCoord pos) const;
    // Moves caret and anchor, gathering the status changes this causes.
    void SetCaretAndAnchor(TBufferCoord newCaret, TBufferCoord newAnchor);
    // Keeps caret and anchor on existing lines after lines were removed.
    void ClampCaret();
    // Drops the histories when the lines were replaced behind the model's back.
    void SyncWithLines();
    // Raises the gathered notifications when no operation or undo block is open.
    void Flush();

    void BeginBlock();
    void EndBlock();
    // Turns the records gathered so far into an undo entry.
    void CommitOpen();
    void UpdateModified();
    void ResetHistories(bool clean);

    // Recorded changes; every text change of the model goes through these.
    bool Trimming() const { return (options & eoTrimTrailingSpaces) != 0; }
    // The indentation an auto-indented Enter wrote on a new line is trailing until the user
    // types behind it; trimming it at once would lose a tab indentation (typing past the end
    // pads with spaces). It stays until the next change elsewhere, which trims it then.
    int heldLine0 = -1;
    size_t heldKeep = 0;
    void ReleaseHeld();
    // Replaces line `line0` (0-based) by `text`; the first `samePrefix` and the last
    // `sameSuffix` bytes of old and new text are known to be equal.
    void ChangeLine(int line0, TKrqLineText text, size_t samePrefix, size_t sameSuffix = 0);
    // Replaces lines [line0, line0 + count) by `texts`. Bookmarks on removed lines move to
    // the line before them when `joinBookmarks` is set, otherwise they are cleared.
    void ReplaceLines(int line0, int count, std::vector<TKrqLineText> texts, bool joinBookmarks);
    void ApplyRecord(TKrqUndoEntry& entry, const TKrqUndoRecord& record, bool forward);
    void AdjustBookmarks(int line0, int oldCount, int newCount, bool joinBookmarks);

    TBufferCoord InsertTextAt(TBufferCoord pos, std::string_view text);
    void DeleteRange(TBufferCoord begin, TBufferCoord end);
    void DeleteSelectionInMode();
    TBufferCoord InsertColumn(TBufferCoord pos, std::string_view text);

    // Marks a public call: the notifications it gathers are raised once when the outermost
    // call returns outside any undo block.
    class Operation {
      public:
        explicit Operation(Impl& d);
        ~Operation() noexcept(false);
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

      private:
        Impl& d_;
        int exceptions_;
    };

    // Opens an undo block for one public call, so a primitive outside a block is its own step.
    class BlockGuard {
      public:
        explicit BlockGuard(Impl& d) : d_(d) { d_.BeginBlock(); }
        ~BlockGuard() { d_.EndBlock(); }
        BlockGuard(const BlockGuard&) = delete;
        BlockGuard& operator=(const BlockGuard&) = delete;

      private:
        Impl& d_;
    };
};

}  // namespace krq
