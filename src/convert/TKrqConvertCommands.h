// The conversion commands of the main window, over the editor's text model.
#pragma once

namespace krq {

class TKrqEditModel;

// The main window holds one and forwards its conversion handlers to it. It sees only the
// model of the window's editor, so it needs no window and no Qt.
class TKrqConvertCommands {
  public:
    explicit TKrqConvertCommands(TKrqEditModel& model) : model_(model) {}

    // Conversion `code` over the selection, or over the whole text when nothing is selected,
    // as one undo step that leaves the converted text selected.
    void Convert(unsigned code);

  private:
    TKrqEditModel& model_;
};

}  // namespace krq
