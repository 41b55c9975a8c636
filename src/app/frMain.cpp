// The main window's construction: actions, menus, toolbar, status bar and the error report.
#include "app/frMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "convert/TKrqConvertCommands.h"
#include "convert/frMultiCnv.h"
#include "editing/TEditingCommands.h"
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionList.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "editor/companions/TKrqEditCompanions.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/errors.h"
#include "platform/files/settingsfile.h"
#include "platform/fsname.h"
#include "platform/programdir.h"
#include "update/frUpdate.h"

namespace krq {

namespace {

// Hints stay up for ten seconds instead of the usual few.
constexpr int kHintMs = 10000;

// A toolbar button whose pressed state only the program sets: a click reports the state it
// had before, which the word-wrap command reads.
class TPressButton : public QToolButton {
  public:
    using QToolButton::QToolButton;

  protected:
    void nextCheckState() override {}
};

}  // namespace

TfrmMain::TfrmMain(QStringList params, QWidget* parent)
    : QMainWindow(parent), params_(std::move(params)) {
    setObjectName("frmMain");
    setWindowTitle(applicationTitle_);
    setWindowIcon(QIcon(QStringLiteral(":/icons/pl.kwerdel.KwerdelRQ.svg")));
    // The window's font is "MS Sans Serif" 8 pt; without it the desktop's UI font at 8 pt keeps
    // the fixed panel widths of the status bar readable.
    QFont windowFont = QFontDatabase::hasFamily("MS Sans Serif")
                           ? QFont("MS Sans Serif")
                           : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    windowFont.setPointSize(8);
    setFont(windowFont);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mncCoolBar = new QWidget(central);
    mncCoolBar->setObjectName("mncCoolBar");
    mncCoolBar->setMinimumHeight(28);
    auto* band = new QHBoxLayout(mncCoolBar);
    band->setContentsMargins(0, 0, 0, 0);
    mncToolBar = new QToolBar(mncCoolBar);
    mncToolBar->setObjectName("mncToolBar");
    mncToolBar->setIconSize(QSize(16, 16));
    mncToolBar->setMovable(false);
    mncToolBar->setFloatable(false);
    band->addWidget(mncToolBar);
    mncKrqEdit = new TKrqEdit(central);
    mncKrqEdit->setObjectName("mncKrqEdit");
    mncKrqEdit->SetGuard([this](const std::function<void()>& handler) { RunCommand(handler); });
    companions_ = std::make_unique<TKrqEditCompanions>(mncKrqEdit);
    ivcKrqProposal = &companions_->Proposal();
    ivcKrqAutoCorrect = &companions_->AutoCorrect();
    convertCommands = std::make_unique<TKrqConvertCommands>(mncKrqEdit->Model());
    layout->addWidget(mncCoolBar);
    layout->addWidget(mncKrqEdit, 1);
    setCentralWidget(central);

    TEditingHost editing;
    editing.Editor = mncKrqEdit;
    editing.Owner = this;
    editing.AddTextDialog = &dlgFileOpen_Additional;
    editing.ApplicationTitle = [this] { return applicationTitle_; };
    editing.Run = [this](const std::function<void()>& command) { RunCommand(command); };
    editing.SetPasteShortcut = [this](bool on) { SetPasteShortcut(on); };
    editCommands = std::make_unique<TEditingCommands>(std::move(editing));

    dlgFileOpen.Title = QString::fromUtf8("Otwórz");
    dlgFileOpen_Additional.Title = QString::fromUtf8("Otwórz");
    dlgFileSave.Title = QString::fromUtf8("Zapisz jako");
    dlgFileSave.DefaultExt = "txt";

    CreateActions();
    CreateMenus();
    CreateContextMenu();
    LoadGlyphSets();
    CreateToolBar();
    CreateStatusBar();

    connect(mncKrqEdit, &TKrqEdit::Changed, this,
            [this] { RunCommand([this] { mncKrqEditChange(); }); });
    connect(mncKrqEdit, &TKrqEdit::StatusChanged, this,
            [this](TStatusChanges) { RunCommand([this] { mncKrqEditStatusChange(); }); });
    connect(mncKrqEdit, &TKrqEdit::DropFiles, this, [this](int x, int y, const QStringList& files) {
        RunCommand([&] { mncKrqEditDropFiles(x, y, files); });
    });

    // A failing start-up step ends the sequence there; the window is shown all the same.
    RunCommand([this] { FormCreate(); });
    mncKrqEdit->setFocus();
}

// The companions detach from the editing model before the widget holding it goes.
TfrmMain::~TfrmMain() {
    ivcKrqProposal = nullptr;
    ivcKrqAutoCorrect = nullptr;
    companions_.reset();
}

bool TfrmMain::Modified() const { return mncKrqEdit->Model().Modified(); }

// --- Actions -----------------------------------------------------------------------------------

QAction* TfrmMain::NewAction(const char* name, THandler handler) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    if (handler)
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
}

