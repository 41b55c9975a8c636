// What the auxiliary text window and the clipboard preview share: a fixed modal window with
// one text box, its context menu, and OK / Anuluj.
#pragma once

#include <QDialog>
#include <functional>

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace krq {

class TKrqMemoWindow : public QDialog {
    Q_OBJECT

  public:
    // Runs a handler through the standard error report.
    using TRun = std::function<void(const std::function<void()>&)>;

    // The window's caption and its designed screen position.
    TKrqMemoWindow(QWidget* parent, const QString& caption, QPoint position, TRun run);

    // The box's text with CR LF between lines, in Windows-1250; and the way back.
    std::string MemoText() const;
    void SetMemoText(const std::string& bytes);

    // Handlers of the window.
    virtual void FormShow() = 0;
    virtual void btnOkClick() = 0;
    virtual void btnCancelClick() = 0;
    void mcPopUpMenuPopup();
    void pmUndoClick();
    void pmCutClick();
    void pmCopyClick();
    void pmPasteClick();
    void pmDeleteClick();
    void pmSelectAllClick();

    QPlainTextEdit* mcMemo = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QMenu* mcPopUpMenu = nullptr;
    QAction *pmUndo = nullptr, *pmCut = nullptr, *pmCopy = nullptr, *pmPaste = nullptr,
            *pmDelete = nullptr, *pmSelectAll = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    // The window has no close box; Esc still means Anuluj.
    void reject() override;
    void Run(const std::function<void()>& handler) const { run_(handler); }
    // Ends the modal showing (reject() is Anuluj's handler, so this goes past it).
    void CloseWindow(bool accepted) { done(accepted ? Accepted : Rejected); }

  private:
    TRun run_;
    bool shown_ = false;
};

}  // namespace krq
