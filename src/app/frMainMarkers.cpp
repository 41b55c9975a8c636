// The Kolorowanie menu and the highlighter choice for a document. The highlighter objects
// themselves are put on the editor by the colour-scheme code; here the menu and the stored
// choice are kept right.
#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>

#include "app/frMain.h"
#include "platform/cp1250.h"
#include "platform/inifile.h"
#include "settings/unCatalogue.h"

namespace krq {

namespace {

QString WithoutAmpersands(QString caption) { return caption.remove('&'); }

}  // namespace

void TfrmMain::ctxMarkExecute(QAction* sender) {
    prcSetMarker(WithoutAmpersands(sender->text()), true);
}

void TfrmMain::prcSetMarker(const QString& name, bool remember) {
    if (name == "nil" || name == "Brak kolorowania") {
        if (remember) SettingsFile().WriteString("code", "mark", "nil");
        findChild<QAction*>("mnsOptionsMarkersNone")->setChecked(true);
        return;
    }
    for (const TKrqCatalogueEntry& entry : kCatalogue) {
        if (name != QString::fromUtf8(entry.Language)) continue;
        if (remember) SettingsFile().WriteString("code", "mark", cp1250::fromUtf8(entry.Language));
        for (QAction* item : mnsOptionsMarkers->actions())
            if (WithoutAmpersands(item->text()).compare(name, Qt::CaseInsensitive) == 0)
                item->setChecked(true);
    }
}

QString TfrmMain::CheckedMarker() const {
    QAction* checked = markerGroup->checkedAction();
    return checked ? WithoutAmpersands(checked->text()) : QString();
}

void TfrmMain::prcMarkForDocument(const QString& fileName) {
    auto stored = [] {
        return QString::fromStdString(
            cp1250::toUtf8(SettingsFile().ReadString("code", "mark", "nil")));
    };
    if (fileName.isEmpty()) {
        prcSetMarker(AutoMark ? QStringLiteral("nil") : stored(), false);
        return;
    }
    if (!AutoMark) {
        prcSetMarker(stored(), false);
        return;
    }
    QString name = QFileInfo(fileName).fileName();
    qsizetype dot = name.lastIndexOf('.');
    QString ext = dot < 0 ? QString() : name.mid(dot).toLower();
    if (ext == ".txt") {
        prcSetMarker("nil", false);
        return;
    }
    // Every filter that holds the pattern is applied in turn, so the last one in the
    // catalogue wins.
    const std::string pattern = ("*" + ext).toStdString();
    for (const TKrqCatalogueEntry& entry : kCatalogue)
        if (std::string_view(entry.Filter).find(pattern) != std::string_view::npos)
            prcSetMarker(QString::fromUtf8(entry.Language), false);
}

}  // namespace krq
