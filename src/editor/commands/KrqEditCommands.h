// Editing command codes, the virtual-key codes of the key map, and the key map itself.
#pragma once

#include <string>
#include <string_view>

#include "editor/model/KrqEditTypes.h"

namespace krq {

using TKrqEditorCommand = int;

// Adding ecSelection to a caret move gives the same move extending the selection.
inline constexpr TKrqEditorCommand ecNone = 0;
inline constexpr TKrqEditorCommand ecLeft = 1;
inline constexpr TKrqEditorCommand ecRight = 2;
inline constexpr TKrqEditorCommand ecUp = 3;
inline constexpr TKrqEditorCommand ecDown = 4;
inline constexpr TKrqEditorCommand ecWordLeft = 5;
inline constexpr TKrqEditorCommand ecWordRight = 6;
inline constexpr TKrqEditorCommand ecLineStart = 7;
inline constexpr TKrqEditorCommand ecLineEnd = 8;
inline constexpr TKrqEditorCommand ecPageUp = 9;
inline constexpr TKrqEditorCommand ecPageDown = 10;
inline constexpr TKrqEditorCommand ecPageTop = 13;
inline constexpr TKrqEditorCommand ecPageBottom = 14;
inline constexpr TKrqEditorCommand ecEditorTop = 15;
inline constexpr TKrqEditorCommand ecEditorBottom = 16;
inline constexpr TKrqEditorCommand ecSelection = 100;
inline constexpr TKrqEditorCommand ecSelLeft = ecSelection + ecLeft;
inline constexpr TKrqEditorCommand ecSelRight = ecSelection + ecRight;
inline constexpr TKrqEditorCommand ecSelUp = ecSelection + ecUp;
inline constexpr TKrqEditorCommand ecSelDown = ecSelection + ecDown;
inline constexpr TKrqEditorCommand ecSelWordLeft = ecSelection + ecWordLeft;
inline constexpr TKrqEditorCommand ecSelWordRight = ecSelection + ecWordRight;
inline constexpr TKrqEditorCommand ecSelLineStart = ecSelection + ecLineStart;
inline constexpr TKrqEditorCommand ecSelLineEnd = ecSelection + ecLineEnd;
inline constexpr TKrqEditorCommand ecSelPageUp = ecSelection + ecPageUp;
inline constexpr TKrqEditorCommand ecSelPageDown = ecSelection + ecPageDown;
inline constexpr TKrqEditorCommand ecSelPageTop = ecSelection + ecPageTop;
inline constexpr TKrqEditorCommand ecSelPageBottom = ecSelection + ecPageBottom;
inline constexpr TKrqEditorCommand ecSelEditorTop = ecSelection + ecEditorTop;
inline constexpr TKrqEditorCommand ecSelEditorBottom = ecSelection + ecEditorBottom;
inline constexpr TKrqEditorCommand ecSelectAll = 199;
inline constexpr TKrqEditorCommand ecScrollUp = 211;
inline constexpr TKrqEditorCommand ecScrollDown = 212;
inline constexpr TKrqEditorCommand ecToggleMode = 223;
inline constexpr TKrqEditorCommand ecNormalSelect = 231;
inline constexpr TKrqEditorCommand ecColumnSelect = 232;
inline constexpr TKrqEditorCommand ecLineSelect = 233;
inline constexpr TKrqEditorCommand ecMatchBracket = 250;
inline constexpr TKrqEditorCommand ecGotoMarker0 = 301;  // ..ecGotoMarker0 + 9
inline constexpr TKrqEditorCommand ecSetMarker0 = 351;   // ..ecSetMarker0 + 9
inline constexpr TKrqEditorCommand ecDeleteLastChar = 501;
inline constexpr TKrqEditorCommand ecDeleteChar = 502;
inline constexpr TKrqEditorCommand ecDeleteWord = 503;
inline constexpr TKrqEditorCommand ecDeleteLastWord = 504;
inline constexpr TKrqEditorCommand ecDeleteEOL = 506;
inline constexpr TKrqEditorCommand ecDeleteLine = 507;
inline constexpr TKrqEditorCommand ecLineBreak = 509;
inline constexpr TKrqEditorCommand ecInsertLine = 510;
inline constexpr TKrqEditorCommand ecChar = 511;
inline constexpr TKrqEditorCommand ecUndo = 601;
inline constexpr TKrqEditorCommand ecRedo = 602;
inline constexpr TKrqEditorCommand ecCut = 603;
inline constexpr TKrqEditorCommand ecCopy = 604;
inline constexpr TKrqEditorCommand ecPaste = 605;
inline constexpr TKrqEditorCommand ecBlockIndent = 610;
inline constexpr TKrqEditorCommand ecBlockUnindent = 611;
inline constexpr TKrqEditorCommand ecTab = 612;
inline constexpr TKrqEditorCommand ecShiftTab = 613;

// Virtual-key codes the widget translates its key events into (letters and digits are their
// upper-case ASCII codes).
inline constexpr int vkBack = 0x08;
inline constexpr int vkTab = 0x09;
inline constexpr int vkReturn = 0x0D;
inline constexpr int vkEscape = 0x1B;
inline constexpr int vkSpace = 0x20;
inline constexpr int vkPrior = 0x21;
inline constexpr int vkNext = 0x22;
inline constexpr int vkEnd = 0x23;
inline constexpr int vkHome = 0x24;
inline constexpr int vkLeft = 0x25;
inline constexpr int vkUp = 0x26;
inline constexpr int vkRight = 0x27;
inline constexpr int vkDown = 0x28;
inline constexpr int vkInsert = 0x2D;
inline constexpr int vkDelete = 0x2E;

// A row on the screen: a line (1-based) and the row of that line (0-based); lines have several
// rows only while a view wraps them.
struct TKrqRowPos {
    int line = 1;
    int row = 0;
    friend bool operator==(const TKrqRowPos&, const TKrqRowPos&) = default;
    friend bool operator<(const TKrqRowPos& a, const TKrqRowPos& b) {
        return a.line != b.line ? a.line < b.line : a.row < b.row;
    }
};

// The rows a view shows its lines on. While it wraps them, Up, Down, PgUp, PgDn and the first
// press of Home and End follow these rows; positions stay buffer coordinates throughout.
// Everything is laid out only as far as it is asked, so a move costs the rows it crosses.
class TKrqRowMap {
  public:
    virtual ~TKrqRowMap() = default;
    virtual bool Wrapping() = 0;
    // The row that shows the caret standing at `pos`.
    virtual TKrqRowPos RowOf(TBufferCoord pos) = 0;
    // The caret positions on row `p`, from `first` to `last`: before the row's last character
    // when another row follows (the caret after it stands on the next row), else after it.
    virtual void Span(TKrqRowPos p, int& first, int& last) = 0;
    // Steps to the next / previous row of the text; false at its end / start.
    virtual bool NextRow(TKrqRowPos& p) = 0;
    virtual bool PrevRow(TKrqRowPos& p) = 0;
    // The x of the caret at `pos` from the start of its row, and the caret position on row `p`
    // nearest to `x`.
    virtual double XOf(TBufferCoord pos) = 0;
    virtual int CharAt(TKrqRowPos p, double x) = 0;
    // The first row shown; setting it scrolls the view.
    virtual TKrqRowPos Top() = 0;
    virtual void SetTop(TKrqRowPos top) = 0;
    // Scrolls the least that shows the row of `pos`.
    virtual void EnsureVisible(TBufferCoord pos) = 0;
};

// The control's key map: the command of a key with its modifiers, or ecNone.
TKrqEditorCommand TranslateKey(int key, TShiftState shift);

// The private clipboard format that tells a copy from this control, and its selection mode,
// from plain text: one mode byte (0 smNormal, 1 smLine, 2 smColumn), the text, a NUL.
inline constexpr const char* kKrqEditBlockFormat = "KrqEdit Control Block Type";
std::string EncodeEditBlock(TSelectionMode mode, std::string_view text);
// The text of a block made by EncodeEditBlock: what lies between the mode byte and the NUL.
std::string_view EditBlockText(std::string_view block);
// False when the data is not such a block (empty, or an unknown mode byte).
bool DecodeEditBlock(std::string_view block, TSelectionMode& mode, std::string& text);

}  // namespace krq
