// State the command layer keeps inside the model: hooks and the clipboard.
#pragma once

#include "editor/TKrqEditModel.h"

namespace krq {

struct TKrqCommandState {
    TKrqClipboard* clipboard = nullptr;
};

}  // namespace krq
