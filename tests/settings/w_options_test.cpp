// The options window through "Opcje → Ustawienia": filling from krq.ini, OK writing and
// applying every setting at once, the defaults, the colour swatches, failures and the layout.
#include <QAbstractButton>
#include <QHeaderView>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "settings/OptionsFixture.h"
#include "settings/frMarkers.h"

namespace krq::test {
namespace {

const char kHandWritten[] =
    "[Edit]\r\ndelspaces=0\r\nnopopup=1\r\nindent=0\r\nautomark=0\r\nproposal=0\r\ncorrect=0\r\n"
    "[View]\r\nstatusbar=0\r\ntoolbar=0\r\ngutter=0\r\nwordwrap=1\r\nxpstyle=0\r\n"
    "toolbar_style=2\r\n"
    "[Colors]\r\n1=255\r\n2=65280\r\n3=16711680\r\n4=-2147483643\r\n5=0x10203\r\n"
    "[Ext]\r\nHTM=1\r\nPHP=1\r\nHTMLEditor=1\r\n";

TEST_F(OptionsTest, OpensFromItsMenuItemWithSevenPagesAndEdycjaInFront) {
    Create();
    Options([](TfrmOptions& w) {
        EXPECT_EQ(w.windowTitle(), Utf("Ustawienia"));
        ASSERT_EQ(w.pcpOptions->count(), 7);
        const char* const pages[] = {"Edycja",      "Widok",   "Kolory",     "Lista słówek",
                                     "Autokorekta", "Markery", "Skojarzenia"};
        for (int i = 0; i < 7; ++i) EXPECT_EQ(w.pcpOptions->tabText(i), Utf(pages[i]));
        EXPECT_EQ(w.pcpOptions->currentWidget(), w.pcpEdit);
        EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(w.ckbAutoCorrect->toolTip(),
                  Utf("Pozwala na automatyczne zamienianie określonych wyrazów na inne - można je "
                      "ustawić w zakładce \"Autokorekta\""));
        // Every box has its hint, except those of the colour-scheme page, which have none.
        for (QCheckBox* box : w.findChildren<QCheckBox*>()) {
            if (box->parentWidget() != w.pcpMarkers) {
                EXPECT_FALSE(box->toolTip().isEmpty()) << box->objectName().toStdString();
            }
        }
        EXPECT_EQ(w.mmcAssociation->topLevelItemCount(), 27);
        Cancel(w);
    });
    // Each opening is a new window, filled anew.
    Options([](TfrmOptions& w) {
        w.ckbDelSpaces->setChecked(false);
        Cancel(w);
    });
    Options([](TfrmOptions& w) {
        EXPECT_TRUE(w.ckbDelSpaces->isChecked());
        Cancel(w);
    });
}

TEST_F(OptionsTest, FormShowFillsEveryControlFromTheSettingsFile) {
    WriteFile(IniPath(), kHandWritten);
    TfrmMain& main = Create();
    // The box shows the flag held in memory, not the file.
    main.AutoMark = true;
    Options([](TfrmOptions& w) {
        EXPECT_FALSE(w.ckbDelSpaces->isChecked());
        EXPECT_TRUE(w.ckbNoPopUp->isChecked());
        EXPECT_FALSE(w.ckbAutoIndent->isChecked());
        EXPECT_TRUE(w.ckbAutoMark->isChecked());
        EXPECT_FALSE(w.ckbProposal->isChecked());
        EXPECT_FALSE(w.ckbAutoCorrect->isChecked());
        EXPECT_FALSE(w.ckbStatusBar->isChecked());
        EXPECT_FALSE(w.ckbToolBar->isChecked());
        EXPECT_FALSE(w.ckbGutter->isChecked());
        EXPECT_TRUE(w.ckbWordWrap->isChecked());
        EXPECT_FALSE(w.ckbXPStyle->isChecked());
        EXPECT_TRUE(w.rg_ToolBarOrbit->isChecked());
        EXPECT_EQ(w.shp_C[0]->Value(), 255);
        EXPECT_EQ(w.shp_C[1]->Value(), 65280);
        EXPECT_EQ(w.shp_C[2]->Value(), 16711680);
        EXPECT_EQ(w.shp_C[3]->Value(), -2147483643);
        EXPECT_EQ(w.shp_C[4]->Value(), 0x10203);
        EXPECT_TRUE(w.ckbAss_HTMLEditor->isChecked());
        std::vector<bool> ticks = w.AssociationTicks();
        ASSERT_EQ(ticks.size(), 27u);
        EXPECT_EQ(std::count(ticks.begin(), ticks.end(), true), 2);
        EXPECT_TRUE(ticks[12]);  // HTM
        EXPECT_TRUE(ticks[21]);  // PHP, not PHP3
        EXPECT_FALSE(ticks[20]);
        QTreeWidgetItem* htm = w.mmcAssociation->topLevelItem(12);
        EXPECT_EQ(htm->text(0), "HTM");
        EXPECT_EQ(htm->text(1), "Dokument HTML");
        EXPECT_EQ(htm->text(2), "*.htm, *.html");
        EXPECT_EQ(w.mmcAssociation->columnWidth(0), 90);
        EXPECT_EQ(w.mmcAssociation->columnWidth(1), 190);
        EXPECT_EQ(w.mmcAssociation->columnWidth(2), 120);
        Cancel(w);
    });
}

TEST_F(OptionsTest, AnUnknownToolbarStyleShowsStandardowy) {
    WriteFile(IniPath(), "[View]\r\ntoolbar_style=7\r\n");
    Create();
    Options([](TfrmOptions& w) {
        EXPECT_TRUE(w.rg_ToolBarStandard->isChecked());
        EXPECT_FALSE(w.rg_ToolBarXP->isChecked());
        EXPECT_FALSE(w.rg_ToolBarOrbit->isChecked());
        Cancel(w);
    });
}

TEST_F(OptionsTest, OkWithoutChangesRewritesEveryKeySchemeAndBothLists) {
    WriteFile(Path("data/proposal.dat"), "div\nspan");
    WriteFile(Path("data/correct.dat"), cp1250::FromUtf8("x;y;z\rwogóle;w ogóle"));
    Create();
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(Options([](TfrmOptions& w) { EXPECT_TRUE(Ok(w)); }), QDialog::Accepted);
    TIniFile ini = Ini();
    for (const TOptionBoxKey& key : kOptionBoxKeys)
        EXPECT_EQ(ini.ReadString(key.Section, key.Key, "missing"), key.Default ? "1" : "0")
            << key.Key;
    EXPECT_EQ(ini.ReadString("View", "toolbar_style", "missing"), "0");
    const char* const colours[] = {"16777215", "0", "16777215", "-2147483647", "15503208"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ini.ReadString("Colors", std::to_string(i + 1), "missing"), colours[i]);
    // Nothing differs from the file, so no association key is written.
    EXPECT_EQ(ini.ReadString("Ext", "HTM", "missing"), "missing");
    EXPECT_EQ(ini.ReadString("Ext", "HTMLEditor", "missing"), "missing");
    // The whole scheme: three keys for every attribute of every highlighter.
    TfrmMarkers& markers = frm->Markers();
    const std::string scheme = Bytes("marks.ini");
    size_t attributes = 0;
    for (int i = 0; i < markers.Count(); ++i) {
        attributes += markers.Highlighter(i).Attributes().size();
        EXPECT_NE(
            scheme.find(std::string("[") + markers.Highlighter(i).Lexer().ComponentName() + "]"),
            std::string::npos);
    }
    EXPECT_EQ(static_cast<size_t>(std::count(scheme.begin(), scheme.end(), '=')), 3 * attributes);
    EXPECT_NE(scheme.find("Komentarz_F=536870911\r\n"), std::string::npos);
    // Both lists go back with CR LF after every entry, x;y;z unchanged.
    EXPECT_EQ(Bytes("data/proposal.dat"), "div\r\nspan\r\n");
    EXPECT_EQ(Bytes("data/correct.dat"), cp1250::FromUtf8("x;y;z\r\nwogóle;w ogóle\r\n"));
}

TEST_F(OptionsTest, EveryBoxTakesEffectOnTheMainWindowAtOnce) {
    TfrmMain& main = Create();
    main.show();
    Options([](TfrmOptions& w) {
        for (QCheckBox* box : {w.ckbDelSpaces, w.ckbNoPopUp, w.ckbAutoIndent, w.ckbAutoMark,
                               w.ckbProposal, w.ckbAutoCorrect, w.ckbStatusBar, w.ckbToolBar,
                               w.ckbGutter, w.ckbWordWrap, w.ckbXPStyle})
            box->setChecked(!box->isChecked());
        w.rg_ToolBarXP->setChecked(true);
        EXPECT_TRUE(Ok(w));
    });
    const TKrqEditorOptions options = Model().Options();
    EXPECT_FALSE(options & eoTrimTrailingSpaces);
    EXPECT_FALSE(options & eoAutoIndent);
    EXPECT_EQ(main.mncKrqEdit->PopupMenu(), nullptr);
    EXPECT_FALSE(main.AutoMark);
    EXPECT_EQ(main.ivcKrqProposal->Editor(), nullptr);
    EXPECT_EQ(main.ivcKrqAutoCorrect->Editor(), nullptr);
    EXPECT_TRUE(main.mncStatusBar->isHidden());
    EXPECT_TRUE(main.mncToolBar->isHidden());
    EXPECT_FALSE(main.mncKrqEdit->GutterVisible());
    EXPECT_TRUE(main.mncKrqEdit->WordWrap());
    EXPECT_TRUE(main.btnWordWrap->isChecked());
    EXPECT_EQ(QApplication::style()->name().toLower(), "windows");
    EXPECT_EQ(main.GlyphSet(), 1);
    // The View menu takes its ticks from the file the options wrote.
    main.mnsViewClick();
    EXPECT_TRUE(main.mnsViewWordWrap->isChecked());
    EXPECT_FALSE(main.mnsViewStatusBar->isChecked());

    Options([](TfrmOptions& w) {
        EXPECT_TRUE(w.rg_ToolBarXP->isChecked());
        EXPECT_TRUE(w.ckbNoPopUp->isChecked());
        for (QCheckBox* box : {w.ckbDelSpaces, w.ckbNoPopUp, w.ckbAutoIndent, w.ckbAutoMark,
                               w.ckbProposal, w.ckbAutoCorrect, w.ckbStatusBar, w.ckbToolBar,
                               w.ckbGutter, w.ckbWordWrap, w.ckbXPStyle})
            box->setChecked(!box->isChecked());
        w.rg_ToolBarOrbit->setChecked(true);
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_TRUE(Model().Options() & eoTrimTrailingSpaces);
    EXPECT_TRUE(Model().Options() & eoAutoIndent);
    EXPECT_EQ(main.mncKrqEdit->PopupMenu(), main.mncPopUpMenu);
    EXPECT_TRUE(main.AutoMark);
    EXPECT_EQ(main.ivcKrqProposal->Editor(), &Model());
    EXPECT_EQ(main.ivcKrqAutoCorrect->Editor(), &Model());
    EXPECT_FALSE(main.mncStatusBar->isHidden());
    EXPECT_FALSE(main.mncToolBar->isHidden());
    EXPECT_TRUE(main.mncKrqEdit->GutterVisible());
    EXPECT_FALSE(main.mncKrqEdit->WordWrap());
    EXPECT_FALSE(main.btnWordWrap->isChecked());
    EXPECT_NE(QApplication::style()->name().toLower(), "windows");
    EXPECT_EQ(main.GlyphSet(), 2);
    EXPECT_EQ(Ini().ReadInteger("View", "toolbar_style", -1), 2);
}

TEST_F(OptionsTest, DefaultsThenAnulujChangeNothing) {
    WriteFile(IniPath(), std::string(kHandWritten) + "[DefExt]\r\nTXT=1\r\nXML=1\r\n");
    TfrmMain& main = Create();
    const std::string before = ReadFile(IniPath());
    Options([](TfrmOptions& w) {
        w.btnDefault->click();
        EXPECT_TRUE(w.ckbDelSpaces->isChecked());
        EXPECT_FALSE(w.ckbNoPopUp->isChecked());
        EXPECT_TRUE(w.ckbAutoIndent->isChecked());
        EXPECT_TRUE(w.ckbAutoMark->isChecked());
        EXPECT_TRUE(w.ckbProposal->isChecked());
        EXPECT_TRUE(w.ckbAutoCorrect->isChecked());
        EXPECT_TRUE(w.ckbStatusBar->isChecked());
        EXPECT_TRUE(w.ckbToolBar->isChecked());
        EXPECT_TRUE(w.ckbGutter->isChecked());
        EXPECT_FALSE(w.ckbWordWrap->isChecked());
        EXPECT_TRUE(w.ckbXPStyle->isChecked());
        EXPECT_TRUE(w.rg_ToolBarStandard->isChecked());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(w.shp_C[i]->Value(), kEditorColorDefaults[static_cast<size_t>(i)]);
        EXPECT_FALSE(w.ckbAss_HTMLEditor->isChecked());
        // The rows come from [DefExt]: TXT and XML, no longer HTM and PHP.
        std::vector<bool> ticks = w.AssociationTicks();
        EXPECT_EQ(std::count(ticks.begin(), ticks.end(), true), 2);
        EXPECT_TRUE(ticks[24]);
        EXPECT_TRUE(ticks[26]);
        Cancel(w);
    });
    EXPECT_EQ(ReadFile(IniPath()), before);
    EXPECT_FALSE(std::filesystem::exists(Path("marks.ini")));
    EXPECT_TRUE(main.mncStatusBar->isHidden());
    EXPECT_FALSE(main.mncKrqEdit->GutterVisible());
    EXPECT_EQ(main.GlyphSet(), 2);
    EXPECT_EQ(main.mncKrqEdit->Color(), QColor(255, 0, 0));
}

TEST_F(OptionsTest, EscapeIsAnuluj) {
    Create();
    EXPECT_EQ(Options([](TfrmOptions& w) {
                  w.ckbGutter->setChecked(false);
                  KeyClick(w.ckbGutter, Qt::Key_Escape);
              }),
              QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_TRUE(frm->mncKrqEdit->GutterVisible());
}

TEST_F(OptionsTest, ColourSwatchTakesTheColourPickedAndAppliesItOnOk) {
    TfrmMain& main = Create();
    Options([this](TfrmOptions& w) {
        dialogs.ColorAnswers = {QColor(255, 0, 0), std::nullopt, QColor(0, 0, 255)};
        RightClick(w.shp_C[0]);
        EXPECT_EQ(w.shp_C[0]->Value(), 255);
        // The dialog opens with the colour picked last, not with the swatch's.
        RightClick(w.shp_C[1]);
        EXPECT_EQ(w.shp_C[1]->Value(), 0);
        RightClick(w.shp_C[4]);
        EXPECT_EQ(w.shp_C[4]->Value(), 0xFF0000);
        ASSERT_EQ(dialogs.ColorInitials.size(), 3u);
        EXPECT_EQ(dialogs.ColorInitials[0], QColor(Qt::black));
        EXPECT_EQ(dialogs.ColorInitials[1], QColor(255, 0, 0));
        EXPECT_EQ(dialogs.ColorInitials[2], QColor(255, 0, 0));
        // Nothing reaches the editor before OK.
        EXPECT_EQ(frm->mncKrqEdit->Color(), QColor(Qt::white));
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(main.mncKrqEdit->Color(), QColor(255, 0, 0));
    EXPECT_EQ(main.mncKrqEdit->FontColor(), QColor(Qt::black));
    EXPECT_EQ(main.mncKrqEdit->GutterColor(), QColor(0, 0, 255));
    EXPECT_EQ(Ini().ReadInteger("Colors", "1", 0), 255);
    EXPECT_EQ(Ini().ReadInteger("Colors", "5", 0), 0xFF0000);
    EXPECT_EQ(Ini().ReadString("Colors", "4", ""), "-2147483647");
}

TEST_F(OptionsTest, AnUnwritableSettingsFileStopsOkWithTheWindowOpen) {
    std::filesystem::create_directory(IniPath());
    TfrmMain& main = Create();
    Options([&](TfrmOptions& w) {
        w.ckbStatusBar->setChecked(false);
        EXPECT_FALSE(Ok(w));
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text,
                  "Unable to write to " + QString::fromStdString(IniPath()) + ".");
        EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
        EXPECT_TRUE(w.isVisible());
        Cancel(w);
    });
    // The scheme, written before, stays written; nothing after the failure was applied.
    EXPECT_TRUE(std::filesystem::exists(Path("marks.ini")));
    EXPECT_FALSE(main.mncStatusBar->isHidden());
}

TEST_F(OptionsTest, AFailingSchemeWriteStopsOkBeforeAnySetting) {
    TfrmMain& main = Create();
    Options([&](TfrmOptions& w) {
        w.ckbGutter->setChecked(false);
        std::filesystem::create_directory(Path("marks.ini"));
        EXPECT_FALSE(Ok(w));
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text,
                  "Unable to write to " + QString::fromStdString(Path("marks.ini")) + ".");
        Cancel(w);
    });
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_TRUE(main.mncKrqEdit->GutterVisible());
}

TEST_F(OptionsTest, AFailingListWriteStopsOkAfterTheSettingsWereWrittenAndApplied) {
    TfrmMain& main = Create();
    Options([&](TfrmOptions& w) {
        w.ckbGutter->setChecked(false);
        std::filesystem::remove(Path("data/proposal.dat"));
        std::filesystem::create_directory(Path("data/proposal.dat"));
        EXPECT_FALSE(Ok(w));
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text,
                  "Cannot create file " + QPath("data/proposal.dat") + ".");
        EXPECT_TRUE(w.isVisible());
        Cancel(w);
    });
    EXPECT_FALSE(Ini().ReadBool("View", "gutter", true));
    EXPECT_FALSE(main.mncKrqEdit->GutterVisible());
    EXPECT_EQ(Ini().ReadString("Colors", "5", ""), "15503208");
    // The grid comes after the word list and was not written.
    EXPECT_EQ(Bytes("data/correct.dat"), cp1250::FromUtf8("wogóle;w ogóle\r\n"));
}

TEST_F(OptionsTest, ASchemeThatCannotBeReadIsReportedAndNeverOverwritten) {
    std::filesystem::create_directory(Path("marks.ini"));
    TfrmMain& main = Create();
    Options([&](TfrmOptions& w) {
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file " + QPath("marks.ini") + ".");
        w.ckbGutter->setChecked(false);
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(Path("marks.ini")));
    EXPECT_FALSE(main.mncKrqEdit->GutterVisible());
}

// Ticks reach krq.ini only where they differ; the desktop side is told about new ones.
struct TRecordingActions : TAssociationActions {
    std::vector<std::pair<std::string, int>> Associated;
    int Set = 0, Restored = 0;
    void Associate(const TAssociationRow& row, int number) override {
        Associated.emplace_back(row.Key(), number);
    }
    void SetHTMLEditor() override { ++Set; }
    void RestoreHTMLEditor() override { ++Restored; }
};

TEST_F(OptionsTest, OkWritesTheTicksOfTheAssociationPage) {
    WriteFile(IniPath(), "[Ext]\r\nPHP=1\r\n");
    TRecordingActions actions;
    SetAssociationActions(&actions);
    Create();
    Options([](TfrmOptions& w) {
        w.mmcAssociation->topLevelItem(12)->setCheckState(0, Qt::Checked);    // HTM
        w.mmcAssociation->topLevelItem(21)->setCheckState(0, Qt::Unchecked);  // PHP
        w.ckbAss_HTMLEditor->setChecked(true);
        EXPECT_TRUE(Ok(w));
    });
    SetAssociationActions(nullptr);
    EXPECT_EQ(Ini().ReadString("Ext", "HTM", ""), "1");
    EXPECT_EQ(Ini().ReadString("Ext", "PHP", ""), "0");
    EXPECT_EQ(Ini().ReadString("Ext", "HTMLEditor", ""), "1");
    EXPECT_EQ(Ini().ReadString("Ext", "TXT", "missing"), "missing");
    ASSERT_EQ(actions.Associated.size(), 1u);
    EXPECT_EQ(actions.Associated[0], std::make_pair(std::string("HTM"), 13));
    EXPECT_EQ(actions.Set, 1);
    EXPECT_EQ(actions.Restored, 0);
}

// Every caption must be readable at the window's own font: no widget smaller than its text.
TEST_F(OptionsTest, EveryCaptionFitsAtTheDefaultFont) {
    Create();
    Options([](TfrmOptions& w) {
        EXPECT_GE(w.width(), 518);
        EXPECT_GE(w.height(), 310);
        EXPECT_EQ(w.font(), w.parentWidget()->font());
        QTabBar* tabs = w.pcpOptions->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_GE(tabs->tabRect(i).width(),
                      tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)))
                << tabs->tabText(i).toStdString();
        EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), w.pcpOptions->width());
        for (int page = 0; page < w.pcpOptions->count(); ++page) {
            w.pcpOptions->setCurrentIndex(page);
            QApplication::processEvents();
            QWidget* shown = w.pcpOptions->widget(page);
            for (QWidget* widget : shown->findChildren<QWidget*>()) {
                if (!widget->isVisibleTo(shown)) continue;
                if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget))
                    continue;
                const QSize hint = widget->sizeHint();
                EXPECT_GE(widget->width(), hint.width()) << widget->objectName().toStdString();
                EXPECT_GE(widget->height(), hint.height()) << widget->objectName().toStdString();
                // Nothing lies outside its page.
                const QRect area(widget->mapTo(shown, QPoint(0, 0)), widget->size());
                EXPECT_TRUE(shown->rect().contains(area)) << widget->objectName().toStdString();
            }
        }
        // The grid shows both columns whole, the association list its three.
        EXPECT_GE(w.lstAutocorrect->viewport()->width(), 211 + 260);
        EXPECT_GE(w.mmcAssociation->viewport()->width(), 90 + 190 + 120);
        for (QPushButton* button : {w.btnOk, w.btnCancel, w.btnDefault})
            EXPECT_GE(button->width(), button->sizeHint().width());
        Cancel(w);
    });
}

}  // namespace
}  // namespace krq::test
