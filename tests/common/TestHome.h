// A fresh temporary program directory for each test process, removed when it ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace krq::test {

// The temporary program directory (KRQ_HOME) of this test process; the user's cache directory
// (XDG_CACHE_HOME) is its folder "cache".
const std::string& TestHome();
// A new empty directory inside it, for a test that wants its own files.
std::string MakeTempDir(const std::string& name);
// Whole-file helpers for tests.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// Runs `body` in a child process without root's privileges ("nobody" when the tests run as
// root, as CI does), so permission bits bind; true when the body recorded no failure. Files
// the body needs must be reachable by that user.
bool RunUnprivileged(const std::function<void()>& body);
// Runs `body` in a child process, as "nobody" when `unprivileged`; true when it recorded no
// failure.
bool RunInChild(const std::function<void()>& body, bool unprivileged);

// A nearly full disk for saving tests. A small tmpfs of `capacity` bytes where this process may
// mount one; otherwise (or when asked for) an ordinary directory whose child processes of Run
// cannot make a file larger than `capacity` bytes (RLIMIT_FSIZE, SIGXFSZ ignored), which always
// works. `inodes` limits the files the tmpfs takes (0: no limit); the file-size limit has none.
class TFullDisk {
  public:
    enum class TKind { Tmpfs, FileSizeLimit };
    TFullDisk(const std::string& name, TKind wanted, uint64_t capacity, int inodes = 0);
    ~TFullDisk();
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

    const std::string& Dir() const { return dir_; }
    // What the disk really is: a refused mount falls back to the file-size limit.
    TKind Kind() const { return kind_; }
    // Runs `body` in a child process where the disk is full, as "nobody" when `unprivileged`.
    bool Run(const std::function<void()>& body, bool unprivileged = false) const;

  private:
    std::string dir_;
    TKind kind_;
    uint64_t capacity_;
};

}  // namespace krq::test
