// Large chunks for the line copies of bulk changes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace krq {

// While an arena is in scope, new line copies are carved from large chunks instead of one heap
// block each: a replace-all that rewrites a million lines then costs a few page faults on huge
// pages rather than a fault per 4 KB of fresh memory. A chunk lives while any line in it does.
class TKrqLineArena {
  public:
    TKrqLineArena() : previous_(Current) { Current = this; }
    ~TKrqLineArena();
    TKrqLineArena(const TKrqLineArena&) = delete;
    TKrqLineArena& operator=(const TKrqLineArena&) = delete;

    static inline thread_local TKrqLineArena* Current = nullptr;

    // Memory for one line (8-aligned) and its offset from its chunk's start, or nullptr when
    // the line is too large for a chunk or no chunk can be had.
    void* Take(size_t bytes, uint32_t& offset);
    // Drops one reference to the chunk that starts at `chunk`.
    static void Release(char* chunk);

  private:
    char* chunk_ = nullptr;  // the chunk being filled; the arena holds one reference to it
    size_t used_ = 0;
    TKrqLineArena* previous_;
};

}  // namespace krq
