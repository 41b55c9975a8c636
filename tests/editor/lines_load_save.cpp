// Loading bytes into lines and saving them back: line breaks, NUL rules, safe saving.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "common/TestHome.h"
#include "editor/model/TKrqEditModel.h"
#include "editor/model/TKrqEditStringList.h"
#include "platform/errors.h"

namespace krq {
namespace {

using test::MakeTempDir;
using test::ReadFile;
using test::WriteFile;

std::vector<std::string> LinesOf(const TKrqEditStringList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.emplace_back(list[i]);
    return out;
}

std::string SaveToString(const TKrqEditStringList& list, const std::string& dir) {
    std::string path = dir + "/out.txt";
    list.SaveLinesToFile(path);
    return ReadFile(path);
}

struct TCutCase {
    std::string bytes;
    std::vector<std::string> lines;
    TLineBreak lineBreak;
    std::string saved;
};

TEST(LinesLoad, CutsLinesAndChoosesTheConvention) {
    using S = std::string;
    const std::vector<TCutCase> cases = {
        {"", {}, TLineBreak::CRLF, ""},
        {"\r\n", {""}, TLineBreak::CRLF, "\r\n"},
        {"a\r\nb\r\n", {"a", "b"}, TLineBreak::CRLF, "a\r\nb\r\n"},
        {"a\nb", {"a", "b"}, TLineBreak::LF, "a\nb\n"},
        {"x\ry\r", {"x", "y"}, TLineBreak::CR, "x\ry\r"},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, TLineBreak::CRLF, "a\r\nb\r\nc\r\nd\r\n"},
        {"a\n\r", {"a", ""}, TLineBreak::CRLF, "a\r\n\r\n"},
        {"no break", {"no break"}, TLineBreak::CRLF, "no break\r\n"},
        {"\n\n", {"", ""}, TLineBreak::LF, "\n\n"},
        // NUL ends a line; right after a line break it is dropped without making a line.
        {S("ab\0cd", 5), {"ab", "cd"}, TLineBreak::CRLF, "ab\r\ncd\r\n"},
        {S("a\r\n\0b", 5), {"a", "b"}, TLineBreak::CRLF, "a\r\nb\r\n"},
        {S("a\n\0\0b", 5), {"a", "", "b"}, TLineBreak::LF, "a\n\nb\n"},
        {S("a\r\0b", 4), {"a", "b"}, TLineBreak::CR, "a\rb\r"},
        {S("\0", 1), {""}, TLineBreak::CRLF, "\r\n"},
        {S("a\0", 2), {"a"}, TLineBreak::CRLF, "a\r\n"},
        {S("\0\0", 2), {"", ""}, TLineBreak::CRLF, "\r\n\r\n"},
        {"  tab\t \r\n", {"  tab\t "}, TLineBreak::CRLF, "  tab\t \r\n"},
    };
    std::string dir = MakeTempDir("cut");
    for (const TCutCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        TKrqEditStringList list;
        list.LoadFromBytes(c.bytes);
        EXPECT_EQ(LinesOf(list), c.lines);
        EXPECT_EQ(list.LineBreak(), c.lineBreak);
        EXPECT_EQ(SaveToString(list, dir), c.saved);

        // The file reader and the in-memory reader agree.
        WriteFile(dir + "/in.txt", c.bytes);
        TKrqEditStringList fromFile;
        fromFile.LoadLinesFromFile(dir + "/in.txt");
        EXPECT_EQ(LinesOf(fromFile), c.lines);
        EXPECT_EQ(fromFile.LineBreak(), c.lineBreak);
    }
}

TEST(LinesLoad, LongInputsCutTheSameAcrossScanChunks) {
    // Breaks at every offset around the 16-byte scan chunks, compared with a plain cutter.
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.append(static_cast<size_t>(i % 37), static_cast<char>('a' + i % 26));
        static const char* breaks[] = {"\r\n", "\n", "\r", "\0", "\r\n\0", "\xF0\x80"};
        bytes.append(breaks[i % 6], i % 6 == 3 ? 1 : (i % 6 == 4 ? 3 : 2));
    }
    std::vector<std::string> expected;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c != '\r' && c != '\n' && c != '\0') {
            line += c;
            continue;
        }
        expected.push_back(line);
        line.clear();
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        if (c != '\0' && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
    }
    if (!line.empty()) expected.push_back(line);
    TKrqEditStringList list;
    list.LoadFromBytes(bytes);
    EXPECT_EQ(LinesOf(list), expected);
}

