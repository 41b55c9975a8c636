// The INI facility: the Windows profile rules, and writes that never damage the file.
#include "platform/files/inifile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "common/TestHome.h"
#include "platform/errors.h"

using namespace krq;
using test::ReadFile;
using test::WriteFile;

namespace {

// Each test has its own file, also when the whole suite runs in one process.
std::string IniPath(const std::string& name = "") {
    if (!name.empty()) return test::TestHome() + "/" + name;
    return test::TestHome() + "/" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
}

}  // namespace

TEST(IniRead, MissingFileSectionOrKeyGivesTheDefault) {
    TIniFile ini(IniPath("none.ini"));
    EXPECT_EQ(ini.ReadString("View", "font-type", "FixedSys"), "FixedSys");
    EXPECT_EQ(ini.ReadInteger("View", "top", 130), 130);
    EXPECT_TRUE(ini.ReadBool("View", "statusbar", true));
    WriteFile(IniPath(), "[View]\r\ntop=5\r\n");
    TIniFile present(IniPath());
    EXPECT_EQ(present.ReadInteger("Edit", "top", 7), 7);
    EXPECT_EQ(present.ReadInteger("View", "left", 149), 149);
    EXPECT_FALSE(std::filesystem::exists(IniPath("none.ini")));
}

TEST(IniRead, NamesAreCaseInsensitiveAndOddSpacingIsTolerated) {
    WriteFile(IniPath(),
              "  [ VIEW ]  \r\n  StatusBar   =   0   \r\nfont-type=\t\"Courier New\" \r\n"
              "[Ścieżki]\r\nŻÓŁW=1\r\n");
    TIniFile ini(IniPath());
    EXPECT_FALSE(ini.ReadBool("View", "statusbar", true));
    EXPECT_EQ(ini.ReadString("view", "FONT-TYPE", ""), "Courier New");
    // Polish names compare through the code page's case pairs.
    EXPECT_EQ(ini.ReadInteger("\x9C"
                              "cie\xBFki",
                              "\xBF\xF3\xB3w", 0),
              0);
    WriteFile(IniPath(),
              "[\x8C"
              "cie\xAFki]\r\n\xAF\xD3\xA3W=1\r\n");
    EXPECT_EQ(ini.ReadInteger("\x9C"
                              "cie\xBFki",
                              "\xBF\xF3\xB3w", 0),
              1);
}

TEST(IniRead, OnePairOfEnclosingQuotesIsStripped) {
    WriteFile(IniPath(),
              "[a]\nd=\"x y\"\ns='q'\nboth=\"'z'\"\nodd=\"half\nmixed=\"a'\nin=a\"b\"\n"
              "empty=\"\"\n");
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("a", "d", ""), "x y");
    EXPECT_EQ(ini.ReadString("a", "s", ""), "q");
    EXPECT_EQ(ini.ReadString("a", "both", ""), "'z'");
    EXPECT_EQ(ini.ReadString("a", "odd", ""), "\"half");
    EXPECT_EQ(ini.ReadString("a", "mixed", ""), "\"a'");
    EXPECT_EQ(ini.ReadString("a", "in", ""), "a\"b\"");
    EXPECT_EQ(ini.ReadString("a", "empty", "def"), "");
}

TEST(IniRead, ValuesAreCutAt2047Characters) {
    std::string longValue(5000, 'x');
    longValue[2046] = 'E';
    WriteFile(IniPath(), "[a]\r\nk=" + longValue + "\r\n");
    auto value = TIniFile(IniPath()).ReadString("a", "k", "");
    EXPECT_EQ(value.size(), 2047u);
    EXPECT_EQ(value.back(), 'E');
}

