// Colour values of the settings turned into Qt colours and back.
#include "platform/colors.h"

#include <QApplication>
#include <QPalette>

namespace krq {

namespace {

// The Windows system colours by index, taken from the desktop palette where it has a match.
QColor SystemColor(int index) {
    QPalette p = QApplication::palette();
    switch (index) {
        case 1:
            return p.color(QPalette::Highlight);  // desktop
        case 5:
            return p.color(QPalette::Base);  // window
        case 8:
            return p.color(QPalette::Text);  // window text
        case 13:
            return p.color(QPalette::Highlight);
        case 14:
            return p.color(QPalette::HighlightedText);
        case 15:
            return p.color(QPalette::Button);
        case 16:
            return p.color(QPalette::Mid);
        case 17:
            return p.color(QPalette::PlaceholderText);
        case 18:
            return p.color(QPalette::ButtonText);
        case 23:
            return p.color(QPalette::ToolTipText);
        case 24:
            return p.color(QPalette::ToolTipBase);
        default:
            return p.color(QPalette::Window);
    }
}

}  // namespace

QColor ColorFromValue(int32_t value) {
    auto bits = static_cast<uint32_t>(value);
    if (bits & 0x80000000u) return SystemColor(static_cast<int>(bits & 0xFF));
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

int32_t ValueFromColor(const QColor& color) {
    return static_cast<int32_t>(static_cast<uint32_t>(color.red()) |
                                static_cast<uint32_t>(color.green()) << 8 |
                                static_cast<uint32_t>(color.blue()) << 16);
}

}  // namespace krq
