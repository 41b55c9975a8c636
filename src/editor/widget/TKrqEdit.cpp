// The editing widget's construction, properties and the model's notifications.
#include "editor/widget/TKrqEdit.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMenu>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "editor/widget/TKrqEditViewImpl.h"
#include "lexers/TKrqHighlighter.h"
#include "platform/colors.h"

namespace krq {

namespace {

// Whether every glyph the editor draws has one advance: what the columns rely on, whatever
// the font reports about itself (some monospaced families are not flagged fixed-pitch).
bool MonospacedByMeasurement(const QFont& font) {
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(QChar('W'));
    if (advance <= 0) return false;
    for (QChar c : QStringLiteral("il.M0 _")) {
        if (std::abs(metrics.horizontalAdvance(c) - advance) > 0.01) return false;
    }
    return true;
}

// The system's monospace font when it measures monospaced, else the first family that does.
QFont MonospaceFallback() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (MonospacedByMeasurement(f)) return f;
    QStringList families{QStringLiteral("DejaVu Sans Mono")};
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family)) families << family;
    families << QFontDatabase::families();
    for (const QString& family : families) {
        QFont candidate(family, f.pointSize() > 0 ? f.pointSize() : 9);
        if (QFontDatabase::hasFamily(family) && MonospacedByMeasurement(candidate))
            return candidate;
    }
    return f;
}

// The stored family is kept, but a family the system lacks is drawn in a monospace font.
QFont ResolveTextFont(const QFont& asked) {
    if (QFontDatabase::hasFamily(asked.family())) return asked;
    static const QFont fallback = MonospaceFallback();
    QFont f = fallback;
    if (asked.pixelSize() > 0) {
        f.setPixelSize(asked.pixelSize());
    } else if (asked.pointSizeF() > 0) {
        f.setPointSizeF(asked.pointSizeF());
    }
    f.setBold(asked.bold());
    f.setItalic(asked.italic());
    f.setUnderline(asked.underline());
    f.setStrikeOut(asked.strikeOut());
    return f;
}

QFont GutterFontFor() {
    QFont f("Verdana");
    if (!QFontDatabase::hasFamily("Verdana"))
        f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPixelSize(11);
    return f;
}

}  // namespace

TKrqEdit::TKrqEdit(QWidget* parent) : QAbstractScrollArea(parent), d(std::make_unique<Impl>(this)) {
    QFont f("Fixedsys");
    f.setPixelSize(13);
    d->font = f;
    d->drawFont = ResolveTextFont(f);
    d->drawFont.setKerning(false);
    d->gutterFont = GutterFontFor();
    d->caches.Sync(d->model, 0);
    d->model.SetClipboard(&d->clipboard);
    d->rows.Width = [this] { return static_cast<double>(d->TextWidth()); };
    d->rows.Sync = [this] { d->SyncCaches(); };
    d->rows.OnTopChanged = [this] { d->TopMoved(); };
    d->model.SetRowMap(&d->rows);
    d->clipboard.OnLost = [this] { d->NoteLost(); };

    d->model.OnChange = [this] {
        d->SyncCaches();
        d->UpdateScrollBars();
        viewport()->update();
        emit Changed();
    };
    d->model.OnStatusChange = [this](TStatusChanges changes) {
        // A load or a clear arrives as a status change only; the caches must notice it.
        d->SyncCaches();
        if ((changes & scTopLine) && d->model.TopLine() != d->top.line) {
            d->top = {d->model.TopLine(), 0};
            d->ClampTop();
            d->UpdateScrollBars();
        }
        viewport()->update();
        emit StatusChanged(changes);
    };

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    d->lexAhead.setInterval(0);
    connect(&d->lexAhead, &QTimer::timeout, this,
            [this] { Guarded([this] { d->LexAheadStep(); }); });
    d->autoScroll.setInterval(50);
    connect(&d->autoScroll, &QTimer::timeout, this,
            [this] { Guarded([this] { d->AutoScrollStep(); }); });
    QScrollBar* vbar = verticalScrollBar();
    connect(vbar, &QScrollBar::sliderMoved, this, [this](int value) {
        if (!d->model.HasOption(eoShowScrollHint)) return;
        QPoint at = verticalScrollBar()->mapToGlobal(QPoint(-4, 0));
        at.setY(QCursor::pos().y());
        QToolTip::showText(at, tr("Wiersz: %1").arg(value + 1), this);
    });
    connect(vbar, &QScrollBar::sliderReleased, this, [] { QToolTip::hideText(); });

    d->UpdateMetrics();
    d->UpdateScrollBars();
}

TKrqEdit::~TKrqEdit() {
    if (d->highlighter) d->highlighter->RemoveChangeListener(d->highlighterListener);
    d->model.SetClipboard(nullptr);
    d->model.SetRowMap(nullptr);
    d->model.OnChange = nullptr;
    d->model.OnStatusChange = nullptr;
}

TKrqEditModel& TKrqEdit::Model() { return d->model; }
const TKrqEditModel& TKrqEdit::Model() const { return d->model; }

void TKrqEdit::SetTextFont(const QFont& font) {
    d->font = font;
    d->drawFont = ResolveTextFont(font);
    d->drawFont.setKerning(false);
    if (d->zoom != 0 && d->drawFont.pointSizeF() > 0)
        d->drawFont.setPointSizeF(std::max(1.0, d->drawFont.pointSizeF() + d->zoom));
    d->UpdateMetrics();
    d->InvalidateText();
    d->UpdateScrollBars();
    viewport()->update();
}
QFont TKrqEdit::TextFont() const { return d->font; }
QFont TKrqEdit::DrawnFont() const { return d->drawFont; }

