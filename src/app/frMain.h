// The main window: menus, toolbar, status bar and the editing component, with every command.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/TKrqMRUList.h"
#include "editor/print/TKrqEditPrint.h"
#include "platform/dialogs.h"
#include "platform/encoding.h"
#include "settings/unOptionKeys.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace krq {

class TKrqEdit;
class TKrqEditStringList;
class TKrqAutoCorrect;
class TKrqConvertCommands;
class TKrqCompletionProposal;
class TKrqEditCompanions;
class TIniFile;
class TfrmMarkers;
class TEditingCommands;

// The components are public, as the other windows change them directly (options window,
// entity picker, batch conversion).
class TfrmMain : public QMainWindow {
    Q_OBJECT

  public:
    // `params` are the command-line parameters without the program name. Creation runs the
    // start-up sequence, so the window is ready to show when the constructor returns.
    explicit TfrmMain(QStringList params, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // --- Document state --------------------------------------------------------------------
    // The current document name is the open dialog's file name; empty means untitled.
    QString CurrentFileName() const { return dlgFileOpen.FileName; }
    bool Untitled() const { return dlgFileOpen.FileName.isEmpty(); }
    bool Modified() const;
    // The title shown on the window and used as the caption of error and information boxes.
    QString ApplicationTitle() const { return applicationTitle_; }
    // Set by the close sequence when it decided to end the program.
    bool TerminationRequested() const { return terminationRequested_; }
    // Copy of "Edit" / "automark"; the options window sets it too.
    bool AutoMark = true;

    // --- Document commands -----------------------------------------------------------------
    void prcFileNew();
    // `encoding` forces one (Kodowanie > Otwórz ponownie jako); else it is detected.
    void prcFileOpen(const QString& name, std::optional<TDocEncoding> encoding = std::nullopt);
    // False when the dialog was cancelled.
    bool prcFileSaveAs();
    void ctxFileNewExecute();
    void ctxFileOpenExecute();
    void ctxFileSaveExecute();
    void ctxFileSaveAsExecute();
    void ctxFileSaveCopyExecute();
    void ctxFileReopenAsExecute(TDocEncoding encoding);
    void ctxFileSaveAsEncodingExecute(TDocEncoding encoding);
    void btnFileSaveClick();
    void mnsFileClick();
    void mncKrqEditDropFiles(int x, int y, const QStringList& files);
    void ivcMRUManagerClick(const QString& recentName);
    // Runs `next` once a modified text has been saved or given up, as the user answers.
    void prcSaveChangesGuard(const std::function<void()>& next);
    // The one prompt for a modified text: saves it when the user says so; false when the user
    // cancels or gives no name. `freshName` opens the Save As dialog without an earlier name.
    bool prcSaveChanges(bool freshName);

    // --- Title, status and toolbar ----------------------------------------------------------
    void mncKrqEditChange();
    void mncKrqEditStatusChange();
    void prcButtonsStatus();
    void prcSetCaption(const QString& text);
    // The text's length with two-character line breaks, whatever form the file has.
    static size_t TextSize(const TKrqEditStringList& lines);

    // --- View ------------------------------------------------------------------------------
    void mnsViewClick();
    void mnsViewStatusBarClick();
    void mnsViewToolBarClick();
    void mnsViewGutterClick();
    void mnsViewWordWrapClick();
    void mnsViewBlockClick();
    void mnsViewFontClick();
    void btnWordWrapClick();
    // 0 standard, 1 XP, 2 Orbit; any other value takes the images off the buttons.
    void prcSetGlyphSet(int style);
    int GlyphSet() const { return glyphSet_; }
    // Applies "xpstyle": the desktop's own style, or Qt's classic Windows style.
    void prcSetXPStyle(bool on);
    // The editor's font as chosen (name, size in points, style bits), with a monospace
    // fallback when the family is missing.
    void prcSetEditFont(const QString& name, int size, int style);
    // The parts of the window the View menu and the options window switch.
    void prcShowStatusBar(bool on);
    void prcShowToolBar(bool on);
    void prcShowGutter(bool on);
    // Word wrap of the editor, with the toolbar button pressed to match.
    void prcSetWordWrap(bool on);

    // --- Editing options (start-up and the options window) ---------------------------------
    void prcSetTrimSpaces(bool on);
    void prcSetAutoIndent(bool on);
    // Blocked: the editor has no right-click menu; otherwise it shows mncPopUpMenu.
    void prcBlockPopUp(bool blocked);
    void prcAttachProposal(bool on);
    void prcAttachAutoCorrect(bool on);
    // [Colors] 1-5: background, text, selection text, selection background, gutter.
    void prcSetEditColors(const TEditorColors& colors);

    // --- Edit menu ---------------------------------------------------------------------------
    void mnsEditClick();
    void ctxEditUndoExecute();
    void ctxEditRedoExecute();
    void ctxEditCutExecute();
    void ctxEditCopyExecute();
    void ctxEditPasteExecute();
    void ctxEditDeleteExecute();
    void ctxEditSelectAllExecute();
    void ctxEditPasteExtraTextExecute();
    void ctxEditFindExecute();
    void ctxEditReplaceExecute();
    void dlgFindShow();
    void dlgFindClose();
    void dlgFindFind();
    void dlgReplaceShow();
    void dlgReplaceClose();
    void dlgReplaceFind();
    // "Zamień" (false) and "Zamień wszystko" (true) of the replace dialog.
    void dlgReplaceReplace(bool replaceAll);

    // --- Insert commands and the editing helpers' windows -------------------------------------
    void ctxAddTextExecute();
    void ctxAddHTMLColorExecute();
    void ctxAddDateExecute();
    void ctxAddHourExecute();
    void ctxFormEncionsExecute();
    void ctxFormExTxShowExecute();
    void ctxFormClpShowExecute();

    // --- Conversions ---------------------------------------------------------------------------
    void ctxConvertExecute(QAction* sender);
    void prcConvert(unsigned code);

    // --- Highlighters --------------------------------------------------------------------------
    void ctxMarkExecute(QAction* sender);
    // Puts the highlighter of language `name` on the editor with its scheme from marks.ini
    // and ticks its item ("nil" or "Brak kolorowania" take it off); `remember` first stores
    // the choice in [code] mark. A name of no highlighter changes nothing.
    void prcSetMarker(const QString& name, bool remember);
    // The choice that ends New (empty name) and a successful Open or Save as.
    void prcMarkForDocument(const QString& fileName);
    QString CheckedMarker() const;
    // The highlighter holder: the program's one, or, when none was made before the window,
    // one of the window's own.
    TfrmMarkers& Markers();

    // --- Help, mail, print and the other windows ------------------------------------------
    void mnsHelpReadmeClick();
    void mnsHelpSiteClick();
    void mnsHelpSubscribeClick();
    void ctxFileSendMailExecute();
    void ctxFilePrintExecute();
    void ctxFormAboutExecute();

    // --- Other windows ---------------------------------------------------------------------------
    // "Opcje → Ustawienia": a new options window, shown modally.
    void ctxFormOptionsExecute();
    // "Multi - konwersje" and "Aktualizacja on-line": each opening is a new window, modal.
    void ctxFormMultiCnvExecute();
    void ctxFormUpdateExecute();

    // --- Start and end -------------------------------------------------------------------------
    void FormCreate();
    // Returns true when the program is to end (after writing the geometry).
    bool FormCloseQuery();
    // The standard error report: the message with a full stop, in a stop box.
    void ShowError(const std::string& message);
    // Runs a command, reporting any failure as the standard error report.
    void RunCommand(const std::function<void()>& command);

    // --- Components ------------------------------------------------------------------------------
    TKrqEdit* mncKrqEdit = nullptr;
    QWidget* mncCoolBar = nullptr;
    QToolBar* mncToolBar = nullptr;
    QStatusBar* mncStatusBar = nullptr;
    // The six panels, then the document's encoding.
    QLabel* mncStatusPanel[7] = {};
    QMenu* mncPopUpMenu = nullptr;
    // The typing companions and the completion list window; the two pointers reach into it.
    std::unique_ptr<TKrqEditCompanions> companions_;
    TKrqCompletionProposal* ivcKrqProposal = nullptr;
    TKrqAutoCorrect* ivcKrqAutoCorrect = nullptr;
    TKrqEditPrint ivcKrqEditPrint;
    TKrqMRUList ivcMRUManager;
    // The subsystems' commands, made with the editor; the handlers above forward to them.
    std::unique_ptr<TKrqConvertCommands> convertCommands;
    // The edit, search and insert commands, with the find and replace dialogs.
    std::unique_ptr<TEditingCommands> editCommands;

    TFileDialogState dlgFileOpen;
    TFileDialogState dlgFileOpen_Additional;
    TFileDialogState dlgFileSave;
    QFont dlgFont;

    // Glyph sets: 14 images each, enabled and disabled.
    QList<QPixmap> ivcGlyphStandardActive, ivcGlyphStandardUnActive;
    QList<QPixmap> ivcGlyphXPActive, ivcGlyphXPUnActive;
    QList<QPixmap> ivcGlyphOrbitActive, ivcGlyphOrbitUnActive;

    // Menus and their items (object names as listed in the menu tables).
    QMenu *mnsFile = nullptr, *mnsEdit = nullptr, *mnsConvert = nullptr, *mnsOptions = nullptr,
          *mnsView = nullptr, *mnsHelp = nullptr;
    QMenu* mnsFileLastOpen = nullptr;
    QMenu* mnsOptionsMarkers = nullptr;
    QActionGroup* markerGroup = nullptr;
    QAction *mnsFileNew, *mnsFileOpen, *mnsFileSave, *mnsFileSaveAs, *mnsFileSaveCopy, *mnsSendMail,
        *mnsFilePrint, *mnsFileEnd;
    QAction *mnsEditUndo, *mnsEditRedo, *mnsEditCut, *mnsEditCopy, *mnsEditPaste,
        *mnsEditPasteExtraText, *mnsEditDelete, *mnsEditFind, *mnsEditReplace, *mnsEditSelectAll;
    QAction *mnsViewStatusBar, *mnsViewToolBar, *mnsViewGutter, *mnsViewBlock, *mnsViewWordWrap,
        *mnsViewFont;
    QAction *mnsHelpReadme, *mnsHelpSite, *mnsHelpSubscribe, *mnsHelpUpdate, *mnHelpInfo;

    QToolButton *btnFileNew, *btnFileOpen, *btnFileSave, *btnEditUndo, *btnEditRedo, *btnEditCut,
        *btnEditCopy, *btnEditPaste, *btnEditPasteExtraText, *btnEditDelete, *btnFilePrint,
        *btnEditFind, *btnEditReplace, *btnWordWrap;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    using THandler = void (TfrmMain::*)();

    void CreateActions();
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateConvertMenu();
    void CreateOptionsMenu();
    void CreateViewMenu();
    void CreateHelpMenu();
    void CreateContextMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void LoadGlyphSets();
    // Creates a new instance of a window for one opening and shows it modally.
    template <class TWindow>
    void prcShowModal();

    QAction* NewAction(const char* name, THandler handler);
    QAction* ctx(const char* name) const;
    // A menu item bound to an action, with its shortcut run through `opening` first.
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const char* action,
                     const QKeySequence& shortcut = {}, THandler opening = nullptr);
    QAction* AddHandlerItem(QMenu* menu, const char* name, const QString& caption,
                            THandler handler);
    void BindShortcut(QAction* item, const QKeySequence& shortcut, THandler opening);
    QToolButton* AddButton(const char* name, int image, const QString& hint, const char* action);
    void ToggleView(QAction* item, const char* key, const std::function<void(bool)>& apply);

