// The document's encoding chosen by the user: reopening the file in another one and saving in
// another one (Plik > Kodowanie).
#include <QAction>
#include <QMenu>

#include "app/frMain.h"

namespace krq {

namespace {

constexpr TDocEncoding kEncodings[] = {TDocEncoding::Windows1250, TDocEncoding::Iso88592,
                                       TDocEncoding::Utf8, TDocEncoding::Utf8Bom};

}  // namespace

void TfrmMain::CreateEncodingMenu(QMenu* file) {
    mnsFileEncoding = file->addMenu("Kodowanie");
    mnsFileEncoding->setObjectName("mnsFileEncoding");
    mnsFileReopenAs = mnsFileEncoding->addMenu(QString::fromUtf8("Otwórz ponownie jako"));
    mnsFileReopenAs->setObjectName("mnsFileReopenAs");
    QMenu* saveAs = mnsFileEncoding->addMenu("Zapisz jako");
    saveAs->setObjectName("mnsFileSaveAsEncoding");
    for (TDocEncoding encoding : kEncodings) {
        const QString name = QString::fromUtf8(EncodingName(encoding));
        QAction* reopen = mnsFileReopenAs->addAction(name);
        reopen->setObjectName("mnsFileReopenAs" + QString(name).remove(' ').remove('-'));
        connect(reopen, &QAction::triggered, this, [this, encoding] {
            RunCommand([this, encoding] { ctxFileReopenAsExecute(encoding); });
        });
        QAction* save = saveAs->addAction(name);
        save->setObjectName("mnsFileSaveAs" + QString(name).remove(' ').remove('-'));
        connect(save, &QAction::triggered, this, [this, encoding] {
            RunCommand([this, encoding] { ctxFileSaveAsEncodingExecute(encoding); });
        });
    }
}

void TfrmMain::ctxFileReopenAsExecute(TDocEncoding encoding) {
    // Reached through the menu only for a named document: there is no file to read otherwise.
    if (Untitled()) return;
    const QString name = CurrentFileName();
    prcSaveChangesGuard([this, name, encoding] { prcFileOpen(name, encoding); });
}

void TfrmMain::ctxFileSaveAsEncodingExecute(TDocEncoding encoding) {
    const TDocEncoding previous = docEncoding_;
    docEncoding_ = encoding;
    bool saved = false;
    try {
        saved = prcFileSaveAs();
    } catch (...) {
        docEncoding_ = previous;
        throw;
    }
    // A cancelled dialog leaves the document as it was.
    if (!saved) docEncoding_ = previous;
    SetDocEncoding(docEncoding_);
}

}  // namespace krq