void TKrqEdit::SetZoom(int steps) {
    // Never below 1 pt, whatever the chosen size.
    const qreal base = d->font.pointSizeF() > 0 ? d->font.pointSizeF() : 9;
    d->zoom = std::clamp(steps, static_cast<int>(1 - base), 72);
    SetTextFont(d->font);
}
int TKrqEdit::Zoom() const { return d->zoom; }

void TKrqEdit::SetFontColor(const QColor& c) {
    d->fontColor = c;
    viewport()->update();
}
QColor TKrqEdit::FontColor() const { return d->fontColor; }

void TKrqEdit::SetColor(const QColor& c) {
    d->color = c;
    viewport()->update();
}
QColor TKrqEdit::Color() const { return d->color; }

void TKrqEdit::SetSelectedColor(const QColor& fg, const QColor& bg) {
    d->selFg = fg;
    d->selBg = bg;
    viewport()->update();
}
QColor TKrqEdit::SelectedForeground() const { return d->selFg; }
QColor TKrqEdit::SelectedBackground() const { return d->selBg; }

void TKrqEdit::SetGutterVisible(bool v) {
    d->gutterVisible = v;
    d->InvalidateText();  // the text area's width changes, and with it the wrapped rows
    d->UpdateScrollBars();
    viewport()->update();
}
bool TKrqEdit::GutterVisible() const { return d->gutterVisible; }

void TKrqEdit::SetGutterColor(const QColor& c) {
    d->gutterColor = c;
    viewport()->update();
}
QColor TKrqEdit::GutterColor() const { return d->gutterColor; }

int TKrqEdit::GutterWidth() const {
    if (!d->gutterVisible) return 0;
    // Numbers count from 0, so the highest one shown is the line count minus one.
    int highest = d->LineCount() - 1;
    int digits = 1;
    for (int n = highest; n >= 10; n /= 10) ++digits;
    digits = std::max(digits, 2);
    const int leftOffset = 3, rightOffset = 3;
    return leftOffset + rightOffset + digits * d->digitWidth + 2 + d->BookmarkBand();
}

void TKrqEdit::SetWordWrap(bool on) {
    if (on == d->wordWrap) return;
    d->wordWrap = on;
    d->rows.SetWrapping(on);
    d->top.row = 0;
    d->leftPx = 0;
    d->caches.Wrap().Clear();
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    d->ClampTop();
    d->UpdateScrollBars();
    viewport()->update();
}
bool TKrqEdit::WordWrap() const { return d->wordWrap; }

void TKrqEdit::SetPopupMenu(QMenu* menu) { d->popup = menu; }
QMenu* TKrqEdit::PopupMenu() const { return d->popup; }

void TKrqEdit::SetHighlighter(TKrqHighlighter* h) {
    if (h == d->highlighter) return;
    if (d->highlighter) d->highlighter->RemoveChangeListener(d->highlighterListener);
    d->highlighter = h;
    d->highlighterListener = 0;
    d->caches.States().SetLexer(h ? &h->Lexer() : nullptr);
    if (h) {
        d->highlighterListener = h->AddChangeListener([this] { viewport()->update(); });
        d->model.SetWordChars(&h->Lexer().IdentChars());
    } else {
        d->model.SetWordChars(nullptr);
    }
    viewport()->update();
}
TKrqHighlighter* TKrqEdit::Highlighter() const { return d->highlighter; }
int TKrqEdit::LexedLines() const {
    return std::min(d->caches.States().KnownStates(), d->model.Lines().Count());
}

void TKrqEdit::SetTabWidth(int width) {
    d->model.SetTabWidth(width);
    d->InvalidateText();
    viewport()->update();
}

QPoint TKrqEdit::CaretScreenPos() const {
    return viewport()->mapToGlobal(d->PointOf(d->model.CaretXY()));
}
QPoint TKrqEdit::CaretViewportPos() const { return d->PointOf(d->model.CaretXY()); }
int TKrqEdit::LineHeight() const { return d->lineHeight; }
QPoint TKrqEdit::PointOfChar(TBufferCoord pos) const { return d->PointOf(pos); }
TBufferCoord TKrqEdit::CharAtPoint(QPoint viewportPos) const {
    return d->CoordAt(viewportPos, d->model.SelectionMode() == smColumn);
}
int TKrqEdit::TopRow() const { return d->top.row; }

void TKrqEdit::EnsureCaretVisible() {
    d->EnsureCaretVisible();
    viewport()->update();
}

void TKrqEdit::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    d->model.SetLinesInWindow(d->VisibleRows());
    d->ClampTop();
    d->UpdateScrollBars();
}

void TKrqEdit::scrollContentsBy(int, int) {
    if (d->syncingBars) return;
    TKrqRowPos p{verticalScrollBar()->value() + 1, 0};
    if (p.line != d->top.line) d->SetTop(p);
    if (!d->wordWrap && horizontalScrollBar()->value() != d->leftPx) {
        d->leftPx = horizontalScrollBar()->value();
        emit StatusChanged(scLeftChar);
    }
    viewport()->update();
}

bool TKrqEdit::focusNextPrevChild(bool) { return false; }

}  // namespace krq