TEST(LinesLoad, BinaryBytesRoundTrip) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        unsigned char c = static_cast<unsigned char>(i * 7 + 3);
        if (c == '\r' || c == '\n' || c == 0) c = 0x80;
        bytes += static_cast<char>(c);
    }
    bytes += "\r\n";
    std::string dir = MakeTempDir("binary");
    WriteFile(dir + "/bin", bytes);
    TKrqEditStringList list;
    list.LoadLinesFromFile(dir + "/bin");
    ASSERT_EQ(list.Count(), 1);
    list.SaveLinesToFile(dir + "/bin");
    EXPECT_EQ(ReadFile(dir + "/bin"), bytes);
}

TEST(LinesLoad, UnreadableFileLeavesTheLines) {
    TKrqEditStringList list;
    list.LoadFromBytes("keep\nme\n");
    std::string dir = MakeTempDir("unreadable");
    try {
        list.LoadLinesFromFile(dir + "/missing.txt");
        FAIL() << "no error";
    } catch (const EKrqError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir + "/missing.txt");
    }
    EXPECT_THROW(list.LoadLinesFromFile(dir), EKrqError);  // a directory
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"keep", "me"}));
    EXPECT_EQ(list.LineBreak(), TLineBreak::LF);
}

TEST(LinesText, TextAndLinesTextUseCrLf) {
    TKrqEditStringList list;
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(list.LinesText(), "");
    list.LoadFromBytes("a\nb\n");
    EXPECT_EQ(list.Text(), "a\r\nb");
    EXPECT_EQ(list.LinesText(), "a\r\nb\r\n");
}

TEST(LinesEdit, ManyInsertsAndDeletesKeepOrder) {
    // Enough lines to spread over many blocks, edited at both ends and in the middle.
    TKrqEditStringList list;
    std::vector<std::string> ref;
    for (int i = 0; i < 5000; ++i) ref.push_back(std::to_string(i));
    list.Insert(0, ref);
    unsigned seed = 7;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int step = 0; step < 400; ++step) {
        int at = static_cast<int>(next() % (ref.size() + 1));
        if (next() % 2) {
            std::vector<std::string> add(next() % 3000, "x" + std::to_string(step));
            list.Insert(at, add);
            ref.insert(ref.begin() + at, add.begin(), add.end());
        } else if (!ref.empty()) {
            at = std::min(at, static_cast<int>(ref.size()) - 1);
            int n = static_cast<int>(next() % 4000) % (static_cast<int>(ref.size()) - at) + 1;
            list.Delete(at, n);
            ref.erase(ref.begin() + at, ref.begin() + at + n);
        }
        ASSERT_EQ(list.Count(), static_cast<int>(ref.size()));
    }
    EXPECT_EQ(LinesOf(list), ref);
}

TEST(LinesSave, ConventionSurvivesClearDocument) {
    std::string dir = MakeTempDir("convention");
    WriteFile(dir + "/lf.txt", "a\nb\n");
    TKrqEditModel model;
    model.LoadLinesFromFile(dir + "/lf.txt");
    model.ClearDocument();
    model.InsertText({1, 1}, "new\ntext");
    model.SaveLinesToFile(dir + "/new.txt");
    EXPECT_EQ(ReadFile(dir + "/new.txt"), "new\ntext\n");

    TKrqEditModel typed;
    typed.InsertText({1, 1}, "a");
    typed.SaveLinesToFile(dir + "/a.txt");
    EXPECT_EQ(ReadFile(dir + "/a.txt"), "a\r\n");
}