TEST(IniRead, NumbersAreSignedDecimalOrHexAndAnythingElseKeepsTheDefault) {
    WriteFile(IniPath(),
              "[n]\ndec=-2147483647\nhex=0x1\nhexup=0X1f\ndollar=$FF\nall=0xFFFFFFFF\n"
              "yes=yes\nshort=0x\ntail=12abc\nspaced=  42  \nbig=2147483648\n"
              "min=-2147483648\nempty=\nplus=+5\nneg=-0x10\n");
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadInteger("n", "dec", 0), -2147483647);
    EXPECT_EQ(ini.ReadInteger("n", "hex", 0), 1);
    EXPECT_EQ(ini.ReadInteger("n", "HEXUP", 0), 31);
    EXPECT_EQ(ini.ReadInteger("n", "dollar", 0), 255);
    EXPECT_EQ(ini.ReadInteger("n", "all", 0), -1);
    EXPECT_EQ(ini.ReadInteger("n", "yes", 9), 9);
    EXPECT_EQ(ini.ReadInteger("n", "short", 9), 9);
    EXPECT_EQ(ini.ReadInteger("n", "tail", 9), 9);
    EXPECT_EQ(ini.ReadInteger("n", "spaced", 9), 42);
    EXPECT_EQ(ini.ReadInteger("n", "big", 9), 9);
    EXPECT_EQ(ini.ReadInteger("n", "min", 9), -2147483647 - 1);
    EXPECT_EQ(ini.ReadInteger("n", "empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("n", "plus", 9), 5);
    EXPECT_EQ(ini.ReadInteger("n", "neg", 9), -16);
    // Booleans: any number but 0 is true; text that is no number keeps the default.
    WriteFile(IniPath(), "[View]\nwordwrap=0x1\ngutter=yes\ntoolbar=0\nstatusbar=-3\n");
    EXPECT_TRUE(ini.ReadBool("View", "wordwrap", false));
    EXPECT_FALSE(ini.ReadBool("View", "gutter", false));
    EXPECT_FALSE(ini.ReadBool("View", "toolbar", true));
    EXPECT_TRUE(ini.ReadBool("View", "statusbar", false));
}

TEST(IniRead, TheFirstOfDuplicateSectionsAndKeysWins) {
    WriteFile(IniPath(), "[s]\nk=1\nk=2\n[t]\nk=3\n[S]\nk=4\nonly=5\n");
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("s", "only", 0), 0);
    ini.WriteInteger("S", "K", 9);
    EXPECT_EQ(ReadFile(IniPath()), "[s]\nk=9\nk=2\n[t]\nk=3\n[S]\nk=4\nonly=5\n");
}

TEST(IniWrite, CreatesFileSectionAndKeyWithTypedValues) {
    TIniFile ini(IniPath());
    ini.WriteBool("View", "fullsize", true);
    ini.WriteBool("View", "toolbar", false);
    ini.WriteInteger("Colors", "4", -2147483647);
    ini.WriteString("code", "mark", "C++");
    EXPECT_EQ(
        ReadFile(IniPath()),
        "[View]\r\nfullsize=1\r\ntoolbar=0\r\n[Colors]\r\n4=-2147483647\r\n[code]\r\nmark=C++\r\n");
    EXPECT_EQ(ini.ReadInteger("colors", "4", 0), -2147483647);
    // "view" and "View" address the same entry.
    ini.WriteBool("view", "TOOLBAR", true);
    EXPECT_TRUE(ini.ReadBool("View", "toolbar", false));
}

TEST(IniWrite, KeepsEveryOtherLineExactlyAsItWas) {
    const std::string before =
        "; written by hand\n[View]\n  top = 5 \ngarbage line\n\n[Files]\n0=\"/a b.txt\"\n\n"
        "[Edit]\r\nindent=1";
    WriteFile(IniPath(), before);
    TIniFile ini(IniPath());
    ini.WriteInteger("View", "left", 3);
    EXPECT_EQ(ReadFile(IniPath()),
              "; written by hand\n[View]\n  top = 5 \ngarbage line\nleft=3\n\n[Files]\n"
              "0=\"/a b.txt\"\n\n[Edit]\r\nindent=1");
    ini.WriteInteger("Edit", "correct", 0);
    EXPECT_EQ(ReadFile(IniPath()),
              "; written by hand\n[View]\n  top = 5 \ngarbage line\nleft=3\n\n[Files]\n"
              "0=\"/a b.txt\"\n\n[Edit]\r\nindent=1\r\ncorrect=0\r\n");
    ini.WriteInteger("View", "top", 6);
    EXPECT_EQ(ini.ReadInteger("View", "top", 0), 6);
    EXPECT_NE(ReadFile(IniPath()).find("\ntop=6\ngarbage line\n"), std::string::npos);
}

TEST(IniWrite, EraseSectionAndDeleteKeyRemoveOnlyTheirLinesAndCreateNoFile) {
    WriteFile(IniPath(), "[View]\r\na=1\r\n[Files]\r\n0=x\r\n1=y\r\n[Edit]\r\nb=2\r\n");
    TIniFile ini(IniPath());
    ini.DeleteKey("files", "0");
    EXPECT_EQ(ReadFile(IniPath()), "[View]\r\na=1\r\n[Files]\r\n1=y\r\n[Edit]\r\nb=2\r\n");
    ini.EraseSection("FILES");
    EXPECT_EQ(ReadFile(IniPath()), "[View]\r\na=1\r\n[Edit]\r\nb=2\r\n");
    ini.EraseSection("missing");
    ini.DeleteKey("View", "missing");
    EXPECT_EQ(ReadFile(IniPath()), "[View]\r\na=1\r\n[Edit]\r\nb=2\r\n");
    TIniFile absent(IniPath("absent.ini"));
    absent.EraseSection("View");
    EXPECT_FALSE(std::filesystem::exists(IniPath("absent.ini")));
}

