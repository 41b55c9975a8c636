// The Edit menu's enabling and its plain commands, forwarded to the editing component.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "app/frMain.h"
#include "editor/widget/TKrqEdit.h"

namespace krq {

void TfrmMain::mnsEditClick() {
    const TKrqEditModel& model = mncKrqEdit->Model();
    mnsEditUndo->setEnabled(model.CanUndo());
    mnsEditRedo->setEnabled(model.CanRedo());
    const QMimeData* data = QApplication::clipboard()->mimeData();
    mnsEditPaste->setEnabled(data && data->hasText());
    const bool selected = model.SelAvail();
    mnsEditCut->setEnabled(selected);
    mnsEditCopy->setEnabled(selected);
    mnsEditDelete->setEnabled(selected);
}

void TfrmMain::ctxEditUndoExecute() { mncKrqEdit->Model().Undo(); }
void TfrmMain::ctxEditRedoExecute() { mncKrqEdit->Model().Redo(); }
void TfrmMain::ctxEditCutExecute() { mncKrqEdit->Model().CutSelection(); }
void TfrmMain::ctxEditCopyExecute() { mncKrqEdit->Model().CopySelection(); }
void TfrmMain::ctxEditPasteExecute() { mncKrqEdit->Model().PasteClipboard(); }
void TfrmMain::ctxEditDeleteExecute() { mncKrqEdit->Model().DeleteSelection(); }
void TfrmMain::ctxEditSelectAllExecute() { mncKrqEdit->Model().SelectAll(); }

}  // namespace krq
