// The options window's own sequences: filling it when shown, OK, Anuluj, the defaults, the
// colour swatches and the association list.
#include "settings/frOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <filesystem>
#include <system_error>

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/inifile.h"
#include "platform/files/settingsfile.h"
#include "platform/programdir.h"
#include "settings/TKrqColorSwatch.h"
#include "settings/frMarkers.h"
#include "settings/unColorScheme.h"

namespace krq {

namespace {

QCheckBox* BoxOf(TfrmOptions& w, TOptionBox box) {
    switch (box) {
        case TOptionBox::DelSpaces:
            return w.ckbDelSpaces;
        case TOptionBox::NoPopUp:
            return w.ckbNoPopUp;
        case TOptionBox::AutoIndent:
            return w.ckbAutoIndent;
        case TOptionBox::AutoMark:
            return w.ckbAutoMark;
        case TOptionBox::Proposal:
            return w.ckbProposal;
        case TOptionBox::AutoCorrect:
            return w.ckbAutoCorrect;
        case TOptionBox::StatusBar:
            return w.ckbStatusBar;
        case TOptionBox::ToolBar:
            return w.ckbToolBar;
        case TOptionBox::Gutter:
            return w.ckbGutter;
        case TOptionBox::WordWrap:
            return w.ckbWordWrap;
        case TOptionBox::XPStyle:
            return w.ckbXPStyle;
    }
    return nullptr;
}

}  // namespace

bool ExistsUnreadable(const std::string& path) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error) || error;
    std::string bytes;
    return exists && ReadFileBytes(path, bytes) != TReadResult::Read;
}

namespace {}  // namespace

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::run(void (TfrmOptions::*handler)()) {
    host_.RunCommand([this, handler] { (this->*handler)(); });
}

void TfrmOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Filled once per window: each opening makes a new one.
    if (event->spontaneous() || shown_) return;
    shown_ = true;
    FormShow();
}

void TfrmOptions::reject() { run(&TfrmOptions::btnCancelClick); }

void TfrmOptions::btnCancelClick() { done(QDialog::Rejected); }

void TfrmOptions::FormShow() {
    // The scheme on disk replaces whatever an earlier opening left unconfirmed. A scheme file
    // that exists but cannot be read is reported and never overwritten by OK.
    host_.RunCommand([this] {
        const std::string path = ProgramFile("marks.ini");
        schemeUsable_ = !ExistsUnreadable(path);
        LoadColorScheme(host_.Markers(), path);
        if (!schemeUsable_) RaiseCannotOpen(path);
    });
    // A word list that fails to load is reported and the window still fills every other page,
    // so nothing OK writes comes from a control left empty.
    LoadWordLists();
    host_.RunCommand([this] {
        fillingMarkers_ = true;
        cbxMark->clear();
        TfrmMarkers& markers = host_.Markers();
        for (int i = 0; i < markers.Count(); ++i)
            cbxMark->addItem(QString::fromUtf8(markers.Highlighter(i).Lexer().LanguageName()));
        fillingMarkers_ = false;
        cbxMark->setCurrentIndex(0);
        cbxMarkSelect();
    });
    host_.RunCommand([this] {
        TIniFile ini = SettingsFile();
        FillAssociations();
        ckbAss_HTMLEditor->setChecked(ini.ReadBool("Ext", "HTMLEditor", false));
        for (const TOptionBoxKey& key : kOptionBoxKeys)
            BoxOf(*this, key.Box)
                ->setChecked(key.Box == TOptionBox::AutoMark
                                 ? host_.AutoMark()
                                 : ini.ReadBool(key.Section, key.Key, key.Default));
        switch (ini.ReadInteger("View", "toolbar_style", kToolBarStyleDefault)) {
            case 1:
                rg_ToolBarXP->setChecked(true);
                break;
            case 2:
                rg_ToolBarOrbit->setChecked(true);
                break;
            default:
                rg_ToolBarStandard->setChecked(true);
                break;
        }
        for (int i = 0; i < kEditorColorCount; ++i)
            shp_C[i]->SetValue(ini.ReadInteger("Colors", std::to_string(i + 1),
                                               kEditorColorDefaults[static_cast<size_t>(i)]));
        RefreshCounter();
    });
}

