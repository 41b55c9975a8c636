// The main window's start-up sequence, its command line and its close sequence.
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/frMain.h"
#include "app/unCommandLine.h"
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "editor/widget/TKrqEdit.h"
#include "lexers/unCatalogue.h"
#include "platform/colors.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "platform/files/settingsfile.h"
#include "platform/programdir.h"

namespace krq {

namespace {

// A geometry stored under another monitor set-up may lie outside every screen or be wider
// than any (32767 px): the window is then brought onto the screen it touches, or the primary
// one, and made to fit it. A geometry that fits is left exactly as stored.
void PlaceOnVisibleScreen(QWidget& window) {
    const QRect frame(window.pos(), window.size());
    QScreen* target = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(frame)) {
            target = screen;
            break;
        }
    const bool offEveryScreen = target == nullptr;
    if (!target) target = QGuiApplication::primaryScreen();
    if (!target) return;
    const QRect area = target->availableGeometry();
    if (!offEveryScreen && frame.width() <= area.width() && frame.height() <= area.height()) return;
    const QSize size(std::clamp(frame.width(), 1, area.width()),
                     std::clamp(frame.height(), 1, area.height()));
    QPoint at = frame.topLeft();
    at.setX(std::clamp(at.x(), area.left(), area.right() + 1 - size.width()));
    at.setY(std::clamp(at.y(), area.top(), area.bottom() + 1 - size.height()));
    window.resize(size);
    window.move(at);
}

}  // namespace

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
        PlaceOnVisibleScreen(*this);
    }
    // Hints stay up for 10 s: every hint-carrying control of this window sets its own
    // duration as it is created.
    mncStatusPanel[5]->setText("Kwerdel RQ ver 4.0 alpha      ");
    ivcKrqProposal->LoadItemListFromFile();
    ivcKrqAutoCorrect->LoadItemsFromFile();
    LoadRecentFiles();
    AutoMark = ini.ReadBool("Edit", "automark", true);
    prcShowStatusBar(ini.ReadBool("View", "statusbar", true));
    prcShowToolBar(ini.ReadBool("View", "toolbar", true));
    prcShowGutter(ini.ReadBool("View", "gutter", true));
    prcSetWordWrap(ini.ReadBool("View", "wordwrap", false));
    prcSetEditFont(
        QString::fromStdString(cp1250::ToUtf8(ini.ReadString("View", "font-type", "FixedSys"))),
        ini.ReadInteger("View", "font-size", 9), ini.ReadInteger("View", "font-style", 0));
    TEditorColors colors;
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = ini.ReadInteger("Colors", std::to_string(i + 1), kEditorColorDefaults[i]);
    prcSetEditColors(colors);
    prcSetTrimSpaces(ini.ReadBool("Edit", "delspaces", true));
    prcBlockPopUp(ini.ReadBool("Edit", "nopopup", false));
    prcSetAutoIndent(ini.ReadBool("Edit", "indent", true));
    prcAttachProposal(ini.ReadBool("Edit", "proposal", true));
    prcAttachAutoCorrect(ini.ReadBool("Edit", "correct", true));
    prcSetXPStyle(ini.ReadBool("View", "xpstyle", true));
    prcSetGlyphSet(ini.ReadInteger("View", "toolbar_style", 0));
    QString filter = QString::fromUtf8(FileDialogFilter());
    dlgFileOpen.Filter = filter;
    dlgFileOpen_Additional.Filter = filter;
    dlgFileSave.Filter = filter;
    HandleCommandLine();
}

namespace {

void SetEditorOption(TKrqEditModel& model, TKrqEditorOption option, bool on) {
    TKrqEditorOptions options = model.Options();
    model.SetOptions(on ? (options | option) : (options & ~static_cast<TKrqEditorOptions>(option)));
}

}  // namespace

void TfrmMain::prcSetTrimSpaces(bool on) {
    SetEditorOption(mncKrqEdit->Model(), eoTrimTrailingSpaces, on);
}

void TfrmMain::prcSetAutoIndent(bool on) { SetEditorOption(mncKrqEdit->Model(), eoAutoIndent, on); }

void TfrmMain::prcBlockPopUp(bool blocked) {
    mncKrqEdit->SetPopupMenu(blocked ? nullptr : mncPopUpMenu);
}

void TfrmMain::prcAttachProposal(bool on) {
    ivcKrqProposal->SetEditor(on ? &mncKrqEdit->Model() : nullptr);
}

void TfrmMain::prcAttachAutoCorrect(bool on) {
    ivcKrqAutoCorrect->SetEditor(on ? &mncKrqEdit->Model() : nullptr);
}

void TfrmMain::prcSetEditColors(const TEditorColors& colors) {
    mncKrqEdit->SetColor(ColorFromValue(colors[0]));
    mncKrqEdit->SetFontColor(ColorFromValue(colors[1]));
    mncKrqEdit->SetSelectedColor(ColorFromValue(colors[2]), ColorFromValue(colors[3]));
    mncKrqEdit->SetGutterColor(ColorFromValue(colors[4]));
}

void TfrmMain::HandleCommandLine() {
    QStringList params = params_;
    const int gotoLine = TakeGotoLine(params);
    if (params.isEmpty() || params.front().isEmpty()) {
        prcFileNew();
        return;
    }
    // A path with blanks passed without quotes arrives in pieces; they are put together again.
    QString name = params.front();
    qsizetype joined = 1;
    for (; joined < params.size() && !params[joined].isEmpty(); ++joined)
        name += ' ' + params[joined];
    // Several files, as a file manager passes a multiple selection: one document is edited at
    // a time, so the first opens and the user is told why the others did not.
    bool several = false;
    if (joined > 1 && !QFileInfo(name).isFile()) {
        several = std::all_of(params.begin(), params.begin() + joined,
                              [](const QString& p) { return QFileInfo(p).isFile(); });
        if (several) name = params.front();
    }
    try {
        prcFileOpen(name);
    } catch (...) {
        // Only a file that could not be read leaves the window without a document: then it
        // shows an empty untitled one, as after New. A later failure (the recent-files list
        // that cannot be stored) must not throw away the text that was read.
        if (Untitled()) prcFileNew();
        throw;
    }
    if (several)
        mncStatusPanel[0]->setText(QString::fromUtf8("Otwarto pierwszy z %1 plików: edytowany "
                                                     "jest jeden dokument naraz")
                                       .arg(joined));
    if (gotoLine > 0) {
        TKrqEditModel& model = mncKrqEdit->Model();
        const int last = std::max(1, model.Lines().Count());
        model.SetCaretXY(TBufferCoord{1, std::min(gotoLine, last)});
        mncKrqEdit->EnsureCaretVisible();
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
        WriteGeometry();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
    terminationRequested_ = true;
    return true;
}

void TfrmMain::WriteGeometry() {
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
