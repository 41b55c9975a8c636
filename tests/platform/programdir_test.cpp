// The program directory: KRQ_HOME wins, otherwise the executable's own directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/TestHome.h"
#include "platform/programdir.h"

using namespace krq;

TEST(ProgramDir, KrqHomeOverridesAndFilesAreJoinedWithSlash) {
    EXPECT_EQ(ProgramDir(), test::TestHome());
    EXPECT_EQ(ProgramFile("data/proposal.dat"), test::TestHome() + "/data/proposal.dat");
}

TEST(ProgramDir, WithoutKrqHomeItIsTheExecutablesDirectory) {
    std::string saved = std::getenv("KRQ_HOME");
    unsetenv("KRQ_HOME");
    auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(ProgramDir(), exe.parent_path().string());
    setenv("KRQ_HOME", saved.c_str(), 1);
}
