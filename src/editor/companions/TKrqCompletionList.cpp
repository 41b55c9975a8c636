// The word completion's list window.
#include "editor/companions/TKrqCompletionList.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

QString ToDisplayText(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) text.append(QChar(cp1250::ToUnicode(static_cast<uint8_t>(c))));
    return text;
}

constexpr int kTextIndent = 2;  // pixels between a row's edge and its word

}  // namespace

TKrqCompletionList::TKrqCompletionList(TKrqCompletionProposal& proposal, TKrqEdit* edit)
    : QWidget(edit, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      proposal_(proposal),
      edit_(edit),
      bar_(new QScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->hide();
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        top_ = value;
        update();
    });
}

int TKrqCompletionList::RowHeight() const { return fontMetrics().height() + 2; }
int TKrqCompletionList::RowCount() const { return static_cast<int>(proposal_.Rows().size()); }
int TKrqCompletionList::VisibleRows() const { return proposal_.LinesInWindow(); }

QRect TKrqCompletionList::RowRect(int row) const {
    int textWidth = width() - 2 * kFrame - (bar_->isHidden() ? 0 : bar_->width());
    return QRect(kFrame, kFrame + (row - top_) * RowHeight(), textWidth, RowHeight());
}

int TKrqCompletionList::RowAt(QPoint pos) const {
    if (pos.y() < kFrame || pos.x() < kFrame) return -1;
    int shown = (pos.y() - kFrame) / RowHeight();
    int row = top_ + shown;
    if (shown >= VisibleRows() || row >= RowCount()) return -1;
    return RowRect(row).contains(pos) ? row : -1;
}

void TKrqCompletionList::SetTop(int row) {
    int maxTop = std::max(0, RowCount() - VisibleRows());
    top_ = std::clamp(row, 0, maxTop);
    if (bar_->value() != top_) bar_->setValue(top_);
    update();
}

void TKrqCompletionList::UpdateScrollBar() {
    bool needed = RowCount() > VisibleRows();
    bar_->setVisible(needed);
    if (!needed) return;
    int barWidth = bar_->sizeHint().width();
    bar_->setGeometry(width() - kFrame - barWidth, kFrame, barWidth, height() - 2 * kFrame);
    bar_->setRange(0, RowCount() - VisibleRows());
    bar_->setPageStep(VisibleRows());
}

void TKrqCompletionList::ShowAtCaret() {
    resize(proposal_.Width(), VisibleRows() * RowHeight() + 2 * kFrame);
    top_ = 0;
    UpdateScrollBar();
    SelectionChanged();

    const QPoint caret = edit_->CaretScreenPos();
    QScreen* screen = QGuiApplication::screenAt(caret);
    if (!screen) screen = edit_->screen();
    const QRect area = screen->availableGeometry();
    const TKrqScreenPoint at =
        completion::PlaceList({caret.x(), caret.y()}, edit_->LineHeight(), width(), height(),
                              {area.left(), area.top(), area.width(), area.height()});
    move(at.X, at.Y);
    show();
    raise();
}

void TKrqCompletionList::SelectionChanged() {
    int selected = proposal_.SelectedRow();
    if (selected >= 0) {
        if (selected < top_) {
            SetTop(selected);
        } else if (selected >= top_ + VisibleRows()) {
            SetTop(selected - VisibleRows() + 1);
        }
    }
    update();
}

void TKrqCompletionList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const std::vector<std::string>& rows = proposal_.Rows();
    const int last = std::min(RowCount(), top_ + VisibleRows());
    for (int row = top_; row < last; ++row) {
        const QRect r = RowRect(row);
        if (row == proposal_.SelectedRow()) {
            painter.fillRect(r, QColor(kSelectColor));
            painter.setPen(Qt::black);
        } else {
            painter.setPen(palette().color(QPalette::Text));
        }
        painter.drawText(r.adjusted(kTextIndent, 0, -kTextIndent, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         ToDisplayText(rows[static_cast<size_t>(row)]));
    }
}

void TKrqCompletionList::CompleteWith(QPoint pos) {
    int row = RowAt(pos);
    if (row < 0) return;
    // A single click completes as a double click does: the list holds no keyboard focus in
    // which a selected but uncompleted row would be of use.
    if (edit_)
        edit_->Guarded([&] { proposal_.RowDoubleClick(row); });
    else
        proposal_.RowDoubleClick(row);
    if (edit_ && !edit_->hasFocus()) edit_->setFocus(Qt::OtherFocusReason);
}

void TKrqCompletionList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) CompleteWith(event->position().toPoint());
    event->accept();
}

void TKrqCompletionList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) CompleteWith(event->position().toPoint());
    event->accept();
}

void TKrqCompletionList::wheelEvent(QWheelEvent* event) {
    int steps = event->angleDelta().y() / 120;
    if (steps != 0) SetTop(top_ - steps * 3);
    event->accept();
}

}  // namespace krq
