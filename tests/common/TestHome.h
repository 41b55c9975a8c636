// A fresh temporary program directory for each test process, removed when it ends.
#pragma once

#include <string>

namespace krq::test {

// The temporary program directory (KRQ_HOME) of this test process.
const std::string& TestHome();
// A new empty directory inside it, for a test that wants its own files.
std::string MakeTempDir(const std::string& name);
// Whole-file helpers for tests.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace krq::test
