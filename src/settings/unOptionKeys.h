// The settings the options window shows and writes: its check boxes with their krq.ini keys and
// defaults, the toolbar glyph set and the five editor colours.
#pragma once

#include <array>
#include <cstdint>

namespace krq {

// The check boxes of the pages "Edycja" and "Widok", in the order OK writes and applies them.
enum class TOptionBox {
    DelSpaces,
    NoPopUp,
    AutoIndent,
    AutoMark,
    Proposal,
    AutoCorrect,
    StatusBar,
    ToolBar,
    Gutter,
    WordWrap,
    XPStyle,
};

struct TOptionBoxKey {
    TOptionBox Box;
    const char* Section;
    const char* Key;
    bool Default;
};

inline constexpr std::array<TOptionBoxKey, 11> kOptionBoxKeys = {{
    {TOptionBox::DelSpaces, "Edit", "delspaces", true},
    {TOptionBox::NoPopUp, "Edit", "nopopup", false},
    {TOptionBox::AutoIndent, "Edit", "indent", true},
    {TOptionBox::AutoMark, "Edit", "automark", true},
    {TOptionBox::Proposal, "Edit", "proposal", true},
    {TOptionBox::AutoCorrect, "Edit", "correct", true},
    {TOptionBox::StatusBar, "View", "statusbar", true},
    {TOptionBox::ToolBar, "View", "toolbar", true},
    {TOptionBox::Gutter, "View", "gutter", true},
    {TOptionBox::WordWrap, "View", "wordwrap", false},
    {TOptionBox::XPStyle, "View", "xpstyle", true},
}};

// View toolbar_style: 0 standard, 1 XP, 2 Orbit.
inline constexpr int kToolBarStyleDefault = 0;

// [Colors] 1-5: editor background, text, selection text, selection background, gutter.
inline constexpr int kEditorColorCount = 5;
using TEditorColors = std::array<int32_t, kEditorColorCount>;
inline constexpr TEditorColors kEditorColorDefaults = {
    0xFFFFFF,                           // white
    0,                                  // black
    0xFFFFFF,                           // white
    static_cast<int32_t>(0x80000001u),  // system colour 1, the desktop colour
    0xEC8F68,                           // light blue (104, 143, 236)
};

}  // namespace krq
