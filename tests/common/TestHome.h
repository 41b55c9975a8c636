// A fresh temporary program directory for each test process, removed when it ends.
#pragma once

#include <functional>
#include <string>

namespace krq::test {

// The temporary program directory (KRQ_HOME) of this test process.
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

}  // namespace krq::test
