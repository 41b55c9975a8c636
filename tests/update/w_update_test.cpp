// The update window, opened from the Help menu, against a loopback server named in krq.ini.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <filesystem>

#include "app/MainWindowFixture.h"
#include "common/ScriptedUser.h"
#include "update/LoopbackServer.h"
#include "update/frUpdate.h"

namespace krq::test {
namespace {

const char* const kVersionPath = "/krq/latestversion-testnew.ini";

class UpdateWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        TIniFile ini = Ini();
        ini.WriteBool("Update", "menu", true);
        ini.WriteString("Update", "server", server.Host() + "/krq");
        ini.WriteString("Update", "installer", server.Host());
        user.OnTimeout = [this] {
            if (window) window->btnCancelClick();
        };
    }

    void ServeVersion(const std::string& version) {
        server.Serve(kVersionPath, HttpReply("200 OK", "[KRQ]\r\nversion=" + version + "\r\n"));
    }

    static bool Bold(QLabel* label) { return label->isVisible() && label->font().bold(); }

    // The labels a user sees, shown ones only.
    std::vector<std::string> ShownSteps() const {
        std::vector<std::string> shown;
        for (QLabel* label : window->pnlUpDateInformations->findChildren<QLabel*>())
            if (label->isVisible()) shown.push_back(label->objectName().toStdString());
        return shown;
    }

    std::string Buttons() const {
        std::string state;
        for (QPushButton* b : {window->btnUpDate, window->btnCancel, window->btnClose})
            state += b->isEnabled() ? "on " : "off ";
        return state;
    }

    // Opens the window through its menu item; returns when it has closed.
    void OpenThroughTheMenu() {
        user.First("the window opens", [this] {
            window = qobject_cast<TfrmUpdate*>(QApplication::activeModalWidget());
            return window != nullptr;
        });
        user.Start();
        Item("mnsHelpUpdate")->trigger();
        EXPECT_TRUE(user.Finished());
        window = nullptr;
    }

    void ThenClose() {
        user.When(
            "Zamknij is enabled", [this] { return window->btnClose->isEnabled(); },
            [this] { window->btnClose->click(); });
    }

    bool VersionFileExists() const { return std::filesystem::exists(Path("latestversion.ini")); }

    TLoopbackServer server;
    TScriptedUser user;
    TfrmUpdate* window = nullptr;
};

TEST_F(UpdateWindowTest, MenuItemIsHiddenUnlessTheSettingsShowIt) {
    Ini().WriteBool("Update", "menu", false);
    Create();
    EXPECT_FALSE(Item("mnsHelpUpdate")->isVisible());
    frm.reset();
    Ini().WriteBool("Update", "menu", true);
    Create();
    EXPECT_TRUE(Item("mnsHelpUpdate")->isVisible());
    EXPECT_EQ(Item("mnsHelpUpdate")->text(), "Aktualizacja on-line");
}

