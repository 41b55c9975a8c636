// Saving whole files: atomic replacement, the guarded rewrite in place, full disks, files that
// must not be written.
#include "platform/files/filewriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/TestHome.h"
#include "platform/errors.h"

namespace krq {
namespace {

using test::MakeTempDir;
using test::ReadFile;
using test::TFullDisk;
using test::WriteFile;

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Failure(const std::function<void()>& action) {
    try {
        action();
    } catch (const EKrqError& e) {
        return e.what();
    }
    return "no error";
}

const TWriteOptions kDocument{TWriteMessage::CannotCreate, true};

// Every test gets a cache directory of its own, reachable by "nobody" too.
std::string UseOwnCache(const std::string& name) {
    std::string cache = MakeTempDir("cache-" + name);
    ::chmod(cache.c_str(), 0777);
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    return cache + "/kwerdel-rq";
}

// A directory owned by "nobody" holding `file` (also nobody's), which takes no new file.
std::string LockedDirectory(const std::string& name, const std::string& contents) {
    std::string dir = MakeTempDir(name);
    std::string path = dir + "/doc.txt";
    WriteFile(path, contents);
    EXPECT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
    EXPECT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    EXPECT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(::chmod(dir.c_str(), 0555), 0);
    return path;
}

TEST(WriteFile, ReplacesAtomicallyKeepingOwnerGroupAndMode) {
    std::string dir = MakeTempDir("owner");
    std::string path = dir + "/f.txt";
    WriteFile(path, "old");
    // Root saving another user's file must not take it over.
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    WriteFileSafely(path, "new contents");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(path), "new contents");
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"f.txt"});

    // A file name near the system's limit still leaves room for the temporary file's suffix.
    std::string longName = dir + "/" + std::string(250, 'n');
    WriteFile(longName, "old");
    WriteFileSafely(longName, "new", kDocument);
    EXPECT_EQ(ReadFile(longName), "new");
    EXPECT_EQ(Entries(dir).size(), 2u);
}

TEST(WriteFile, TheOwnerWriteBitDecidesAlsoForRoot) {
    std::string dir = MakeTempDir("readonly");
    std::string path = dir + "/ro.txt";
    WriteFile(path, "keep");
    std::filesystem::create_symlink("ro.txt", dir + "/link.txt");
    for (mode_t mode : {0444, 0577}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_EQ(Failure([&] { WriteFileSafely(path, "x", kDocument); }),
                  "Cannot create file " + path);
        EXPECT_EQ(Failure([&] { WriteFileSafely(dir + "/link.txt", "x"); }),
                  "Cannot create file " + dir + "/link.txt");
        EXPECT_EQ(Failure([&] {
                      WriteFileSafely(path, "x", {TWriteMessage::UnableToWrite, false});
                  }),
                  "Unable to write to " + path);
    }
    EXPECT_EQ(ReadFile(path), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "/link.txt"));
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"link.txt", "ro.txt"}));
}

TEST(WriteFile, NothingButARegularFileIsWritten) {
    std::string dir = MakeTempDir("special");
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0666), 0);
    ASSERT_EQ(::mkdir((dir + "/sub").c_str(), 0777), 0);
    // A FIFO without a reader would keep an open for writing waiting.
    EXPECT_EQ(Failure([&] { WriteFileSafely(dir + "/fifo", "x", kDocument); }),
              "Cannot create file " + dir + "/fifo");
    EXPECT_EQ(Failure([&] { WriteFileSafely(dir + "/sub", "x", kDocument); }),
              "Cannot create file " + dir + "/sub");
    EXPECT_EQ(Failure([&] { WriteFileSafely(dir + "/no/such/f.txt", "x", kDocument); }),
              "Cannot create file " + dir + "/no/such/f.txt");
    EXPECT_TRUE(std::filesystem::is_fifo(dir + "/fifo"));
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"fifo", "sub"}));
}

TEST(WriteFile, OnlyADirectoryRefusingNewFilesLeadsToARewriteInPlace) {
    std::string recovery = UseOwnCache("fallback-rule");
    std::string dir = MakeTempDir("fallback-rule");
    std::string path = dir + "/doc.txt";
    for (int error : {ENOSPC, EIO, EMFILE, EDQUOT, ENAMETOOLONG}) {
        WriteFile(path, "old text");
        SetWriteFaultsForTests({error, -1});
        EXPECT_EQ(Failure([&] { WriteFileSafely(path, "new", kDocument); }),
                  "Cannot create file " + path)
            << error;
        EXPECT_EQ(ReadFile(path), "old text") << error;
    }
    for (int error : {EACCES, EPERM, EROFS}) {
        WriteFile(path, "old text");
        SetWriteFaultsForTests({error, -1});
        WriteFileSafely(path, "new", kDocument);
        EXPECT_EQ(ReadFile(path), "new") << error;
        // Settings and data files are never rewritten in place.
        SetWriteFaultsForTests({error, -1});
        EXPECT_THROW(WriteFileSafely(path, "other"), EKrqError);
        EXPECT_EQ(ReadFile(path), "new");
    }
    // A file that does not exist yet cannot be rewritten in place either.
    SetWriteFaultsForTests({EACCES, -1});
    EXPECT_THROW(WriteFileSafely(dir + "/new.txt", "x", kDocument), EKrqError);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.txt"});
    EXPECT_TRUE(Entries(recovery).empty());
}

