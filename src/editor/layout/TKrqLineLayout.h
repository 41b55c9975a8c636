// Where the bytes of a line lie: x of a byte, the byte at an x, and the rows of a wrapped line.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/layout/TKrqFontMetrics.h"
#include "editor/model/text/TKrqLineText.h"

namespace krq {

// The geometry of one font and one tab width, with no device behind it: the editing widget
// measures and wraps its rows with it, and printing wraps its pages with it.
class TKrqLineLayout {
  public:
    // How a wrapped line breaks.
    struct TWrapRules {
        // On the screen the blank where a row breaks stays at the end of its row, so the caret
        // can stand on it. On paper it is printed on neither row, and a blank that no longer
        // fits ends the row by itself.
        bool DropBreakBlank = false;
    };

    // A row of a wrapped line, as byte offsets [Begin, End).
    struct TRowSpan {
        size_t Begin = 0;
        size_t End = 0;
        friend bool operator==(const TRowSpan&, const TRowSpan&) = default;
    };

    // One unit per byte and a tab width of 8, until told otherwise.
    TKrqLineLayout();

    // Measures every byte in `font`. A font whose printable bytes share one advance is fixed
    // pitch: positions are then columns times one width, so long lines are counted, not summed.
    // Printing passes `detectPitch` false: its page is measured glyph by glyph in any font.
    void SetFont(const TKrqFontMetrics& font, bool detectPitch = true);
    // The same for advances measured already (the printed page's table of the font).
    void SetAdvances(const std::array<double, 256>& advance, bool detectPitch = true);
    void SetTabWidth(int tabWidth) { tabWidth_ = tabWidth < 1 ? 1 : tabWidth; }

    int TabWidth() const { return tabWidth_; }
    bool FixedPitch() const { return fixedPitch_; }
    // The advance of a space: the tab stops and the columns beyond the end of a line.
    double CharWidth() const { return charWidth_; }
    double Advance(uint8_t byte) const { return advance_[byte]; }
    double TabStopWidth() const { return charWidth_ * tabWidth_; }

    // x of byte `index` of `text` from its start, tabs at the tab stops.
    double XOf(std::string_view text, size_t index) const;
    // The byte whose cell holds x (text.size() when beyond), and the cell's start in `cellX`.
    size_t ByteAt(std::string_view text, double x, double* cellX) const;
    // The width of the whole text.
    double WidthOf(std::string_view text) const { return XOf(text, text.size()); }
    // The same over bytes [begin, ...) of a line that may lie in pieces, read piece by piece, so
    // a position in a long line is found without copying the line into one run. XOf measures
    // `index` bytes from `begin`; ByteAt looks in [begin, end) and answers relative to begin.
    double XOf(const TKrqLineText& text, size_t begin, size_t index) const;
    size_t ByteAt(const TKrqLineText& text, size_t begin, size_t end, double x,
                  double* cellX) const;

    // The rows of `text` no wider than `width`: a row breaks after its last blank when it has
    // one, else before the byte that does not fit; every row holds at least one byte, so a
    // glyph wider than the width still moves on. An empty line is one empty row.
    std::vector<TRowSpan> Wrap(std::string_view text, double width, TWrapRules rules) const;
    // The start of each row of the screen's wrap.
    std::vector<uint32_t> WrapStarts(std::string_view text, double width) const;
    // The one row of `text` that starts at `begin` (a row start of the same wrap), and in
    // `next` where the row after it starts: text.size() when this row is the last. Wrap is
    // this row after row, so a caller may lay out a long line only as far as it needs.
    TRowSpan RowAt(std::string_view text, size_t begin, double width, TWrapRules rules,
                   size_t* next) const;

  private:
    double Next(double x, uint8_t byte) const {
        return byte == '\t' ? NextTabStopX(x) : x + advance_[byte];
    }
    double NextTabStopX(double x) const;
    template <class Emit>
    void WrapInto(std::string_view text, double width, TWrapRules rules, Emit emit) const;

    std::array<double, 256> advance_{};
    double charWidth_ = 1;
    bool fixedPitch_ = true;
    int tabWidth_ = 8;
};

}  // namespace krq