TEST(IniWrite, NothingIsCachedBetweenOperations) {
    TIniFile a(IniPath()), b(IniPath());
    a.WriteInteger("s", "k", 1);
    EXPECT_EQ(b.ReadInteger("s", "k", 0), 1);
    WriteFile(IniPath(), "[s]\nk=2\n");
    EXPECT_EQ(a.ReadInteger("s", "k", 0), 2);
}

TEST(IniWrite, AValueCannotBreakItsLine) {
    TIniFile ini(IniPath());
    ini.WriteString("Files", "0", "/tmp/a\nb\r.txt");
    ini.WriteString("Files", "1", "next");
    EXPECT_EQ(ini.ReadString("Files", "0", ""), "/tmp/ab.txt");
    EXPECT_EQ(ini.ReadString("Files", "1", ""), "next");
}

TEST(IniWrite, ReplacesAtomicallyKeepingPermissionsAndLinks) {
    auto dir = test::MakeTempDir("atomic");
    auto real = dir + "/real.ini";
    WriteFile(real, "[a]\nk=1\n");
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.ini", dir + "/link.ini");
    TIniFile(dir + "/link.ini").WriteInteger("a", "k", 2);
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "/link.ini"));
    EXPECT_EQ(ReadFile(real), "[a]\nk=2\n");
    struct stat st;
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 2);
}

TEST(IniWrite, ARefusedWriteRaisesUnableToWriteAndKeepsTheOldFile) {
    auto dir = test::MakeTempDir("readonly");
    auto path = dir + "/krq.ini";
    WriteFile(path, "[View]\r\ntop=5\r\n");
    chmod(path.c_str(), 0644);
    chmod(dir.c_str(), 0555);
    // Root ignores directory permissions, so the write is tried as an ordinary user.
    EXPECT_TRUE(test::RunUnprivileged([&] {
        try {
            TIniFile(path).WriteInteger("View", "top", 6);
            ADD_FAILURE() << "the write succeeded";
        } catch (const EKrqError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
        }
    }));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(ReadFile(path), "[View]\r\ntop=5\r\n");
}

TEST(IniWrite, AMissingDirectoryIsAWriteFailureToo) {
    auto path = test::TestHome() + "/no/such/dir/krq.ini";
    try {
        TIniFile(path).WriteBool("View", "gutter", true);
        FAIL() << "the write succeeded";
    } catch (const EKrqError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
    }
}

TEST(IniWrite, SeveralValuesAreWrittenInOneRewriteInTheirOrder) {
    WriteFile(IniPath(), "[hgr_Html]\r\nKomentarz_F=1\r\n");
    TIniFile ini(IniPath());
    ini.WriteValues({{"hgr_Html", "Komentarz_F", "2"},
                     {"hgr_Html", "Komentarz_B", "536870911"},
                     {"hgr_Css", "Numer_S", "1"}});
    EXPECT_EQ(ReadFile(IniPath()),
              "[hgr_Html]\r\nKomentarz_F=2\r\nKomentarz_B=536870911\r\n[hgr_Css]\r\nNumer_S=1\r\n");
}

TEST(IniWrite, ReplaceSectionRewritesItWhole) {
    WriteFile(IniPath(), "[Files]\r\nItem_0=a\r\nItem_1=b\r\n[View]\r\ntop=1\r\n");
    TIniFile ini(IniPath());
    ini.ReplaceSection("files", {{"", "Item_0", "c"}});
    EXPECT_EQ(ReadFile(IniPath()), "[View]\r\ntop=1\r\n[files]\r\nItem_0=c\r\n");
    EXPECT_EQ(ini.ReadString("Files", "Item_1", "none"), "none");
}

// A settings file as a user's program directory holds it after some use.
const std::string kUsedSettings =
    "[View]\r\nfullsize=0\r\ntop=12\r\nleft=40\r\nheight=700\r\nwidth=1000\r\n"
    "[Edit]\r\nautomark=0\r\n[Colors]\r\n1=16777215\r\n"
    "[Files]\r\nItem_0=/home/ala/a.txt\r\nItem_1=/home/ala/b.txt\r\n[code]\r\nmark=HTML\r\n";

