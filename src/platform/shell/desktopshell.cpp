// File associations on a freedesktop desktop: the shared MIME database names the type, the
// user's mimeapps.list makes the program its default, a user desktop entry names the program
// when no installed one does.
#include "platform/shell/desktopshell.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <cstdlib>
#include <filesystem>

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"
#include "platform/programdir.h"
#include "platform/shell/mimeapps.h"

namespace fs = std::filesystem;

namespace krq {

namespace {

const char* const kRegisteredPrefix = "text/x-kwerdel-rq-";

std::string XdgDir(const char* variable, const char* fallbackUnderHome) {
    const char* value = std::getenv(variable);
    if (value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + fallbackUnderHome;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

// The running executable as an Exec key wants it: quoted, with the characters that are
// special inside quotes escaped, then backslashes doubled for the key's string syntax.
std::string ExecCommand(const std::string& exe) {
    std::string quoted = "\"";
    for (char c : exe) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    quoted += "\"";
    std::string out;
    for (char c : quoted) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out + " %f";
}

// Writes a whole file atomically, making its folder first; a refusal is the write error.
void WriteFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    WriteFileSafely(path, bytes, TWriteOptions{TWriteMessage::UnableToWrite});
}

// A file that exists but cannot be read is never replaced: what it held would be lost.
std::string ReadExisting(const std::string& path) {
    std::string bytes;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) return bytes;
    if (ReadFileBytes(path, bytes) != TReadResult::Read) RaiseCannotOpen(path);
    return bytes;
}

void RegisterMimeType(const std::string& ext, const std::string& mimeType,
                      const std::string& description) {
    const std::string mimeDir = TFreedesktopShell::DataHome() + "/mime";
    WriteFile(mimeDir + "/packages/kwerdel-rq-" + ext + ".xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"" +
                  mimeType +
                  "\">\n"
                  "    <sub-class-of type=\"text/plain\"/>\n"
                  "    <comment>" +
                  XmlEscaped(cp1250::ToUtf8(description)) +
                  "</comment>\n"
                  "    <glob pattern=\"*." +
                  ext +
                  "\"/>\n"
                  "  </mime-type>\n"
                  "</mime-info>\n");
    const QString update = QStandardPaths::findExecutable("update-mime-database");
    if (!update.isEmpty()) QProcess::execute(update, {QString::fromStdString(mimeDir)});
}

}  // namespace

std::string TFreedesktopShell::DataHome() { return XdgDir("XDG_DATA_HOME", ".local/share"); }

std::string TFreedesktopShell::MimeAppsPath() {
    return XdgDir("XDG_CONFIG_HOME", ".config") + "/mimeapps.list";
}

std::string TFreedesktopShell::MimeTypeOf(const std::string& ext) {
    const QList<QMimeType> types =
        QMimeDatabase().mimeTypesForFileName(QString::fromStdString("file." + ext));
    if (!types.isEmpty()) return types.front().name().toStdString();
    return kRegisteredPrefix + ext;
}

bool TFreedesktopShell::InstalledSystemWide() {
    std::error_code ec;
    const fs::path share = fs::weakly_canonical(fs::path(ExecutableDir()) / ".." / "share", ec);
    if (ec || !fs::exists(share / "applications" / kDesktopId, ec)) return false;
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        fs::path dir = fs::weakly_canonical(list.substr(start, end - start), ec);
        if (!ec && dir == share) return true;
        start = end + 1;
    }
    return false;
}

void TFreedesktopShell::AssociateExtension(const std::string& ext, const std::string& description) {
    const std::string mimeType = MimeTypeOf(ext);
    if (mimeType.rfind(kRegisteredPrefix, 0) == 0) RegisterMimeType(ext, mimeType, description);
    EnsureDesktopEntry(mimeType);
    EditMimeApps("Default Applications", mimeType, true, true);
}

void TFreedesktopShell::SetHTMLEditor(bool on) {
    if (on) EnsureDesktopEntry("text/html");
    EditMimeApps("Added Associations", "text/html", on, false);
}

void TFreedesktopShell::EnsureDesktopEntry(const std::string& mimeType) {
    if (InstalledSystemWide()) return;
    const std::string path = DataHome() + "/applications/" + kDesktopId;
    // The types named so far stay listed beside the new one.
    std::string types = MimeAppsValue(ReadExisting(path), "Desktop Entry", "MimeType");
    types = WithoutDesktopId(types, mimeType) + mimeType + ";";
    WriteFile(path,
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Kwerdel RQ\n"
              "GenericName=Edytor tekstu\n"
              "Exec=" +
                  ExecCommand(ExecutableFile()) +
                  "\n"
                  "Icon=pl.kwerdel.KwerdelRQ\n"
                  "Terminal=false\n"
                  "Categories=Utility;TextEditor;\n"
                  "MimeType=" +
                  types + "\n");
    // The icon the entry names, from the program's own resources.
    const std::string icon = DataHome() + "/icons/hicolor/scalable/apps/pl.kwerdel.KwerdelRQ.svg";
    std::error_code ec;
    if (!fs::exists(icon, ec)) {
        QFile resource(QStringLiteral(":/icons/pl.kwerdel.KwerdelRQ.svg"));
        if (resource.open(QIODevice::ReadOnly)) WriteFile(icon, resource.readAll().toStdString());
    }
}

void TFreedesktopShell::EditMimeApps(const std::string& group, const std::string& mimeType,
                                     bool add, bool exclusive) {
    const std::string path = MimeAppsPath();
    const std::string text = ReadExisting(path);
    const std::string list = MimeAppsValue(text, group, mimeType);
    std::string value =
        add ? (exclusive ? std::string(kDesktopId) + ";" : WithDesktopIdFirst(list, kDesktopId))
            : WithoutDesktopId(list, kDesktopId);
    const std::string updated = SetMimeAppsValue(text, group, mimeType, value);
    if (updated != text) WriteFile(path, updated);
}

TDesktopShell* DesktopShell() {
    static TFreedesktopShell shell;
    return &shell;
}

}  // namespace krq
