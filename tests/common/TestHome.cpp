#include "common/TestHome.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace krq::test {

namespace {
std::string g_home;
}

const std::string& TestHome() {
    if (g_home.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "krq-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        g_home = pattern;
        setenv("KRQ_HOME", g_home.c_str(), 1);
    }
    return g_home;
}

void RemoveTestHome() {
    if (g_home.empty()) return;
    std::error_code ec;
    // A test may have made files read-only; give write permission back before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(g_home, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(g_home, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(g_home, ec);
    g_home.clear();
}

std::string MakeTempDir(const std::string& name) {
    auto dir = std::filesystem::path(TestHome()) / name;
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool RunUnprivileged(const std::function<void()>& body) {
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        if (geteuid() == 0) {
            ::chmod(TestHome().c_str(), 0755);
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        }
        body();
        std::fflush(nullptr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace krq::test
