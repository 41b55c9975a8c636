// The auxiliary text window: edits data/extratext.dat, the text Ctrl+B pastes.
#pragma once

#include "editing/TKrqMemoWindow.h"

namespace krq {

class TfrmExTxShow : public TKrqMemoWindow {
    Q_OBJECT

  public:
    TfrmExTxShow(QWidget* parent, TRun run);

    // Reads the file whole into the box, its line breaks shown as breaks, up to the first NUL.
    void FormShow() override;
    // Writes exactly what the box holds; when the file cannot be written the window stays
    // open with the text.
    void btnOkClick() override;
    void btnCancelClick() override;
};

}  // namespace krq
