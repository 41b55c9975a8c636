// The program directory.
#include "platform/programdir.h"

#include <cstdlib>
#include <filesystem>

namespace krq {

std::string ProgramDir() {
    if (const char* home = std::getenv("KRQ_HOME"); home && *home) {
        std::string dir(home);
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        return dir;
    }
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}

std::string ProgramFile(const std::string& relative) { return ProgramDir() + "/" + relative; }

}  // namespace krq
