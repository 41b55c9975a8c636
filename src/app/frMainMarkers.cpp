// The Kolorowanie menu and the highlighter choice for a document: which highlighter the editor
// shows, with its scheme from marks.ini, and the stored menu choice.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/frMain.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "platform/files/settingsfile.h"
#include "platform/programdir.h"
#include "settings/frMarkers.h"
#include "settings/unColorScheme.h"
#include "settings/unMarkerChoice.h"

namespace krq {

namespace {

QString WithoutAmpersands(QString caption) { return caption.remove('&'); }

// A window's own holder is a child of the editor, so it outlives the editor's detaching from
// the highlighter it shows.
struct TOwnMarkers : QObject {
    TfrmMarkers Markers{TfrmMarkers::TScope::Private};
};

}  // namespace

TfrmMarkers& TfrmMain::Markers() {
    if (!markers_) {
        markers_ = TfrmMarkers::Instance();
        if (!markers_) {
            auto* own = new TOwnMarkers;
            own->setParent(mncKrqEdit);
            markers_ = &own->Markers;
        }
    }
    return *markers_;
}

void TfrmMain::ctxMarkExecute(QAction* sender) {
    // The menu ticks the clicked item by itself; only prcSetMarker may move the tick, so a
    // choice whose write fails leaves the menu as it was.
    if (tickedMarker_)
        tickedMarker_->setChecked(true);
    else
        sender->setChecked(false);
    prcSetMarker(WithoutAmpersands(sender->text()), true);
}

void TfrmMain::prcSetMarker(const QString& name, bool remember) {
    if (name == "nil" || name == "Brak kolorowania") {
        if (remember) SettingsFile().WriteString("code", "mark", "nil");
        tickedMarker_ = findChild<QAction*>("mnsOptionsMarkersNone");
        tickedMarker_->setChecked(true);
        mncKrqEdit->SetHighlighter(nullptr);
        return;
    }
    const QByteArray language = name.toUtf8();
    TfrmMarkers& markers = Markers();
    for (int i = 0; i < markers.Count(); ++i) {
        TKrqHighlighter& highlighter = markers.Highlighter(i);
        if (language != highlighter.Lexer().LanguageName()) continue;
        // The stored choice comes first: when it cannot be written, nothing else changes.
        if (remember) SettingsFile().WriteString("code", "mark", cp1250::FromUtf8(language.data()));
        LoadColorScheme(highlighter, ProgramFile("marks.ini"));
        mncKrqEdit->SetHighlighter(&highlighter);
        for (QAction* item : mnsOptionsMarkers->actions())
            if (WithoutAmpersands(item->text()).compare(name, Qt::CaseInsensitive) == 0) {
                item->setChecked(true);
                tickedMarker_ = item;
            }
    }
}

QString TfrmMain::CheckedMarker() const {
    QAction* checked = markerGroup->checkedAction();
    return checked ? WithoutAmpersands(checked->text()) : QString();
}

void TfrmMain::prcMarkForDocument(const QString& fileName) {
    auto stored = [] {
        return QString::fromStdString(
            cp1250::ToUtf8(SettingsFile().ReadString("code", "mark", "nil")));
    };
    if (fileName.isEmpty()) {
        prcSetMarker(AutoMark ? QStringLiteral("nil") : stored(), false);
        return;
    }
    if (!AutoMark) {
        prcSetMarker(stored(), false);
        return;
    }
    // Every highlighter that lists the extension is applied in turn, so the last one in the
    // catalogue stays on; none keeps the editor's highlighter.
    for (const std::string& language : LanguagesForFile(cp1250::FromUtf8(fileName.toStdString())))
        prcSetMarker(QString::fromUtf8(language), false);
}

}  // namespace krq
