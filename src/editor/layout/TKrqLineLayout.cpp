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
    return XOf(TKrqLineText::Slice(text.data(), text.size()), 0, index);
}

size_t TKrqLineLayout::ByteAt(std::string_view text, double x, double* cellX) const {
    return ByteAt(TKrqLineText::Slice(text.data(), text.size()), 0, text.size(), x, cellX);
}

double TKrqLineLayout::XOf(const TKrqLineText& text, size_t begin, size_t index) const {
    begin = std::min(begin, text.size());
    const size_t end = begin + std::min(index, text.size() - begin);
    if (fixedPitch_) {
        // Count columns, jumping from tab to tab with memchr: a 20 MB line costs microseconds.
        size_t col = 0;
        for (size_t at = begin; at < end;) {
            std::string_view run = text.RunAt(at).substr(0, end - at);
            size_t pos = 0;
            while (pos < run.size()) {
                const void* hit = std::memchr(run.data() + pos, '\t', run.size() - pos);
                if (!hit) {
                    col += run.size() - pos;
                    break;
                }
                size_t t = static_cast<size_t>(static_cast<const char*>(hit) - run.data());
                col = NextTabColumn(col + (t - pos), tabWidth_);
                pos = t + 1;
            }
            at += run.size();
        }
        return static_cast<double>(col) * charWidth_;
    }
    double x = 0;
    for (size_t at = begin; at < end;) {
        std::string_view run = text.RunAt(at).substr(0, end - at);
        for (char c : run) x = Next(x, static_cast<uint8_t>(c));
        at += run.size();
    }
    return x;
}

size_t TKrqLineLayout::ByteAt(const TKrqLineText& text, size_t begin, size_t end, double x,
                              double* cellX) const {
    end = std::min(end, text.size());
    begin = std::min(begin, end);
    if (fixedPitch_) {
        const size_t target = x <= 0 ? 0 : static_cast<size_t>(x / charWidth_);
        size_t col = 0;
        for (size_t at = begin; at < end;) {
            std::string_view run = text.RunAt(at).substr(0, end - at);
            size_t pos = 0;
            while (pos < run.size()) {
                // Tabs only widen, so the wanted byte lies within `target - col` bytes from
                // here; looking no further keeps a click in a 20 MB line from scanning all of it.
                const size_t reach = target - col + 1;
                const size_t span = std::min(run.size() - pos, reach);
                const void* hit = std::memchr(run.data() + pos, '\t', span);
                if (!hit) {
                    if (span == reach) {
                        if (cellX) *cellX = static_cast<double>(target) * charWidth_;
                        return at + pos + (target - col) - begin;
                    }
                    col += span;
                    break;
                }
                size_t t = static_cast<size_t>(static_cast<const char*>(hit) - run.data());
                col += t - pos;
                size_t next = NextTabColumn(col, tabWidth_);
                if (next > target) {
                    if (cellX) *cellX = static_cast<double>(col) * charWidth_;
                    return at + t - begin;
                }
                col = next;
                pos = t + 1;
            }
            at += run.size();
        }
        if (cellX) *cellX = static_cast<double>(col) * charWidth_;
        return end - begin;
    }
    double cx = 0;
    for (size_t at = begin; at < end;) {
        std::string_view run = text.RunAt(at).substr(0, end - at);
        for (size_t i = 0; i < run.size(); ++i) {
            double nx = Next(cx, static_cast<uint8_t>(run[i]));
            if (nx > x) {
                if (cellX) *cellX = cx;
                return at + i - begin;
            }
            cx = nx;
        }
        at += run.size();
    }
    if (cellX) *cellX = cx;
    return end - begin;
}

TKrqLineLayout::TRowSpan TKrqLineLayout::RowAt(std::string_view s, size_t begin, double width,
                                               TWrapRules rules, size_t* next) const {
    constexpr size_t kNone = std::string_view::npos;
    auto blank = [](uint8_t c) { return c == ' ' || c == '\t'; };
    double x = 0;
    size_t lastBlank = kNone;
    for (size_t i = begin; i < s.size(); ++i) {
        const uint8_t c = static_cast<uint8_t>(s[i]);
        const double nx = Next(x, c);
        if (nx <= width || i == begin) {
            x = nx;
            if (blank(c)) lastBlank = i;
            continue;
        }
        if (rules.DropBreakBlank && blank(c)) {
            // The blank that does not fit ends the row and belongs to neither row.
            *next = i + 1;
            return {begin, i};
        }
        if (lastBlank != kNone && (!rules.DropBreakBlank || lastBlank > begin)) {
            *next = lastBlank + 1;
            return {begin, rules.DropBreakBlank ? lastBlank : lastBlank + 1};
        }
        *next = i;
        return {begin, i};
    }
    *next = s.size();
    return {begin, s.size()};
}

template <class Emit>
void TKrqLineLayout::WrapInto(std::string_view s, double width, TWrapRules rules, Emit emit) const {
    // Each row is measured from its own start, so a row depends on nothing before it: the
    // same rows come out whether a line is wrapped whole or row by row.
    size_t begin = 0;
    for (;;) {
        size_t next = 0;
        TRowSpan row = RowAt(s, begin, width, rules, &next);
        emit(row.Begin, row.End);
        // A line that ended in a dropped blank has no empty row after it.
        if (next >= s.size()) break;
        begin = next;
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
