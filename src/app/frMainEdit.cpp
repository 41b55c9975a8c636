// The Edit menu's enabling and the editing helpers' handlers, forwarded to the edit commands.
#include <QAction>
#include <QKeySequence>
#include <QShortcut>

#include "app/frMain.h"
#include "editing/TEditingCommands.h"
#include "editor/widget/TKrqEdit.h"

namespace krq {

void TfrmMain::mnsEditClick() {
    const TEditMenuState state = editCommands->EditMenuState();
    mnsEditUndo->setEnabled(state.Undo);
    mnsEditRedo->setEnabled(state.Redo);
    mnsEditPaste->setEnabled(state.Paste);
    mnsEditCut->setEnabled(state.CutCopyDelete);
    mnsEditCopy->setEnabled(state.CutCopyDelete);
    mnsEditDelete->setEnabled(state.CutCopyDelete);
}

void TfrmMain::SetPasteShortcut(bool on) {
    mnsEditPaste->setShortcut(on ? QKeySequence("Ctrl+V") : QKeySequence());
    if (auto* key = findChild<QShortcut*>("key_mnsEditPaste")) key->setEnabled(on);
}

void TfrmMain::ctxEditUndoExecute() { editCommands->ctxEditUndoExecute(); }
void TfrmMain::ctxEditRedoExecute() { editCommands->ctxEditRedoExecute(); }
void TfrmMain::ctxEditCutExecute() { editCommands->ctxEditCutExecute(); }
void TfrmMain::ctxEditCopyExecute() { editCommands->ctxEditCopyExecute(); }
void TfrmMain::ctxEditPasteExecute() { editCommands->ctxEditPasteExecute(); }
void TfrmMain::ctxEditDeleteExecute() { editCommands->ctxEditDeleteExecute(); }
void TfrmMain::ctxEditSelectAllExecute() { editCommands->ctxEditSelectAllExecute(); }
void TfrmMain::ctxEditPasteExtraTextExecute() { editCommands->ctxEditPasteExtraTextExecute(); }
void TfrmMain::ctxEditFindExecute() { editCommands->ctxEditFindExecute(); }
void TfrmMain::ctxEditReplaceExecute() { editCommands->ctxEditReplaceExecute(); }
void TfrmMain::dlgFindShow() { editCommands->dlgFindShow(); }
void TfrmMain::dlgFindClose() { editCommands->dlgFindClose(); }
void TfrmMain::dlgFindFind() { editCommands->dlgFindFind(); }
void TfrmMain::dlgReplaceShow() { editCommands->dlgReplaceShow(); }
void TfrmMain::dlgReplaceClose() { editCommands->dlgReplaceClose(); }
void TfrmMain::dlgReplaceFind() { editCommands->dlgReplaceFind(); }
void TfrmMain::dlgReplaceReplace(bool replaceAll) { editCommands->dlgReplaceReplace(replaceAll); }

void TfrmMain::ctxAddTextExecute() { editCommands->ctxAddTextExecute(); }
void TfrmMain::ctxAddHTMLColorExecute() { editCommands->ctxAddHTMLColorExecute(); }
void TfrmMain::ctxAddDateExecute() { editCommands->ctxAddDateExecute(); }
void TfrmMain::ctxAddHourExecute() { editCommands->ctxAddHourExecute(); }
void TfrmMain::ctxFormEncionsExecute() { editCommands->ctxFormEncionsExecute(); }
void TfrmMain::ctxFormExTxShowExecute() { editCommands->ctxFormExTxShowExecute(); }
void TfrmMain::ctxFormClpShowExecute() { editCommands->ctxFormClpShowExecute(); }

}  // namespace krq
