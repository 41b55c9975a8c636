// Colour values as the settings store them (0x00BBGGRR, or 0x80000000 + a system colour index;
// "no colour" is the highlighter's kNoColorValue).
#pragma once

#include <QColor>
#include <cstdint>

namespace krq {

// The colour a stored value stands for; system colours follow the desktop's palette.
QColor ColorFromValue(int32_t value);
// The stored value of an RGB colour.
int32_t ValueFromColor(const QColor& color);

}  // namespace krq
