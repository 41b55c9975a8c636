// Measuring and wrapping lines for a font given as byte advances.
#include "editor/layout/TKrqLineLayout.h"

#include <algorithm>
#include <cstring>

#include "editor/layout/TKrqTabStops.h"

namespace krq {

TKrqLineLayout::TKrqLineLayout() { advance_.fill(1); }

void TKrqLineLayout::SetFont(const TKrqFontMetrics& font, bool detectPitch) {
    std::array<double, 256> advance;
    for (int b = 0; b < 256; ++b) advance[b] = font.ByteAdvance(static_cast<uint8_t>(b));
    SetAdvances(advance, detectPitch);
}

void TKrqLineLayout::SetAdvances(const std::array<double, 256>& advance, bool detectPitch) {
    advance_ = advance;
    charWidth_ = advance_[' '];
    fixedPitch_ = false;
    if (!detectPitch) return;
    fixedPitch_ = true;
    // The bytes Windows-1250 leaves undefined, and the soft hyphen and no-break space, are
    // drawn by placeholders whose width says nothing about the font's pitch.
    for (int b = 0x20; b < 256; ++b) {
        if (advance_[b] != charWidth_ && b != 0x7F && b != 0x81 && b != 0x83 && b != 0x88 &&
            b != 0x90 && b != 0x98 && b != 0xA0 && b != 0xAD) {
            fixedPitch_ = false;
            break;
        }
    }
    // In a fixed-pitch font every cell is the same, including the placeholders of undefined
    // bytes, so positions are columns times one width.
    if (fixedPitch_) advance_.fill(charWidth_);
}

double TKrqLineLayout::NextTabStopX(double x) const { return NextTabStop(x, TabStopWidth()); }

double TKrqLineLayout::XOf(std::string_view text, size_t index) const {
    index = std::min(index, text.size());
    if (fixedPitch_) {
        // Count columns, jumping from tab to tab with memchr: a 20 MB line costs microseconds.
        size_t col = 0, pos = 0;
        while (pos < index) {
            const void* hit = std::memchr(text.data() + pos, '\t', index - pos);
            if (!hit) {
                col += index - pos;
                break;
            }
            size_t t = static_cast<const char*>(hit) - text.data();
            col = NextTabColumn(col + (t - pos), tabWidth_);
            pos = t + 1;
        }
        return static_cast<double>(col) * charWidth_;
    }
    double x = 0;
    for (size_t i = 0; i < index; ++i) x = Next(x, static_cast<uint8_t>(text[i]));
    return x;
}

size_t TKrqLineLayout::ByteAt(std::string_view text, double x, double* cellX) const {
    if (fixedPitch_) {
        const size_t target = x <= 0 ? 0 : static_cast<size_t>(x / charWidth_);
        size_t col = 0, pos = 0;
        while (pos < text.size()) {
            // Tabs only widen, so the wanted byte lies within `target - col` bytes from here;
            // looking no further keeps a click in a 20 MB line from scanning all of it.
            size_t span = std::min(text.size() - pos, target - col + 1);
            const void* hit = std::memchr(text.data() + pos, '\t', span);
            size_t t = hit ? static_cast<const char*>(hit) - text.data() : pos + span;
            if ((!hit && t < text.size()) || col + (t - pos) > target) {
                if (cellX) *cellX = static_cast<double>(target) * charWidth_;
                return pos + (target - col);
            }
            col += t - pos;
            if (t == text.size()) break;
            size_t next = NextTabColumn(col, tabWidth_);
            if (next > target) {
                if (cellX) *cellX = static_cast<double>(col) * charWidth_;
                return t;
            }
            col = next;
            pos = t + 1;
        }
        if (cellX) *cellX = static_cast<double>(col) * charWidth_;
        return text.size();
    }
    double cx = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        double nx = Next(cx, static_cast<uint8_t>(text[i]));
        if (nx > x) {
            if (cellX) *cellX = cx;
            return i;
        }
        cx = nx;
    }
    if (cellX) *cellX = cx;
    return text.size();
}

template <class Emit>
void TKrqLineLayout::WrapInto(std::string_view s, double width, TWrapRules rules, Emit emit) const {
    constexpr size_t kNone = std::string_view::npos;
    const size_t n = s.size();
    const double* advance = advance_.data();
    size_t rowStart = 0;
    for (;;) {
        if (rowStart == n) {
            // An empty line is one empty row; a line that ended in a dropped blank has no
            // empty row after it.
            if (n == 0) emit(0, 0);
            return;
        }
        // The longest run from rowStart that fits, but never less than one byte.
        size_t lastBlank = kNone;
        double x = 0;
        size_t i = rowStart;
        do {
            const uint8_t c = static_cast<uint8_t>(s[i]);
            const double nx = c == '\t' ? NextTabStopX(x) : x + advance[c];
            if (nx > width && i > rowStart) break;
            if (c == ' ' || c == '\t') lastBlank = i;
            x = nx;
        } while (++i < n);
        if (i == n) {
            emit(rowStart, n);
            return;
        }
        const uint8_t c = static_cast<uint8_t>(s[i]);
        if (rules.DropBreakBlank && (c == ' ' || c == '\t')) {
            // The blank that does not fit ends the row and belongs to neither row.
            emit(rowStart, i);
            rowStart = i + 1;
            continue;
        }
        size_t rowEnd = i;
        size_t nextStart = i;
        if (lastBlank != kNone && (!rules.DropBreakBlank || lastBlank > rowStart)) {
            rowEnd = rules.DropBreakBlank ? lastBlank : lastBlank + 1;
            nextStart = lastBlank + 1;
        }
        emit(rowStart, rowEnd);
        // The next row is measured from its own start: the bytes carried over may sit at
        // other tab stops there, and byte i may not fit even there.
        rowStart = nextStart;
    }
}

std::vector<TKrqLineLayout::TRowSpan> TKrqLineLayout::Wrap(std::string_view text, double width,
                                                           TWrapRules rules) const {
    std::vector<TRowSpan> rows;
    WrapInto(text, width, rules, [&](size_t b, size_t e) { rows.push_back({b, e}); });
    return rows;
}

std::vector<uint32_t> TKrqLineLayout::WrapStarts(std::string_view text, double width) const {
    std::vector<uint32_t> starts;
    WrapInto(text, width, TWrapRules{},
             [&](size_t b, size_t) { starts.push_back(static_cast<uint32_t>(b)); });
    return starts;
}

}  // namespace krq
