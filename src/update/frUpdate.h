// The update window: asks the update server for the newest version and downloads the installer.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "platform/dialogs.h"
#include "update/HTTPGet.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace krq {

class TfrmUpdate : public QDialog {
    Q_OBJECT

  public:
    // `applicationTitle` is the caption of the window's plain information boxes.
    explicit TfrmUpdate(QString applicationTitle, QWidget* parent = nullptr);
    ~TfrmUpdate() override;

    // A new window for one opening, shown modally; returns when it is closed.
    static void Execute(QWidget* owner, const QString& applicationTitle);

    void FormShow();
    void ivcDownloadDataProgress(int totalSize, int readed);
    void ivcDownloadDataDoneFile(const std::string& fileName, int fileSize);
    void ivcDownloadDataError();
    void btnUpDateClick();
    void ivcDownloadKRQProgress(int totalSize, int readed);
    void ivcDownloadKRQDoneFile(const std::string& fileName, int fileSize);
    void ivcDownloadKRQError();
    void btnCancelClick();
    void btnCloseClick();

    // Running: only "Anuluj" works; idle: only "Zamknij". "Aktualizuj!" is left as it is.
    void prcButtonsStatus(bool running);
    void prcRemoveBold();
    // Shows a step: it becomes visible and the only bold one.
    void prcShowStep(QLabel* step);

    QFrame* pnlUpDateInformations;
    QLabel *lblDownloadingData, *lblNewVersion, *lblNoUpDatesAvailable, *lblDownloadingKRQ,
        *lblUpDateFinished, *lblCancel, *lblConnectionError;
    QProgressBar* mncUpDateProgress;
    QPushButton *btnUpDate, *btnCancel, *btnClose;
    THTTPGet ivcDownloadData;
    THTTPGet ivcDownloadKRQ;
    TFileDialogState dlgSave;

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    void DownloadFailed(bool cancelledByUser);

    QString applicationTitle_;
    std::string programDir_;
    bool shown_ = false;
    // Set by "Anuluj": the download's end, reported as a failure, is then no error.
    bool cancelled_ = false;
};

}  // namespace krq
