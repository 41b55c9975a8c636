// The update window: asks the update server for the newest version and downloads the installer.
#include "update/frUpdate.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "platform/programdir.h"
#include "update/QtInterfaceThread.h"
#include "update/unUpdate.h"

namespace krq {

namespace {

// The check starts a moment after the window appears, so the user sees what is going on.
constexpr int kCheckDelayMs = 500;

QString FromBytes(const std::string& bytes) { return QString::fromUtf8(cp1250::ToUtf8(bytes)); }

}  // namespace

TfrmUpdate::TfrmUpdate(QString applicationTitle, QWidget* parent)
    : QDialog(parent),
      ivcDownloadData(QtInterfaceThread()),
      ivcDownloadKRQ(QtInterfaceThread()),
      applicationTitle_(std::move(applicationTitle)) {
    setObjectName("frmUpdate");
    setWindowTitle("Aktualizacja on-line");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_WindowPropagation);
    setFixedSize(361, 177);

    pnlUpDateInformations = new QFrame(this);
    pnlUpDateInformations->setObjectName("pnlUpDateInformations");
    pnlUpDateInformations->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlUpDateInformations->setAutoFillBackground(true);
    QPalette white = pnlUpDateInformations->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlUpDateInformations->setPalette(white);
    pnlUpDateInformations->setGeometry(8, 8, 225, 137);

    auto step = [this](const char* name, const QString& caption, int top, QColor color) {
        auto* label = new QLabel(caption, pnlUpDateInformations);
        label->setObjectName(name);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
        label->move(8, top);
        label->adjustSize();
        label->hide();
        return label;
    };
    const QColor grey(128, 128, 128);
    lblDownloadingData = step("lblDownloadingData", "Pobieranie informacji o wersji...", 8, grey);
    lblNewVersion = step("lblNewVersion", "Najnowsza wersja: ", 24, grey);
    lblNoUpDatesAvailable =
        step("lblNoUpDatesAvailable", QString::fromUtf8("Posiadasz najnowszą wersję programu."), 40,
             grey);
    lblDownloadingKRQ = step("lblDownloadingKRQ", "Pobieranie pliku instalacyjnego...", 56, grey);
    lblUpDateFinished =
        step("lblUpDateFinished", QString::fromUtf8("Pobieranie zakończone!"), 72, grey);
    lblCancel = step("lblCancel", "Aktualizacja anulowana...", 96, grey);
    lblConnectionError = step("lblConnectionError",
                              QString::fromUtf8("Błąd połączenia z serwerem..."), 112, Qt::red);

    mncUpDateProgress = new QProgressBar(this);
    mncUpDateProgress->setObjectName("mncUpDateProgress");
    mncUpDateProgress->setRange(0, 100);
    mncUpDateProgress->setValue(0);
    mncUpDateProgress->setTextVisible(false);
    mncUpDateProgress->setGeometry(8, 152, 225, 17);

    auto button = [this](const char* name, const QString& caption, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(240, top, 113, 25);
        b->setAutoDefault(false);
        b->setEnabled(false);
        return b;
    };
    btnUpDate = button("btnUpDate", "Aktualizuj!", 48);
    btnCancel = button("btnCancel", "Anuluj", 112);
    btnClose = button("btnClose", "Zamknij", 144);
    connect(btnUpDate, &QPushButton::clicked, this, [this] { btnUpDateClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });

    for (THTTPGet* get : {&ivcDownloadData, &ivcDownloadKRQ}) {
        get->AcceptTypes = "*/*";
        get->Agent = "KRQ HTTPGet";
        get->BinaryData = false;
        get->UseCache = false;
        get->WaitThread = true;
    }
    ivcDownloadData.OnProgress = [this](int total, int readed) {
        ivcDownloadDataProgress(total, readed);
    };
    ivcDownloadData.OnDoneFile = [this](const std::string& name, int size) {
        ivcDownloadDataDoneFile(name, size);
    };
    ivcDownloadData.OnError = [this] { ivcDownloadDataError(); };
    ivcDownloadKRQ.OnProgress = [this](int total, int readed) {
        ivcDownloadKRQProgress(total, readed);
    };
    ivcDownloadKRQ.OnDoneFile = [this](const std::string& name, int size) {
        ivcDownloadKRQDoneFile(name, size);
    };
    ivcDownloadKRQ.OnError = [this] { ivcDownloadKRQError(); };

    dlgSave.Title = "Zapisz jako";
    dlgSave.Filter = "Pliki *.exe|*.exe|Wszystkie pliki|*.*";
    dlgSave.DefaultExt = "exe";
    dlgSave.OverwritePrompt = false;
}

TfrmUpdate::~TfrmUpdate() = default;

void TfrmUpdate::Execute(QWidget* owner, const QString& applicationTitle) {
    TfrmUpdate window(applicationTitle, owner);
    window.exec();
}

void TfrmUpdate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

