// The batch conversion window: one conversion applied to a list of files, each rewritten in place.
#include "convert/frMultiCnv.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "convert/unBase.h"
#include "convert/unBatch.h"
#include "convert/unMultiCnv.h"
#include "lexers/unCatalogue.h"
#include "platform/files/filewriter.h"
#include "platform/fsname.h"

namespace krq {

TfrmMultiCnv::TfrmMultiCnv(QString openDocument, QWidget* parent)
    : QDialog(parent), openDocument_(std::move(openDocument)) {
    setObjectName("frmMultiCnv");
    setWindowTitle("Multi - konwersje");
    // No close box and no other border icons: "Anuluj" is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_WindowPropagation);
    setFixedSize(423, 201);

    auto label = [this](const char* name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto button = [this](const char* name, const QString& text, int x, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(x, y, 65, 25);
        b->setAutoDefault(false);
        return b;
    };
    auto line = [this](const char* name, QFrame::Shape shape, int x, int y, int w, int h) {
        auto* f = new QFrame(this);
        f->setObjectName(name);
        f->setFrameShape(shape);
        f->setFrameShadow(QFrame::Sunken);
        f->setGeometry(x, y, w, h);
        return f;
    };

    lbl_1 = label("lbl_1", "Wybrane pliki:", 8, 8);
    mcFilesList = new QListWidget(this);
    mcFilesList->setObjectName("mcFilesList");
    mcFilesList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mcFilesList->setGeometry(8, 24, 137, 137);
    btnFilesAdd = button("btnFilesAdd", "Dodaj pliki", 8, 168);
    btnFilesDelete = button("btnFilesDelete", QString::fromUtf8("Usuń pliki"), 80, 168);
    bv_1 = line("bv_1", QFrame::VLine, 161, 8, 2, 177);
    lbl_2 = label("lbl_2", "Wybrana konwersja:", 176, 8);
    mcCnvSetup = new QComboBox(this);
    mcCnvSetup->setObjectName("mcCnvSetup");
    mcCnvSetup->setEditable(false);
    for (const TConversion& conversion : tblConversions)
        mcCnvSetup->addItem(QString::fromUtf8(conversion.Caption));
    mcCnvSetup->setGeometry(176, 24, 233, mcCnvSetup->sizeHint().height());
    lbl_3 = label("lbl_3", QString::fromUtf8("Wybrano plików : "), 232, 64);
    lbl_5 = label("lbl_5", "0", 336, 64);
    lbl_4 = label("lbl_4", "Tylko do odczytu: ", 232, 80);
    lbl_6 = label("lbl_6", "0", 336, 80);
    lbl_7 = label("lbl_7", QString::fromUtf8("Postęp:"), 176, 112);
    mcProgress = new QProgressBar(this);
    mcProgress->setObjectName("mcProgress");
    mcProgress->setRange(0, 100);
    mcProgress->setValue(0);
    mcProgress->setTextVisible(true);
    mcProgress->setFormat("%p%");
    mcProgress->setAlignment(Qt::AlignCenter);
    QPalette blue = mcProgress->palette();
    blue.setColor(QPalette::Highlight, QColor(0, 0, 255));
    mcProgress->setPalette(blue);
    mcProgress->setGeometry(176, 128, 233, 24);
    bv_2 = line("bv_2", QFrame::HLine, 176, 160, 241, 2);
    btnStart = button("btnStart", "Start!", 280, 168);
    btnCancel = button("btnCancel", "Anuluj", 352, 168);

    connect(btnFilesAdd, &QPushButton::clicked, this, [this] { btnFilesAddClick(); });
    connect(btnFilesDelete, &QPushButton::clicked, this, [this] { btnFilesDeleteClick(); });
    connect(btnStart, &QPushButton::clicked, this, [this] { btnStartClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });

    dlgOpenFile.Title = QString::fromUtf8("Otwórz");
}

TfrmMultiCnv::~TfrmMultiCnv() {
    if (worker_.joinable()) worker_.join();
}

void TfrmMultiCnv::Execute(QWidget* owner, const QString& openDocument) {
    TfrmMultiCnv window(openDocument, owner);
    window.exec();
}

void TfrmMultiCnv::showEvent(QShowEvent* event) {
    // Each opening is a new window, so the show handler runs once for it.
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmMultiCnv::FormShow() {
    dlgOpenFile.Filter = QString::fromUtf8(FileDialogFilter());
    lbl_5->setText("0");
    lbl_6->setText("0");
    mcProgress->setValue(0);
    mcFilesList->clear();
    lstFilePaths.clear();
    mcCnvSetup->setCurrentIndex(0);
}

void TfrmMultiCnv::btnFilesAddClick() {
    const QStringList chosen = Dialogs().OpenFiles(this, dlgOpenFile, true);
    for (const QString& path : chosen) {
        if (path == openDocument_) continue;
        const QString name = QFileInfo(path).fileName();
        bool listed = false;
        for (int i = 0; i < mcFilesList->count() && !listed; ++i)
            listed = mcFilesList->item(i)->text().compare(name, Qt::CaseInsensitive) == 0;
        if (listed) continue;
        if (!IsFileReadOnly(FsName(path))) lstFilePaths << path;
        mcFilesList->addItem(name);
    }
    UpdateCounters();
}

void TfrmMultiCnv::btnFilesDeleteClick() {
    mcFilesList->clear();
    lstFilePaths.clear();
    UpdateCounters();
}

void TfrmMultiCnv::UpdateCounters() {
    lbl_5->setText(QString::number(mcFilesList->count()));
    lbl_6->setText(QString::number(mcFilesList->count() - lstFilePaths.size()));
}

void TfrmMultiCnv::SetButtonsEnabled(bool on) {
    for (QPushButton* b : {btnFilesAdd, btnFilesDelete, btnStart, btnCancel}) b->setEnabled(on);
}

void TfrmMultiCnv::btnStartClick() {
    if (running_) return;
    running_ = true;
    SetButtonsEnabled(false);

    std::vector<std::string> paths;
    for (const QString& path : lstFilePaths) paths.push_back(FsName(path));
    const int code = mcCnvSetup->currentIndex() + 1;
    const size_t n = paths.size();

    // The files are converted on a worker, so that the window repaints even while one large
    // file is read, converted and written; the worker only posts to the window.
    QEventLoop loop;
    bool done = false;
    auto result = std::make_shared<TBatchResult>();
    worker_ = std::thread([this, paths = std::move(paths), code, n, result, &loop, &done] {
        *result = ConvertFileList(paths, code, [this, n, hook = WorkerBeforeFile](size_t i) {
            const int percent = static_cast<int>(100 * static_cast<unsigned long long>(i) / n);
            QMetaObject::invokeMethod(
                this, [this, percent] { mcProgress->setValue(percent); }, Qt::QueuedConnection);
            if (hook) hook(i);
        });
        QMetaObject::invokeMethod(
            this,
            [&loop, &done] {
                done = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    });
    while (!done) loop.exec();
    worker_.join();

    mcProgress->setValue(100);
    Dialogs().Message(
        this, "Kwerdel RQ",
        QString::fromUtf8("Konwersja zakończona pomyślnie\r\rSkonwertowano plików : ") +
            QString::number(result->Written),
        TMsgButtons::OK, TMsgIcon::None);
    if (!result->Failures.empty()) {
        QString text =
            QString::fromUtf8("Nie skonwertowano plików : %1\r").arg(result->Failures.size());
        for (const TBatchFailure& failure : result->Failures)
            text += "\r" + QString::fromUtf8(failure.Message) + ".";
        Dialogs().Message(this, "Kwerdel RQ", text, TMsgButtons::OK, TMsgIcon::Warning);
    }
    SetButtonsEnabled(true);
    running_ = false;
}

void TfrmMultiCnv::btnCancelClick() { close(); }

// During a run the window cannot be closed: the worker still writes files for it.
void TfrmMultiCnv::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmMultiCnv::reject() {
    if (!running_) QDialog::reject();
}

}  // namespace krq
