// Where the update window looks and how it judges the version it finds.
#include "update/unUpdate.h"

#include <gtest/gtest.h>

#include "common/TestHome.h"
#include "platform/inifile.h"

namespace krq::test {
namespace {

TEST(UpdateHostsTest, PlaceholdersUntilTheSettingsNameRealServers) {
    TIniFile ini(MakeTempDir("hosts") + "/krq.ini");
    EXPECT_EQ(VersionFileUrl(ini), "aktualizacja.kwerdel.example/krq/latestversion-testnew.ini");
    EXPECT_EQ(InstallerUrl(ini), "pobierz.kwerdel.example/krq.exe");
    ini.WriteString("Update", "server", "127.0.0.1:8080/");
    ini.WriteString("Update", "installer", "http://files.example:81/dist");
    EXPECT_EQ(VersionFileUrl(ini), "127.0.0.1:8080/latestversion-testnew.ini");
    EXPECT_EQ(InstallerUrl(ini), "http://files.example:81/dist/krq.exe");
}

TEST(UpdateVersionTest, OnlyTheExactRunningVersionIsUpToDate) {
    EXPECT_TRUE(IsRunningVersion("4.0 alpha"));
    for (const char* other : {"4.0 Alpha", "3.9", "", "4.0 alpha ", "4.1"})
        EXPECT_FALSE(IsRunningVersion(other)) << other;
    const std::string dir = MakeTempDir("version");
    WriteFile(dir + "/latestversion.ini", "[KRQ]\r\nversion=4.1\r\n");
    EXPECT_EQ(ReadLatestVersion(TIniFile(dir + "/latestversion.ini")), "4.1");
    WriteFile(dir + "/latestversion.ini", "<html>404</html>");
    EXPECT_EQ(ReadLatestVersion(TIniFile(dir + "/latestversion.ini")), "");
}

}  // namespace
}  // namespace krq::test
