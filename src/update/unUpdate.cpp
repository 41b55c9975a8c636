// What the update window asks for and how it judges the answer, without any window.
#include "update/unUpdate.h"

#include "platform/files/inifile.h"

namespace krq {

namespace {

std::string WithFile(std::string base, const char* file) {
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/" + file;
}

}  // namespace

std::string VersionFileUrl(const TIniFile& settings) {
    return WithFile(settings.ReadString("Update", "server", kDefaultUpdateServer),
                    "latestversion-testnew.ini");
}

std::string InstallerUrl(const TIniFile& settings) {
    return WithFile(settings.ReadString("Update", "installer", kDefaultInstallerServer), "krq.exe");
}

std::string ReadLatestVersion(const TIniFile& versionFile) {
    return versionFile.ReadString("KRQ", "version", "");
}

bool IsRunningVersion(const std::string& version) { return version == kRunningVersion; }

}  // namespace krq
