// What the update window asks for and how it judges the answer, without any window.
#pragma once

#include <string>

namespace krq {

class TIniFile;

// The version this program is.
inline constexpr const char* kRunningVersion = "4.0 alpha";

// The compiled-in servers are placeholders; a distributor names real ones in the settings file,
// [Update] server and installer, each "host[:port][/directory]".
inline constexpr const char* kDefaultUpdateServer = "aktualizacja.kwerdel.example/krq";
inline constexpr const char* kDefaultInstallerServer = "pobierz.kwerdel.example";

// The version file on the update server, and the installer on the installer server.
std::string VersionFileUrl(const TIniFile& settings);
std::string InstallerUrl(const TIniFile& settings);

// The newest version as the version file names it: [KRQ] version, "" when missing.
std::string ReadLatestVersion(const TIniFile& versionFile);
// True only when the newest version is this one, letter for letter.
bool IsRunningVersion(const std::string& version);

}  // namespace krq
