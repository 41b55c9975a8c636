// The Help menu, sending the text by e-mail, printing and the launchers of the other windows.
#include <QFileInfo>
#include <QUrl>

#include "app/frMain.h"
#include "app/help/frAbout.h"
#include "app/help/unAddresses.h"
#include "app/help/unMailTo.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/fsname.h"
#include "platform/programdir.h"

namespace krq {

void TfrmMain::mnsHelpReadmeClick() {
    const QString path = FromFsName(InstalledFile("readme.htm"));
    if (QFileInfo::exists(path)) {
        Dialogs().OpenUrl(this, QUrl::fromLocalFile(path), true);
        return;
    }
    Dialogs().Message(this, applicationTitle_,
                      "Plik \"readme\" nie istnieje. Zainstaluj program jeszcze raz.",
                      TMsgButtons::OK, TMsgIcon::None);
}

void TfrmMain::mnsHelpSiteClick() {
    Dialogs().OpenUrl(this, QUrl(QString::fromUtf8(addresses::kHomePage)), true);
}

void TfrmMain::mnsHelpSubscribeClick() {
    const std::string url = std::string("mailto:") + addresses::kSubscriptionMailbox +
                            "?Subject=" + PercentEncode(addresses::kSubscriptionSubject);
    Dialogs().OpenUrl(this, QUrl::fromEncoded(QByteArray::fromStdString(url)), true);
}

void TfrmMain::ctxFileSendMailExecute() {
    const std::string url = MailToBody(mncKrqEdit->Model().LinesText());
    Dialogs().OpenUrl(this, QUrl::fromEncoded(QByteArray::fromStdString(url)), false);
}

void TfrmMain::ctxFilePrintExecute() {
    ivcKrqEditPrint.SetLinesText(mncKrqEdit->Model().LinesText());
    ivcKrqEditPrint.PrintDocument();
}

template <class TWindow>
void TfrmMain::prcShowModal() {
    // A fresh window for every opening starts from its declared state; it goes when closed.
    TWindow window(this);
    window.exec();
}

void TfrmMain::ctxFormAboutExecute() { prcShowModal<TfrmAbout>(); }

}  // namespace krq