TEST_F(UpdateWindowTest, TheSameVersionIsUpToDateAndTheVersionFileIsGone) {
    ServeVersion("4.0 alpha");
    Create();
    user.When(
        "checking", [this] { return true; },
        [this] {
            EXPECT_EQ(window->windowTitle(), "Aktualizacja on-line");
            EXPECT_EQ(Buttons(), "off on off ");
        });
    user.When(
        "the check ends", [this] { return window->btnClose->isEnabled(); },
        [this] {
            EXPECT_TRUE(Bold(window->lblNoUpDatesAvailable));
            EXPECT_EQ(window->lblNoUpDatesAvailable->text(),
                      Utf("Posiadasz najnowszą wersję programu."));
            EXPECT_TRUE(window->lblNewVersion->isVisible());
            EXPECT_FALSE(window->lblNewVersion->font().bold());
            EXPECT_EQ(window->lblNewVersion->text(), "Najnowsza wersja: 4.0 alpha");
            EXPECT_EQ(Buttons(), "off off on ");
            EXPECT_FALSE(VersionFileExists());
        });
    ThenClose();
    OpenThroughTheMenu();

    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET /krq/latestversion-testnew.ini HTTP/1.0\r\n"
              "Host: " +
                  server.Host() +
                  "\r\n"
                  "User-Agent: KRQ HTTPGet\r\n"
                  "Accept: */*\r\n"
                  "\r\n");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(UpdateWindowTest, AnyOtherVersionIsOfferedAsItReads) {
    Create();
    for (const char* version : {"4.0 Alpha", "3.9"}) {
        SCOPED_TRACE(version);
        ServeVersion(version);
        user.When(
            "the check ends", [this] { return window->btnClose->isEnabled(); },
            [&] {
                EXPECT_TRUE(Bold(window->lblNewVersion));
                EXPECT_EQ(window->lblNewVersion->text(), QString("Najnowsza wersja: ") + version);
                EXPECT_FALSE(window->lblNoUpDatesAvailable->isVisible());
                EXPECT_EQ(Buttons(), "on off on ");
                EXPECT_FALSE(VersionFileExists());
            });
        ThenClose();
        OpenThroughTheMenu();
    }
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(UpdateWindowTest, AFailedCheckShowsTheErrorBoxAndClosesTheWindow) {
    Create();
    struct TCase {
        const char* What;
        TReply Reply;
    };
    const std::string page = "[KRQ]\r\nversion=4.1\r\n";
    std::vector<TCase> cases = {
        {"no Content-Length", HttpReply("200 OK", page, std::nullopt, false)},
        {"a body shorter than announced", HttpReply("200 OK", page, "100")},
        {"a body longer than announced", HttpReply("200 OK", page, "5")},
        {"a 404 page with a correct length", HttpReply("404 Not Found", page)},
        {"a reset connection", {HttpReply("200 OK", page, "100").Bytes, TReply::TEnd::Reset}},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.What);
        server.Serve(kVersionPath, c.Reply);
        dialogs.Messages.clear();
        OpenThroughTheMenu();  // returns only because the window closed itself
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Caption, Utf("Błąd połączenia"));
        EXPECT_EQ(dialogs.Messages[0].Text, Utf("Wystąpił błąd w trakcie łączenia z serwerem."));
        EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
        EXPECT_FALSE(VersionFileExists());
    }
}

TEST_F(UpdateWindowTest, ASilentServerIsCancelledAtOnceWithoutAnErrorBox) {
    server.Serve(kVersionPath, {"", TReply::TEnd::Hang});
    Create();
    std::chrono::steady_clock::time_point pressed;
    user.When(
        "the request has arrived", [this] { return server.RequestCount() == 1; },
        [&] {
            pressed = std::chrono::steady_clock::now();
            window->btnCancel->click();
        });
    user.When(
        "the download has ended", [this] { return !window->ivcDownloadData.Busy(); },
        [&] {
            EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(1));
            EXPECT_TRUE(Bold(window->lblCancel));
            EXPECT_FALSE(window->lblConnectionError->isVisible());
            EXPECT_EQ(Buttons(), "off off on ");
            EXPECT_EQ(window->mncUpDateProgress->value(), 0);
        });
    ThenClose();
    OpenThroughTheMenu();
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(UpdateWindowTest, TheInstallerIsDownloadedWithProgressOverAnExistingFile) {
    ServeVersion("4.1");
    std::string installer(20000, 'x');
    for (size_t i = 0; i < installer.size(); ++i) installer[i] = static_cast<char>(i * 7);
    server.Serve("/krq.exe", HttpReply("200 OK", installer));
    WriteFile(Path("setup.exe"), "OLD");
    dialogs.SaveAnswers.push_back(QPath("setup.exe"));
    Create();
    std::vector<int> values;
    int maximum = 0;
    user.When(
        "the update is offered", [this] { return window->btnUpDate->isEnabled(); },
        [&] {
            QObject::connect(window->mncUpDateProgress, &QProgressBar::valueChanged, [&](int v) {
                values.push_back(v);
                maximum = std::max(maximum, window->mncUpDateProgress->maximum());
            });
            window->btnUpDate->click();
        });
    user.When(
        "the download has finished", [this] { return window->lblUpDateFinished->isVisible(); },
        [&] {
            EXPECT_TRUE(Bold(window->lblUpDateFinished));
            EXPECT_TRUE(window->lblDownloadingKRQ->isVisible());
            EXPECT_EQ(Buttons(), "off off on ");
            EXPECT_EQ(window->mncUpDateProgress->value(), 0);
        });
    ThenClose();
    OpenThroughTheMenu();

    EXPECT_EQ(ReadFile(Path("setup.exe")), installer);
    EXPECT_TRUE(dialogs.Messages.empty());
    ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
    EXPECT_EQ(dialogs.SaveRequests[0].Filter, "Pliki *.exe|*.exe|Wszystkie pliki|*.*");
    EXPECT_FALSE(dialogs.SaveRequests[0].OverwritePrompt);
    EXPECT_EQ(maximum, 20000);
    ASSERT_GE(values.size(), 3u);
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(values[values.size() - 2], 20000);
    ASSERT_EQ(server.RequestCount(), 2u);
    EXPECT_EQ(server.Requests()[1],
              "GET /krq.exe HTTP/1.0\r\n"
              "Host: " +
                  server.Host() +
                  "\r\n"
                  "User-Agent: KRQ HTTPGet\r\n"
                  "Accept: */*\r\n"
                  "\r\n");
}

