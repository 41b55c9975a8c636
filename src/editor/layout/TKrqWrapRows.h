// The rows a view shows a model's lines on, wrapped or not: what the view draws and what the
// caret moves of a wrapping view follow.
#pragma once

#include <functional>
#include <string_view>

#include "editor/layout/TKrqLineLayout.h"
#include "editor/layout/TKrqWrapCache.h"
#include "editor/model/TKrqEditModel.h"

namespace krq {

class TKrqWrapRows : public TKrqRowMap {
  public:
    // `layout` takes the model's tab width at each use, so a change there needs no notice.
    TKrqWrapRows(const TKrqEditModel& model, TKrqWrapCache& cache, TKrqLineLayout& layout);

    void SetWrapping(bool on) { wrap_ = on; }
    // The width rows wrap at, asked at each use: a view's text area changes with its gutter.
    std::function<double()> Width;
    // Run before each use, so the rows follow the text's changes.
    std::function<void()> Sync;
    // Run when SetTop moved the first row shown.
    std::function<void()> OnTopChanged;

    // The bytes [Begin, End) of row `p`: the whole line while lines are not wrapped.
    TKrqLineLayout::TRowSpan Bytes(TKrqRowPos p);
    int LastRow(int line);
    // The first row shown, for the view's own use; SetTop also tells OnTopChanged.
    TKrqRowPos& TopRow() { return top_; }

    bool Wrapping() override { return wrap_; }
    TKrqRowPos RowOf(TBufferCoord pos) override;
    void Span(TKrqRowPos p, int& first, int& last) override;
    bool NextRow(TKrqRowPos& p) override;
    bool PrevRow(TKrqRowPos& p) override;
    double XOf(TBufferCoord pos) override;
    int CharAt(TKrqRowPos p, double x) override;
    TKrqRowPos Top() override { return top_; }
    void SetTop(TKrqRowPos top) override;
    // A page is the model's lines in window, counted as rows.
    void EnsureVisible(TBufferCoord pos) override;

  private:
    // 1-based; "" beyond the text. Text is one run, which a long line in pieces makes once
    // per change: the wrap needs it, an unwrapped line is read through its pieces instead.
    std::string_view Text(int line) const;
    TKrqLineText Line(int line) const;
    size_t Length(int line) const;
    int Count() const;  // at least 1: an empty text shows one line
    const TKrqLineLayout& Layout();
    double WrapWidth();
    void Ready() {
        if (Sync) Sync();
    }

    const TKrqEditModel& model_;
    TKrqWrapCache& cache_;
    TKrqLineLayout& layout_;
    bool wrap_ = false;
    TKrqRowPos top_;
};

}  // namespace krq
