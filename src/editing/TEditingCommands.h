// The Edit menu's commands, find and replace, the insert commands and the launchers of the
// editing helpers' windows; the main window holds one and forwards its handlers to it.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>

#include "platform/dialogs.h"

class QWidget;

namespace krq {

class TKrqEdit;
class TKrqEditModel;
class TKrqFindDialog;

// What the commands need of the main window.
struct TEditingHost {
    TKrqEdit* Editor = nullptr;
    // Owner of the dialogs, the message boxes and the small windows.
    QWidget* Owner = nullptr;
    // The open dialog of "Tekst z pliku", whose filter the main window builds at start.
    TFileDialogState* AddTextDialog = nullptr;
    // The caption of the information boxes.
    std::function<QString()> ApplicationTitle;
    // Runs a handler through the standard error report.
    std::function<void(const std::function<void()>&)> Run;
    // Takes the Edit menu's Ctrl+V off "Wklej" (false) or puts it back (true).
    std::function<void(bool)> SetPasteShortcut;
};

// Which Edit menu items are enabled when the menu opens.
struct TEditMenuState {
    bool Undo = false;
    bool Redo = false;
    bool Paste = false;
    bool CutCopyDelete = false;
};

class TEditingCommands : public QObject {
    Q_OBJECT

  public:
    explicit TEditingCommands(TEditingHost host);
    ~TEditingCommands() override;

    TEditMenuState EditMenuState() const;

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
    // The replace dialog's "Zamień" (false) and "Zamień wszystko" (true).
    void dlgReplaceReplace(bool replaceAll);

    void ctxAddTextExecute();
    void ctxAddHTMLColorExecute();
    void ctxAddDateExecute();
    void ctxAddHourExecute();

    void ctxFormEncionsExecute();
    void ctxFormExTxShowExecute();
    void ctxFormClpShowExecute();

    // Created once with the commands and kept while the program runs.
    TKrqFindDialog* dlgFind = nullptr;
    TKrqFindDialog* dlgReplace = nullptr;
    // The colour the colour dialog opens with: the one chosen last.
    QColor dlgColorLast = Qt::black;

  private:
    TKrqEditModel& Model() const;
    void ShowDialog(TKrqFindDialog* dialog);
    void DialogShown();
    void DialogClosed();
    void NotFound();
    void Insert(const std::string& bytes);

    TEditingHost host_;
    int dialogsShown_ = 0;
};

}  // namespace krq