TEST(IniWrite, AFileThatCannotBeReadIsNeverRebuiltFromNothing) {
    auto dir = test::MakeTempDir("unreadable");
    ::chmod(dir.c_str(), 0777);  // the directory would take the new file
    auto path = dir + "/krq.ini";
    WriteFile(path, kUsedSettings);
    ::chmod(path.c_str(), 0);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        TIniFile ini(path);
        // Reading gives the defaults, as for a missing file ...
        EXPECT_EQ(ini.ReadInteger("View", "width", 609), 609);
        // ... but no write may replace what could not be read.
        const std::string refused = "Unable to write to " + path;
        auto expectRefused = [&](const std::function<void()>& write) {
            try {
                write();
                ADD_FAILURE() << "the write succeeded";
            } catch (const EKrqError& e) {
                EXPECT_EQ(std::string(e.what()), refused);
            }
        };
        expectRefused([&] { ini.WriteInteger("View", "width", 609); });
        expectRefused([&] { ini.WriteValues({{"hgr_Html", "Tag_F", "1"}}); });
        expectRefused([&] { ini.ReplaceSection("Files", {{"", "Item_0", "/c.txt"}}); });
        expectRefused([&] { ini.EraseSection("Files"); });
        expectRefused([&] { ini.DeleteKey("code", "mark"); });
    }));
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(ReadFile(path), kUsedSettings);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST(IniWrite, ASpecialOrReadOnlyFileIsNotReplaced) {
    auto dir = test::MakeTempDir("special-ini");
    // A FIFO in the settings file's place is neither waited for nor replaced.
    ASSERT_EQ(::mkfifo((dir + "/fifo.ini").c_str(), 0666), 0);
    TIniFile fifo(dir + "/fifo.ini");
    EXPECT_EQ(fifo.ReadString("View", "top", "130"), "130");
    EXPECT_THROW(fifo.WriteInteger("View", "top", 1), EKrqError);
    EXPECT_TRUE(std::filesystem::is_fifo(dir + "/fifo.ini"));
    // The owner-write bit decides, also for root.
    WriteFile(dir + "/ro.ini", kUsedSettings);
    ::chmod((dir + "/ro.ini").c_str(), 0444);
    TIniFile readOnly(dir + "/ro.ini");
    EXPECT_EQ(readOnly.ReadInteger("View", "width", 0), 1000);
    EXPECT_THROW(readOnly.WriteInteger("View", "width", 609), EKrqError);
    EXPECT_EQ(ReadFile(dir + "/ro.ini"), kUsedSettings);
}

TEST(IniRead, AnAccessorParsesTheFileOnceWhateverItReads) {
    std::string big = kUsedSettings;
    for (int i = 0; i < 2000; ++i)
        big += "[s" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    WriteFile(IniPath(), big);
    const uint64_t before = TIniFile::ParseCount();
    {
        TIniFile ini(IniPath());
        for (int i = 0; i < 2000; ++i)
            EXPECT_EQ(ini.ReadInteger("S" + std::to_string(i), "K", -1), i);
        EXPECT_EQ(ini.ReadString("code", "mark", ""), "HTML");
        // Its own writes keep the lines it holds ...
        ini.WriteInteger("View", "width", 800);
        ini.WriteValues({{"s7", "k", "70"}, {"new", "x", "1"}});
        EXPECT_EQ(ini.ReadInteger("view", "WIDTH", 0), 800);
        EXPECT_EQ(ini.ReadInteger("s7", "k", 0), 70);
        EXPECT_EQ(TIniFile::ParseCount() - before, 1u);
        // ... and a change made by anyone else is seen at the next call.
        TIniFile(IniPath()).WriteInteger("View", "width", 900);
        EXPECT_EQ(ini.ReadInteger("View", "width", 0), 900);
        EXPECT_EQ(TIniFile::ParseCount() - before, 3u);
    }
    // Nothing outlives an accessor: the next use reads the file anew.
    EXPECT_EQ(TIniFile(IniPath()).ReadInteger("s7", "k", 0), 70);
    EXPECT_EQ(TIniFile::ParseCount() - before, 4u);
    // The rewrites kept every other line as it was.
    std::string expected = big;
    expected.replace(expected.find("width=1000"), 10, "width=900");
    expected.replace(expected.find("[s7]\r\nk=7\r\n"), 11, "[s7]\r\nk=70\r\n");
    EXPECT_EQ(ReadFile(IniPath()), expected + "[new]\r\nx=1\r\n");
}
