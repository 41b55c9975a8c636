// The colour swatch: a framed rectangle filled with its colour.
#include "settings/TKrqColorSwatch.h"

#include <QContextMenuEvent>
#include <QPainter>

#include "platform/colors.h"

namespace krq {

TKrqColorSwatch::TKrqColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFixedSize(41, 21);
    // A keyboard user reaches the swatch with Tab and opens the colour dialog with the
    // context-menu key.
    setFocusPolicy(Qt::StrongFocus);
}

void TKrqColorSwatch::SetValue(int32_t value) {
    value_ = value;
    update();
}

void TKrqColorSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), ColorFromValue(value_));
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
        }
    }
    QFrame::paintEvent(event);
}

void TKrqColorSwatch::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit ContextPopup();
}

}  // namespace krq
