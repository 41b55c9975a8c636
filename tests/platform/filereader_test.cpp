// Reading whole files: only regular files are opened, and each failure is told apart.
#include "platform/files/filereader.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "common/TestHome.h"
#include "platform/errors.h"

namespace krq {
namespace {

using test::MakeTempDir;
using test::WriteFile;

TEST(ReadFile, SpecialFilesAreRefusedBeforeTheyAreOpened) {
    std::string dir = MakeTempDir("reader-special");
    // A FIFO without a writer would keep the open waiting; /dev/zero never ends.
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0666), 0);
    std::filesystem::create_symlink("fifo", dir + "/link-to-fifo");
    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string socketPath = dir + "/socket";
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::vector<std::string> refused{dir + "/fifo", dir + "/link-to-fifo", socketPath, dir};
    for (const char* device : {"/dev/zero", "/dev/null"})
        if (std::filesystem::exists(device)) refused.push_back(device);
    for (const std::string& path : refused) {
        std::string bytes = "unchanged";
        TFileBuffer buffer;
        EXPECT_EQ(ReadFileBytes(path, bytes), TReadResult::NotRegular) << path;
        EXPECT_EQ(ReadFileBytes(path, buffer), TReadResult::NotRegular) << path;
        EXPECT_EQ(bytes, "unchanged");
        try {
            ReadFileOrRaise(path);
            ADD_FAILURE() << path << " was read";
        } catch (const EKrqError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
        }
    }
    ::close(sock);
}

TEST(ReadFile, MissingAndUnreadableAreToldApart) {
    std::string dir = MakeTempDir("reader-fail");
    EXPECT_EQ(
        [&] {
            std::string b;
            return ReadFileBytes(dir + "/none", b);
        }(),
        TReadResult::Missing);
    WriteFile(dir + "/secret", "x");
    ASSERT_EQ(::chmod((dir + "/secret").c_str(), 0), 0);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        std::string b;
        EXPECT_EQ(ReadFileBytes(dir + "/secret", b), TReadResult::Failed);
    }));
}

TEST(ReadFile, ReadsEveryByteWithTheRoomAskedAndARewriteChangesTheIdentity) {
    std::string dir = MakeTempDir("reader-ok");
    std::string path = dir + "/f";
    WriteFile(path, std::string(70000, 'a') + std::string("\r\n\0z", 4) + std::string(3, '\0'));
    std::string bytes;
    TFileIdentity first, second;
    ASSERT_EQ(ReadFileBytes(path, bytes, 4, &first), TReadResult::Read);
    EXPECT_EQ(bytes.size(), 70007u);
    EXPECT_GE(bytes.capacity(), bytes.size() + 4);
    TFileBuffer buffer = ReadFileBufferOrRaise(path);
    EXPECT_EQ(std::string(buffer.Data.get(), buffer.Size), bytes);
    // A rewrite changes the identity, a second look at the same file does not.
    ASSERT_EQ(ReadFileBytes(path, bytes, 0, &second), TReadResult::Read);
    EXPECT_EQ(first, second);
    WriteFile(path, "b");
    ASSERT_EQ(ReadFileBytes(path, bytes, 0, &second), TReadResult::Read);
    EXPECT_NE(first, second);
    EXPECT_EQ(bytes, "b");
}

}  // namespace
}  // namespace krq