// The window is shown while the version is checked, so that "Anuluj" can end a check that
// a silent server would otherwise keep waiting for.
void TfrmUpdate::FormShow() {
    programDir_ = ProgramDir() + "/";
    prcButtonsStatus(true);
    ivcDownloadData.URL = VersionFileUrl(TIniFile(ProgramFile("krq.ini")));
    ivcDownloadData.FileName = programDir_ + "latestversion.ini";
    QTimer::singleShot(kCheckDelayMs, this, [this] {
        if (!cancelled_) ivcDownloadData.DownloadToFile();
    });
}

void TfrmUpdate::prcButtonsStatus(bool running) {
    btnCancel->setEnabled(running);
    btnClose->setEnabled(!running);
}

void TfrmUpdate::prcRemoveBold() {
    for (QLabel* label : {lblDownloadingData, lblNewVersion, lblNoUpDatesAvailable,
                          lblDownloadingKRQ, lblUpDateFinished, lblCancel, lblConnectionError}) {
        QFont font = label->font();
        font.setBold(false);
        label->setFont(font);
        label->adjustSize();
    }
}

void TfrmUpdate::prcShowStep(QLabel* step) {
    prcRemoveBold();
    step->setVisible(true);
    QFont font = step->font();
    font.setBold(true);
    step->setFont(font);
    step->adjustSize();
}

void TfrmUpdate::ivcDownloadDataProgress(int totalSize, int readed) {
    prcShowStep(lblDownloadingData);
    mncUpDateProgress->setMaximum(totalSize);
    mncUpDateProgress->setValue(readed);
    QCoreApplication::processEvents();
}

void TfrmUpdate::ivcDownloadDataDoneFile(const std::string&, int) {
    const std::string versionFile = programDir_ + "latestversion.ini";
    struct stat info;
    if (::stat(versionFile.c_str(), &info) != 0)
        Dialogs().Message(this, applicationTitle_, "nie istnieje", TMsgButtons::OK, TMsgIcon::None);
    mncUpDateProgress->setValue(0);
    prcButtonsStatus(false);
    prcShowStep(lblNewVersion);
    const std::string version = ReadLatestVersion(TIniFile(versionFile));
    lblNewVersion->setText("Najnowsza wersja: " + FromBytes(version));
    lblNewVersion->adjustSize();
    if (!IsRunningVersion(version))
        btnUpDate->setEnabled(true);
    else
        prcShowStep(lblNoUpDatesAvailable);
    ::unlink(versionFile.c_str());
}

void TfrmUpdate::DownloadFailed(bool cancelledByUser) {
    // The end of a download the user cancelled leaves the window in its cancelled state.
    if (cancelledByUser) return;
    prcButtonsStatus(false);
    prcShowStep(lblConnectionError);
    Dialogs().Message(this, QString::fromUtf8("Błąd połączenia"),
                      QString::fromUtf8("Wystąpił błąd w trakcie łączenia z serwerem."),
                      TMsgButtons::OK, TMsgIcon::Stop);
    done(QDialog::Rejected);
}

void TfrmUpdate::ivcDownloadDataError() { DownloadFailed(cancelled_); }

void TfrmUpdate::btnUpDateClick() {
    prcButtonsStatus(true);
    const QString chosen = Dialogs().SaveFile(this, dlgSave);
    // Without a name nothing starts; "Anuluj" ends the wait.
    if (chosen.isEmpty()) return;
    cancelled_ = false;
    ivcDownloadKRQ.URL = InstallerUrl(TIniFile(ProgramFile("krq.ini")));
    ivcDownloadKRQ.FileName = QFile::encodeName(chosen).toStdString();
    ivcDownloadKRQ.DownloadToFile();
}

void TfrmUpdate::ivcDownloadKRQProgress(int totalSize, int readed) {
    prcShowStep(lblDownloadingKRQ);
    mncUpDateProgress->setMaximum(totalSize);
    mncUpDateProgress->setValue(readed);
}

void TfrmUpdate::ivcDownloadKRQDoneFile(const std::string&, int) {
    prcButtonsStatus(false);
    mncUpDateProgress->setValue(0);
    prcShowStep(lblUpDateFinished);
    btnUpDate->setEnabled(false);
}

void TfrmUpdate::ivcDownloadKRQError() { DownloadFailed(cancelled_); }

void TfrmUpdate::btnCancelClick() {
    cancelled_ = true;
    prcShowStep(lblCancel);
    ivcDownloadData.CancelDownload();
    ivcDownloadKRQ.CancelDownload();
    mncUpDateProgress->setValue(0);
    prcButtonsStatus(false);
}

void TfrmUpdate::btnCloseClick() { done(QDialog::Accepted); }

// Escape closes the window only when "Zamknij" would: never in the middle of a download.
void TfrmUpdate::reject() {
    if (btnClose->isEnabled()) QDialog::reject();
}

}  // namespace krq
