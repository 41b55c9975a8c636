// The clipboard preview: the clipboard's text in a box, to be changed and copied back.
#pragma once

#include "editing/TKrqMemoWindow.h"

namespace krq {

class TfrmClpShow : public TKrqMemoWindow {
    Q_OBJECT

  public:
    TfrmClpShow(QWidget* parent, TRun run);

    // The clipboard's text as Windows-1250 holds it (other characters become "?"); a
    // clipboard without text leaves the box empty.
    void FormShow() override;
    // Copies the box's whole text to the clipboard; an empty box leaves the clipboard alone.
    void btnOkClick() override;
    void btnCancelClick() override;
};

}  // namespace krq
