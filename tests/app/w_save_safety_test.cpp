// Saving and opening through the window where the user's files are at risk: full disks,
// directories that take no new file, read-only files, FIFOs.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "app/MainWindowFixture.h"
#include "platform/files/filewriter.h"

namespace krq::test {
namespace {

class SaveSafetyTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // A cache directory of the test's own, so copies of old contents can be counted.
        std::string cache = home + "/cache";
        ::mkdir(cache.c_str(), 0777);
        ::chmod(cache.c_str(), 0777);
        setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        recovery = cache + "/kwerdel-rq";
    }

    void TearDown() override {
        SetWriteFaultsForTests({});
        MainWindowTest::TearDown();
        setenv("XDG_CACHE_HOME", (TestHome() + "/cache").c_str(), 1);
    }

    static std::vector<std::string> Entries(const std::string& dir) {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A folder of "nobody" holding `name` (also nobody's), which takes no new file.
    std::string LockedFolder(const std::string& folder, const std::string& name,
                             const std::string& bytes) {
        std::string dir = Path(folder);
        std::filesystem::create_directories(dir);
        WriteFile(dir + "/" + name, bytes);
        EXPECT_EQ(::chown((dir + "/" + name).c_str(), 65534, 65534), 0);
        EXPECT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
        EXPECT_EQ(::chmod(dir.c_str(), 0555), 0);
        return dir;
    }

    std::string recovery;
};

TEST_F(SaveSafetyTest, RootCannotReplaceAReadOnlyFileWithCtrlSOrTheToolbar) {
    TfrmMain& w = Create();
    OpenFile("ro.txt", "old\r\n");
    ASSERT_EQ(::chmod(Path("ro.txt").c_str(), 0444), 0);
    Type("new ");
    PressShortcut("mnsFileSave");
    w.btnFileSave->click();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    for (const auto& message : dialogs.Messages) {
        EXPECT_EQ(message.Text, "Cannot create file " + QPath("ro.txt") + ".");
        EXPECT_EQ(message.Icon, TMsgIcon::Stop);
    }
    EXPECT_EQ(ReadFile(Path("ro.txt")), "old\r\n");
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
}

TEST_F(SaveSafetyTest, SavingInAFolderThatTakesNoNewFileRewritesTheFileInPlace) {
    TfrmMain& w = Create();
    std::string dir = LockedFolder("locked", "a.txt", "old text\r\n");
    w.prcFileOpen(QString::fromStdString(dir + "/a.txt"));
    Type("new ");
    // Root ignores the folder's permissions, so the user saves in a child process.
    EXPECT_TRUE(RunUnprivileged([&] {
        PressShortcut("mnsFileSave");
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_FALSE(w.Modified());
        EXPECT_EQ(Panel(0), "Gotowy");
        EXPECT_EQ(ReadFile(dir + "/a.txt"), "new old text\r\n");
    }));
    EXPECT_EQ(ReadFile(dir + "/a.txt"), "new old text\r\n");
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"a.txt"});
    // The copy of the old contents is gone once the save has completed.
    EXPECT_TRUE(Entries(recovery).empty());
}

TEST_F(SaveSafetyTest, ASaveFailingHalfWayNamesTheCopyOfTheOldText) {
    TfrmMain& w = Create();
    const std::string old = std::string(20000, 'o') + "\r\n";
    OpenFile("a.txt", old);
    Type(std::string(30000, 'n'));
    // The folder refuses the temporary file, and the rewrite in place breaks off part way.
    SetWriteFaultsForTests({EACCES, 12345});
    PressShortcut("mnsFileSave");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    const QString prefix =
        "Cannot create file " + QPath("a.txt") + ". The old contents are kept in ";
    const QString text = dialogs.Messages[0].Text;
    ASSERT_TRUE(text.startsWith(prefix)) << text.toStdString();
    ASSERT_TRUE(text.endsWith('.'));
    const std::string copy = text.mid(prefix.size()).chopped(1).toStdString();
    EXPECT_EQ(Entries(recovery).size(), 1u);
    EXPECT_EQ(ReadFile(copy), old);
    EXPECT_EQ(ReadFile(Path("a.txt")), old);
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
}

std::string KindName(const testing::TestParamInfo<TFullDisk::TKind>& info) {
    return info.param == TFullDisk::TKind::Tmpfs ? "Tmpfs" : "FileSizeLimit";
}

class SaveOnFullDisk : public SaveSafetyTest,
                       public testing::WithParamInterface<TFullDisk::TKind> {};

TEST_P(SaveOnFullDisk, TheOldFileAndTheModifiedDocumentStayOnBothPaths) {
    TFullDisk disk("window-" + KindName({GetParam(), 0}), GetParam(), 64 * 1024);
    const std::string old = std::string(8000, 'o') + "\r\n";
    std::string open = disk.Dir() + "/open", locked = disk.Dir() + "/locked";
    for (const std::string& dir : {open, locked}) {
        ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
        WriteFile(dir + "/doc.txt", old);
        ASSERT_EQ(::chown((dir + "/doc.txt").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    TfrmMain& w = Create();
    for (const std::string& dir : {open, locked}) {
        const QString doc = QString::fromStdString(dir + "/doc.txt");
        w.prcFileOpen(doc);
        Type(std::string(256 * 1024, 'n'));
        EXPECT_TRUE(disk.Run(
            [&] {
                PressShortcut("mnsFileSave");
                ASSERT_EQ(dialogs.Messages.size(), 1u);
                EXPECT_EQ(dialogs.Messages[0].Text, "Cannot create file " + doc + ".");
                EXPECT_TRUE(w.Modified());
                EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
            },
            true));
        EXPECT_EQ(ReadFile(dir + "/doc.txt"), old) << dir;
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.txt"}) << dir;
    }
    EXPECT_TRUE(Entries(recovery).empty());
}

INSTANTIATE_TEST_SUITE_P(Disks, SaveOnFullDisk,
                         testing::Values(TFullDisk::TKind::Tmpfs, TFullDisk::TKind::FileSizeLimit),
                         KindName);

TEST_F(SaveSafetyTest, AFifoIsRefusedByOpenDropAndCommandLineWithoutWaiting) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0666), 0);
    const QString refused = "Cannot open file " + QPath("fifo") + ".";
    TfrmMain& w = Create({QPath("fifo")});
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, refused);
    EXPECT_TRUE(w.Untitled());

    OpenFile("a.txt", "aaa\r\n");
    dialogs.OpenAnswers = {{QPath("fifo")}};
    PressShortcut("mnsFileOpen");
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, refused);
    emit w.mncKrqEdit->DropFiles(1, 1, {QPath("fifo")});
    ASSERT_EQ(dialogs.Messages.size(), 3u);
    EXPECT_EQ(dialogs.Messages[2].Text, refused);
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(Model().Text(), "aaa");
    EXPECT_EQ(w.ivcMRUManager.Items(), QStringList{QPath("a.txt")});
}

}  // namespace
}  // namespace krq::test