TEST(LinesSave, SymlinkSaveWritesTheTargetAndKeepsPermissions) {
    std::string dir = MakeTempDir("symlink");
    WriteFile(dir + "/target.txt", "old\n");
    ASSERT_EQ(chmod((dir + "/target.txt").c_str(), 0640), 0);
    ASSERT_EQ(symlink("target.txt", (dir + "/link.txt").c_str()), 0);
    TKrqEditStringList list;
    list.LoadFromBytes("new\n");
    list.SaveLinesToFile(dir + "/link.txt");
    struct stat st;
    ASSERT_EQ(lstat((dir + "/link.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadFile(dir + "/target.txt"), "new\n");
    ASSERT_EQ(stat((dir + "/target.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A dangling link creates its target.
    ASSERT_EQ(symlink("made.txt", (dir + "/dangling.txt").c_str()), 0);
    list.SaveLinesToFile(dir + "/dangling.txt");
    EXPECT_EQ(ReadFile(dir + "/made.txt"), "new\n");
}

TEST(LinesSave, FailedSaveKeepsTheOldFileAndReportsThePath) {
    std::string dir = MakeTempDir("failsave");
    TKrqEditStringList list;
    list.LoadFromBytes("x\n");
    try {
        list.SaveLinesToFile(dir + "/no/such/dir/f.txt");
        FAIL() << "no error";
    } catch (const EKrqError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir + "/no/such/dir/f.txt");
    }
    // Saving onto a directory fails and leaves no temporary file behind.
    ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0755), 0);
    EXPECT_THROW(list.SaveLinesToFile(dir + "/sub"), EKrqError);
    EXPECT_EQ(rmdir((dir + "/sub").c_str()), 0);
}

int EntriesIn(const std::string& dir) {
    int n = 0;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) n += e->d_name[0] != '.' || e->d_name[1] > '.';
        closedir(d);
    }
    return n;
}

TEST(LinesSave, WriteErrorKeepsTheOldFile) {
    // A file-size limit makes the write fail part way, even for root.
    std::string dir = MakeTempDir("writeerror");
    WriteFile(dir + "/f.txt", "old content\n");
    TKrqEditStringList list;
    list.LoadFromBytes(std::string(100000, 'n') + "\n");
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        list.SaveLinesToFile(dir + "/f.txt");
    } catch (const EKrqError&) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadFile(dir + "/f.txt"), "old content\n");
    EXPECT_EQ(EntriesIn(dir), 1);  // no temporary file left behind
}

TEST(LinesSave, ReadOnlyFileOrDirectory) {
    std::string dir = MakeTempDir("readonly");
    ASSERT_EQ(chmod(dir.c_str(), 0777), 0);
    WriteFile(dir + "/ro.txt", "old\n");
    ASSERT_EQ(chmod((dir + "/ro.txt").c_str(), 0444), 0);
    std::string locked = dir + "/locked";
    ASSERT_EQ(mkdir(locked.c_str(), 0755), 0);
    WriteFile(locked + "/f.txt", "old old old\n");
    ASSERT_EQ(chmod((locked + "/f.txt").c_str(), 0666), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);

    // Permission bits do not bind root, so the saves run as an ordinary user.
    EXPECT_TRUE(test::RunUnprivileged([&] {
        TKrqEditStringList list;
        list.LoadFromBytes("fresh\n");
        // A read-only file is not replaced, though its directory would allow a rename.
        EXPECT_THROW(list.SaveLinesToFile(dir + "/ro.txt"), EKrqError);
        // A writable file in a directory that takes no new file is rewritten in place.
        list.SaveLinesToFile(locked + "/f.txt");
        EXPECT_THROW(list.SaveLinesToFile(locked + "/new.txt"), EKrqError);
    }));
    EXPECT_EQ(ReadFile(dir + "/ro.txt"), "old\n");
    EXPECT_EQ(ReadFile(locked + "/f.txt"), "fresh\n");
    ASSERT_EQ(chmod(locked.c_str(), 0755), 0);
}

TEST(LinesLoad, SpecialFilesAreRefusedWithoutWaiting) {
    std::string dir = MakeTempDir("special");
    ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0666), 0);
    ASSERT_EQ(symlink("fifo", (dir + "/link").c_str()), 0);
    TKrqEditStringList list;
    list.LoadFromBytes("kept\n");
    for (std::string path : {dir + "/fifo", dir + "/link", std::string("/dev/zero")}) {
        try {
            list.LoadLinesFromFile(path);
            ADD_FAILURE() << path << " was read";
        } catch (const EKrqError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
        }
    }
    EXPECT_EQ(LinesOf(list), std::vector<std::string>{"kept"});
}

TEST(LinesSave, RootDoesNotReplaceAReadOnlyFile) {
    std::string dir = MakeTempDir("root-readonly");
    WriteFile(dir + "/ro.txt", "old\n");
    ASSERT_EQ(chmod((dir + "/ro.txt").c_str(), 0444), 0);
    TKrqEditStringList list;
    list.LoadFromBytes("fresh\n");
    try {
        list.SaveLinesToFile(dir + "/ro.txt");
        FAIL() << "the read-only file was replaced";
    } catch (const EKrqError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir + "/ro.txt");
    }
    EXPECT_EQ(ReadFile(dir + "/ro.txt"), "old\n");
    EXPECT_EQ(EntriesIn(dir), 1);
}

}  // namespace
}  // namespace krq
