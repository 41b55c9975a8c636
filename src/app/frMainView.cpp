// View options: the View menu's ticks and toggles, the editor font, the toolbar glyph sets
// and the themed drawing.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QToolBar>
#include <QToolButton>

#include "app/frMain.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "platform/files/settingsfile.h"
#include "platform/fonts.h"

namespace krq {

namespace {

// The freedesktop names of the 14 toolbar images in image-index order; where a theme lacks
// the first name, the next one is tried.
const QStringList kGlyphNames[14] = {
    {"document-new"},
    {"document-open"},
    {"document-save"},
    {"edit-undo"},
    {"edit-redo"},
    {"edit-cut"},
    {"edit-copy"},
    {"edit-paste"},
    {"insert-text", "format-indent-more"},
    {"edit-delete"},
    {"document-print"},
    {"edit-find"},
    {"edit-find-replace"},
    {"text-wrap", "format-justify-fill"},
};

// The folders of a theme that hold its 16-pixel action icons.
QStringList ThemeFolders(const QString& theme) {
    const QString root = "/usr/share/icons/" + theme;
    return {root + "/16x16/actions", root + "/base/16x16/actions", root + "/actions/16"};
}

QPixmap LoadGlyph(const QString& theme, const QStringList& names) {
    for (const QString& name : names)
        for (const QString& folder : ThemeFolders(theme))
            for (const char* ext : {".png", ".svg"}) {
                QString path = folder + '/' + name + ext;
                if (!QFileInfo::exists(path)) continue;
                QPixmap pixmap = QIcon(path).pixmap(16, 16);
                if (!pixmap.isNull()) return pixmap;
            }
    return {};
}

// The disabled image: the enabled one in grey at half strength.
QPixmap Greyed(const QPixmap& pixmap) {
    if (pixmap.isNull()) return pixmap;
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            int grey = qGray(row[x]);
            row[x] = qRgba(grey, grey, grey, qAlpha(row[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

void LoadSet(const QString& theme, QList<QPixmap>& active, QList<QPixmap>& unactive) {
    active.clear();
    unactive.clear();
    for (const QStringList& names : kGlyphNames) {
        QPixmap pixmap = LoadGlyph(theme, names);
        active << pixmap;
        unactive << Greyed(pixmap);
    }
}

// The theme folders are named differently by their packages; the first that exists wins.
QString ThemeDir(const QStringList& candidates) {
    for (const QString& name : candidates)
        if (QFileInfo::exists("/usr/share/icons/" + name)) return name;
    return candidates.front();
}

}  // namespace

void TfrmMain::LoadGlyphSets() {
    LoadSet(ThemeDir({"Tango", "tango"}), ivcGlyphStandardActive, ivcGlyphStandardUnActive);
    LoadSet(ThemeDir({"oxygen", "Oxygen"}), ivcGlyphXPActive, ivcGlyphXPUnActive);
    LoadSet(ThemeDir({"breeze", "Breeze"}), ivcGlyphOrbitActive, ivcGlyphOrbitUnActive);
}

void TfrmMain::prcSetGlyphSet(int style) {
    const QList<QPixmap>* active = nullptr;
    const QList<QPixmap>* unactive = nullptr;
    switch (style) {
        case 0:
            active = &ivcGlyphStandardActive, unactive = &ivcGlyphStandardUnActive;
            break;
        case 1:
            active = &ivcGlyphXPActive, unactive = &ivcGlyphXPUnActive;
            break;
        case 2:
            active = &ivcGlyphOrbitActive, unactive = &ivcGlyphOrbitUnActive;
            break;
        default:
            break;
    }
    glyphSet_ = active ? style : -1;
    for (QToolButton* button : mncToolBar->findChildren<QToolButton*>()) {
        QVariant index = button->property("ImageIndex");
        if (!index.isValid()) continue;
        int i = index.toInt();
        QIcon icon;
        if (active && i < active->size()) {
            icon.addPixmap((*active)[i], QIcon::Normal);
            icon.addPixmap((*unactive)[i], QIcon::Disabled);
        }
        button->setIcon(icon);
    }
}

void TfrmMain::prcSetXPStyle(bool on) {
    // The desktop's style is remembered before the classic one first replaces it.
    static const QString desktopStyle = QApplication::style()->name();
    const QString wanted = on ? desktopStyle : QStringLiteral("windows");
    if (QApplication::style()->name().compare(wanted, Qt::CaseInsensitive) != 0)
        if (QStyle* style = QStyleFactory::create(wanted)) QApplication::setStyle(style);
}

void TfrmMain::prcSetEditFont(const QString& name, int size, int style) {
    QFont font(name);
    if (size > 0) font.setPointSize(size);
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    dlgFont = font;
    // The stored name is kept; a family this system lacks is drawn in its monospace font.
    mncKrqEdit->SetTextFont(WithMonospaceFallback(font));
}

void TfrmMain::prcShowStatusBar(bool on) { mncStatusBar->setVisible(on); }

void TfrmMain::prcShowToolBar(bool on) {
    mncToolBar->setVisible(on);
    mncCoolBar->setVisible(on);
}

void TfrmMain::prcShowGutter(bool on) { mncKrqEdit->SetGutterVisible(on); }

void TfrmMain::prcSetWordWrap(bool on) {
    mncKrqEdit->SetWordWrap(on);
    btnWordWrap->setChecked(on);
}

// --- The View menu
// ---------------------------------------------------------------------------------

void TfrmMain::mnsViewClick() {
    TIniFile ini = SettingsFile();
    mnsViewStatusBar->setChecked(ini.ReadBool("View", "statusbar", true));
    mnsViewToolBar->setChecked(ini.ReadBool("View", "toolbar", true));
    mnsViewGutter->setChecked(ini.ReadBool("View", "gutter", true));
    mnsViewWordWrap->setChecked(ini.ReadBool("View", "wordwrap", false));
}

// Every toggle writes its key first, so a settings file that cannot be written leaves the
// window as it was.
void TfrmMain::ToggleView(QAction* item, const char* key, const std::function<void(bool)>& apply) {
    TIniFile ini = SettingsFile();
    const bool on = !item->isChecked();
    ini.WriteBool("View", key, on);
    item->setChecked(on);
    apply(on);
}

void TfrmMain::mnsViewStatusBarClick() {
    ToggleView(mnsViewStatusBar, "statusbar", [this](bool on) { prcShowStatusBar(on); });
}

void TfrmMain::mnsViewToolBarClick() {
    ToggleView(mnsViewToolBar, "toolbar", [this](bool on) { prcShowToolBar(on); });
}

void TfrmMain::mnsViewGutterClick() {
    ToggleView(mnsViewGutter, "gutter", [this](bool on) { prcShowGutter(on); });
}

void TfrmMain::mnsViewWordWrapClick() {
    ToggleView(mnsViewWordWrap, "wordwrap", [this](bool on) { prcSetWordWrap(on); });
}

void TfrmMain::mnsViewBlockClick() {
    ToggleView(mnsViewBlock, "block",
               [this](bool on) { mncKrqEdit->Model().SetSelectionMode(on ? smColumn : smNormal); });
}

void TfrmMain::btnWordWrapClick() {
    TIniFile ini = SettingsFile();
    const bool on = !btnWordWrap->isChecked();
    ini.WriteBool("View", "wordwrap", on);
    btnWordWrap->setChecked(on);
    mncKrqEdit->SetWordWrap(on);
}

void TfrmMain::mnsViewFontClick() {
    std::optional<QFont> chosen = Dialogs().ChooseFont(this, dlgFont, 6, 20);
    if (!chosen) return;
    const QString name = chosen->family();
    const int size = chosen->pointSize();
    const int style = (chosen->bold() ? 1 : 0) | (chosen->italic() ? 2 : 0) |
                      (chosen->underline() ? 4 : 0) | (chosen->strikeOut() ? 8 : 0);
    prcSetEditFont(name, size, style);
    TIniFile ini = SettingsFile();
    ini.WriteString("View", "font-type", cp1250::FromUtf8(name.toStdString()));
    ini.WriteInteger("View", "font-size", size);
    ini.WriteInteger("View", "font-style", style);
}

}  // namespace krq
