#include "editing/TEditingCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QMimeData>
#include <QTime>

#include "editing/TKrqFindDialog.h"
#include "editing/frClpShow.h"
#include "editing/frEncions.h"
#include "editing/frExTxShow.h"
#include "editing/unFindReplace.h"
#include "editing/unInsertText.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"

namespace krq {

namespace {

std::string Bytes(const QString& text) { return cp1250::FromUtf8(text.toStdString()); }

}  // namespace

TEditingCommands::TEditingCommands(TEditingHost host) : host_(std::move(host)) {
    dlgFind = new TKrqFindDialog(TKrqFindDialog::TKind::Find, host_.Owner);
    dlgReplace = new TKrqFindDialog(TKrqFindDialog::TKind::Replace, host_.Owner);
    auto run = [this](void (TEditingCommands::*handler)()) {
        return [this, handler] { host_.Run([this, handler] { (this->*handler)(); }); };
    };
    connect(dlgFind, &TKrqFindDialog::Shown, this, run(&TEditingCommands::dlgFindShow));
    connect(dlgFind, &TKrqFindDialog::Closed, this, run(&TEditingCommands::dlgFindClose));
    connect(dlgFind, &TKrqFindDialog::FindNext, this, run(&TEditingCommands::dlgFindFind));
    connect(dlgReplace, &TKrqFindDialog::Shown, this, run(&TEditingCommands::dlgReplaceShow));
    connect(dlgReplace, &TKrqFindDialog::Closed, this, run(&TEditingCommands::dlgReplaceClose));
    connect(dlgReplace, &TKrqFindDialog::FindNext, this, run(&TEditingCommands::dlgReplaceFind));
    connect(dlgReplace, &TKrqFindDialog::Replace, this,
            [this] { host_.Run([this] { dlgReplaceReplace(false); }); });
    connect(dlgReplace, &TKrqFindDialog::ReplaceAll, this,
            [this] { host_.Run([this] { dlgReplaceReplace(true); }); });
}

// The dialogs are children of the owner, which deletes them.
TEditingCommands::~TEditingCommands() = default;

TKrqEditModel& TEditingCommands::Model() const { return host_.Editor->Model(); }

// --- Edit menu -----------------------------------------------------------------------------

TEditMenuState TEditingCommands::EditMenuState() const {
    const TKrqEditModel& m = Model();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    TEditMenuState state;
    state.Undo = m.CanUndo();
    state.Redo = m.CanRedo();
    state.Paste = data && data->hasText();
    state.CutCopyDelete = m.SelAvail();
    return state;
}

void TEditingCommands::ctxEditUndoExecute() { Model().Undo(); }
void TEditingCommands::ctxEditRedoExecute() { Model().Redo(); }
void TEditingCommands::ctxEditCutExecute() { Model().CutSelection(); }
void TEditingCommands::ctxEditCopyExecute() { Model().CopySelection(); }
void TEditingCommands::ctxEditPasteExecute() { Model().PasteClipboard(); }
void TEditingCommands::ctxEditDeleteExecute() { Model().DeleteSelection(); }
void TEditingCommands::ctxEditSelectAllExecute() { Model().SelectAll(); }

void TEditingCommands::ctxEditPasteExtraTextExecute() {
    // Read at every press, so an edit made to the file outside the program counts at once.
    Insert(LinesEachWithCrLf(ReadExtraTextFile()));
}

void TEditingCommands::Insert(const std::string& bytes) {
    Model().SetSelectedText(bytes);
    host_.Editor->EnsureCaretVisible();
}

// --- Find and replace ------------------------------------------------------------------------

void TEditingCommands::ShowDialog(TKrqFindDialog* dialog) {
    // The editor's place in the client area, taken as a screen point whatever the main window's
    // position.
    const QPoint at = host_.Editor->geometry().topLeft() + QPoint(100, 200);
    dialog->move(at);
    if (dialog->isVisible()) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    dialog->show();
    dialog->activateWindow();
}

void TEditingCommands::ctxEditFindExecute() { ShowDialog(dlgFind); }
void TEditingCommands::ctxEditReplaceExecute() { ShowDialog(dlgReplace); }

// While either dialog is shown Ctrl+V belongs to its fields; it comes back to "Wklej" when
// both are gone.
void TEditingCommands::DialogShown() {
    if (dialogsShown_++ == 0 && host_.SetPasteShortcut) host_.SetPasteShortcut(false);
}

void TEditingCommands::DialogClosed() {
    if (dialogsShown_ > 0 && --dialogsShown_ == 0 && host_.SetPasteShortcut)
        host_.SetPasteShortcut(true);
}

void TEditingCommands::dlgFindShow() { DialogShown(); }
void TEditingCommands::dlgFindClose() { DialogClosed(); }
void TEditingCommands::dlgReplaceShow() { DialogShown(); }
void TEditingCommands::dlgReplaceClose() { DialogClosed(); }

void TEditingCommands::NotFound() {
    Dialogs().Message(host_.Owner, host_.ApplicationTitle(),
                      QString::fromUtf8("Szukany element nie został znaleziony!"), TMsgButtons::OK,
                      TMsgIcon::None);
}

void TEditingCommands::dlgFindFind() {
    if (!FindNext(Model(), dlgFind->Choices())) NotFound();
    host_.Editor->EnsureCaretVisible();
}

void TEditingCommands::dlgReplaceFind() {
    if (!FindNext(Model(), dlgReplace->Choices())) NotFound();
    host_.Editor->EnsureCaretVisible();
}

void TEditingCommands::dlgReplaceReplace(bool replaceAll) {
    const TFindChoices choices = dlgReplace->Choices();
    const bool found =
        replaceAll ? ReplaceAll(Model(), choices) > 0 : ReplaceNext(Model(), choices);
    if (!found) NotFound();
    host_.Editor->EnsureCaretVisible();
}

// --- Insert commands -------------------------------------------------------------------------

void TEditingCommands::ctxAddTextExecute() {
    const QStringList chosen = Dialogs().OpenFiles(host_.Owner, *host_.AddTextDialog, false);
    if (chosen.isEmpty()) return;
    const std::string path = QFile::encodeName(chosen.front()).toStdString();
    Insert(LinesEachWithCrLf(ReadFileOrRaise(path)));
}

void TEditingCommands::ctxAddHTMLColorExecute() {
    const std::optional<QColor> color = Dialogs().ChooseColor(host_.Owner, dlgColorLast);
    if (!color) return;
    dlgColorLast = *color;
    Insert(HtmlColorCode(static_cast<uint8_t>(color->red()), static_cast<uint8_t>(color->green()),
                         static_cast<uint8_t>(color->blue())));
}

void TEditingCommands::ctxAddDateExecute() {
    Insert(Bytes(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)));
}

void TEditingCommands::ctxAddHourExecute() {
    Insert(Bytes(QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat)));
}

// --- Windows ---------------------------------------------------------------------------------

void TEditingCommands::ctxFormEncionsExecute() {
    TfrmEncions window(Model(), host_.Owner);
    Dialogs().ShowModal(window);
}

void TEditingCommands::ctxFormExTxShowExecute() {
    TfrmExTxShow window(host_.Owner, host_.Run);
    Dialogs().ShowModal(window);
}

void TEditingCommands::ctxFormClpShowExecute() {
    TfrmClpShow window(host_.Owner, host_.Run);
    Dialogs().ShowModal(window);
}

}  // namespace krq
