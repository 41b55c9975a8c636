// The headless editing component: text, caret, selection, undo, commands and search.
// The widget TKrqEdit draws it and feeds it keys; everything here is tested without a display.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/commands/KrqEditCommands.h"
#include "editor/model/KrqEditTypes.h"
#include "editor/model/TKrqEditStringList.h"

namespace krq {

// The clipboard as the model needs it; the widget supplies one over QClipboard, tests a fake.
class TKrqClipboard {
  public:
    virtual ~TKrqClipboard() = default;
    // Puts the private block (mode byte, text, NUL) on the clipboard, and the text inside it
    // as plain text (EditBlockText). The block is handed over, so a large copy exists once.
    // Throws EKrqError("Clipboard copy operation failed") when it cannot.
    virtual void Put(std::string privateBlock) = 0;
    // The private block when present, else the plain text in `plainText`; false when the
    // clipboard holds no text. Throws "Clipboard paste operation failed." when unreadable.
    virtual bool Get(std::string& plainText, std::optional<std::string>& privateBlock) = 0;
};

// Flags of FindAndReplace.
enum TKrqSearchOption : uint32_t {
    ssoMatchCase = 1u << 0,
    ssoWholeWord = 1u << 1,
    ssoBackwards = 1u << 2,
    ssoEntireScope = 1u << 3,
    ssoSelectedOnly = 1u << 4,
    ssoReplace = 1u << 5,
    ssoReplaceAll = 1u << 6,
    ssoPrompt = 1u << 7,
};
using TKrqSearchOptions = uint32_t;

enum class TKrqReplaceAction { raReplace, raSkip, raReplaceAll, raCancel };

class TKrqEditModel {
  public:
    TKrqEditModel();
    ~TKrqEditModel();
    TKrqEditModel(const TKrqEditModel&) = delete;
    TKrqEditModel& operator=(const TKrqEditModel&) = delete;

    // --- Text -----------------------------------------------------------------------------
    TKrqEditStringList& Lines();
    const TKrqEditStringList& Lines() const;
    // Loads through Lines and resets what a load resets: both histories, caret to 1:1,
    // selection; Modified is left as it was; no OnChange.
    TDecodeReport LoadLinesFromFile(const std::string& path,
                                    std::optional<TDocEncoding> encoding = std::nullopt);
    void SaveLinesToFile(const std::string& path,
                         TDocEncoding encoding = TDocEncoding::Windows1250) const;
    std::string Text() const;
    std::string LinesText() const;
    // Removes all lines and bookmarks, empties both histories, caret to 1:1, Modified false.
    void ClearDocument();

    // --- Caret and selection ----------------------------------------------------------------
    int CaretColumn() const;
    int CaretLine() const;
    TBufferCoord CaretXY() const;
    // Moves the caret (line clamped to the text, column at least 1) and clears the selection.
    void SetCaretXY(TBufferCoord pos);
    // Sets anchor and caret; the selection runs between them.
    void SetSelection(TBufferCoord anchor, TBufferCoord caret);
    TBufferCoord SelectionAnchor() const;
    // The smaller and the larger of anchor and caret (by line, then character).
    TBufferCoord BlockBegin() const;
    TBufferCoord BlockEnd() const;
    bool SelAvail() const;
    TSelectionMode SelectionMode() const;
    void SetSelectionMode(TSelectionMode mode);

    std::string SelectedText() const;
    // The same appended to `out`, which grows once with room for `spare` more bytes, so that
    // a copy of a large selection is made only once.
    void AppendSelectedText(std::string& out, size_t spare = 0) const;
    // One undo step: deletes the selection in the current mode, then inserts the text.
    void SetSelectedText(std::string_view text);
    void SelectAll();
    void DeleteSelection();

    bool InsertMode() const;
    void SetInsertMode(bool insert);

    // Bookmarks 0..9: the line they mark, or nothing.
    std::optional<int> Bookmark(int number) const;
    void SetBookmark(int number, int line);
    void ClearBookmark(int number);

    // --- Settings ---------------------------------------------------------------------------
    TKrqEditorOptions Options() const;
    void SetOptions(TKrqEditorOptions options);
    bool HasOption(TKrqEditorOption option) const;
    int TabWidth() const;
    void SetTabWidth(int width);
    // The highlighter's identifier characters, or nullptr for the default word characters
    // (0-9, A-Z, a-z, "_" and 192-255 except 215 and 247).
    void SetWordChars(const std::array<bool, 256>* identChars);
    bool IsWordChar(uint8_t c) const;

