// The close sequence: the modified prompt's branches, the save it may run and the geometry.
#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using CloseTest = MainWindowTest;

TEST_F(CloseTest, UnmodifiedDocumentClosesWithoutPromptAndWritesTheGeometry) {
    TfrmMain& w = Create();
    w.move(11, 22);
    w.resize(500, 300);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(w.TerminationRequested());
    TIniFile ini = Ini();
    EXPECT_FALSE(ini.ReadBool("View", "fullsize", true));
    EXPECT_EQ(ini.ReadInteger("View", "left", 0), 11);
    EXPECT_EQ(ini.ReadInteger("View", "top", 0), 22);
    EXPECT_EQ(ini.ReadInteger("View", "width", 0), 500);
    EXPECT_EQ(ini.ReadInteger("View", "height", 0), 300);
}

TEST_F(CloseTest, ModifiedUntitledDocumentStaysOnCancelAndIsSavedUnderANameOnYes) {
    TfrmMain& w = Create();
    Type("tekst");
    // Cancel: the window stays, nothing is written.
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              Utf("Tekst został zmieniony.\r\rCzy chcesz zapisać zmiany?"));
    EXPECT_EQ(dialogs.Messages[0].Caption, "Kwerdel RQ");
    EXPECT_EQ(dialogs.Messages[0].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Warning);
    // Yes, then Cancel in the save dialog: still open, still modified, nothing written.
    w.dlgFileSave.FileName = "left over";
    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.SaveAnswers = {""};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
    EXPECT_TRUE(dialogs.SaveRequests[0].FileName.isEmpty());
    EXPECT_TRUE(w.Modified());
    EXPECT_FALSE(w.TerminationRequested());
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    // Yes and a name: the text is saved, then the program ends.
    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.SaveAnswers = {QPath("saved.txt")};
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ReadFile(Path("saved.txt")), "tekst\r\n");
    EXPECT_FALSE(w.Modified());
    EXPECT_TRUE(std::filesystem::exists(IniPath()));
}

TEST_F(CloseTest, ModifiedUntitledDocumentAnsweredNoEndsWithoutSaving) {
    TfrmMain& w = Create();
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::No};
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.Modified());
    EXPECT_TRUE(dialogs.SaveRequests.empty());
    EXPECT_EQ(Ini().ReadInteger("View", "top", 0), 130);
}

TEST_F(CloseTest, ModifiedNamedDocumentStaysOnCancelAndIsSavedInPlaceOnYes) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "stary\r\n");
    Type("nowy ");
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(dialogs.Messages.back().Text,
              Utf("Tekst w pliku a.txt został zmieniony.\r\rCzy chcesz zapisać zmiany?"));
    EXPECT_EQ(ReadFile(Path("a.txt")), "stary\r\n");
    EXPECT_EQ(Ini().ReadString("View", "top", "none"), "none");

    dialogs.MessageAnswers = {TMsgResult::Yes};
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(dialogs.SaveRequests.empty());
    EXPECT_EQ(ReadFile(Path("a.txt")), "nowy stary\r\n");
    EXPECT_FALSE(w.Modified());
}

TEST_F(CloseTest, ModifiedNamedDocumentAnsweredNoLeavesTheFile) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "stary\r\n");
    Type("nowy ");
    dialogs.MessageAnswers = {TMsgResult::No};
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ReadFile(Path("a.txt")), "stary\r\n");
}

TEST_F(CloseTest, FailedSaveKeepsTheWindowOpenAndTheTextModified) {
    TfrmMain& w = Create();
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::Yes};
    dialogs.SaveAnswers = {QPath("no-such-dir/a.txt")};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, "Cannot create file " + QPath("no-such-dir/a.txt") + ".");
    EXPECT_EQ(dialogs.Messages[1].Icon, TMsgIcon::Stop);
    EXPECT_TRUE(w.Modified());
    EXPECT_FALSE(w.TerminationRequested());
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

// A settings file that cannot be written must not keep the user from quitting.
TEST_F(CloseTest, UnwritableSettingsAreReportedAndTheProgramEndsAnyway) {
    std::filesystem::create_directory(IniPath());
    TfrmMain& w = Create();
    EXPECT_TRUE(w.close());
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Unable to write to " + QString::fromStdString(IniPath()) + ".");
    EXPECT_TRUE(w.TerminationRequested());
}

TEST_F(CloseTest, ZakonczRunsTheSameCloseSequence) {
    TfrmMain& w = Create();
    w.show();
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::Cancel};
    w.mnsFileEnd->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    dialogs.MessageAnswers = {TMsgResult::No};
    w.mnsFileEnd->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.TerminationRequested());
}

TEST_F(CloseTest, MaximisedWindowWritesOnlyFullsize) {
    WriteFile(IniPath(), "[View]\r\ntop=7\r\n");
    TfrmMain& w = Create();
    w.setWindowState(Qt::WindowMaximized);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(Ini().ReadBool("View", "fullsize", false));
    EXPECT_EQ(Ini().ReadInteger("View", "top", 0), 7);
    EXPECT_EQ(Ini().ReadString("View", "width", "none"), "none");
}

}  // namespace
}  // namespace krq::test