QAction* TfrmMain::ctx(const char* name) const { return findChild<QAction*>(name); }

void TfrmMain::CreateActions() {
    // File
    NewAction("ctxFileNew", &TfrmMain::ctxFileNewExecute);
    NewAction("ctxFileOpen", &TfrmMain::ctxFileOpenExecute);
    NewAction("ctxFileSave", &TfrmMain::ctxFileSaveExecute);
    NewAction("ctxFileSaveAs", &TfrmMain::ctxFileSaveAsExecute);
    NewAction("ctxFileSaveCopy", &TfrmMain::ctxFileSaveCopyExecute);
    NewAction("ctxFilePrint", &TfrmMain::ctxFilePrintExecute);
    NewAction("ctxFileSendMail", &TfrmMain::ctxFileSendMailExecute);
    // Edit
    NewAction("ctxEditUndo", &TfrmMain::ctxEditUndoExecute);
    NewAction("ctxEditRedo", &TfrmMain::ctxEditRedoExecute);
    NewAction("ctxEditCut", &TfrmMain::ctxEditCutExecute);
    NewAction("ctxEditCopy", &TfrmMain::ctxEditCopyExecute);
    NewAction("ctxEditPaste", &TfrmMain::ctxEditPasteExecute);
    NewAction("ctxEditPasteExtraText", &TfrmMain::ctxEditPasteExtraTextExecute);
    NewAction("ctxEditDelete", &TfrmMain::ctxEditDeleteExecute);
    NewAction("ctxEditSelectAll", &TfrmMain::ctxEditSelectAllExecute);
    NewAction("ctxEditFind", &TfrmMain::ctxEditFindExecute);
    NewAction("ctxEditReplace", &TfrmMain::ctxEditReplaceExecute);
    // Form: each opening creates its window anew.
    NewAction("ctxFormAbout", &TfrmMain::ctxFormAboutExecute);
    NewAction("ctxFormOptions", &TfrmMain::ctxFormOptionsExecute);
    NewAction("ctxFormMultiCnv", &TfrmMain::ctxFormMultiCnvExecute);
    NewAction("ctxFormUpdate", &TfrmMain::ctxFormUpdateExecute);
    NewAction("ctxFormEncions", &TfrmMain::ctxFormEncionsExecute);
    NewAction("ctxFormClpShow", &TfrmMain::ctxFormClpShowExecute);
    NewAction("ctxFormExTxShow", &TfrmMain::ctxFormExTxShowExecute);
    // Add
    NewAction("ctxAddText", &TfrmMain::ctxAddTextExecute);
    NewAction("ctxAddHTMLColor", &TfrmMain::ctxAddHTMLColorExecute);
    NewAction("ctxAddDate", &TfrmMain::ctxAddDateExecute);
    NewAction("ctxAddHour", &TfrmMain::ctxAddHourExecute);
    // The conversion and highlighter items pass themselves to their shared handlers.
    NewAction("ctxConvert", nullptr);
    NewAction("ctxMark", nullptr);
}

