// Document files: the save-changes guard, New, Open, Save, Save as, Save copy and drops.
#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using FilesTest = MainWindowTest;

// --- The guard before New ------------------------------------------------------------------

TEST_F(FilesTest, NewOnModifiedUntitledDocumentInEveryBranch) {
    TfrmMain& w = Create();
    Type("abc");
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    w.ctxFileNewExecute();
    EXPECT_EQ(Model().Text(), "abc");

    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.SaveAnswers = {""};
    w.ctxFileNewExecute();
    EXPECT_EQ(Model().Text(), "abc");
    EXPECT_TRUE(w.Modified());

    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.SaveAnswers = {QPath("kept.txt")};
    w.ctxFileNewExecute();
    EXPECT_EQ(ReadFile(Path("kept.txt")), "abc\r\n");
    EXPECT_EQ(Model().Text(), "");
    EXPECT_TRUE(w.Untitled());
    EXPECT_FALSE(w.Modified());
    EXPECT_TRUE(w.dlgFileSave.FileName.isEmpty());
    EXPECT_EQ(Panel(0), "Gotowy");
    EXPECT_EQ(w.windowTitle(), "Kwerdel RQ");

    Type("def");
    dialogs.MessageAnswers = {TMsgResult::No};
    w.ctxFileNewExecute();
    EXPECT_EQ(Model().Text(), "");
    EXPECT_EQ(dialogs.SaveRequests.size(), 2u);
}

TEST_F(FilesTest, NewOnModifiedNamedDocumentSavesUnderItsNameOnYes) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "a\n");
    Type("b");
    dialogs.MessageAnswers = {TMsgResult::Yes};
    w.ctxFileNewExecute();
    EXPECT_TRUE(dialogs.SaveRequests.empty());
    // Written back with the file's own line break.
    EXPECT_EQ(ReadFile(Path("a.txt")), "ba\n");
    EXPECT_TRUE(w.Untitled());
    EXPECT_EQ(dialogs.Messages[0].Text,
              Utf("Tekst w pliku a.txt został zmieniony.\r\rCzy chcesz zapisać zmiany?"));
}

TEST_F(FilesTest, FailedSaveInTheGuardKeepsTheDocument) {
    TfrmMain& w = Create();
    Type("abc");
    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.SaveAnswers = {QPath("missing-dir/x.txt")};
    w.RunCommand([&] { w.ctxFileNewExecute(); });
    EXPECT_EQ(Model().Text(), "abc");
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(dialogs.Messages.back().Text,
              "Cannot create file " + QPath("missing-dir/x.txt") + ".");
}

// --- Open
// ------------------------------------------------------------------------------------------

TEST_F(FilesTest, OpenPassesTheGuardThenTheDialogStartingAtTheCurrentName) {
    WriteFile(Path("b.txt"), "bbb");
    TfrmMain& w = Create();
    OpenFile("a.txt", "aaa");
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    w.ctxFileOpenExecute();
    EXPECT_TRUE(dialogs.OpenRequests.empty());

    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.OpenAnswers = {{QPath("b.txt")}};
    w.ctxFileOpenExecute();
    EXPECT_EQ(ReadFile(Path("a.txt")), "xaaa\r\n");
    ASSERT_EQ(dialogs.OpenRequests.size(), 1u);
    EXPECT_EQ(dialogs.OpenRequests[0].FileName, QPath("a.txt"));
    EXPECT_EQ(w.CurrentFileName(), QPath("b.txt"));
    EXPECT_EQ(Model().Text(), "bbb");
    EXPECT_EQ(w.windowTitle(), "b.txt - Kwerdel RQ");
    EXPECT_FALSE(w.Modified());
}

TEST_F(FilesTest, CancelledOpenDialogChangesNothing) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "aaa");
    dialogs.OpenAnswers = {{}};
    w.ctxFileOpenExecute();
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(w.windowTitle(), "a.txt - Kwerdel RQ");
    EXPECT_EQ(w.ivcMRUManager.Count(), 1);
}

// The old text must never end up under the name of a file that could not be read.
TEST_F(FilesTest, FailedOpenKeepsTheOldNameTextAndList) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "aaa");
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::No};
    dialogs.OpenAnswers = {{QPath("gone.txt")}};
    w.RunCommand([&] { w.ctxFileOpenExecute(); });
    EXPECT_EQ(dialogs.Messages.back().Text, "Cannot open file " + QPath("gone.txt") + ".");
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(Model().Text(), "xaaa");
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
    EXPECT_EQ(w.ivcMRUManager.Items(), QStringList{QPath("a.txt")});
}

TEST_F(FilesTest, DroppedFilesOpenOnlyWhenExactlyOne) {
    WriteFile(Path("a.txt"), "aaa");
    WriteFile(Path("b.txt"), "bbb");
    TfrmMain& w = Create();
    Type("x");
    emit w.mncKrqEdit->DropFiles(1, 1, {QPath("a.txt"), QPath("b.txt")});
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Model().Text(), "x");
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    emit w.mncKrqEdit->DropFiles(1, 1, {QPath("a.txt")});
    EXPECT_EQ(Model().Text(), "x");
    dialogs.MessageAnswers = {TMsgResult::No};
    emit w.mncKrqEdit->DropFiles(1, 1, {QPath("a.txt")});
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(Model().Text(), "aaa");
}

