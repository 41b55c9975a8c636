// Command execution through the command hooks, and the hook registry.
#include "editor/commands/KrqEditCommandState.h"
#include "editor/model/TKrqEditModelImpl.h"
#include "editor/model/TKrqUndoBlock.h"

namespace krq {

namespace {

void RunCommandHooks(TKrqCommandState& st, bool after, bool& handled, TKrqEditorCommand& command,
                     char& ch) {
    if (st.commandHooks.entries.empty()) return;
    auto snapshot = st.commandHooks.entries;
    for (auto& e : snapshot) {
        if (e->alive) e->fn(after, handled, command, ch);
    }
}

bool IsVerticalMove(TKrqEditorCommand cmd) {
    TKrqEditorCommand move =
        cmd > ecSelection && cmd <= ecSelection + ecEditorBottom ? cmd - ecSelection : cmd;
    return move == ecUp || move == ecDown || move == ecPageUp || move == ecPageDown ||
           move == ecPageTop || move == ecPageBottom || cmd == ecScrollUp || cmd == ecScrollDown;
}

}  // namespace

namespace editcmd {

void EnsureCaretVisible(TKrqEditModel& m, TKrqCommandState& st) {
    if (st.Wrapping()) {
        st.rows->EnsureVisible(m.CaretXY());
        return;
    }
    int rows = m.LinesInWindow();
    if (rows <= 0) return;
    int line = m.CaretLine();
    if (line < m.TopLine()) {
        m.SetTopLine(line);
    } else if (line > m.TopLine() + rows - 1) {
        m.SetTopLine(line - rows + 1);
    }
}

}  // namespace editcmd

void TKrqEditModel::ExecuteCommand(TKrqEditorCommand command, char ch) {
    TKrqCommandState& st = d->commands;
    bool handled = false;
    RunCommandHooks(st, false, handled, command, ch);
    if (!handled) {
        switch (command) {
            // These manage the history themselves; an undo inside an open block would undo
            // the wrong step.
            case ecUndo:
                Undo();
                break;
            case ecRedo:
                Redo();
                break;
            case ecCopy:
                CopySelection();
                break;
            case ecCut:
                CutSelection();
                break;
            case ecPaste:
                PasteClipboard();
                editcmd::EnsureCaretVisible(*this, st);
                break;
            default: {
                if (!IsVerticalMove(command)) st.keptAt = {0, 0};
                TKrqUndoBlock block(*this);
                if (editcmd::RunCaretCommand(*this, st, command) ||
                    editcmd::RunEditCommand(*this, st, command, ch) ||
                    editcmd::RunBlockCommand(*this, st, command)) {
                    editcmd::EnsureCaretVisible(*this, st);
                }
                break;
            }
        }
    }
    RunCommandHooks(st, true, handled, command, ch);
}

void TKrqEditModel::SetRowMap(TKrqRowMap* rows) { d->commands.rows = rows; }

int TKrqEditModel::AddCommandHook(TCommandHook hook) {
    int id = d->commands.nextHookId++;
    d->commands.commandHooks.Add(id, std::move(hook));
    return id;
}

void TKrqEditModel::RemoveCommandHook(int id) { d->commands.commandHooks.Remove(id); }

int TKrqEditModel::AddKeyDownHook(TKeyDownHook hook) {
    int id = d->commands.nextHookId++;
    d->commands.keyDownHooks.Add(id, std::move(hook));
    return id;
}

int TKrqEditModel::AddKeyPressHook(TKeyPressHook hook) {
    int id = d->commands.nextHookId++;
    d->commands.keyPressHooks.Add(id, std::move(hook));
    return id;
}

void TKrqEditModel::RemoveKeyHook(int id) {
    if (!d->commands.keyDownHooks.Remove(id)) d->commands.keyPressHooks.Remove(id);
}

}  // namespace krq
