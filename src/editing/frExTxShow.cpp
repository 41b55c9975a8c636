#include "editing/frExTxShow.h"

#include "editing/unInsertText.h"

namespace krq {

TfrmExTxShow::TfrmExTxShow(QWidget* parent, TRun run)
    : TKrqMemoWindow(parent, "Tekst pomocniczy", QPoint(154, 136), std::move(run)) {
    setObjectName("frmExTxShow");
}

void TfrmExTxShow::FormShow() { SetMemoText(CrLfBreaks(ReadExtraTextFile())); }

void TfrmExTxShow::btnOkClick() {
    WriteExtraTextFile(MemoText());
    CloseWindow(true);
}

void TfrmExTxShow::btnCancelClick() { CloseWindow(false); }

}  // namespace krq
