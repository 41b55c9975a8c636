// Small value types shared by the text model, its commands, the search engine and the widget.
#pragma once

#include <cstdint>

namespace krq {

// A position in the text: 1-based character index and 1-based line number. A tab counts as
// one character; the character index may lie beyond the end of its line.
struct TBufferCoord {
    int Char = 1;
    int Line = 1;
    friend bool operator==(const TBufferCoord&, const TBufferCoord&) = default;
    friend bool operator<(const TBufferCoord& a, const TBufferCoord& b) {
        return a.Line != b.Line ? a.Line < b.Line : a.Char < b.Char;
    }
    friend bool operator<=(const TBufferCoord& a, const TBufferCoord& b) { return !(b < a); }
    friend bool operator>(const TBufferCoord& a, const TBufferCoord& b) { return b < a; }
    friend bool operator>=(const TBufferCoord& a, const TBufferCoord& b) { return !(a < b); }
};

enum TSelectionMode : uint8_t { smNormal = 0, smLine = 1, smColumn = 2 };

enum TKrqEditorOption : uint32_t {
    eoAutoIndent = 1u << 0,
    eoDragDropEditing = 1u << 1,
    eoDropFiles = 1u << 2,
    eoKeepCaretX = 1u << 3,
    eoShowScrollHint = 1u << 4,
    eoSmartTabs = 1u << 5,
    eoTabsToSpaces = 1u << 6,
    eoTrimTrailingSpaces = 1u << 7,
    // Members that exist but are off as the control is created.
    eoGroupUndo = 1u << 8,
    eoScrollPastEol = 1u << 9,
    eoTabIndent = 1u << 10,
    eoAltSetsColumnMode = 1u << 11,
};
using TKrqEditorOptions = uint32_t;

inline constexpr TKrqEditorOptions kKrqEditDefaultOptions =
    eoAutoIndent | eoDragDropEditing | eoDropFiles | eoKeepCaretX | eoShowScrollHint | eoSmartTabs |
    eoTabsToSpaces | eoTrimTrailingSpaces;

// What an OnStatusChange notification reports as changed since the previous one.
enum TStatusChange : uint32_t {
    scCaretX = 1u << 0,
    scCaretY = 1u << 1,
    scSelection = 1u << 2,
    scSelectionMode = 1u << 3,
    scModified = 1u << 4,
    scTopLine = 1u << 5,
    scLeftChar = 1u << 6,
    scInsertMode = 1u << 7,
    scAll = 0xFF,
};
using TStatusChanges = uint32_t;

// Modifier keys of a key event.
enum TShiftFlag : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = uint32_t;

}  // namespace krq
