// Document files: the save-changes guard, New, Open, Save, Save as, Save copy, dropped files
// and the recent-files list.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

#include "app/frMain.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/files/inifile.h"
#include "platform/files/settingsfile.h"
#include "platform/fsname.h"

namespace krq {

namespace {

const char* const kFilesSection = "Files";

QString ModifiedPromptText(const QString& currentName) {
    if (currentName.isEmpty())
        return QString::fromUtf8("Tekst został zmieniony.\r\rCzy chcesz zapisać zmiany?");
    return QString::fromUtf8("Tekst w pliku ") + QFileInfo(currentName).fileName() +
           QString::fromUtf8(" został zmieniony.\r\rCzy chcesz zapisać zmiany?");
}

}  // namespace

void TfrmMain::SaveTextTo(const QString& name) {
    mncKrqEdit->Model().SaveLinesToFile(FsName(name), docEncoding_);
}

void TfrmMain::SetDocEncoding(TDocEncoding encoding) {
    docEncoding_ = encoding;
    mncStatusPanel[6]->setText(EncodingName(encoding));
}

// Tells why a file was opened unconverted: its bytes are kept, so saving writes them back.
void TfrmMain::ReportDecoding(const QString& name, const TDecodeReport& report) {
    if (report.Lossless()) return;
    const QString file = QFileInfo(name).fileName();
    const QString wanted = QString::fromUtf8(EncodingName(report.Requested));
    QString text;
    if (report.Invalid)
        text = QString::fromUtf8("Plik %1 nie jest poprawnym tekstem w kodowaniu %2.")
                   .arg(file, wanted);
    else
        text = QString::fromUtf8(
                   "Plik %1 jest zapisany w kodowaniu %2, ale część jego znaków nie "
                   "istnieje w kodowaniu Windows-1250 (liczba takich znaków: %3).")
                   .arg(file, wanted)
                   .arg(report.Unmapped);
    text += QString::fromUtf8(
        "\r\rPlik otwarto bez zamiany, jako bajty Windows-1250; zapisanie "
        "go zachowa te same bajty.");
    Dialogs().Message(this, "Kwerdel RQ", text, TMsgButtons::OK, TMsgIcon::Warning);
}

void TfrmMain::SetReadyStatus() { mncStatusPanel[0]->setText("Gotowy"); }

// --- The guard -----------------------------------------------------------------------------------

void TfrmMain::prcSaveChangesGuard(const std::function<void()>& next) {
    if (prcSaveChanges(false)) next();
}

bool TfrmMain::prcSaveChanges(bool freshName) {
    if (!Modified()) return true;
    const bool untitled = Untitled();
    TMsgResult answer = Dialogs().Message(this, "Kwerdel RQ", ModifiedPromptText(CurrentFileName()),
                                          TMsgButtons::YesNoCancel, TMsgIcon::Warning);
    if (answer != TMsgResult::Yes && answer != TMsgResult::No) return false;
    if (answer == TMsgResult::Yes) {
        if (untitled) {
            // Otherwise the dialog keeps the name chosen here until a later step empties it.
            if (freshName) dlgFileSave.FileName.clear();
            QString target = Dialogs().SaveFile(this, dlgFileSave);
            if (target.isEmpty()) return false;
            SaveTextTo(target);
        } else {
            dlgFileSave.FileName = CurrentFileName();
            SaveTextTo(dlgFileSave.FileName);
            dlgFileSave.FileName.clear();
        }
    }
    return true;
}

void TfrmMain::ctxFileNewExecute() {
    prcSaveChangesGuard([this] { prcFileNew(); });
}

void TfrmMain::ctxFileOpenExecute() {
    prcSaveChangesGuard([this] { prcFileOpen(QString()); });
}

void TfrmMain::mncKrqEditDropFiles(int, int, const QStringList& files) {
    if (files.size() != 1) return;
    const QString name = files.front();
    prcSaveChangesGuard([this, name] { prcFileOpen(name); });
}

void TfrmMain::ivcMRUManagerClick(const QString& recentName) {
    prcSaveChangesGuard([this, recentName] { prcFileOpen(recentName); });
}

// --- New and Open
// ---------------------------------------------------------------------------------

void TfrmMain::prcFileNew() {
    TKrqEditModel& model = mncKrqEdit->Model();
    model.ClearDocument();
    dlgFileOpen.FileName.clear();
    dlgFileSave.FileName.clear();
    prcSetCaption("Kwerdel RQ");
    SetReadyStatus();
    mncStatusPanel[2]->setText(QString::fromUtf8("0 bajtów."));
    mncStatusPanel[3]->setText("X:1");
    mncStatusPanel[4]->setText("Y:1");
    SetDocEncoding(TDocEncoding::Windows1250);
    prcButtonsStatus();
    model.SetModified(false);
    prcMarkForDocument(QString());
}

void TfrmMain::prcFileOpen(const QString& name, std::optional<TDocEncoding> encoding) {
    // A name from the command line or a drop may be relative to where the program started;
    // the document and the recent-files list keep full names, valid from anywhere.
    QString chosen = name.isEmpty() ? name : QDir::cleanPath(QFileInfo(name).absoluteFilePath());
    if (chosen.isEmpty()) {
        // The dialog works on a copy: the document takes the chosen name only once the file
        // has been read, so a failed read never leaves the old text under the new name.
        TFileDialogState state = dlgFileOpen;
        QStringList files = Dialogs().OpenFiles(this, state, false);
        dlgFileOpen.FilterIndex = state.FilterIndex;
        if (files.isEmpty()) {
            prcButtonsStatus();
            return;
        }
        chosen = files.front();
    }
    TKrqEditModel& model = mncKrqEdit->Model();
    const TDecodeReport decoded = model.LoadLinesFromFile(FsName(chosen), encoding);
    SetDocEncoding(decoded.Encoding);
    ++changeGeneration_;
    dlgFileOpen.FileName = chosen;
    prcSetCaption(QFileInfo(chosen).fileName() + " - Kwerdel RQ");
    SetReadyStatus();
    UpdateStatusPanels();
    model.SetModified(false);
    ivcMRUManager.Add(chosen);
    RebuildRecentMenu();
    TIniFile ini = SettingsFile();
    ivcMRUManager.SaveToIni(ini, kFilesSection);
    prcMarkForDocument(chosen);
    prcButtonsStatus();
    ReportDecoding(chosen, decoded);
}

// --- Saving
// ----------------------------------------------------------------------------------------

void TfrmMain::ctxFileSaveExecute() {
    dlgFileSave.FileName = CurrentFileName();
    SaveTextTo(dlgFileSave.FileName);
    dlgFileSave.FileName.clear();
    SetReadyStatus();
    mncKrqEdit->Model().SetModified(false);
}

void TfrmMain::ctxFileSaveAsExecute() { prcFileSaveAs(); }

bool TfrmMain::prcFileSaveAs() {
    dlgFileSave.FileName.clear();
    QString target = Dialogs().SaveFile(this, dlgFileSave);
    if (target.isEmpty()) return false;
    SaveTextTo(target);
    dlgFileOpen.FileName = target;
    dlgFileSave.FileName.clear();
    SetReadyStatus();
    prcSetCaption(QFileInfo(target).fileName() + " - Kwerdel RQ");
    mncKrqEdit->Model().SetModified(false);
    prcMarkForDocument(target);
    return true;
}

void TfrmMain::btnFileSaveClick() {
    if (Untitled())
        ctxFileSaveAsExecute();
    else
        ctxFileSaveExecute();
}

void TfrmMain::ctxFileSaveCopyExecute() {
    // Reached through the menu only for a named document; an untitled one has nothing to copy.
    if (Untitled()) return;
    const QString current = CurrentFileName();
    QFileInfo info(current);
    QString fileName = info.fileName();
    qsizetype dot = fileName.lastIndexOf('.');
    QString copyName =
        dot < 0 ? fileName + "_kopia" : fileName.left(dot) + "_kopia" + fileName.mid(dot);
    QString copyPath = info.path() + '/' + copyName;
    SaveTextTo(copyPath);
    Dialogs().Message(this, "Kwerdel RQ",
                      QString::fromUtf8("Zapisano kopię pliku ") + fileName + ".", TMsgButtons::OK,
                      TMsgIcon::None);
}

void TfrmMain::mnsFileClick() {
    mnsFileSave->setEnabled(Modified() && !Untitled());
    mnsFileSaveCopy->setEnabled(!Untitled());
    mnsFileReopenAs->menuAction()->setEnabled(!Untitled());
    mnsFileLastOpen->menuAction()->setEnabled(ivcMRUManager.Count() > 0);
}

// --- Recent files
// ----------------------------------------------------------------------------------

void TfrmMain::LoadRecentFiles() {
    ivcMRUManager.LoadFromIni(SettingsFile(), kFilesSection);
    RebuildRecentMenu();
}

void TfrmMain::RebuildRecentMenu() {
    // An item may be the sender of the click that led here, so it is deleted later.
    for (QAction* old : mnsFileLastOpen->actions()) {
        mnsFileLastOpen->removeAction(old);
        old->deleteLater();
    }
    for (const QString& name : ivcMRUManager.Items()) {
        QString caption = name;
        caption.replace('&', "&&");
        QAction* item = mnsFileLastOpen->addAction(caption);
        item->setToolTip(name);
        item->setData(name);
        connect(item, &QAction::triggered, this,
                [this, name] { RunCommand([this, name] { ivcMRUManagerClick(name); }); });
    }
    mnsFileLastOpen->menuAction()->setEnabled(ivcMRUManager.Count() > 0);
}

}  // namespace krq