// --- Save, Save as, Save copy
// -----------------------------------------------------------------------

TEST_F(FilesTest, SaveIsEnabledAndCtrlSActsOnlyOnAModifiedNamedDocument) {
    TfrmMain& w = Create();
    Type("abc");
    // Modified but untitled: Ctrl+S does nothing, no dialog.
    PressShortcut("mnsFileSave");
    EXPECT_FALSE(w.mnsFileSave->isEnabled());
    EXPECT_FALSE(w.mnsFileSaveCopy->isEnabled());
    EXPECT_TRUE(dialogs.SaveRequests.empty());
    EXPECT_FALSE(w.mnsFileLastOpen->menuAction()->isEnabled());

    OpenFile("a.txt", "old\r\n");
    WriteFile(Path("a.txt"), "changed outside\r\n");
    // Named but unmodified: still nothing.
    PressShortcut("mnsFileSave");
    EXPECT_FALSE(w.mnsFileSave->isEnabled());
    EXPECT_TRUE(w.mnsFileSaveCopy->isEnabled());
    EXPECT_TRUE(w.mnsFileLastOpen->menuAction()->isEnabled());
    EXPECT_EQ(ReadFile(Path("a.txt")), "changed outside\r\n");

    Type("new ");
    PressShortcut("mnsFileSave");
    EXPECT_EQ(ReadFile(Path("a.txt")), "new old\r\n");
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(Panel(0), "Gotowy");
    EXPECT_EQ(w.windowTitle(), "a.txt - Kwerdel RQ");
}

TEST_F(FilesTest, ToolbarSaveRewritesANamedFileAndAsksForANameWhenUntitled) {
    TfrmMain& w = Create();
    Type("abc");
    dialogs.SaveAnswers = {""};
    w.btnFileSave->click();
    ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
    EXPECT_EQ(dialogs.SaveRequests[0].DefaultExt, "txt");

    OpenFile("a.txt", "old\r\n");
    WriteFile(Path("a.txt"), "changed outside\r\n");
    w.btnFileSave->click();
    EXPECT_EQ(ReadFile(Path("a.txt")), "old\r\n");
}

TEST_F(FilesTest, SaveAsRenamesTheDocumentButNotTheRecentList) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "abc\n");
    Type("x");
    dialogs.SaveAnswers = {QPath("b.txt")};
    w.mnsFileSaveAs->trigger();
    EXPECT_TRUE(dialogs.SaveRequests[0].FileName.isEmpty());
    EXPECT_EQ(ReadFile(Path("b.txt")), "xabc\n");
    EXPECT_EQ(w.CurrentFileName(), QPath("b.txt"));
    EXPECT_EQ(w.windowTitle(), "b.txt - Kwerdel RQ");
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(Panel(0), "Gotowy");
    EXPECT_TRUE(w.dlgFileSave.FileName.isEmpty());
    EXPECT_EQ(w.ivcMRUManager.Items(), QStringList{QPath("a.txt")});
}

TEST_F(FilesTest, SaveCopyWritesBesideTheFileAndNamesTheOriginal) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "abc\r\n");
    Type("x");
    w.mnsFileSaveCopy->trigger();
    EXPECT_EQ(ReadFile(Path("a_kopia.txt")), "xabc\r\n");
    EXPECT_EQ(ReadFile(Path("a.txt")), "abc\r\n");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, Utf("Zapisano kopię pliku a.txt."));
    EXPECT_EQ(dialogs.Messages[0].Caption, "Kwerdel RQ");
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::None);
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));

    OpenFile("noext", "n");
    w.ctxFileSaveCopyExecute();
    EXPECT_EQ(ReadFile(Path("noext_kopia")), "n\r\n");
}

TEST_F(FilesTest, SavingIntoAnUnwritableDirectoryKeepsTheOldFileAndTheModifiedText) {
    std::filesystem::create_directories(Path("ro"));
    TfrmMain& w = Create();
    OpenFile("ro/a.txt", "old\r\n");
    if (!MakeUnwritable(Path("ro/a.txt")) || !MakeUnwritable(Path("ro")))
        GTEST_SKIP() << "this system cannot make a directory unwritable for this user";
    Type("new ");
    w.RunCommand([&] { w.ctxFileSaveExecute(); });
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Cannot create file " + QPath("ro/a.txt") + ".");
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
    EXPECT_EQ(ReadFile(Path("ro/a.txt")), "old\r\n");
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");

    // Save as into the same directory fails the same way and keeps the document's name.
    dialogs.SaveAnswers = {QPath("ro/b.txt")};
    w.RunCommand([&] { w.ctxFileSaveAsExecute(); });
    EXPECT_EQ(dialogs.Messages.back().Text, "Cannot create file " + QPath("ro/b.txt") + ".");
    EXPECT_EQ(w.CurrentFileName(), QPath("ro/a.txt"));
    EXPECT_FALSE(std::filesystem::exists(Path("ro/b.txt")));

    // Save copy shows no confirmation.
    w.RunCommand([&] { w.ctxFileSaveCopyExecute(); });
    EXPECT_TRUE(dialogs.Messages.back().Text.startsWith("Cannot create file "));
}

}  // namespace
}  // namespace krq::test