TEST(WriteFile, ADirectoryThatTakesNoNewFileIsRewrittenInPlace) {
    std::string recovery = UseOwnCache("inplace");
    std::string path = LockedDirectory("inplace", "old old old old\n");
    // Permission bits do not bind root, so the saves run as an ordinary user.
    EXPECT_TRUE(test::RunUnprivileged([&] {
        ASSERT_NE(::access(path.c_str(), W_OK), -1);
        WriteFileSafely(path, "shorter\n", kDocument);
        EXPECT_EQ(ReadFile(path), "shorter\n");
        WriteFileSafely(path, std::string(100000, 'l'), kDocument);
        EXPECT_EQ(ReadFile(path), std::string(100000, 'l'));
        EXPECT_THROW(WriteFileSafely(path, "x"), EKrqError);
    }));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(path.substr(0, path.rfind('/'))), std::vector<std::string>{"doc.txt"});
    // The copy of the old contents is gone once the new ones are on disk.
    EXPECT_TRUE(Entries(recovery).empty());
}

TEST(WriteFile, ARewriteFailingHalfWayNamesTheCopyOfTheOldContents) {
    std::string recovery = UseOwnCache("halfway");
    std::string dir = MakeTempDir("halfway");
    std::string path = dir + "/doc.txt";
    const std::string old = std::string(3000, 'o') + "\n";
    WriteFile(path, old);
    SetWriteFaultsForTests({EACCES, 1000});
    std::string message =
        Failure([&] { WriteFileSafely(path, std::string(5000, 'n'), kDocument); });
    const std::string prefix = "Cannot create file " + path + ". The old contents are kept in ";
    ASSERT_EQ(message.substr(0, prefix.size()), prefix) << message;
    std::string copy = message.substr(prefix.size());
    EXPECT_EQ(copy.substr(0, recovery.size() + 1), recovery + "/");
    EXPECT_EQ(ReadFile(copy), old);
    // Where the disk still allows it, the file itself is put back as it was.
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(Entries(recovery).size(), 1u);
    // The fault acts once: the next save goes through and leaves no copy of its own.
    SetWriteFaultsForTests({EACCES, -1});
    WriteFileSafely(path, "new\n", kDocument);
    EXPECT_EQ(ReadFile(path), "new\n");
    EXPECT_EQ(Entries(recovery).size(), 1u);
}

TEST(WriteFile, TheRecoveryDirectoryFollowsXdgCacheHome) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    setenv("XDG_CACHE_HOME", "/somewhere/cache/", 1);
    EXPECT_EQ(RecoveryDirectory(), "/somewhere/cache/kwerdel-rq");
    // A relative value is not a base directory and is ignored.
    setenv("XDG_CACHE_HOME", "relative", 1);
    setenv("HOME", "/home/ala", 1);
    EXPECT_EQ(RecoveryDirectory(), "/home/ala/.cache/kwerdel-rq");
    unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(RecoveryDirectory(), "/home/ala/.cache/kwerdel-rq");
    setenv("HOME", savedHome.c_str(), 1);
}

std::string KindName(const testing::TestParamInfo<TFullDisk::TKind>& info) {
    return info.param == TFullDisk::TKind::Tmpfs ? "Tmpfs" : "FileSizeLimit";
}

class FullDisk : public testing::TestWithParam<TFullDisk::TKind> {};

TEST_P(FullDisk, ASaveThatDoesNotFitLeavesTheOldFileOnBothPaths) {
    const std::string name = KindName({GetParam(), 0});
    std::string recovery = UseOwnCache("full-" + name);
    TFullDisk disk("full-" + name, GetParam(), 64 * 1024);
    const std::string old = std::string(8000, 'o') + "\n";
    // Beside the one file a directory that takes new ones, and one that does not.
    std::string open = disk.Dir() + "/open", locked = disk.Dir() + "/locked";
    for (const std::string& dir : {open, locked}) {
        ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
        WriteFile(dir + "/doc.txt", old);
        ASSERT_EQ(::chown((dir + "/doc.txt").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    const std::string big(256 * 1024, 'n');
    EXPECT_TRUE(disk.Run(
        [&] {
            for (const std::string& dir : {open, locked})
                EXPECT_EQ(Failure([&] { WriteFileSafely(dir + "/doc.txt", big, kDocument); }),
                          "Cannot create file " + dir + "/doc.txt");
        },
        true));
    for (const std::string& dir : {open, locked}) {
        EXPECT_EQ(ReadFile(dir + "/doc.txt"), old) << dir;
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.txt"}) << dir;
    }
    EXPECT_TRUE(Entries(recovery).empty());
}

INSTANTIATE_TEST_SUITE_P(Disks, FullDisk,
                         testing::Values(TFullDisk::TKind::Tmpfs, TFullDisk::TKind::FileSizeLimit),
                         KindName);

TEST(WriteFile, ADiskWithoutRoomForTheTemporaryFileIsNoReasonToRewriteInPlace) {
    // One inode for the directory, one for the file: creating the temporary file fails with
    // ENOSPC while the file itself could still be opened and truncated.
    TFullDisk disk("no-inodes", TFullDisk::TKind::Tmpfs, 1 << 20, 2);
    if (disk.Kind() != TFullDisk::TKind::Tmpfs)
        GTEST_SKIP() << "no tmpfs can be mounted here; the fault-injected ENOSPC above covers "
                        "the rule";
    std::string path = disk.Dir() + "/doc.txt";
    WriteFile(path, "old text\n");
    EXPECT_EQ(Failure([&] { WriteFileSafely(path, "new text\n", kDocument); }),
              "Cannot create file " + path);
    EXPECT_EQ(ReadFile(path), "old text\n");
}

}  // namespace
}  // namespace krq
