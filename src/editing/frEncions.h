// The entity picker: the entity table in a list, a preview, and "Wstaw" into the document.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace krq {

class TKrqEditModel;

class TfrmEncions : public QDialog {
    Q_OBJECT

  public:
    // `target` is the main window's document, which "Wstaw" writes into.
    TfrmEncions(TKrqEditModel& target, QWidget* parent);

    void FormCreate();
    void mncListViewClick();
    void mncListViewKeyUp();
    void mncListViewDblClick();
    void btnInsertClick();
    void btnCloseClick();

    QTreeWidget* mncListView = nullptr;
    QPushButton* btnInsert = nullptr;
    QPushButton* btnClose = nullptr;
    QGroupBox* mgPreview = nullptr;
    QLabel* lblEncion = nullptr;
    QLabel* lblEncionDesc = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The row selected, 0-based, or -1.
    int SelectedRow() const;
    void ShowPreview();

    TKrqEditModel& target_;
};

}  // namespace krq
