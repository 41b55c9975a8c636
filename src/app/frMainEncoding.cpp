// The document's encoding chosen by the user: reopening the file in another one and saving in
// another one (Plik > Kodowanie).
#include <QAction>
#include <QLabel>
#include <QMenu>

#include "app/frMain.h"

namespace krq {

void TfrmMain::CreateEncodingMenu(QMenu* file) {
    mnsFileEncoding = file->addMenu("Kodowanie");
    mnsFileEncoding->setObjectName("mnsFileEncoding");
    mnsFileReopenAs = mnsFileEncoding->addMenu(QString::fromUtf8("Otwórz ponownie jako"));
    mnsFileReopenAs->setObjectName("mnsFileReopenAs");
    QMenu* saveAs = mnsFileEncoding->addMenu("Zapisz jako");
    saveAs->setObjectName("mnsFileSaveAsEncoding");
    for (TDocEncoding encoding : kDocEncodings) {
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

void TfrmMain::ctxFileSaveAsEncodingExecute(TDocEncoding encoding) { prcFileSaveAs(encoding); }

// Characters Windows-1250 lacks have always gone in as "?"; a UTF-8 document could have held
// them, so its user is told once a session why they did not.
void TfrmMain::mncKrqEditCharactersLost() {
    if (lostCharactersTold_) return;
    if (docEncoding_ != TDocEncoding::Utf8 && docEncoding_ != TDocEncoding::Utf8Bom) return;
    lostCharactersTold_ = true;
    mncStatusPanel[0]->setText(
        QString::fromUtf8("Znaki spoza kodowania Windows-1250 wstawiono jako „?”."));
}

}  // namespace krq
