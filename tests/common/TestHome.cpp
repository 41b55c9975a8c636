#include "common/TestHome.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
        // Copies of old contents kept while a file is rewritten in place stay inside the test's
        // own directory, and "nobody" may make them too.
        std::string cache = g_home + "/cache";
        ::mkdir(cache.c_str(), 0777);
        ::chmod(cache.c_str(), 0777);
        setenv("XDG_CACHE_HOME", cache.c_str(), 1);
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

bool RunInChild(const std::function<void()>& body, bool unprivileged) {
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        if (unprivileged && geteuid() == 0) {
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

bool RunUnprivileged(const std::function<void()>& body) { return RunInChild(body, true); }

TFullDisk::TFullDisk(const std::string& name, TKind wanted, uint64_t capacity, int inodes)
    : dir_(MakeTempDir(name)), kind_(TKind::FileSizeLimit), capacity_(capacity) {
    ::chmod(dir_.c_str(), 0777);
    if (wanted != TKind::Tmpfs) return;
    std::string options = "size=" + std::to_string(capacity) + ",mode=0777";
    if (inodes > 0) options += ",nr_inodes=" + std::to_string(inodes);
    if (::mount("tmpfs", dir_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
        kind_ = TKind::Tmpfs;
    } else {
        // Not silent: the run says which disk it used.
        std::fprintf(stderr,
                     "note: no tmpfs can be mounted here (%s); the file-size limit "
                     "stands in for the full disk\n",
                     std::strerror(errno));
    }
}

TFullDisk::~TFullDisk() {
    if (kind_ == TKind::Tmpfs) ::umount2(dir_.c_str(), MNT_DETACH);
}

bool TFullDisk::Run(const std::function<void()>& body, bool unprivileged) const {
    return RunInChild(
        [&] {
            if (kind_ == TKind::FileSizeLimit) {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{capacity_, capacity_};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(4);
            }
            body();
        },
        unprivileged);
}

}  // namespace krq::test