void TfrmMain::BindShortcut(QAction* item, const QKeySequence& shortcut, THandler opening) {
    // The window's shortcut runs the menu's opening handler first and acts only when the item
    // is then enabled, as if the menu had been opened. The item only shows the keys: a second
    // registration of the same keys on the item would make them ambiguous whenever the menu
    // bar keeps the focus after a menu was left with Esc.
    item->setText(item->text() + '\t' + shortcut.toString(QKeySequence::NativeText));
    auto* key = new QShortcut(shortcut, this);
    key->setObjectName(QStringLiteral("key_") + item->objectName());
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, [this, item, opening] {
        RunCommand([this, item, opening] {
            if (opening) (this->*opening)();
            if (item->isEnabled() && item->isVisible()) item->trigger();
        });
    });
}

QAction* TfrmMain::AddItem(QMenu* menu, const char* name, const QString& caption,
                           const char* action, const QKeySequence& shortcut, THandler opening) {
    auto* item = new QAction(caption, this);
    item->setObjectName(name);
    menu->addAction(item);
    QAction* target = ctx(action);
    connect(item, &QAction::triggered, target, [target] { target->trigger(); });
    item->setEnabled(target->isEnabled());  // an item of a command not built yet is disabled
    if (!shortcut.isEmpty()) BindShortcut(item, shortcut, opening);
    return item;
}

QAction* TfrmMain::AddHandlerItem(QMenu* menu, const char* name, const QString& caption,
                                  THandler handler) {
    auto* item = new QAction(caption, this);
    item->setObjectName(name);
    menu->addAction(item);
    connect(item, &QAction::triggered, this, [this, item, handler](bool checked) {
        // A ticked item's command decides the tick itself from the tick it found.
        if (item->isCheckable()) item->setChecked(!checked);
        RunCommand([this, handler] { (this->*handler)(); });
    });
    return item;
}

// --- Menus -------------------------------------------------------------------------------------

void TfrmMain::CreateMenus() {
    menuBar()->setObjectName("mncMainMenu");
    CreateFileMenu();
    CreateEditMenu();
    CreateConvertMenu();
    CreateOptionsMenu();
    CreateViewMenu();
    CreateHelpMenu();
}

static QMenu* NewMenu(QWidget* owner, QMenu* parentMenu, QMenuBar* bar, const char* name,
                      const QString& caption) {
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(QString(name) + "Item");
    if (parentMenu) parentMenu->addMenu(menu);
    if (bar) bar->addMenu(menu);
    return menu;
}

void TfrmMain::CreateFileMenu() {
    mnsFile = NewMenu(this, nullptr, menuBar(), "mnsFile", "Plik");
    connect(mnsFile, &QMenu::aboutToShow, this, [this] { RunCommand([this] { mnsFileClick(); }); });
    const THandler open = &TfrmMain::mnsFileClick;
    mnsFileNew = AddItem(mnsFile, "mnsFileNew", "Nowy", "ctxFileNew", QKeySequence("Ctrl+N"), open);
    mnsFileOpen = AddItem(mnsFile, "mnsFileOpen", QString::fromUtf8("Otwórz"), "ctxFileOpen",
                          QKeySequence("Ctrl+O"), open);
    mnsFileLastOpen = NewMenu(this, mnsFile, nullptr, "mnsFileLastOpen", "Ostatnio otwarte...");
    mnsFileLastOpen->setToolTipsVisible(true);
    mnsFileLastOpen->menuAction()->setEnabled(false);
    mnsFileSave =
        AddItem(mnsFile, "mnsFileSave", "Zapisz", "ctxFileSave", QKeySequence("Ctrl+S"), open);
    mnsFileSaveAs = AddItem(mnsFile, "mnsFileSaveAs", "Zapisz jako", "ctxFileSaveAs");
    mnsFile->addSeparator();
    mnsFileSaveCopy =
        AddItem(mnsFile, "mnsFileSaveCopy", QString::fromUtf8("Zapisz kopię"), "ctxFileSaveCopy");
    CreateEncodingMenu(mnsFile);
    mnsSendMail = AddItem(mnsFile, "mnsSendMail", QString::fromUtf8("Wyślij pocztą e-mail"),
                          "ctxFileSendMail");
    mnsFilePrint =
        AddItem(mnsFile, "mnsFilePrint", "Drukuj", "ctxFilePrint", QKeySequence("Ctrl+P"), open);
    mnsFile->addSeparator();
    // "Zakończ" asks the window to close, so the same close sequence runs as for the close box.
    mnsFileEnd = new QAction(QString::fromUtf8("Zakończ"), this);
    mnsFileEnd->setObjectName("mnsFileEnd");
    mnsFile->addAction(mnsFileEnd);
    connect(mnsFileEnd, &QAction::triggered, this, [this] { close(); });
}

