// The recent-files list: order, capacity, its section of the settings file and its menu.
#include "app/MainWindowFixture.h"
#include "app/TKrqMRUList.h"

namespace krq::test {
namespace {

using RecentFilesTest = MainWindowTest;

TEST_F(RecentFilesTest, ReopenedFileMovesToTheTopAndIsStored) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "a");
    OpenFile("b.txt", "b");
    OpenFile("A.TXT", "c");  // the same name to the list, letter case aside
    EXPECT_EQ(w.ivcMRUManager.Items(), (QStringList{QPath("A.TXT"), QPath("b.txt")}));
    EXPECT_EQ(Ini().ReadString("Files", "Item_0", ""), Path("A.TXT"));
    EXPECT_EQ(Ini().ReadString("Files", "Item_1", ""), Path("b.txt"));
    EXPECT_EQ(Ini().ReadString("Files", "Item_2", "none"), "none");
    ASSERT_EQ(w.mnsFileLastOpen->actions().size(), 2);
    EXPECT_EQ(w.mnsFileLastOpen->actions()[0]->toolTip(), QPath("A.TXT"));
}

TEST_F(RecentFilesTest, TwentySixthFileDropsTheOldest) {
    TfrmMain& w = Create();
    for (int i = 0; i < 26; ++i) OpenFile("f" + std::to_string(i), "x");
    EXPECT_EQ(w.ivcMRUManager.Count(), 25);
    EXPECT_EQ(w.ivcMRUManager.Items().front(), QPath("f25"));
    EXPECT_EQ(w.ivcMRUManager.Items().back(), QPath("f1"));
    EXPECT_EQ(Ini().ReadString("Files", "Item_24", ""), Path("f1"));
    EXPECT_EQ(Ini().ReadString("Files", "Item_25", "none"), "none");
}

TEST_F(RecentFilesTest, LoadedAtStartInFileOrderSkippingEmptyAndRepeatedNames) {
    WriteFile(IniPath(),
              "[Files]\r\nItem_0=/x\r\nItem_1=\r\nItem_2=/y\r\nItem_3=/X\r\nUser_0=5\r\n"
              "Item_25=/beyond\r\n");
    TfrmMain& w = Create();
    // Walked from the highest number down, so of two equal names the higher number stays.
    EXPECT_EQ(w.ivcMRUManager.Items(), (QStringList{"/y", "/X"}));
    EXPECT_TRUE(w.mnsFileLastOpen->menuAction()->isEnabled());
    EXPECT_EQ(w.mnsFileLastOpen->actions().size(), 2);
}

TEST_F(RecentFilesTest, VanishedFileStaysInTheListAfterAFailedOpen) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "a");
    OpenFile("b.txt", "b");
    std::filesystem::remove(Path("a.txt"));
    w.mnsFileLastOpen->actions()[1]->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file " + QPath("a.txt") + ".");
    EXPECT_EQ(w.ivcMRUManager.Items(), (QStringList{QPath("b.txt"), QPath("a.txt")}));
    EXPECT_EQ(w.CurrentFileName(), QPath("b.txt"));
}

TEST_F(RecentFilesTest, RecentFilePassesTheGuard) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "a");
    OpenFile("b.txt", "b");
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    w.mnsFileLastOpen->actions()[1]->trigger();
    EXPECT_EQ(w.CurrentFileName(), QPath("b.txt"));
    dialogs.MessageAnswers = {TMsgResult::Yes};
    w.mnsFileLastOpen->actions()[1]->trigger();
    EXPECT_EQ(ReadFile(Path("b.txt")), "xb\r\n");
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(w.ivcMRUManager.Items().front(), QPath("a.txt"));
}

// The settings reader strips one pair of enclosing quotes; a quoted name must survive it.
TEST_F(RecentFilesTest, QuotedNamesGetAnotherPairOfQuotes) {
    EXPECT_EQ(TKrqMRUList::QuoteForIni("\"a b\""), "\"\"a b\"\"");
    EXPECT_EQ(TKrqMRUList::QuoteForIni("'a'"), "\"'a'\"");
    EXPECT_EQ(TKrqMRUList::QuoteForIni("\"a'"), "\"a'");
    EXPECT_EQ(TKrqMRUList::QuoteForIni("/a\"b\""), "/a\"b\"");
    TKrqMRUList list;
    list.Add("\"quoted\"");
    list.Add("'single'");
    list.Add("/plain");
    TIniFile ini = Ini();
    list.SaveToIni(ini, "Files");
    EXPECT_NE(ReadFile(IniPath()).find("Item_2=\"\"quoted\"\""), std::string::npos);
    TKrqMRUList back;
    back.LoadFromIni(ini, "Files");
    EXPECT_EQ(back.Items(), list.Items());
}

TEST_F(RecentFilesTest, UnwritableSettingsAfterAnOpenLeaveTheFileOpen) {
    std::filesystem::create_directory(IniPath());
    TfrmMain& w = Create();
    w.RunCommand([&] { OpenFile("a.txt", "abc"); });
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Unable to write to " + QString::fromStdString(IniPath()) + ".");
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(w.windowTitle(), "a.txt - Kwerdel RQ");
}

}  // namespace
}  // namespace krq::test
