// View options: ticks read from the settings file, toggles that write first, the font.
#include <QStatusBar>
#include <QToolBar>

#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using ViewTest = MainWindowTest;

TEST_F(ViewTest, TogglesWriteTheirKeyAndChangeTheWindow) {
    TfrmMain& w = Create();
    w.mnsViewClick();
    EXPECT_TRUE(w.mnsViewStatusBar->isChecked());
    EXPECT_TRUE(w.mnsViewToolBar->isChecked());
    EXPECT_TRUE(w.mnsViewGutter->isChecked());
    EXPECT_FALSE(w.mnsViewWordWrap->isChecked());
    EXPECT_FALSE(w.mnsViewBlock->isChecked());

    w.mnsViewStatusBar->trigger();
    EXPECT_FALSE(Ini().ReadBool("View", "statusbar", true));
    EXPECT_TRUE(w.mncStatusBar->isHidden());
    EXPECT_FALSE(w.mnsViewStatusBar->isChecked());
    w.mnsViewStatusBar->trigger();
    EXPECT_TRUE(Ini().ReadBool("View", "statusbar", false));
    EXPECT_FALSE(w.mncStatusBar->isHidden());

    w.mnsViewToolBar->trigger();
    EXPECT_FALSE(Ini().ReadBool("View", "toolbar", true));
    EXPECT_TRUE(w.mncToolBar->isHidden());

    w.mnsViewGutter->trigger();
    EXPECT_FALSE(Ini().ReadBool("View", "gutter", true));
    EXPECT_FALSE(w.mncKrqEdit->GutterVisible());

    w.mnsViewWordWrap->trigger();
    EXPECT_TRUE(Ini().ReadBool("View", "wordwrap", false));
    EXPECT_TRUE(w.mncKrqEdit->WordWrap());
    EXPECT_TRUE(w.btnWordWrap->isChecked());

    w.mnsViewBlock->trigger();
    EXPECT_TRUE(Ini().ReadBool("View", "block", false));
    EXPECT_TRUE(w.mnsViewBlock->isChecked());
    EXPECT_EQ(Model().SelectionMode(), smColumn);
    w.mnsViewBlock->trigger();
    EXPECT_EQ(Model().SelectionMode(), smNormal);

    // The ticks come back from the file each time the menu opens.
    w.mnsViewStatusBar->setChecked(false);
    w.mnsViewClick();
    EXPECT_TRUE(w.mnsViewStatusBar->isChecked());
    EXPECT_FALSE(w.mnsViewToolBar->isChecked());
    EXPECT_FALSE(w.mnsViewGutter->isChecked());
    EXPECT_TRUE(w.mnsViewWordWrap->isChecked());
}

TEST_F(ViewTest, BlockSelectionIsNeverRestoredAtStart) {
    WriteFile(IniPath(), "[View]\r\nblock=1\r\n");
    TfrmMain& w = Create();
    w.mnsViewClick();
    EXPECT_FALSE(w.mnsViewBlock->isChecked());
    EXPECT_EQ(Model().SelectionMode(), smNormal);
}

TEST_F(ViewTest, WordWrapButtonWritesTheFileAndTheMenuFollowsIt) {
    TfrmMain& w = Create();
    w.btnWordWrap->click();
    EXPECT_TRUE(Ini().ReadBool("View", "wordwrap", false));
    EXPECT_TRUE(w.btnWordWrap->isChecked());
    EXPECT_TRUE(w.mncKrqEdit->WordWrap());
    w.btnWordWrap->click();
    EXPECT_FALSE(w.mncKrqEdit->WordWrap());
    EXPECT_FALSE(w.btnWordWrap->isChecked());
    w.mnsViewClick();
    EXPECT_FALSE(w.mnsViewWordWrap->isChecked());
}

TEST_F(ViewTest, UnwritableSettingsLeaveTheWindowAsItWas) {
    std::filesystem::create_directory(IniPath());
    TfrmMain& w = Create();
    w.mnsViewClick();
    w.mnsViewStatusBar->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Unable to write to " + QString::fromStdString(IniPath()) + ".");
    EXPECT_FALSE(w.mncStatusBar->isHidden());
    EXPECT_TRUE(w.mnsViewStatusBar->isChecked());
    w.btnWordWrap->click();
    EXPECT_FALSE(w.mncKrqEdit->WordWrap());
    EXPECT_FALSE(w.btnWordWrap->isChecked());
}

TEST_F(ViewTest, FontDialogStoresNameSizeAndStyle) {
    TfrmMain& w = Create();
    dialogs.FontAnswers = {std::nullopt};
    w.mnsViewFont->trigger();
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    QFont chosen("DejaVu Sans Mono", 14);
    chosen.setBold(true);
    chosen.setUnderline(true);
    dialogs.FontAnswers = {chosen};
    w.mnsViewFont->trigger();
    EXPECT_EQ(dialogs.FontRequests, 2);
    EXPECT_EQ(Ini().ReadString("View", "font-type", ""), "DejaVu Sans Mono");
    EXPECT_EQ(Ini().ReadInteger("View", "font-size", 0), 14);
    EXPECT_EQ(Ini().ReadInteger("View", "font-style", 0), 5);
    EXPECT_EQ(w.mncKrqEdit->TextFont().pointSize(), 14);
    EXPECT_TRUE(w.mncKrqEdit->TextFont().bold());
    EXPECT_EQ(w.dlgFont.family(), "DejaVu Sans Mono");
}

}  // namespace
}  // namespace krq::test