void TfrmMain::CreateEditMenu() {
    mnsEdit = NewMenu(this, nullptr, menuBar(), "mnsEdit", "Edycja");
    connect(mnsEdit, &QMenu::aboutToShow, this, [this] { RunCommand([this] { mnsEditClick(); }); });
    const THandler open = &TfrmMain::mnsEditClick;
    mnsEditUndo =
        AddItem(mnsEdit, "mnsEditUndo", "Cofnij", "ctxEditUndo", QKeySequence("Ctrl+Z"), open);
    mnsEditRedo = AddItem(mnsEdit, "mnsEditRedo", QString::fromUtf8("Ponów"), "ctxEditRedo",
                          QKeySequence("Shift+Ctrl+Z"), open);
    mnsEdit->addSeparator();
    mnsEditCut =
        AddItem(mnsEdit, "mnsEditCut", "Wytnij", "ctxEditCut", QKeySequence("Ctrl+X"), open);
    mnsEditCopy =
        AddItem(mnsEdit, "mnsEditCopy", "Kopiuj", "ctxEditCopy", QKeySequence("Ctrl+C"), open);
    mnsEditPaste =
        AddItem(mnsEdit, "mnsEditPaste", "Wklej", "ctxEditPaste", QKeySequence("Ctrl+V"), open);
    mnsEditPasteExtraText = AddItem(mnsEdit, "mnsEditPasteExtraText", "Wklej tekst pomocniczy",
                                    "ctxEditPasteExtraText", QKeySequence("Ctrl+B"), open);
    mnsEditDelete = AddItem(mnsEdit, "mnsEditDelete", QString::fromUtf8("Usuń"), "ctxEditDelete");
    mnsEdit->addSeparator();
    mnsEditFind = AddItem(mnsEdit, "mnsEditFind", QString::fromUtf8("Znajdź"), "ctxEditFind",
                          QKeySequence("Ctrl+F"), open);
    mnsEditReplace = AddItem(mnsEdit, "mnsEditReplace", QString::fromUtf8("Zamień"),
                             "ctxEditReplace", QKeySequence("Ctrl+H"), open);
    mnsEdit->addSeparator();
    mnsEditSelectAll = AddItem(mnsEdit, "mnsEditSelectAll", "Zaznacz wszystko", "ctxEditSelectAll",
                               QKeySequence("Ctrl+A"), open);
}

void TfrmMain::ctxConvertExecute(QAction* sender) {
    prcConvert(static_cast<unsigned>(sender->property("Tag").toInt()));
}

void TfrmMain::prcConvert(unsigned code) { convertCommands->Convert(code); }

