// The program directory: KRQ_HOME, a writable portable copy, or the user's seeded directory.
#include "platform/programdir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "common/TestHome.h"

using namespace krq;
namespace fs = std::filesystem;

namespace {

// Runs the body with KRQ_HOME unset and XDG_CONFIG_HOME pointing at `config`.
class WithoutKrqHome {
  public:
    explicit WithoutKrqHome(const std::string& config) : saved_(std::getenv("KRQ_HOME")) {
        unsetenv("KRQ_HOME");
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    ~WithoutKrqHome() {
        setenv("KRQ_HOME", saved_.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }

  private:
    std::string saved_;
};

// An installation under `prefix`: bin/ without data, share/kwerdel-rq/ with the shipped files.
std::string MakeInstallation(const std::string& prefix) {
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/share/kwerdel-rq/data");
    test::WriteFile(prefix + "/share/kwerdel-rq/data/proposal.dat", "div\r\n");
    test::WriteFile(prefix + "/share/kwerdel-rq/data/correct.dat", "teh;the\r\n");
    test::WriteFile(prefix + "/share/kwerdel-rq/data/extratext.dat", "snippet");
    test::WriteFile(prefix + "/share/kwerdel-rq/data/stdcode.ini", "[std]\r\n");
    test::WriteFile(prefix + "/share/kwerdel-rq/marks.ini", "[marks]\r\n");
    test::WriteFile(prefix + "/share/kwerdel-rq/readme.htm", "<html>");
    return prefix + "/bin";
}

}  // namespace

TEST(ProgramDir, KrqHomeHoldsEveryFileJoinedWithSlash) {
    EXPECT_EQ(ProgramDir(), test::TestHome());
    EXPECT_EQ(ProgramFile("data/proposal.dat"), test::TestHome() + "/data/proposal.dat");
    EXPECT_EQ(InstalledFile("readme.htm"), test::TestHome() + "/readme.htm");
    TProgramDirs dirs = LocateProgramDirs("/usr/bin");
    EXPECT_EQ(dirs.Kind, TProgramDirKind::Home);
    EXPECT_EQ(dirs.Program, test::TestHome());
}

TEST(ProgramDir, PortableCopyIsTheWritableExecutableDirectoryWithData) {
    std::string exe = test::MakeTempDir("portable");
    fs::create_directories(exe + "/data");
    WithoutKrqHome guard(test::MakeTempDir("portable-config"));
    TProgramDirs dirs = LocateProgramDirs(exe + "/");
    EXPECT_EQ(dirs.Kind, TProgramDirKind::Portable);
    EXPECT_EQ(dirs.Program, exe);
    EXPECT_EQ(dirs.Installed, exe);
    // The same copy on a directory the user may not write is not portable.
    ::chmod(exe.c_str(), 0555);
    EXPECT_TRUE(test::RunUnprivileged(
        [&] { EXPECT_EQ(LocateProgramDirs(exe).Kind, TProgramDirKind::User); }));
    ::chmod(exe.c_str(), 0755);
}

TEST(ProgramDir, InstalledCopySeedsTheUserDirectoryOnceAndReadsTheRestFromTheInstallation) {
    std::string bin = MakeInstallation(test::MakeTempDir("prefix"));
    std::string config = test::MakeTempDir("config");
    WithoutKrqHome guard(config);
    TProgramDirs dirs = LocateProgramDirs(bin);
    EXPECT_EQ(dirs.Kind, TProgramDirKind::User);
    EXPECT_EQ(dirs.Program, config + "/kwerdel-rq");
    EXPECT_EQ(dirs.Installed, fs::weakly_canonical(bin + "/../share/kwerdel-rq").string());
    ASSERT_FALSE(fs::exists(dirs.Program));

    ASSERT_TRUE(SeedProgramDir(dirs));
    EXPECT_EQ(test::ReadFile(dirs.Program + "/data/proposal.dat"), "div\r\n");
    EXPECT_EQ(test::ReadFile(dirs.Program + "/data/correct.dat"), "teh;the\r\n");
    EXPECT_EQ(test::ReadFile(dirs.Program + "/data/extratext.dat"), "snippet");
    EXPECT_EQ(test::ReadFile(dirs.Program + "/marks.ini"), "[marks]\r\n");
    // Read-only files are not copied, and krq.ini is left to the first write.
    EXPECT_FALSE(fs::exists(dirs.Program + "/data/stdcode.ini"));
    EXPECT_FALSE(fs::exists(dirs.Program + "/readme.htm"));
    EXPECT_FALSE(fs::exists(dirs.Program + "/krq.ini"));

    // A second start reuses the directory: the user's changes stay, a lost file comes back.
    test::WriteFile(dirs.Program + "/data/proposal.dat", "mine\r\n");
    test::WriteFile(dirs.Program + "/krq.ini", "[View]\r\n");
    fs::remove(dirs.Program + "/data/extratext.dat");
    ASSERT_TRUE(SeedProgramDir(LocateProgramDirs(bin)));
    EXPECT_EQ(test::ReadFile(dirs.Program + "/data/proposal.dat"), "mine\r\n");
    EXPECT_EQ(test::ReadFile(dirs.Program + "/krq.ini"), "[View]\r\n");
    EXPECT_EQ(test::ReadFile(dirs.Program + "/data/extratext.dat"), "snippet");
}

TEST(ProgramDir, UserDirectoryFollowsHomeWhenXdgConfigHomeIsUnsetOrRelative) {
    std::string home = test::MakeTempDir("userhome");
    WithoutKrqHome guard("relative/config");
    std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(LocateProgramDirs("/nonexistent/bin").Program, home + "/.config/kwerdel-rq");
    setenv("HOME", savedHome.c_str(), 1);
}
