// The private state of the TKrqEdit widget, shared by its source files (view, input, drag).
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QTimer>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/layout/TKrqLineCaches.h"
#include "editor/layout/TKrqLineLayout.h"
#include "editor/layout/TKrqWrapRows.h"
#include "editor/widget/TKrqEdit.h"
#include "editor/widget/TKrqEditQtClipboard.h"
#include "lexers/KrqLexer.h"

class QPainter;

namespace krq {

struct TKrqEdit::Impl {
    explicit Impl(TKrqEdit* owner) : q(owner) {}

    TKrqEdit* q;
    TKrqEditModel model;
    TKrqEditQtClipboard clipboard;
    bool lostQueued = false;
    // Queues one CharactersLost for the text that just went in.
    void NoteLost() {
        if (lostQueued) return;
        lostQueued = true;
        QTimer::singleShot(0, q, [this] {
            lostQueued = false;
            emit q->CharactersLost();
        });
    }

    // --- Appearance ---------------------------------------------------------------------------
    QFont font;      // as asked for (the stored name is kept)
    QFont drawFont;  // what is drawn: the asked family, or the system monospace font
    int zoom = 0;    // points added to the drawn size for this session
    QColor fontColor{Qt::black};
    QColor color{Qt::white};
    QColor selFg{Qt::white};
    QColor selBg{0, 0, 128};
    bool gutterVisible = true;
    QColor gutterColor{Qt::lightGray};
    QFont gutterFont;
    bool wordWrap = false;
    QMenu* popup = nullptr;
    TKrqEdit::TGuard guard;
    TKrqHighlighter* highlighter = nullptr;
    int highlighterListener = 0;

    // --- Metrics ------------------------------------------------------------------------------
    int lineHeight = 16;
    int ascent = 12;
    // The drawing font's byte advances and the model's tab width; the tab width is taken from
    // the model whenever the layout is asked, so a change there needs no notice.
    mutable TKrqLineLayout layout;
    double charWidth = 8;  // advance of a space: tab stops and columns beyond the line end
    int digitWidth = 7;    // of the gutter font
    static constexpr int kTextMargin = 2;  // between the gutter and the text

    // --- Scrolling ----------------------------------------------------------------------------
    int leftPx = 0;      // horizontal scroll in pixels (not used with word wrap)
    int widestSeen = 0;  // widest line drawn so far, for the horizontal scroll bar
    bool syncingBars = false;

    // --- Caches over the text -----------------------------------------------------------------
    // Wrapped rows of the lines shown, the lexer's line states and the tokens of lines shown.
    TKrqLineCaches caches;
    QTimer lexAhead;
    // The rows on screen over those caches, which the model's caret moves follow too; the
    // first row shown is theirs.
    TKrqWrapRows rows{model, caches.Wrap(), layout};
    TKrqRowPos& top = rows.TopRow();

    // --- Mouse --------------------------------------------------------------------------------
    bool selecting = false;
    bool dragPending = false;
    QPoint pressPos;
    QPoint lastMousePos;
    QTimer autoScroll;
    bool showDropCaret = false;
    TBufferCoord dropCaret;

    // --- Helpers (TKrqEditView.cpp) -----------------------------------------------------------
    // 1-based; "" beyond the text. LineText is one run of bytes (a long line in pieces is
    // copied into one on first use); Line gives the pieces, for what is done per keystroke.
    std::string_view LineText(int line) const;
    TKrqLineText Line(int line) const;
    size_t LineLength(int line) const;
    const TKrqLineLayout& Layout() const;
    int LineCount() const;  // at least 1: an empty text shows one line
    void UpdateMetrics();
    int TextLeft() const;     // x of the text area in the viewport
    int TextWidth() const;    // width of the text area
    int VisibleRows() const;  // whole rows that fit
    // Pixel x of byte `index` of `text` measured from its start, tabs at the tab width.
    double XOf(std::string_view text, size_t index) const;
    // The byte whose cell holds x (text.size() when beyond), and the cell's start in `cellX`.
    size_t ByteAt(std::string_view text, double x, double* cellX) const;
    double TextWidthOf(const TKrqLineText& text) const;
    // The row of `line` that shows character `ch` (1-based).
    int RowOfChar(int line, int ch);
    bool NextRow(TKrqRowPos& p);
    bool PrevRow(TKrqRowPos& p);
    // Viewport point of character `pos` (top-left of its cell), and the character at a point.
    QPoint PointOf(TBufferCoord pos);
    TBufferCoord CoordAt(QPoint viewportPos, bool beyondEnd);
    void ScrollRows(int count);
    void SetTop(TKrqRowPos p);
    void TopMoved();  // the rows' top moved: clamp it, follow with the bars and repaint
    void ClampTop();
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void InvalidateText();
    void SyncCaches();
    // While the event loop is idle, the line states beyond the view are lexed in slices, so a
    // far jump later finds them ready; what the slices find is what a lex from the top gives.
    void ScheduleLexAhead();
    void LexAheadStep();
    const std::vector<TKrqToken>* TokensOf(int line);
    void Paint(QPainter& p, const QRect& area);
    void PaintGutter(QPainter& p, const QRect& area);
    // The strip left of the line numbers where bookmarks are drawn; 0 while none is set, so
    // the numbers are never covered and the gutter keeps its width without bookmarks.
    int BookmarkBand() const;
    void PaintRow(QPainter& p, int y, int line, size_t from, size_t to, bool lastRow);

    // --- Input (TKrqEditInput.cpp) --------------------------------------------------------------
    bool InSelection(TBufferCoord pos) const;
    void DropText(TBufferCoord at, const std::string& text, TSelectionMode mode, bool move);
    void StartDrag();
    void AutoScrollStep();
};

}  // namespace krq
