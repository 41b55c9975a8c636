#include "editing/TKrqMemoWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextCursor>

#include "platform/cp1250.h"
#include "platform/fonts.h"

namespace krq {

TKrqMemoWindow::TKrqMemoWindow(QWidget* parent, const QString& caption, QPoint position, TRun run)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      run_(std::move(run)) {
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(536, 343);
    move(position);

    mcMemo = new QPlainTextEdit(this);
    mcMemo->setObjectName("mcMemo");
    mcMemo->setGeometry(0, 0, 536, 305);
    QFont font("Fixedsys");
    font.setPixelSize(12);
    mcMemo->setFont(WithMonospaceFallback(font));
    mcMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    mcMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mcMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mcMemo->setContextMenuPolicy(Qt::CustomContextMenu);

    btnOk = new QPushButton("OK", this);
    btnOk->setObjectName("btnOk");
    btnOk->setGeometry(360, 312, 81, 25);
    btnCancel = new QPushButton("Anuluj", this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(448, 312, 81, 25);
    // Enter belongs to the box: it breaks lines there and never presses a button.
    btnOk->setAutoDefault(false);
    btnCancel->setAutoDefault(false);

    mcPopUpMenu = new QMenu(this);
    mcPopUpMenu->setObjectName("mcPopUpMenu");
    auto item = [this](const char* name, const char* caption, const char* key,
                       void (TKrqMemoWindow::*handler)()) {
        auto* action = new QAction(QString::fromUtf8(caption), mcPopUpMenu);
        action->setObjectName(name);
        // The box answers these keys itself; the menu only shows them.
        if (key) {
            action->setShortcut(QKeySequence(key));
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        mcPopUpMenu->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, handler] { Run([this, handler] { (this->*handler)(); }); });
        return action;
    };
    pmUndo = item("pmUndo", "Cofnij", "Ctrl+Z", &TKrqMemoWindow::pmUndoClick);
    mcPopUpMenu->addSeparator();
    pmCut = item("pmCut", "Wytnij", "Ctrl+X", &TKrqMemoWindow::pmCutClick);
    pmCopy = item("pmCopy", "Kopiuj", "Ctrl+C", &TKrqMemoWindow::pmCopyClick);
    pmPaste = item("pmPaste", "Wklej", "Ctrl+V", &TKrqMemoWindow::pmPasteClick);
    pmDelete = item("pmDelete", "Usuń", nullptr, &TKrqMemoWindow::pmDeleteClick);
    mcPopUpMenu->addSeparator();
    pmSelectAll =
        item("pmSelectAll", "Zaznacz wszystko", "Ctrl+A", &TKrqMemoWindow::pmSelectAllClick);

    connect(mcMemo, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        Run([this] { mcPopUpMenuPopup(); });
        mcPopUpMenu->popup(mcMemo->viewport()->mapToGlobal(at));
    });
    connect(btnOk, &QPushButton::clicked, this, [this] { Run([this] { btnOkClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Run([this] { btnCancelClick(); }); });
}

std::string TKrqMemoWindow::MemoText() const {
    QString text = mcMemo->toPlainText();
    text.replace('\n', QStringLiteral("\r\n"));
    return cp1250::FromUtf8(text.toStdString());
}

void TKrqMemoWindow::SetMemoText(const std::string& bytes) {
    QString text = QString::fromStdString(cp1250::ToUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    mcMemo->setPlainText(text);
}

void TKrqMemoWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    mcMemo->setFocus();
    Run([this] { FormShow(); });
}

void TKrqMemoWindow::reject() {
    Run([this] { btnCancelClick(); });
}

void TKrqMemoWindow::mcPopUpMenuPopup() {
    const bool selected = mcMemo->textCursor().hasSelection();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    pmUndo->setEnabled(mcMemo->document()->isUndoAvailable());
    pmCut->setEnabled(selected);
    pmCopy->setEnabled(selected);
    pmPaste->setEnabled(data && data->hasText());
    pmDelete->setEnabled(selected);
    pmSelectAll->setEnabled(true);
}

void TKrqMemoWindow::pmUndoClick() { mcMemo->undo(); }
void TKrqMemoWindow::pmCutClick() { mcMemo->cut(); }
void TKrqMemoWindow::pmCopyClick() { mcMemo->copy(); }
void TKrqMemoWindow::pmPasteClick() { mcMemo->paste(); }
void TKrqMemoWindow::pmDeleteClick() { mcMemo->textCursor().removeSelectedText(); }
void TKrqMemoWindow::pmSelectAllClick() { mcMemo->selectAll(); }

}  // namespace krq
