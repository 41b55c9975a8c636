// Drag and drop of the editing widget: a selection dragged to another place (moved, or copied
// with Ctrl at the drop) as one undo step, foreign text dropped in, and dropped files.
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "editor/model/TKrqUndoBlock.h"
#include "editor/widget/TKrqEditViewImpl.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

// Tells a drag that started in this very widget (a move or copy within the text) from text
// dragged in from elsewhere.
constexpr const char* kDragSourceMime = "application/x-krqedit-drag-source";

QByteArray SourceId(const TKrqEdit* edit) {
    return QByteArray::number(reinterpret_cast<quintptr>(edit));
}

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}

}  // namespace

QMimeData* TKrqEdit::SelectionMimeData() const {
    std::string text = d->model.SelectedText();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(cp1250::ToUtf8(text)));
    std::string block = EncodeEditBlock(d->model.SelectionMode(), text);
    data->setData(kKrqEditBlockMime,
                  QByteArray(block.data(), static_cast<qsizetype>(block.size())));
    data->setData(kDragSourceMime, SourceId(this));
    return data;
}

void TKrqEdit::Impl::StartDrag() {
    QMimeData* data = q->SelectionMimeData();
    auto* drag = new QDrag(q);
    drag->setMimeData(data);
    // The drop handler does the move itself, so a drop elsewhere never deletes our text.
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    showDropCaret = false;
    q->viewport()->update();
}

void TKrqEdit::Impl::DropText(TBufferCoord at, const std::string& text, TSelectionMode mode,
                              bool move) {
    const TSelectionMode current = model.SelectionMode();
    {
        TKrqUndoBlock block(model);
        if (move && model.SelAvail()) {
            // Where the drop point ends up once the selection is gone.
            TBufferCoord b = model.BlockBegin(), e = model.BlockEnd();
            if (current == smLine) {
                if (at.Line > e.Line) at.Line -= e.Line - b.Line + 1;
            } else if (current == smColumn) {
                int l = std::min(b.Char, e.Char), r = std::max(b.Char, e.Char);
                if (at.Line >= b.Line && at.Line <= e.Line && at.Char > r) {
                    int len = static_cast<int>(LineText(at.Line).size());
                    at.Char -= std::max(0, std::min(r - 1, len) - std::min(l - 1, len));
                }
            } else if (e < at) {
                if (at.Line == e.Line) {
                    at = {b.Char + (at.Char - e.Char), b.Line};
                } else {
                    at.Line -= e.Line - b.Line;
                }
            }
            model.DeleteSelection();
        }
        if (mode == smLine) at.Char = 1;
        model.SetCaretXY(at);
        if (mode != current) model.SetSelectionMode(mode);
        model.SetSelectedText(text);
        model.SetSelection(at, model.CaretXY());
        if (mode != current) model.SetSelectionMode(current);
    }
    EnsureCaretVisible();
}

void TKrqEdit::dragEnterEvent(QDragEnterEvent* e) {
    const QMimeData* data = e->mimeData();
    bool files = d->model.HasOption(eoDropFiles) && !LocalFiles(data).isEmpty();
    bool text = data->hasText() || data->hasFormat(kKrqEditBlockMime);
    if (files || (text && d->model.HasOption(eoDragDropEditing))) {
        e->acceptProposedAction();
    } else {
        e->ignore();
    }
}

void TKrqEdit::dragMoveEvent(QDragMoveEvent* e) {
    const QMimeData* data = e->mimeData();
    if (d->model.HasOption(eoDropFiles) && !LocalFiles(data).isEmpty()) {
        e->acceptProposedAction();
        return;
    }
    if (!d->model.HasOption(eoDragDropEditing)) {
        e->ignore();
        return;
    }
    TBufferCoord pos = d->CoordAt(e->position().toPoint(), d->model.SelectionMode() == smColumn);
    d->dropCaret = pos;
    d->showDropCaret = true;
    if (data->data(kDragSourceMime) == SourceId(this)) {
        e->setDropAction((e->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
        e->accept();
    } else {
        e->acceptProposedAction();
    }
    viewport()->update();
}

void TKrqEdit::dragLeaveEvent(QDragLeaveEvent* e) {
    d->showDropCaret = false;
    viewport()->update();
    e->accept();
}

void TKrqEdit::dropEvent(QDropEvent* e) {
    d->showDropCaret = false;
    viewport()->update();
    const QMimeData* data = e->mimeData();
    const QPoint at = e->position().toPoint();
    QStringList files = LocalFiles(data);
    if (!files.isEmpty()) {
        if (!d->model.HasOption(eoDropFiles)) {
            e->ignore();
            return;
        }
        QPoint inControl = viewport()->mapTo(this, at);
        e->acceptProposedAction();
        emit DropFiles(inControl.x(), inControl.y(), files);
        return;
    }
    if (!d->model.HasOption(eoDragDropEditing)) {
        e->ignore();
        return;
    }
    TSelectionMode mode = d->model.SelectionMode();
    std::string text;
    QByteArray block = data->data(kKrqEditBlockMime);
    if (block.isEmpty() ||
        !DecodeEditBlock(std::string_view(block.constData(), block.size()), mode, text)) {
        if (!data->hasText()) {
            e->ignore();
            return;
        }
        mode = d->model.SelectionMode();
        text = cp1250::FromUtf8(data->text().toStdString());
    }
    TBufferCoord pos = d->CoordAt(at, d->model.SelectionMode() == smColumn);
    bool internal = data->data(kDragSourceMime) == SourceId(this);
    if (internal && d->InSelection(pos)) {
        // Dropping a selection onto itself changes nothing.
        e->setDropAction(Qt::IgnoreAction);
        e->accept();
        return;
    }
    bool move = internal && !(e->modifiers() & Qt::ControlModifier);
    if (text.empty()) {
        e->ignore();
        return;
    }
    d->DropText(pos, text, mode, move);
    e->setDropAction(move ? Qt::MoveAction : Qt::CopyAction);
    e->accept();
}

}  // namespace krq
