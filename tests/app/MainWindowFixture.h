// Shared set-up of the main-window tests: a program directory of the test's own, scripted
// dialogs and helpers to type, open and inspect.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/frMain.h"
#include "common/ScriptedDialogs.h"
#include "common/TestHome.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"

namespace krq::test {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        home = MakeTempDir(std::string(info->test_suite_name()) + "." + info->name());
        setenv("KRQ_HOME", home.c_str(), 1);
        std::filesystem::create_directories(home + "/data");
        WriteFile(home + "/data/proposal.dat", "div\r\nspan\r\n");
        WriteFile(home + "/data/correct.dat", cp1250::FromUtf8("wogóle;w ogóle\r\n"));
    }

    void TearDown() override {
        frm.reset();
        for (const std::string& path : immutable) SetImmutable(path, false);
        setenv("KRQ_HOME", TestHome().c_str(), 1);
    }

    TfrmMain& Create(QStringList params = {}) {
        frm = std::make_unique<TfrmMain>(params);
        return *frm;
    }

    TKrqEditModel& Model() { return frm->mncKrqEdit->Model(); }
    std::string Path(const std::string& name) const { return home + "/" + name; }
    QString QPath(const std::string& name) const { return QString::fromStdString(Path(name)); }
    std::string IniPath() const { return home + "/krq.ini"; }
    TIniFile Ini() const { return TIniFile(IniPath()); }
    QString Panel(int i) const { return frm->mncStatusPanel[i]->text(); }

    // Types text at the caret, as a user's edit: one change notification.
    void Type(const std::string& text) { Model().SetSelectedText(cp1250::FromUtf8(text)); }

    // Opens a file of the given bytes through the window.
    void OpenFile(const std::string& name, const std::string& bytes) {
        WriteFile(Path(name), bytes);
        frm->prcFileOpen(QPath(name));
    }

    // The window shortcut of a menu item, pressed.
    void PressShortcut(const char* item) {
        auto* key = frm->findChild<QShortcut*>(QString("key_") + item);
        ASSERT_NE(key, nullptr) << item;
        emit key->activated();
    }

    QAction* Item(const char* name) const { return frm->findChild<QAction*>(name); }

    // Makes a path refuse writes even for a privileged user: read-only, and immutable where
    // permissions alone do not stop this process. False when neither works here.
    bool MakeUnwritable(const std::string& path) {
        chmod(path.c_str(), std::filesystem::is_directory(path) ? 0555 : 0444);
        if (access(path.c_str(), W_OK) != 0) return true;
        if (!SetImmutable(path, true)) return false;
        immutable.push_back(path);
        return access(path.c_str(), W_OK) != 0;
    }

    static bool SetImmutable(const std::string& path, bool on) {
        int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(fd);
        return ok;
    }

    std::string home;
    std::vector<std::string> immutable;
    TScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain> frm;
};

inline QString Utf(const char* text) { return QString::fromUtf8(text); }

}  // namespace krq::test
