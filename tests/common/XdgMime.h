// xdg-utils' own view of the desktop's associations, for tests that write them.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <string>

namespace krq::test {

// `xdg-mime query default TYPE` under the test's XDG folders, or "" when xdg-utils is not
// installed. The desktop variables go, so xdg-mime reads mimeapps.list itself.
inline std::string XdgMimeDefault(const char* type) {
    const QString tool = QStandardPaths::findExecutable("xdg-mime");
    if (tool.isEmpty()) return {};
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_CURRENT_DESKTOP");
    env.remove("KDE_FULL_SESSION");
    env.remove("GNOME_DESKTOP_SESSION_ID");
    p.setProcessEnvironment(env);
    p.start(tool, {"query", "default", type});
    p.waitForFinished(30000);
    return p.readAllStandardOutput().trimmed().toStdString();
}

}  // namespace krq::test
