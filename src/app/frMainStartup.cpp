// The main window's start-up sequence, its command line and its close sequence.
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/frMain.h"
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/colors.h"
#include "platform/cp1250.h"
#include "platform/inifile.h"
#include "platform/programdir.h"
#include "lexers/unCatalogue.h"

namespace krq {

TIniFile SettingsFile() { return TIniFile(ProgramFile("krq.ini")); }

std::string FsName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString FromFsName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

void TfrmMain::FormCreate() {
    TIniFile ini = SettingsFile();
    if (ini.ReadBool("View", "fullsize", false)) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        int top = ini.ReadInteger("View", "top", 130);
        int left = ini.ReadInteger("View", "left", 149);
        int height = ini.ReadInteger("View", "height", 398);
        int width = ini.ReadInteger("View", "width", 609);
        move(left, top);
        resize(width, height);
    }
    // Hints stay up for 10 s: every hint-carrying control of this window sets its own
    // duration as it is created.
    mncStatusPanel[5]->setText("Kwerdel RQ ver 4.0 alpha      ");
    ivcKrqProposal->LoadItemListFromFile();
    ivcKrqAutoCorrect->LoadItemsFromFile();
    loadRecentFiles();
    AutoMark = ini.ReadBool("Edit", "automark", true);
    mncStatusBar->setVisible(ini.ReadBool("View", "statusbar", true));
    bool toolbar = ini.ReadBool("View", "toolbar", true);
    mncToolBar->setVisible(toolbar);
    mncCoolBar->setVisible(toolbar);
    mncKrqEdit->SetGutterVisible(ini.ReadBool("View", "gutter", true));
    const bool wordWrap = ini.ReadBool("View", "wordwrap", false);
    mncKrqEdit->SetWordWrap(wordWrap);
    btnWordWrap->setChecked(wordWrap);
    prcSetEditFont(
        QString::fromStdString(cp1250::toUtf8(ini.ReadString("View", "font-type", "FixedSys"))),
        ini.ReadInteger("View", "font-size", 9), ini.ReadInteger("View", "font-style", 0));
    mncKrqEdit->SetColor(ColorFromValue(ini.ReadInteger("Colors", "1", 0xFFFFFF)));
    mncKrqEdit->SetFontColor(ColorFromValue(ini.ReadInteger("Colors", "2", 0)));
    mncKrqEdit->SetSelectedColor(
        ColorFromValue(ini.ReadInteger("Colors", "3", 0xFFFFFF)),
        ColorFromValue(ini.ReadInteger("Colors", "4", static_cast<int>(0x80000001u))));
    mncKrqEdit->SetGutterColor(ColorFromValue(ini.ReadInteger("Colors", "5", 0xEC8F68)));
    TKrqEditModel& model = mncKrqEdit->Model();
    TKrqEditorOptions options = model.Options();
    auto setOption = [&options](TKrqEditorOption option, bool on) {
        options = on ? (options | option) : (options & ~static_cast<TKrqEditorOptions>(option));
    };
    setOption(eoTrimTrailingSpaces, ini.ReadBool("Edit", "delspaces", true));
    model.SetOptions(options);
    mncKrqEdit->SetPopupMenu(ini.ReadBool("Edit", "nopopup", false) ? nullptr : mncPopUpMenu);
    options = model.Options();
    setOption(eoAutoIndent, ini.ReadBool("Edit", "indent", true));
    model.SetOptions(options);
    ivcKrqProposal->SetEditor(ini.ReadBool("Edit", "proposal", true) ? &model : nullptr);
    ivcKrqAutoCorrect->SetEditor(ini.ReadBool("Edit", "correct", true) ? &model : nullptr);
    prcSetXPStyle(ini.ReadBool("View", "xpstyle", true));
    prcSetGlyphSet(ini.ReadInteger("View", "toolbar_style", 0));
    QString filter = QString::fromUtf8(FileDialogFilter());
    dlgFileOpen.Filter = filter;
    dlgFileOpen_Additional.Filter = filter;
    dlgFileSave.Filter = filter;
    handleCommandLine();
}

void TfrmMain::handleCommandLine() {
    if (params_.isEmpty() || params_.front().isEmpty()) {
        prcFileNew();
        return;
    }
    // A path with blanks passed without quotes arrives in pieces; they are put together again.
    QString name = params_.front();
    for (qsizetype i = 1; i < params_.size() && !params_[i].isEmpty(); ++i)
        name += ' ' + params_[i];
    try {
        prcFileOpen(name);
    } catch (...) {
        // The window still needs a document to show: an empty untitled one, as after New.
        prcFileNew();
        throw;
    }
}

// --- Closing -----------------------------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool end = false;
    RunCommand([&] { end = FormCloseQuery(); });
    if (end) {
        event->accept();
        QCoreApplication::quit();
    } else {
        event->ignore();
    }
}

bool TfrmMain::FormCloseQuery() {
    TKrqEditModel& model = mncKrqEdit->Model();
    if (model.Modified()) {
        if (!prcSaveChanges(true)) return false;
        model.SetModified(false);
    }
    // A settings file that cannot be written must not keep the user from quitting: the
    // failure is reported and the program ends all the same.
    try {
        writeGeometry();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
    terminationRequested_ = true;
    return true;
}

void TfrmMain::writeGeometry() {
    TIniFile ini = SettingsFile();
    if (isMaximized()) {
        ini.WriteBool("View", "fullsize", true);
        return;
    }
    ini.WriteBool("View", "fullsize", false);
    ini.WriteInteger("View", "top", y());
    ini.WriteInteger("View", "left", x());
    ini.WriteInteger("View", "height", height());
    ini.WriteInteger("View", "width", width());
}

}  // namespace krq
