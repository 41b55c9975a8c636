#include "editing/frClpShow.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>

#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

TfrmClpShow::TfrmClpShow(QWidget* parent, TRun run)
    : TKrqMemoWindow(parent, QString::fromUtf8("Podgląd schowka"), QPoint(145, 141),
                     std::move(run)) {
    setObjectName("frmClpShow");
}

void TfrmClpShow::FormShow() {
    mcMemo->clear();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasText()) SetMemoText(cp1250::FromUtf8(data->text().toStdString()));
}

void TfrmClpShow::btnOkClick() {
    if (!mcMemo->document()->isEmpty()) {
        // CR LF between lines, as the editor's own copies carry them.
        QClipboard* clipboard = QApplication::clipboard();
        const QString copied = QString::fromStdString(cp1250::ToUtf8(MemoText()));
        clipboard->setText(copied);
        if (clipboard->text() != copied) throw EKrqError("Clipboard copy operation failed");
    }
    mcMemo->clear();
    CloseWindow(true);
}

void TfrmClpShow::btnCancelClick() {
    mcMemo->clear();
    CloseWindow(false);
}

}  // namespace krq
