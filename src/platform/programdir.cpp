// The program directory and the installation's shared directory.
#include "platform/programdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"

#ifndef KRQ_INSTALL_DATADIR_FROM_BINDIR
#define KRQ_INSTALL_DATADIR_FROM_BINDIR "../share/kwerdel-rq"
#endif
#ifndef KRQ_INSTALL_DATADIR
#define KRQ_INSTALL_DATADIR "/usr/local/share/kwerdel-rq"
#endif

namespace fs = std::filesystem;

namespace krq {

namespace {

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The freedesktop rule: a relative XDG_CONFIG_HOME is ignored.
std::string UserConfigHome() {
    std::string config = Env("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/') return WithoutTrailingSlash(config);
    return WithoutTrailingSlash(Env("HOME")) + "/.config";
}

// The shared directory of the installation the executable belongs to: found relative to the
// executable first, so an installation moved to another prefix still finds its files.
std::string InstalledDataDir(const std::string& exeDir) {
    std::error_code ec;
    fs::path relative = fs::path(exeDir) / KRQ_INSTALL_DATADIR_FROM_BINDIR;
    if (fs::is_directory(relative, ec)) return fs::weakly_canonical(relative, ec).string();
    return KRQ_INSTALL_DATADIR;
}

}  // namespace

std::string ExecutableFile() {
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string ExecutableDir() {
    std::string exe = ExecutableFile();
    std::error_code ec;
    if (exe.empty()) return fs::current_path(ec).string();
    return fs::path(exe).parent_path().string();
}

TProgramDirs LocateProgramDirs(const std::string& exeDir) {
    TProgramDirs dirs;
    if (std::string home = Env("KRQ_HOME"); !home.empty()) {
        dirs.Kind = TProgramDirKind::Home;
        dirs.Program = dirs.Installed = WithoutTrailingSlash(home);
        return dirs;
    }
    std::error_code ec;
    if (fs::is_directory(fs::path(exeDir) / "data", ec) && ::access(exeDir.c_str(), W_OK) == 0) {
        dirs.Kind = TProgramDirKind::Portable;
        dirs.Program = dirs.Installed = WithoutTrailingSlash(exeDir);
        return dirs;
    }
    dirs.Kind = TProgramDirKind::User;
    dirs.Program = UserConfigHome() + "/kwerdel-rq";
    dirs.Installed = InstalledDataDir(exeDir);
    return dirs;
}

bool SeedProgramDir(const TProgramDirs& dirs) {
    std::error_code ec;
    fs::create_directories(fs::path(dirs.Program) / "data", ec);
    if (!fs::is_directory(fs::path(dirs.Program) / "data", ec)) return false;
    if (dirs.Kind != TProgramDirKind::User) return true;
    // The files the program writes; the read-only ones stay in the installation.
    std::vector<std::string> seeds{"marks.ini"};
    for (const auto& entry : fs::directory_iterator(fs::path(dirs.Installed) / "data", ec))
        if (entry.path().extension() == ".dat")
            seeds.push_back("data/" + entry.path().filename().string());
    for (const std::string& seed : seeds) {
        std::string target = dirs.Program + "/" + seed;
        if (fs::exists(fs::symlink_status(target, ec))) continue;
        std::string bytes;
        if (ReadFileBytes(dirs.Installed + "/" + seed, bytes) != TReadResult::Read) continue;
        // A seed that cannot be written leaves the program on its defaults for that file.
        try {
            WriteFileSafely(target, bytes);
        } catch (const EKrqError&) {
        }
    }
    return true;
}

std::string ProgramDir() { return LocateProgramDirs(ExecutableDir()).Program; }

std::string ProgramFile(const std::string& relative) { return ProgramDir() + "/" + relative; }

std::string InstalledFile(const std::string& relative) {
    return LocateProgramDirs(ExecutableDir()).Installed + "/" + relative;
}

std::string EnsureProgramDir() {
    TProgramDirs dirs = LocateProgramDirs(ExecutableDir());
    if (dirs.Kind == TProgramDirKind::User) SeedProgramDir(dirs);
    return dirs.Program;
}

}  // namespace krq
