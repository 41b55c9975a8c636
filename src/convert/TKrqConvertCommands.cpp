// The conversion commands of the main window: one conversion over the selection or the text.
#include "convert/TKrqConvertCommands.h"

#include "convert/unBase.h"
#include "editor/model/TKrqEditModel.h"

namespace krq {

void TKrqConvertCommands::Convert(unsigned code) {
    TKrqEditModel& model = model_;
    // An empty document has nothing to convert and must not gain an undo step.
    if (model.Lines().Count() == 0 || (model.Lines().Count() == 1 && model.Lines()[0].empty()))
        return;
    if (model.SelectedText().empty()) model.SelectAll();
    // The selected text is the block's pieces joined by CR LF in column mode, and the
    // replacement goes back as a block: the editing component handles both.
    model.SetSelectedText(fncConvert(static_cast<int>(code), model.SelectedText()));
}

}  // namespace krq
