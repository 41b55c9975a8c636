// The options window's association ticks reaching the desktop through the actions the program
// installs at start, with XDG_CONFIG_HOME and XDG_DATA_HOME in the test's own folders.
#include <cstdlib>
#include <filesystem>

#include "common/XdgMime.h"
#include "platform/shell/desktopshell.h"
#include "platform/shell/mimeapps.h"
#include "platform/shell/registry.h"
#include "settings/OptionsFixture.h"
#include "settings/associations/unEru.h"

namespace krq::test {
namespace {

class OptionsDesktopTest : public OptionsTest {
  protected:
    void SetUp() override {
        OptionsTest::SetUp();
        config = home + "/xdg-config";
        data = home + "/xdg-data";
        std::filesystem::create_directories(config);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        // As main() does before the window exists.
        InstallDesktopAssociations(DesktopShell());
    }
    void TearDown() override {
        InstallDesktopAssociations(nullptr);
        OptionsTest::TearDown();
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    std::string MimeApps() const { return ReadFile(config + "/mimeapps.list"); }

    std::string config, data;
};

const std::string kId = TFreedesktopShell::kDesktopId;

TEST_F(OptionsDesktopTest, ATickedRowAndTheHtmlEditorBoxReachTheDesktopOnOk) {
    ASSERT_FALSE(TFreedesktopShell::InstalledSystemWide());
    Create();
    Options([](TfrmOptions& w) {
        ASSERT_EQ(w.mmcAssociation->topLevelItem(12)->text(0), "HTM");
        w.mmcAssociation->topLevelItem(12)->setCheckState(0, Qt::Checked);
        w.ckbAss_HTMLEditor->setChecked(true);
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Ini().ReadString("Ext", "HTM", ""), "1");
    // The registry stand-in's entries for the row...
    TRegistry reg(home + "/registry.dat");
    EXPECT_EQ(reg.ReadString(THive::ClassesRoot, ".HTM", ""), "KRQ HTMfile");
    // ...and the desktop's default application, through a user desktop entry.
    const std::string list = MimeApps();
    EXPECT_EQ(MimeAppsValue(list, "Default Applications", "text/html"), kId + ";") << list;
    EXPECT_NE(MimeAppsValue(list, "Added Associations", "text/html").find(kId), std::string::npos)
        << list;
    EXPECT_TRUE(std::filesystem::exists(data + "/applications/" + kId));
    if (!QStandardPaths::findExecutable("xdg-mime").isEmpty()) {
        EXPECT_EQ(XdgMimeDefault("text/html"), kId);
    }

    // Unticking the box gives the role back: the program leaves "Open with" for HTML files,
    // while the ticked row's default stays.
    Options([](TfrmOptions& w) {
        w.ckbAss_HTMLEditor->setChecked(false);
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(MimeAppsValue(MimeApps(), "Added Associations", "text/html").find(kId),
              std::string::npos);
    EXPECT_EQ(MimeAppsValue(MimeApps(), "Default Applications", "text/html"), kId + ";");
}

}  // namespace
}  // namespace krq::test