    void LoadRecentFiles();
    void RebuildRecentMenu();
    void SaveTextTo(const QString& name);
    void SetDocEncoding(TDocEncoding encoding);
    void CreateEncodingMenu(QMenu* file);
    void ReportDecoding(const QString& name, const TDecodeReport& report);
    void WriteGeometry();
    void HandleCommandLine();
    void SetReadyStatus();
    // Takes Ctrl+V off "Wklej" while a find or replace dialog is shown, and puts it back.
    void SetPasteShortcut(bool on);
    void UpdateStatusPanels();

    // The size panel's count, kept between notifications while the text is unchanged: a
    // caret move in a large document must not walk every line.
    struct TSizeCache {
        uint64_t Serial = 0;
        uint64_t Generation = 0;
        size_t Size = 0;
        bool Valid = false;
    };
    TSizeCache sizeCache_;
    uint64_t changeGeneration_ = 0;
    // The encoding the document is read in and written back in; the editor holds its
    // Windows-1250 bytes.
    TDocEncoding docEncoding_ = TDocEncoding::Windows1250;
    QMenu* mnsFileEncoding = nullptr;
    QMenu* mnsFileReopenAs = nullptr;

    TfrmMarkers* markers_ = nullptr;
    // The Kolorowanie item prcSetMarker ticked last; a click that fails puts the tick back.
    QAction* tickedMarker_ = nullptr;

    QStringList params_;
    QString applicationTitle_ = QStringLiteral("Kwerdel RQ");
    bool terminationRequested_ = false;
    int glyphSet_ = -1;
};

}  // namespace krq
