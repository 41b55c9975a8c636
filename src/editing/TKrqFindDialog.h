// Our own modeless find and replace dialogs, laid out and labelled like the system's ones.
#pragma once

#include <QDialog>

#include "editing/unFindReplace.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace krq {

// One class for both: the replace dialog adds the replacement field and its two buttons. The
// dialog is created once and only hidden when closed, so its texts and options stay as the
// user left them while the program runs.
class TKrqFindDialog : public QDialog {
    Q_OBJECT

  public:
    enum class TKind { Find, Replace };
    TKrqFindDialog(TKind kind, QWidget* parent);

    TKind Kind() const { return kind_; }
    // The texts and options now in the dialog, texts in Windows-1250.
    TFindChoices Choices() const;

    QLineEdit* edtFind = nullptr;
    QLineEdit* edtReplace = nullptr;  // replace dialog only
    QCheckBox* ckbWholeWord = nullptr;
    QCheckBox* ckbMatchCase = nullptr;
    QRadioButton* rgUp = nullptr;
    QRadioButton* rgDown = nullptr;
    QPushButton* btnFindNext = nullptr;
    QPushButton* btnReplace = nullptr;     // replace dialog only
    QPushButton* btnReplaceAll = nullptr;  // replace dialog only
    QPushButton* btnCancel = nullptr;

  signals:
    void Shown();   // the dialog appeared
    void Closed();  // the dialog went away (Anuluj, Esc or the close box)
    void FindNext();
    void Replace();
    void ReplaceAll();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void UpdateButtons();

    TKind kind_;
};

}  // namespace krq