void TfrmOptions::FillAssociations() {
    associations_ = AssociationTable();
    TIniFile ini = SettingsFile();
    mmcAssociation->clear();
    for (const TAssociationRow& row : associations_) {
        auto* item = new QTreeWidgetItem(mmcAssociation);
        item->setText(0, QString::fromStdString(row.Key()));
        item->setText(1, QString::fromStdString(row.Description));
        item->setText(2, QString::fromStdString(row.Shown));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, ini.ReadBool("Ext", row.Key(), false) ? Qt::Checked : Qt::Unchecked);
    }
    mmcAssociation->setColumnWidth(0, 90);
    mmcAssociation->setColumnWidth(1, 190);
    mmcAssociation->setColumnWidth(2, 120);
}

std::vector<bool> TfrmOptions::AssociationTicks() const {
    std::vector<bool> ticks;
    for (int i = 0; i < mmcAssociation->topLevelItemCount(); ++i)
        ticks.push_back(mmcAssociation->topLevelItem(i)->checkState(0) == Qt::Checked);
    return ticks;
}

void TfrmOptions::btnOkClick() {
    if (schemeUsable_) SaveColorScheme(host_.Markers(), ProgramFile("marks.ini"));
    TIniFile ini = SettingsFile();
    for (const TOptionBoxKey& key : kOptionBoxKeys) {
        const bool on = BoxOf(*this, key.Box)->isChecked();
        ini.WriteBool(key.Section, key.Key, on);
        host_.ApplyBox(key.Box, on);
    }
    const int style = rg_ToolBarOrbit->isChecked() ? 2 : rg_ToolBarXP->isChecked() ? 1 : 0;
    ini.WriteInteger("View", "toolbar_style", style);
    host_.ApplyGlyphSet(style);
    TEditorColors colors;
    for (int i = 0; i < kEditorColorCount; ++i) {
        colors[static_cast<size_t>(i)] = shp_C[i]->Value();
        ini.WriteInteger("Colors", std::to_string(i + 1), shp_C[i]->Value());
    }
    host_.ApplyColors(colors);
    SaveWordLists();
    ApplyAssociations(ini, associations_, AssociationTicks(), ckbAss_HTMLEditor->isChecked(),
                      AssociationActions());
    done(QDialog::Accepted);
}

void TfrmOptions::btnDefaultClick() {
    for (const TOptionBoxKey& key : kOptionBoxKeys) BoxOf(*this, key.Box)->setChecked(key.Default);
    rg_ToolBarStandard->setChecked(true);
    for (int i = 0; i < kEditorColorCount; ++i)
        shp_C[i]->SetValue(kEditorColorDefaults[static_cast<size_t>(i)]);
    ckbAss_HTMLEditor->setChecked(false);
    TIniFile ini = SettingsFile();
    for (int i = 0;
         i < mmcAssociation->topLevelItemCount() && i < static_cast<int>(associations_.size()); ++i)
        mmcAssociation->topLevelItem(i)->setCheckState(
            0, ini.ReadBool("DefExt", associations_[static_cast<size_t>(i)].Key(), false)
                   ? Qt::Checked
                   : Qt::Unchecked);
}

void TfrmOptions::prcPickColor(int index) {
    std::optional<QColor> chosen = Dialogs().ChooseColor(this, dlgColor);
    if (!chosen) return;
    dlgColor = *chosen;
    shp_C[index]->SetValue(ValueFromColor(*chosen));
}

bool TfrmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            if (watched == lsbListProposal)
                host_.RunCommand([this, key] { lsbListProposalKeyUp(key->key()); });
            else if (watched == edtNewProposal)
                host_.RunCommand([this, key] { edtNewProposalKeyUp(key->key()); });
        }
    } else if (event->type() == QEvent::KeyPress && watched == lstAutocorrect) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool handled = false;
        host_.RunCommand([&] { handled = GridKey(key->key(), key->modifiers()); });
        if (handled) return true;
    } else if (event->type() == QEvent::FocusIn && watched == lstAutocorrect &&
               lstAutocorrect->rowCount() == 0) {
        // An empty grid has no cell to select; entering it selects the blank row it gets.
        host_.RunCommand([this] { lstAutocorrectSelectCell(0, 0); });
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace krq
