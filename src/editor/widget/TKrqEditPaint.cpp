// Painting of the editing widget: the rows on screen, selection, highlighter colours, caret
// and the line-number gutter.
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "editor/layout/TKrqTabStops.h"
#include "editor/widget/TKrqEditViewImpl.h"
#include "lexers/TKrqHighlighter.h"
#include "platform/colors.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

QString ToQString(std::string_view bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* o = out.data();
    for (char c : bytes) *o++ = QChar(cp1250::ToUnicode(static_cast<uint8_t>(c)));
    return out;
}

}  // namespace

void TKrqEdit::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    d->Paint(p, event->rect());
}

void TKrqEdit::Impl::Paint(QPainter& p, const QRect& area) {
    SyncCaches();
    const QRect r = q->viewport()->rect();
    const int textLeft = TextLeft();
    QColor rowBg = color;
    if (highlighter) {
        const auto& attrs = highlighter->Attributes();
        int ws = highlighter->Lexer().WhitespaceAttr();
        if (ws >= 0 && ws < static_cast<int>(attrs.size()) && attrs[ws].Background != kNoColorValue)
            rowBg = ColorFromValue(attrs[ws].Background);
    }
    p.fillRect(QRect(textLeft - kTextMargin, 0, r.width(), r.height()), rowBg);
    p.setFont(drawFont);

    const int widestBefore = widestSeen;
    TKrqRowPos row = top;
    for (int y = 0; y < r.height(); y += lineHeight) {
        if (y + lineHeight > area.top() && y < area.bottom() + 1) {
            std::string_view s = LineText(row.line);
            size_t from = 0, to = s.size();
            if (wordWrap) {
                const std::vector<uint32_t>& rows = RowsOf(row.line);
                from = rows[row.row];
                if (row.row + 1 < static_cast<int>(rows.size())) to = rows[row.row + 1];
            }
            PaintRow(p, y, row.line, from, to, to == s.size());
        }
        if (!NextRow(row)) break;
    }
    if (gutterVisible) PaintGutter(p, area);

    // The caret: a vertical line to insert, a block to overwrite.
    if (q->hasFocus() || showDropCaret) {
        TBufferCoord at = showDropCaret ? dropCaret : model.CaretXY();
        QPoint pt = PointOf(at);
        if (pt.y() > -lineHeight && pt.y() < r.height() && pt.x() >= textLeft - 1) {
            if (model.InsertMode() || showDropCaret) {
                p.fillRect(QRect(pt.x(), pt.y(), 2, lineHeight), fontColor);
            } else {
                std::string_view s = LineText(at.Line);
                int w = static_cast<int>(charWidth);
                if (at.Char >= 1 && static_cast<size_t>(at.Char) <= s.size())
                    w = std::max(
                        1, static_cast<int>(layout.Advance(static_cast<uint8_t>(s[at.Char - 1]))));
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                p.fillRect(QRect(pt.x(), pt.y(), w, lineHeight), Qt::white);
                p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
        }
    }
    if (widestSeen != widestBefore) UpdateScrollBars();
}

void TKrqEdit::Impl::PaintRow(QPainter& p, int y, int line, size_t from, size_t to, bool lastRow) {
    std::string_view s = LineText(line);
    std::string_view part = s.substr(from, to - from);
    const int textLeft = TextLeft();
    const int left = wordWrap ? 0 : leftPx;
    const int width = TextWidth();
    const double originX = textLeft - left;  // viewport x of the row's first byte
    if (!wordWrap) {
        int w = static_cast<int>(TextWidthOf(s));
        widestSeen = std::max(widestSeen, w);
    }

    // Which bytes of the line are selected: [selFrom, selTo), plus what lies beyond the text.
    const bool sel = model.SelAvail();
    const TBufferCoord b = model.BlockBegin(), e = model.BlockEnd();
    const TSelectionMode mode = model.SelectionMode();
    size_t selFrom = 0, selTo = 0;
    bool selBeyond = false;  // the line break (normal) or the whole row (line mode)
    if (sel && line >= b.Line && line <= e.Line) {
        if (mode == smNormal) {
            selFrom = line == b.Line ? b.Char - 1 : 0;
            selTo = line == e.Line ? e.Char - 1 : SIZE_MAX;
            selBeyond = line < e.Line;
        } else if (mode == smLine) {
            selFrom = 0;
            selTo = SIZE_MAX;
            selBeyond = true;
        } else {
            selFrom = std::min(b.Char, e.Char) - 1;
            selTo = std::max(b.Char, e.Char) - 1;
        }
    }

    // Line mode colours the whole row; the other modes colour what lies beyond the text.
    if (selBeyond && mode == smLine) p.fillRect(QRectF(textLeft, y, width, lineHeight), selBg);
    if (sel && lastRow && ((selBeyond && mode == smNormal) || mode == smColumn)) {
        const double endX = originX + XOf(part, part.size());
        if (selBeyond && mode == smNormal) {
            p.fillRect(QRectF(endX, y, charWidth, lineHeight), selBg);
        } else if (mode == smColumn && selTo > s.size() && selFrom < selTo) {
            // The part of the rectangle that lies beyond the end of this line.
            double x1 = endX + (selFrom > s.size() ? (selFrom - s.size()) * charWidth : 0);
            double x2 = endX + (selTo - s.size()) * charWidth;
            p.fillRect(QRectF(x1, y, x2 - x1, lineHeight), selBg);
        }
    }

    // Only the bytes that fall inside the view are drawn.
    double cellX = 0;
    size_t i = ByteAt(part, left, &cellX);
    size_t stop = ByteAt(part, left + width, nullptr);
    stop = std::min(part.size(), stop + 1);
    const std::vector<TKrqToken>* toks = TokensOf(line);
    const auto* attrs = highlighter ? &highlighter->Attributes() : nullptr;
    size_t tok = 0;
    const double tabStop = Layout().TabStopWidth();
    double x = cellX;

    auto attrAt = [&](size_t lineIndex) -> int {
        if (!toks) return -1;
        while (tok < toks->size() && (*toks)[tok].start + (*toks)[tok].length <= lineIndex) ++tok;
        if (tok < toks->size() && (*toks)[tok].start <= lineIndex) return (*toks)[tok].attr;
        return -1;
    };
    QFont styled = drawFont;
    int currentStyle = 0;

    while (i < stop) {
        size_t li = from + i;
        bool selected = li >= selFrom && li < selTo;
        int attr = attrAt(li);
        size_t j = i;
        double runX = x;
        QString text;
        if (part[i] == '\t') {
            x = NextTabStop(x, tabStop);
            j = i + 1;
        } else {
            while (j < stop && part[j] != '\t') {
                size_t lj = from + j;
                if ((lj >= selFrom && lj < selTo) != selected || attrAt(lj) != attr) break;
                x += layout.Advance(static_cast<uint8_t>(part[j]));
                ++j;
            }
            text = ToQString(part.substr(i, j - i));
        }
        QColor fg = fontColor;
        QColor bg;
        int style = 0;
        if (attr >= 0 && attrs && attr < static_cast<int>(attrs->size())) {
            const TKrqHighlighterAttribute& a = (*attrs)[attr];
            if (a.Foreground != kNoColorValue) fg = ColorFromValue(a.Foreground);
            if (a.Background != kNoColorValue) bg = ColorFromValue(a.Background);
            style = a.Style;
        }
        if (selected) {
            fg = selFg;
            bg = selBg;
        }
        QRectF cell(originX + runX, y, x - runX, lineHeight);
        if (bg.isValid()) p.fillRect(cell, bg);
        if (!text.isEmpty()) {
            if (style != currentStyle) {
                styled = drawFont;
                styled.setBold(drawFont.bold() || (style & fsBold));
                styled.setItalic(drawFont.italic() || (style & fsItalic));
                styled.setUnderline(drawFont.underline() || (style & fsUnderline));
                styled.setStrikeOut(drawFont.strikeOut() || (style & fsStrikeOut));
                p.setFont(styled);
                currentStyle = style;
            }
            p.setPen(fg);
            p.drawText(QPointF(originX + runX, y + ascent), text);
        }
        i = j;
    }
    if (currentStyle != 0) p.setFont(drawFont);
}

int TKrqEdit::Impl::BookmarkBand() const {
    for (int n = 0; n < 10; ++n)
        if (model.Bookmark(n)) return digitWidth + 6;
    return 0;
}

void TKrqEdit::Impl::PaintGutter(QPainter& p, const QRect& area) {
    const int w = q->GutterWidth();
    const int h = q->viewport()->height();
    p.fillRect(QRect(0, 0, w, h), gutterColor);
    p.setFont(gutterFont);
    const int band = BookmarkBand();
    const int field = w - 3 - 3 - 2 - band;  // digits × digit width
    std::array<int, 10> marks{};
    for (int n = 0; n < 10; ++n) marks[n] = model.Bookmark(n).value_or(0);
    QFontMetrics gm(gutterFont);
    TKrqRowPos row = top;
    for (int y = 0; y < h; y += lineHeight) {
        if (row.row == 0 && y + lineHeight > area.top()) {
            p.setPen(Qt::black);
            // Numbers start from 0: the first line is 0 (the status bar's "Y:1").
            p.drawText(QRect(3 + band, y, field, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(row.line - 1));
            for (int n = 0; n < 10; ++n) {
                if (marks[n] != row.line) continue;
                QRect box(1, y + 1, digitWidth + 4, lineHeight - 2);
                p.fillRect(box, QColor(0, 100, 0));
                p.setPen(Qt::white);
                p.drawText(box, Qt::AlignCenter, QString::number(n));
                break;
            }
        }
        if (!NextRow(row)) break;
    }
    p.setFont(drawFont);
}

}  // namespace krq
