// The control's key map and the key entry points that run the key hooks before it.
#include <cstdint>

#include "editor/commands/KrqEditCommandState.h"
#include "editor/model/TKrqEditModelImpl.h"

namespace krq {

namespace {

struct TKeyBinding {
    int key;
    TShiftState shift;
    TKrqEditorCommand command;
};

constexpr TShiftState kNone = 0;
constexpr TShiftState kShift = ssShift;
constexpr TShiftState kCtrl = ssCtrl;
constexpr TShiftState kCtrlShift = ssCtrl | ssShift;
constexpr TShiftState kAlt = ssAlt;
constexpr TShiftState kShiftAlt = ssShift | ssAlt;

constexpr TKeyBinding kKeyMap[] = {
    {vkLeft, kNone, ecLeft},
    {vkLeft, kShift, ecSelLeft},
    {vkLeft, kCtrl, ecWordLeft},
    {vkLeft, kCtrlShift, ecSelWordLeft},
    {vkRight, kNone, ecRight},
    {vkRight, kShift, ecSelRight},
    {vkRight, kCtrl, ecWordRight},
    {vkRight, kCtrlShift, ecSelWordRight},
    {vkUp, kNone, ecUp},
    {vkUp, kShift, ecSelUp},
    {vkUp, kCtrl, ecScrollUp},
    {vkDown, kNone, ecDown},
    {vkDown, kShift, ecSelDown},
    {vkDown, kCtrl, ecScrollDown},
    {vkPrior, kNone, ecPageUp},
    {vkPrior, kShift, ecSelPageUp},
    {vkPrior, kCtrl, ecPageTop},
    {vkPrior, kCtrlShift, ecSelPageTop},
    {vkNext, kNone, ecPageDown},
    {vkNext, kShift, ecSelPageDown},
    {vkNext, kCtrl, ecPageBottom},
    {vkNext, kCtrlShift, ecSelPageBottom},
    {vkHome, kNone, ecLineStart},
    {vkHome, kShift, ecSelLineStart},
    {vkHome, kCtrl, ecEditorTop},
    {vkHome, kCtrlShift, ecSelEditorTop},
    {vkEnd, kNone, ecLineEnd},
    {vkEnd, kShift, ecSelLineEnd},
    {vkEnd, kCtrl, ecEditorBottom},
    {vkEnd, kCtrlShift, ecSelEditorBottom},
    {vkInsert, kNone, ecToggleMode},
    {vkInsert, kCtrl, ecCopy},
    {vkInsert, kShift, ecPaste},
    {vkDelete, kNone, ecDeleteChar},
    {vkDelete, kShift, ecCut},
    {vkBack, kNone, ecDeleteLastChar},
    {vkBack, kShift, ecDeleteLastChar},
    {vkBack, kCtrl, ecDeleteLastWord},
    {vkBack, kAlt, ecUndo},
    {vkBack, kShiftAlt, ecRedo},
    {vkReturn, kNone, ecLineBreak},
    {vkReturn, kShift, ecLineBreak},
    {'M', kCtrl, ecLineBreak},
    {'N', kCtrl, ecInsertLine},
    {vkTab, kNone, ecTab},
    {vkTab, kShift, ecShiftTab},
    {'A', kCtrl, ecSelectAll},
    {'C', kCtrl, ecCopy},
    {'V', kCtrl, ecPaste},
    {'X', kCtrl, ecCut},
    {'Z', kCtrl, ecUndo},
    {'Z', kCtrlShift, ecRedo},
    {'I', kCtrlShift, ecBlockIndent},
    {'U', kCtrlShift, ecBlockUnindent},
    {'T', kCtrl, ecDeleteWord},
    {'Y', kCtrl, ecDeleteLine},
    {'Y', kCtrlShift, ecDeleteEOL},
    {'N', kCtrlShift, ecNormalSelect},
    {'C', kCtrlShift, ecColumnSelect},
    {'L', kCtrlShift, ecLineSelect},
    {'B', kCtrlShift, ecMatchBracket},
};

}  // namespace

TKrqEditorCommand TranslateKey(int key, TShiftState shift) {
    shift &= ssShift | ssCtrl | ssAlt;
    if (key >= '0' && key <= '9') {
        if (shift == kCtrl) return ecGotoMarker0 + (key - '0');
        if (shift == kCtrlShift) return ecSetMarker0 + (key - '0');
        return ecNone;
    }
    for (const TKeyBinding& b : kKeyMap) {
        if (b.key == key && b.shift == shift) return b.command;
    }
    return ecNone;
}

bool TKrqEditModel::KeyDown(int key, TShiftState shift) {
    TKrqCommandState& st = d->commands;
    if (!st.keyDownHooks.entries.empty()) {
        auto snapshot = st.keyDownHooks.entries;
        for (auto& e : snapshot) {
            if (e->alive && e->fn(key, shift)) return true;
        }
    }
    TKrqEditorCommand command = TranslateKey(key, shift);
    if (command == ecNone) return false;
    ExecuteCommand(command, command == ecTab ? '\t' : 0);
    return true;
}

void TKrqEditModel::KeyPress(char ch) {
    TKrqCommandState& st = d->commands;
    if (!st.keyPressHooks.entries.empty()) {
        auto snapshot = st.keyPressHooks.entries;
        for (auto& e : snapshot) {
            if (e->alive && e->fn(ch)) return;
        }
    }
    // Control characters (Tab, Enter, Backspace ...) arrive as keys through KeyDown.
    uint8_t b = static_cast<uint8_t>(ch);
    if (b >= 0x20 && b != 0x7F) ExecuteCommand(ecChar, ch);
}

}  // namespace krq