void TfrmMain::CreateConvertMenu() {
    mnsConvert = NewMenu(this, nullptr, menuBar(), "mnsConvert", "Konwersja");
    auto convert = [this](QMenu* menu, const char* name, const char* caption, int code,
                          const char* key = nullptr) {
        auto* item = new QAction(QString::fromUtf8(caption), this);
        item->setObjectName(name);
        item->setData(code);
        item->setProperty("Tag", code);
        menu->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, item] { RunCommand([this, item] { ctxConvertExecute(item); }); });
        if (key) BindShortcut(item, QKeySequence(key), nullptr);
    };
    QMenu* size = NewMenu(this, mnsConvert, nullptr, "mnsConvertCharSize", "Wielkość znaków");
    convert(size, "mnsConvertCharSizeLittleChar", "Wszystko z małej litery", 4, "F7");
    convert(size, "mnsConvertCharSizeBigChar", "Wszystko z wielkiej litery", 5, "F8");
    convert(size, "mnsConvertCharSizeFirstBig", "Pierwsza litera w wyrazie wielka", 6);
    size->addSeparator();
    convert(size, "mnsConvertCharSizeInverse", "Odwrotna wielkość znaków", 7);
    convert(size, "mnsConvertCharSizeAlternate", "Przemienna wielkość znaków", 8);
    QMenu* fix = NewMenu(this, mnsConvert, nullptr, "mnsConvertFix", "Poprawianie");
    convert(fix, "mnsConvertFixDelSpaces", "Usuń niepotrzebne spacje", 9);
    convert(fix, "mnsConvertFixDelLines", "Usuń puste linie", 10);
    convert(fix, "mnsConvertFixDelNumbers", "Usuń cyfry", 11);
    convert(fix, "mnsConvertFixDelLetters", "Usuń litery", 12);
    convert(fix, "mnsConvertFixDelLittleLetters", "Usuń małe litery", 13);
    convert(fix, "mnsConvertFixDelBigLetters", "Usuń wielkie litery", 14);
    convert(fix, "mnsConvertFixDelCharPoints", "Usuń znaki interpunkcji", 15);
    convert(fix, "mnsConvertFixDelHTML", "Usuń tagi HTML", 16);
    fix->addSeparator();
    convert(fix, "mnsConvertFixTtoE", "Konwertuj na znaki encji", 17);
    convert(fix, "mnsConvertFixEtoT", "Konwertuj ze znaków encji", 18);
    mnsConvert->addSeparator();
    convert(mnsConvert, "mnsConvertISOCode", "Kodowanie ISO-8859-2", 1, "F11");
    convert(mnsConvert, "mnsConvertWinCode", "Kodowanie Windows-1250", 2, "F12");
    convert(mnsConvert, "mnsConvertPolFix", "Usuwanie \"ogonków\"", 3);
    mnsConvert->addSeparator();
    QMenu* add = NewMenu(this, mnsConvert, nullptr, "mnsConvertAdd", "Wstaw");
    AddItem(add, "mnsConvertAddText", "Tekst z pliku", "ctxAddText");
    AddItem(add, "mnsConvertAddHTMLColor", "Kolor HTML", "ctxAddHTMLColor");
    AddItem(add, "mnsConvertAddEncion", "Znak encji", "ctxFormEncions");
    AddItem(add, "mnsConvertAddDate", QString::fromUtf8("Datę"), "ctxAddDate");
    AddItem(add, "mnsConvertAddHour", QString::fromUtf8("Godzinę"), "ctxAddHour");
    QMenu* coders = NewMenu(this, mnsConvert, nullptr, "mnsConvertCoders", "Kodery");
    convert(coders, "mnsConvertCodersRot13", "ROT - 13", 19, "F9");
    mnsConvert->addSeparator();
    AddItem(mnsConvert, "mnsConvertMultiCnv", "Multi - konwersje", "ctxFormMultiCnv");
}

