// The download component's view of Qt's interface thread.
#pragma once

#include "update/unInterfaceThread.h"

namespace krq {

// Posts to the application object's event queue; waiting runs nested event loops, so the
// windows stay responsive.
TInterfaceThread& QtInterfaceThread();

}  // namespace krq
