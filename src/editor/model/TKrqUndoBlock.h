// One undo step over a scope of code.
#pragma once

#include <exception>

#include "editor/model/TKrqEditModel.h"

namespace krq {

// Opens an undo block of the model and closes it when the scope ends, also when an exception
// leaves it, so the model's nesting stays balanced. Closing raises the gathered notifications;
// when an exception is already on its way, that one is kept and a second from the close is
// dropped rather than ending the program.
class TKrqUndoBlock {
  public:
    explicit TKrqUndoBlock(TKrqEditModel& model)
        : model_(model), exceptions_(std::uncaught_exceptions()) {
        model_.BeginUndoBlock();
    }
    ~TKrqUndoBlock() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            model_.EndUndoBlock();
            return;
        }
        try {
            model_.EndUndoBlock();
        } catch (...) {
        }
    }
    TKrqUndoBlock(const TKrqUndoBlock&) = delete;
    TKrqUndoBlock& operator=(const TKrqUndoBlock&) = delete;

  private:
    TKrqEditModel& model_;
    int exceptions_;
};

}  // namespace krq