void TfrmMain::CreateOptionsMenu() {
    mnsOptions = NewMenu(this, nullptr, menuBar(), "mnsOptions", "Opcje");
    AddItem(mnsOptions, "mnsOptionsProperty", "Ustawienia", "ctxFormOptions");
    mnsOptionsMarkers = NewMenu(this, mnsOptions, nullptr, "mnsOptionsMarkers", "Kolorowanie");
    markerGroup = new QActionGroup(this);
    markerGroup->setExclusive(true);
    auto marker = [this](const char* name, const QString& caption) {
        auto* item = new QAction(caption, this);
        item->setObjectName(name);
        item->setCheckable(true);
        markerGroup->addAction(item);
        mnsOptionsMarkers->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, item] { RunCommand([this, item] { ctxMarkExecute(item); }); });
    };
    marker("mnsOptionsMarkersNone", "Brak kolorowania");
    mnsOptionsMarkers->addSeparator();
    // The menu lists the languages in its own order, not the catalogue's.
    static const char* const kMenuOrder[][2] = {
        {"mnsOptionsMarkersHtml", "Dokument HTML"},
        {"mnsOptionsMarkersCss", "Kaskadowe arkusze styli"},
        {"mnsOptionsMarkersPhp", "PHP"},
        {"mnsOptionsMarkersJs", "JavaScript"},
        {"mnsOptionsMarkersJava", "Java"},
        {"mnsOptionsMarkersPas", "Pascal / Object Pascal"},
        {"mnsOptionsMarkersCpp", "C++"},
        {"mnsOptionsMarkersVb", "Visual Basic"},
        {"mnsOptionsMarkersFrt", "Fortran"},
        {"mnsOptionsMarkersMvbs", "Microsoft VBScript"},
        {"mnsOptionsMarkersBat", "Język wsadowy MS-DOS"},
        {"mnsOptionsMarkersPerl", "Perl"},
        {"mnsOptionsMarkersSql", "SQL"},
        {"mnsOptionsMarkersAsm", "Assembler x86"},
        {"mnsOptionsMarkersIni", "Plik INI"},
        {"mnsOptionsMarkersInno", "Inno Setup"},
        {"mnsOptionsMarkersXml", "XML"},
    };
    for (const auto& entry : kMenuOrder) marker(entry[0], QString::fromUtf8(entry[1]));
    mnsOptions->addSeparator();
    AddItem(mnsOptions, "mnsOptionsClpShow", QString::fromUtf8("Podgląd schowka"),
            "ctxFormClpShow");
    AddItem(mnsOptions, "mnsOptionsExtraTextShow", "Tekst pomocniczy", "ctxFormExTxShow");
}

void TfrmMain::CreateViewMenu() {
    mnsView = NewMenu(this, nullptr, menuBar(), "mnsView", "Widok");
    connect(mnsView, &QMenu::aboutToShow, this, [this] { RunCommand([this] { mnsViewClick(); }); });
    auto toggle = [this](const char* name, const char* caption, THandler handler) {
        QAction* item = AddHandlerItem(mnsView, name, QString::fromUtf8(caption), handler);
        item->setCheckable(true);
        return item;
    };
    mnsViewStatusBar =
        toggle("mnsViewStatusBar", "Pasek statusu", &TfrmMain::mnsViewStatusBarClick);
    mnsViewToolBar = toggle("mnsViewToolBar", "Pasek narzędzi", &TfrmMain::mnsViewToolBarClick);
    mnsViewGutter = toggle("mnsViewGutter", "Numeracja linii", &TfrmMain::mnsViewGutterClick);
    mnsViewBlock =
        toggle("mnsViewBlock", "Blokowe zaznaczanie tekstu", &TfrmMain::mnsViewBlockClick);
    mnsView->addSeparator();
    mnsViewWordWrap =
        toggle("mnsViewWordWrap", "Zawijanie wierszy", &TfrmMain::mnsViewWordWrapClick);
    mnsView->addSeparator();
    mnsViewFont = AddHandlerItem(mnsView, "mnsViewFont", "Czcionka", &TfrmMain::mnsViewFontClick);
}