TEST_F(UpdateWindowTest, CancelDuringTheInstallerDownloadKeepsTheExistingFile) {
    ServeVersion("4.1");
    TReply partial = HttpReply("200 OK", std::string(3000, 'x'), "100000");
    partial.End = TReply::TEnd::Hang;
    server.Serve("/krq.exe", partial);
    WriteFile(Path("setup.exe"), "OLD");
    dialogs.SaveAnswers.push_back(QPath("setup.exe"));
    Create();
    user.When(
        "the update is offered", [this] { return window->btnUpDate->isEnabled(); },
        [this] { window->btnUpDate->click(); });
    user.When(
        "part of the installer has arrived",
        [this] { return window->mncUpDateProgress->value() == 3000; },
        [this] {
            EXPECT_TRUE(Bold(window->lblDownloadingKRQ));
            EXPECT_EQ(Buttons(), "on on off ");
            window->btnCancel->click();
        });
    user.When(
        "the download has ended", [this] { return !window->ivcDownloadKRQ.Busy(); },
        [this] {
            EXPECT_TRUE(Bold(window->lblCancel));
            EXPECT_EQ(Buttons(), "on off on ");
            EXPECT_EQ(window->mncUpDateProgress->value(), 0);
        });
    ThenClose();
    OpenThroughTheMenu();

    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ReadFile(Path("setup.exe")), "OLD");
    for (const auto& entry : std::filesystem::directory_iterator(home))
        EXPECT_EQ(entry.path().filename().string().find("setup.exe."), std::string::npos)
            << entry.path();
}

TEST_F(UpdateWindowTest, ACancelledSaveDialogWaitsForAnuluj) {
    ServeVersion("4.1");
    dialogs.SaveAnswers.push_back("");
    Create();
    user.When(
        "the update is offered", [this] { return window->btnUpDate->isEnabled(); },
        [this] { window->btnUpDate->click(); });
    user.When(
        "the save dialog was cancelled", [this] { return true; },
        [this] {
            EXPECT_EQ(Buttons(), "on on off ");
            EXPECT_FALSE(window->ivcDownloadKRQ.Busy());
            window->btnCancel->click();
            EXPECT_TRUE(Bold(window->lblCancel));
            EXPECT_EQ(Buttons(), "on off on ");
        });
    ThenClose();
    OpenThroughTheMenu();
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace krq::test
