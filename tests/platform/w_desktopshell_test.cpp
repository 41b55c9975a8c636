// File associations on the desktop, with XDG_CONFIG_HOME and XDG_DATA_HOME in temporary folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/TestHome.h"
#include "common/XdgMime.h"
#include "platform/shell/desktopshell.h"
#include "platform/shell/mimeapps.h"

namespace krq::test {
namespace {

class DesktopShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string base = MakeTempDir(std::string("xdg.") + info->name());
        config = base + "/config";
        data = base + "/data";
        std::filesystem::create_directories(config);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    std::string MimeApps() const { return ReadFile(config + "/mimeapps.list"); }

    std::string config, data;
    TFreedesktopShell shell;
};

const std::string kId = TFreedesktopShell::kDesktopId;

TEST_F(DesktopShellTest, HtmBecomesTheDefaultForTextHtmlThroughAUserDesktopEntry) {
    ASSERT_FALSE(TFreedesktopShell::InstalledSystemWide());
    EXPECT_EQ(TFreedesktopShell::MimeTypeOf("htm"), "text/html");
    shell.AssociateExtension("htm", "Dokument HTML");
    EXPECT_EQ(MimeAppsValue(MimeApps(), "Default Applications", "text/html"), kId + ";");
    std::string entry = ReadFile(data + "/applications/" + kId);
    std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_NE(entry.find("Exec=\"" + exe + "\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=text/html;\n"), std::string::npos) << entry;
    EXPECT_TRUE(
        std::filesystem::exists(data + "/icons/hicolor/scalable/apps/pl.kwerdel.KwerdelRQ.svg"));
    if (!QStandardPaths::findExecutable("xdg-mime").isEmpty()) {
        EXPECT_EQ(XdgMimeDefault("text/html"), kId);
    }
    // A second type joins the entry's list.
    shell.AssociateExtension("css", "Kaskadowy arkusz styli");
    entry = ReadFile(data + "/applications/" + kId);
    EXPECT_NE(entry.find("MimeType=text/html;text/css;\n"), std::string::npos) << entry;
}

TEST_F(DesktopShellTest, AHandWrittenMimeAppsListKeepsItsOtherBytes) {
    const std::string original =
        "# written by hand\r\n"
        "[Default Applications]\r\n"
        "text/html=firefox.desktop;\r\n"
        "image/png=eog.desktop;\r\n"
        "\r\n"
        "[Added Associations]\r\n"
        "text/html=firefox.desktop;chromium.desktop;\r\n"
        "[Removed Associations]\r\n"
        "text/plain=vim.desktop;\r\n";
    WriteFile(config + "/mimeapps.list", original);
    shell.SetHTMLEditor(true);
    std::string expected = original;
    const std::string theirs = "text/html=firefox.desktop;chromium.desktop;";
    expected.replace(expected.find(theirs), theirs.size(),
                     "text/html=" + kId + ";firefox.desktop;chromium.desktop;");
    EXPECT_EQ(MimeApps(), expected);
    // Offered, not the default: the browser stays.
    EXPECT_EQ(MimeAppsValue(MimeApps(), "Default Applications", "text/html"), "firefox.desktop;");
    shell.SetHTMLEditor(false);
    EXPECT_EQ(MimeApps(), original);
}

TEST_F(DesktopShellTest, AnUnknownExtensionGetsItsOwnRegisteredType) {
    const std::string type = TFreedesktopShell::MimeTypeOf("dfm");
    if (type.rfind("text/x-kwerdel-rq-", 0) != 0) GTEST_SKIP() << "the system knows *.dfm";
    shell.AssociateExtension("dfm", "Plik formy Borland Delphi");
    std::string package = ReadFile(data + "/mime/packages/kwerdel-rq-dfm.xml");
    EXPECT_NE(package.find("<glob pattern=\"*.dfm\"/>"), std::string::npos);
    EXPECT_NE(package.find("type=\"" + type + "\""), std::string::npos);
    EXPECT_EQ(MimeAppsValue(MimeApps(), "Default Applications", type), kId + ";");
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        EXPECT_NE(ReadFile(data + "/mime/globs2").find(type + ":*.dfm"), std::string::npos);
    }
}

TEST_F(DesktopShellTest, AnUnreadableMimeAppsListIsNeverReplaced) {
    WriteFile(config + "/mimeapps.list", "[Default Applications]\nsecret=1\n");
    std::filesystem::permissions(config + "/mimeapps.list", std::filesystem::perms::owner_write);
    EXPECT_TRUE(RunUnprivileged([this] {
        // As "nobody" even the folder is not ours; what matters is that nothing is replaced.
        EXPECT_ANY_THROW(shell.SetHTMLEditor(true));
    }));
    std::filesystem::permissions(config + "/mimeapps.list", std::filesystem::perms::owner_all);
    EXPECT_EQ(MimeApps(), "[Default Applications]\nsecret=1\n");
}

}  // namespace
}  // namespace krq::test
