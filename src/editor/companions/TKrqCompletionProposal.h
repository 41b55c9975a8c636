// Word completion: the list opened with Ctrl+Space, its keys, and putting the chosen word in.
// The widget only draws the list window and forwards clicks and focus loss to it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/KrqEditTypes.h"

namespace krq {

class TKrqEditModel;

enum TKrqCompletionOption : uint32_t {
    scoAnsiStrings = 1u << 0,
    scoCaseSensitive = 1u << 1,
    scoLimitToMatchedText = 1u << 2,
    scoTitleIsCentered = 1u << 3,
    scoUseInsertList = 1u << 4,
    scoUsePrettyText = 1u << 5,
    scoUseBuiltInTimer = 1u << 6,
    scoEndCharCompletion = 1u << 7,
    scoConsiderWordBreakChars = 1u << 8,
    scoCompleteWithTab = 1u << 9,
    scoCompleteWithEnter = 1u << 10,
};
using TKrqCompletionOptions = uint32_t;

inline constexpr TKrqCompletionOptions kKrqDefaultCompletionOptions =
    scoEndCharCompletion | scoCompleteWithEnter;

// Screen geometry in pixels, for placing the list window.
struct TKrqScreenPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TKrqScreenPoint&, const TKrqScreenPoint&) = default;
};
struct TKrqScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

namespace completion {

// The start column (1-based) of the prefix before the caret: leftwards over bytes above 32 that
// are not end-of-token characters. The caret column itself when the caret stands further
// right than just after the line's last character.
int PrefixStart(std::string_view line, int caretColumn, std::string_view endOfToken);
// The first word that begins with `prefix` (A-Z ignoring case unless caseSensitive, every other
// byte exactly); 0 when none does or the prefix is empty. -1 for an empty list.
int MatchRow(const std::vector<std::string>& words, std::string_view prefix, bool caseSensitive);
// The list's top-left corner: one line below the caret's screen point (the top of the caret
// line), moved left by its width when it would cross the work area's right edge, and above the
// caret line (2 pixels clear) when it would cross the bottom; never left of or above the area.
TKrqScreenPoint PlaceList(TKrqScreenPoint caret, int lineHeight, int listWidth, int listHeight,
                          const TKrqScreenRect& workArea);

}  // namespace completion

// Attaches to a TKrqEditModel through a key-down and a key-press hook. Lifetime: as for
// TKrqAutoCorrect, the model must outlive the attached companion; the destructor detaches.
//
// The widget forwards every key to the model's KeyDown and, when that returns false, the key's
// character to KeyPress; the list works either way if the character is also sent after a
// swallowed key.
class TKrqCompletionProposal {
  public:
    TKrqCompletionProposal();
    ~TKrqCompletionProposal();
    TKrqCompletionProposal(const TKrqCompletionProposal&) = delete;
    TKrqCompletionProposal& operator=(const TKrqCompletionProposal&) = delete;

    // The offered words in list order. A change takes effect at the next opening.
    const std::vector<std::string>& ItemList() const { return items_; }
    void SetItemList(std::vector<std::string> words) { items_ = std::move(words); }
    // Replaces ItemList with the lines of data/proposal.dat; throws EKrqError when missing.
    void LoadItemListFromFile();

    TKrqCompletionOptions Options() const { return options_; }
    void SetOptions(TKrqCompletionOptions options) { options_ = options; }
    // The opening key (a virtual-key code of KrqEditCommands.h) and its exact modifiers.
    int ShortCutKey() const { return shortCutKey_; }
    TShiftState ShortCutShift() const { return shortCutShift_; }
    void SetShortCut(int key, TShiftState shift);
    // A completion by one of these characters reopens the list for the next word.
    const std::string& TriggerChars() const { return triggerChars_; }
    void SetTriggerChars(std::string chars) { triggerChars_ = std::move(chars); }
    // Characters that end the prefix and complete the word when typed.
    const std::string& EndOfTokenChr() const { return endOfToken_; }
    void SetEndOfTokenChr(std::string chars) { endOfToken_ = std::move(chars); }
    // The list window's width in pixels and its number of visible rows (also the page size).
    int Width() const { return width_; }
    void SetWidth(int pixels) { width_ = pixels; }
    int LinesInWindow() const { return linesInWindow_; }
    void SetLinesInWindow(int rows) { linesInWindow_ = rows > 0 ? rows : 1; }

    TKrqEditModel* Editor() const { return editor_; }
    // Attaches to `editor` (closing the list and detaching from the previous one); nullptr
    // detaches.
    void SetEditor(TKrqEditModel* editor);

    // --- The open list, for the widget ------------------------------------------------------
    bool IsOpen() const { return open_; }
    // The words shown, fixed when the list opened.
    const std::vector<std::string>& Rows() const { return rows_; }
    int SelectedRow() const { return selected_; }
    int StartColumn() const { return startColumn_; }
    int StartLine() const { return startLine_; }
    // The text from the start column to the caret.
    std::string Prefix() const;

    // Opens the list at the caret as Ctrl+Space does; nothing is shown for an empty list.
    void Activate();
    // Closes the list without changing the text.
    void Close();
    // A click on a row selects it; a double click selects it and completes with it.
    void RowClick(int row);
    void RowDoubleClick(int row);
    // The list window lost the keyboard focus.
    void FocusLost();

    // Raised when the list opens (the widget places it at the caret), when it closes, and
    // when the selected row changes while it is open.
    std::function<void()> OnShow;
    std::function<void()> OnHide;
    std::function<void()> OnSelectionChanged;

  private:
    enum class TSpan { ToCaret, ToWordEnd };

    bool OnKeyDown(int key, TShiftState shift);
    bool OnKeyPress(char ch);
    void OpenAt(int startColumn);
    void Select(int row);
    void Reselect();
    void Complete(TSpan span);
    // False (and the list closed) when the caret has left the prefix's line or gone before it.
    bool CaretStillInPrefix();
    std::string_view CaretLineText() const;

    std::vector<std::string> items_;
    TKrqCompletionOptions options_ = kKrqDefaultCompletionOptions;
    int shortCutKey_ = 0x20;
    TShiftState shortCutShift_ = ssCtrl;
    std::string triggerChars_ = ".";
    std::string endOfToken_ = "()[]. ";
    int width_ = 260;
    int linesInWindow_ = 8;

    TKrqEditModel* editor_ = nullptr;
    int keyDownHook_ = 0;
    int keyPressHook_ = 0;
    // Set by the opening key so the character it produces is not typed; any later key clears
    // it, so a widget that sends no such character loses nothing.
    bool swallowNextChar_ = false;

    bool open_ = false;
    std::vector<std::string> rows_;
    int selected_ = -1;
    int startColumn_ = 1;
    int startLine_ = 1;
};

}  // namespace krq
