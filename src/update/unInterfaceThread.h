// The user-interface thread as the download component sees it: somewhere to run work later, and
// a way to keep the interface going while waiting.
#pragma once

#include <functional>

namespace krq {

class TInterfaceThread {
  public:
    virtual ~TInterfaceThread() = default;
    // Runs `task` on the interface thread later; may be called from any thread.
    virtual void Post(std::function<void()> task) = 0;
    // On the interface thread: handles posted work and the windows' events until `done` holds.
    virtual void WaitUntil(const std::function<bool()>& done) = 0;
};

}  // namespace krq