void TfrmMain::CreateHelpMenu() {
    mnsHelp = NewMenu(this, nullptr, menuBar(), "mnsHelp", "Pomoc");
    mnsHelpReadme =
        AddHandlerItem(mnsHelp, "mnsHelpReadme", "Readme", &TfrmMain::mnsHelpReadmeClick);
    mnsHelpSite =
        AddHandlerItem(mnsHelp, "mnsHelpSite", "Oficjalna strona KRQ", &TfrmMain::mnsHelpSiteClick);
    mnsHelpSubscribe = AddHandlerItem(mnsHelp, "mnsHelpSubscribe", "Subskrypcja",
                                      &TfrmMain::mnsHelpSubscribeClick);
    mnsHelpUpdate = AddItem(mnsHelp, "mnsHelpUpdate", "Aktualizacja on-line", "ctxFormUpdate");
    // Hidden unless a distributor runs an update server and says so in the settings.
    mnsHelpUpdate->setVisible(SettingsFile().ReadBool("Update", "menu", false));
    mnsHelp->addSeparator();
    mnHelpInfo = AddItem(mnsHelp, "mnHelpInfo", "Kwerdel RQ - informacje", "ctxFormAbout");
}

void TfrmMain::CreateContextMenu() {
    mncPopUpMenu = new QMenu(this);
    mncPopUpMenu->setObjectName("mncPopUpMenu");
    auto item = [this](const char* name, const char* caption, const char* action, const char* key) {
        auto* pms = new QAction(QString::fromUtf8(caption), this);
        pms->setObjectName(name);
        // Shown only: the keys are the window's shortcuts of the Edit menu.
        if (key)
            pms->setText(pms->text() + '\t' + QKeySequence(key).toString(QKeySequence::NativeText));
        mncPopUpMenu->addAction(pms);
        QAction* target = ctx(action);
        connect(pms, &QAction::triggered, target, [target] { target->trigger(); });
    };
    item("pmsEditUndo", "Cofnij", "ctxEditUndo", "Ctrl+Z");
    item("pmsEditRedo", "Ponów", "ctxEditRedo", "Shift+Ctrl+Z");
    mncPopUpMenu->addSeparator();
    item("pmsEditCut", "Wytnij", "ctxEditCut", "Ctrl+X");
    item("pmsEditCopy", "Kopiuj", "ctxEditCopy", "Ctrl+C");
    item("pmsEditPaste", "Wklej", "ctxEditPaste", "Ctrl+V");
    item("pmsEditPasteExtraText", "Wklej tekst pomocniczy", "ctxEditPasteExtraText", "Ctrl+B");
    item("pmsEditDelete", "Usuń", "ctxEditDelete", nullptr);
    mncPopUpMenu->addSeparator();
    item("pmsEditSelectAll", "Zaznacz wszystko", "ctxEditSelectAll", "Ctrl+A");
}

// --- Toolbar and status bar ------------------------------------------------------------------

QToolButton* TfrmMain::AddButton(const char* name, int image, const QString& hint,
                                 const char* action) {
    QToolButton* button = image == 13 ? new TPressButton(mncToolBar) : new QToolButton(mncToolBar);
    button->setObjectName(name);
    button->setProperty("ImageIndex", image);
    button->setToolTip(hint);
    button->setToolTipDuration(kHintMs);
    button->setAutoRaise(true);
    button->setFixedHeight(25);
    button->setMinimumWidth(23);
    button->setIconSize(QSize(16, 16));
    mncToolBar->addWidget(button);
    if (action) {
        QAction* target = ctx(action);
        connect(button, &QToolButton::clicked, target, [target] { target->trigger(); });
        button->setEnabled(target->isEnabled());
    }
    return button;
}

