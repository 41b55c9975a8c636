// The batch conversion window: one conversion applied to a list of files, each rewritten in place.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <thread>

#include "platform/dialogs.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace krq {

class TfrmMultiCnv : public QDialog {
    Q_OBJECT

  public:
    // `openDocument` is the path of the document open in the main window (empty when
    // untitled); it is never added to the list.
    explicit TfrmMultiCnv(QString openDocument, QWidget* parent = nullptr);
    ~TfrmMultiCnv() override;

    // A new window for one opening, shown modally; returns when it is closed.
    static void Execute(QWidget* owner, const QString& openDocument);

    void FormShow();
    void btnFilesAddClick();
    void btnFilesDeleteClick();
    // Returns when every file has been handled and the final boxes were shown; the window keeps
    // handling its events meanwhile, as the files are converted on a worker thread.
    void btnStartClick();
    void btnCancelClick();

    bool Running() const { return running_; }
    // Full paths of the listed files that will be written (not read-only).
    const QStringList& FilePaths() const { return lstFilePaths; }

    QLabel *lbl_1, *lbl_2, *lbl_3, *lbl_4, *lbl_5, *lbl_6, *lbl_7;
    QListWidget* mcFilesList;
    QPushButton *btnFilesAdd, *btnFilesDelete, *btnStart, *btnCancel;
    QFrame *bv_1, *bv_2;
    QComboBox* mcCnvSetup;
    QProgressBar* mcProgress;
    TFileDialogState dlgOpenFile;
    // Runs on the worker before each file is touched; lets a test hold the run mid-way.
    std::function<void(size_t index)> WorkerBeforeFile;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void SetButtonsEnabled(bool on);
    void UpdateCounters();

    QStringList lstFilePaths;
    QString openDocument_;
    bool shown_ = false;
    bool running_ = false;
    std::thread worker_;
};

}  // namespace krq
