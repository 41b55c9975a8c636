// What the line layout needs to know of a font: the width of each Windows-1250 byte.
#pragma once

#include <cstdint>

namespace krq {

// The screen and the printer measure bytes with their own fonts; the layout asks only this.
class TKrqFontMetrics {
  public:
    virtual ~TKrqFontMetrics() = default;
    // The advance of `byte` in device units (pixels on the screen, dots on paper).
    virtual double ByteAdvance(uint8_t byte) const = 0;
};

}  // namespace krq
