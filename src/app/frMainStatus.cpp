// The window caption, the status bar panels and the enabled state of the toolbar buttons.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QToolButton>

#include "app/frMain.h"
#include "editor/widget/TKrqEdit.h"

namespace krq {

namespace {

bool ClipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

}  // namespace

void TfrmMain::prcSetCaption(const QString& text) {
    applicationTitle_ = text;
    setWindowTitle(text);
}

size_t TfrmMain::TextSize(const TKrqEditStringList& lines) {
    const int count = lines.Count();
    return count > 0 ? lines.ByteCount(0, count) + 2 * static_cast<size_t>(count - 1) : 0;
}

void TfrmMain::UpdateStatusPanels() {
    const TKrqEditModel& model = mncKrqEdit->Model();
    const uint64_t serial = model.Lines().Serial();
    if (!sizeCache_.Valid || sizeCache_.Serial != serial ||
        sizeCache_.Generation != changeGeneration_) {
        sizeCache_ = {serial, changeGeneration_, TextSize(model.Lines()), true};
    }
    mncStatusPanel[2]->setText(QString::number(sizeCache_.Size) + QString::fromUtf8(" bajtów."));
    mncStatusPanel[3]->setText("X:" + QString::number(model.CaretColumn()));
    mncStatusPanel[4]->setText("Y:" + QString::number(model.CaretLine()));
}

void TfrmMain::mncKrqEditChange() {
    ++changeGeneration_;
    mncStatusPanel[0]->setText("Gotowy (modyfikowany)");
    // A change that leaves the caret in place (Delete) raises no status notification.
    UpdateStatusPanels();
    const TKrqEditModel& model = mncKrqEdit->Model();
    btnEditUndo->setEnabled(model.CanUndo());
    btnEditRedo->setEnabled(model.CanRedo());
}

void TfrmMain::mncKrqEditStatusChange() {
    btnWordWrap->setChecked(mncKrqEdit->WordWrap());
    UpdateStatusPanels();
    btnEditPaste->setEnabled(ClipboardHasText());
    const bool selected = mncKrqEdit->Model().SelAvail();
    btnEditCut->setEnabled(selected);
    btnEditCopy->setEnabled(selected);
    btnEditDelete->setEnabled(selected);
}

void TfrmMain::prcButtonsStatus() {
    const TKrqEditModel& model = mncKrqEdit->Model();
    btnEditPaste->setEnabled(ClipboardHasText());
    const bool selected = model.SelAvail();
    btnEditCut->setEnabled(selected);
    btnEditCopy->setEnabled(selected);
    btnEditDelete->setEnabled(selected);
    btnEditUndo->setEnabled(model.CanUndo());
    btnEditRedo->setEnabled(model.CanRedo());
}

}  // namespace krq