    // What the view tells the model: its first visible line and how many lines it shows.
    int TopLine() const;
    void SetTopLine(int line);
    int LinesInWindow() const;
    void SetLinesInWindow(int lines);

    // --- Primitive changes: everything that alters the text goes through these -------------
    // Inserts text (CR LF, lone CR and lone LF start new lines) at pos, padding the line with
    // spaces when pos lies beyond its end. Returns the position after the inserted text.
    TBufferCoord InsertText(TBufferCoord pos, std::string_view text);
    // Deletes the stream of characters from begin up to end (begin <= end).
    void DeleteText(TBufferCoord begin, TBufferCoord end);
    // Replaces the whole of line `line` (1-based).
    void SetLineText(int line, std::string_view text);
    // The same with a text already built in its own storage, which the line then keeps.
    void SetLineText(int line, TKrqLineText text);
    // The next insertion of line `line` keeps its first `length` bytes even when they are
    // trailing blanks; they are trimmed by the next change of another line.
    void HoldIndent(int line, int length);
    // Inserts / deletes whole lines (1-based index of the first).
    void InsertLines(int line, const std::vector<std::string>& lines);
    void DeleteLines(int line, int count);

    // --- Undo and modification --------------------------------------------------------------
    // Everything between the outermost Begin and End is one undo step and one OnChange.
    void BeginUndoBlock();
    void EndUndoBlock();
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    bool Modified() const;
    void SetModified(bool modified);

    // --- Notifications ----------------------------------------------------------------------
    std::function<void()> OnChange;
    std::function<void(TStatusChanges)> OnStatusChange;

    // --- Commands (KrqEditCommands.h lists the codes) ---------------------------------------
    // Runs one editing command through the command hooks.
    void ExecuteCommand(TKrqEditorCommand command, char ch = 0);
    // Called before (after == false) and after each command; setting handled before it
    // runs stops it. Returns an id for RemoveCommandHook.
    using TCommandHook =
        std::function<void(bool after, bool& handled, TKrqEditorCommand& command, char& ch)>;
    int AddCommandHook(TCommandHook hook);
    void RemoveCommandHook(int id);
    // Key hooks run before a key becomes a command; returning true swallows the key.
    using TKeyDownHook = std::function<bool(int key, TShiftState shift)>;
    using TKeyPressHook = std::function<bool(char& ch)>;
    int AddKeyDownHook(TKeyDownHook hook);
    int AddKeyPressHook(TKeyPressHook hook);
    void RemoveKeyHook(int id);
    // A key as the widget receives it (virtual-key codes of KrqEditCommands.h). Returns true
    // when a hook or the key map handled it.
    bool KeyDown(int key, TShiftState shift);
    // A typed character (already a Windows-1250 byte).
    void KeyPress(char ch);
    // The view's rows, which the vertical moves and Home and End follow while it wraps lines;
    // nullptr (as created) moves by lines.
    void SetRowMap(TKrqRowMap* rows);

    // --- Clipboard --------------------------------------------------------------------------
    void SetClipboard(TKrqClipboard* clipboard);
    void CopySelection();
    void CutSelection();
    void PasteClipboard();

    // --- Search -----------------------------------------------------------------------------
    // Returns the number of occurrences counted.
    int FindAndReplace(std::string_view search, std::string_view replace,
                       TKrqSearchOptions options);
    // Asked before each replacement when ssoPrompt is set; without a handler all are replaced.
    std::function<TKrqReplaceAction(std::string_view search, std::string_view replace,
                                    TBufferCoord begin, TBufferCoord end)>
        OnReplaceText;

    // --- Added for views that cache per-line data (TKrqEditModelView.cpp) -------------------
    // The text's place in the histories; every change, undo and redo moves it.
    uint64_t HistoryId() const;
    // The lines the step from history place `before` to the current one replaced: 0-based
    // `first`, how many lines stood there before and how many stand there now. False when it
    // cannot be told; the view should then drop everything it cached.
    bool ChangedLines(uint64_t before, int& first, int& oldCount, int& newCount) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace krq
