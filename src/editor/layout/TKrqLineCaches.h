// A view's caches over the text of a model (wrapped rows, line states, tokens), kept in step.
#pragma once

#include <cstdint>

#include "editor/layout/TKrqLineStates.h"
#include "editor/layout/TKrqWrapCache.h"
#include "editor/model/TKrqEditModel.h"

namespace krq {

class TKrqLineCaches {
  public:
    TKrqWrapCache& Wrap() { return wrap_; }
    TKrqLineStates& States() { return states_; }

    // Follows the model's changes since the last call, re-lexing through line `lexThrough`
    // (0-based). Returns true when everything was dropped instead: the lines were loaded,
    // cleared or changed in a way the histories cannot tell.
    bool Sync(const TKrqEditModel& model, int lexThrough);

  private:
    TKrqWrapCache wrap_;
    TKrqLineStates states_;
    uint64_t seenSerial_ = 0;
    uint64_t seenHistory_ = 0;
    int seenCount_ = 0;
};

}  // namespace krq