void TfrmMain::CreateToolBar() {
    auto separator = [this] {
        auto* gap = new QWidget(mncToolBar);
        gap->setFixedWidth(8);
        mncToolBar->addWidget(gap);
    };
    btnFileNew = AddButton("btnFileNew", 0, "Nowy plik (Ctrl+N)", "ctxFileNew");
    btnFileOpen =
        AddButton("btnFileOpen", 1, QString::fromUtf8("Otwórz plik (Ctrl+O)"), "ctxFileOpen");
    btnFileSave = AddButton("btnFileSave", 2, "Zapisz / Zapisz jako", nullptr);
    connect(btnFileSave, &QToolButton::clicked, this,
            [this] { RunCommand([this] { btnFileSaveClick(); }); });
    separator();
    btnEditUndo = AddButton("btnEditUndo", 3, "Cofnij (Ctrl+Z)", "ctxEditUndo");
    btnEditRedo =
        AddButton("btnEditRedo", 4, QString::fromUtf8("Ponów (Shift+Ctrl+Z)"), "ctxEditRedo");
    separator();
    btnEditCut = AddButton("btnEditCut", 5, "Wytnij (Ctrl+X)", "ctxEditCut");
    btnEditCopy = AddButton("btnEditCopy", 6, "Kopiuj (Ctrl+C)", "ctxEditCopy");
    btnEditPaste = AddButton("btnEditPaste", 7, "Wklej (Ctrl+V)", "ctxEditPaste");
    btnEditPasteExtraText = AddButton("btnEditPasteExtraText", 8, "Wklej tekst pomocniczy (Ctrl+B)",
                                      "ctxEditPasteExtraText");
    btnEditDelete = AddButton("btnEditDelete", 9, QString::fromUtf8("Usuń (Del)"), "ctxEditDelete");
    separator();
    btnFilePrint = AddButton("btnFilePrint", 10, "Drukuj (Ctrl+P)", "ctxFilePrint");
    separator();
    btnEditFind = AddButton("btnEditFind", 11, QString::fromUtf8("Znajdź (Ctrl+F)"), "ctxEditFind");
    btnEditReplace =
        AddButton("btnEditReplace", 12, QString::fromUtf8("Zamień (Ctrl+H)"), "ctxEditReplace");
    separator();
    btnWordWrap = AddButton("btnWordWrap", 13, "Zawijanie wierszy", nullptr);
    btnWordWrap->setCheckable(true);
    connect(btnWordWrap, &QToolButton::clicked, this,
            [this] { RunCommand([this] { btnWordWrapClick(); }); });
}

void TfrmMain::CreateStatusBar() {
    mncStatusBar = new QStatusBar(this);
    mncStatusBar->setObjectName("mncStatusBar");
    mncStatusBar->setFixedHeight(19);
    mncStatusBar->setSizeGripEnabled(false);
    static const int kWidths[7] = {150, 45, 100, 60, 60, 50, 1};
    static const bool kLowered[7] = {true, false, false, true, true, false, false};
    for (int i = 0; i < 7; ++i) {
        auto* panel = new QLabel(mncStatusBar);
        panel->setObjectName(QStringLiteral("mncStatusPanel%1").arg(i));
        panel->setFrameStyle(kLowered[i] ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        panel->setAlignment(Qt::AlignVCenter | (i == 5 ? Qt::AlignRight : Qt::AlignLeft));
        // The declared widths are minimums: a panel widens to show its whole text ("X:2097152",
        // "104857616 bajtów."). The last panel takes the rest of the bar.
        panel->setMinimumWidth(kWidths[i]);
        if (i == 5) panel->setLayoutDirection(Qt::LeftToRight);
        // The encoding panel gives way first when the window is too narrow for all seven.
        if (i == 6) panel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
        mncStatusBar->addWidget(panel, i == 5 ? 1 : 0);
        mncStatusPanel[i] = panel;
    }
    mncStatusPanel[1]->setText("Rozmiar:");
    mncStatusPanel[6]->setText(EncodingName(docEncoding_));
    setStatusBar(mncStatusBar);
}

// --- Error report ------------------------------------------------------------------------------

void TfrmMain::ShowError(const std::string& message) {
    QString text = QString::fromUtf8(message);
    // A message that already ends in a full stop, or in a character below it, gets none.
    if (message.empty() || static_cast<unsigned char>(message.back()) > '.') text += '.';
    Dialogs().Message(this, applicationTitle_, text, TMsgButtons::OK, TMsgIcon::Stop);
}

void TfrmMain::RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

// --- Other windows -----------------------------------------------------------------------------

void TfrmMain::ctxFormMultiCnvExecute() { TfrmMultiCnv::Execute(this, CurrentFileName()); }

void TfrmMain::ctxFormUpdateExecute() { TfrmUpdate::Execute(this, applicationTitle_); }

}  // namespace krq
