// File associations and the default-HTML-editor role in the registry stand-in.
#include "settings/associations/unEru.h"

#include <string_view>

#include "convert/unBase.h"
#include "platform/errors.h"
#include "platform/files/inifile.h"
#include "platform/programdir.h"
#include "platform/shell/registry.h"
#include "settings/associations/unAssociations.h"

namespace krq {

namespace {

const char* const kHTMLEditorKey = "Software\\Microsoft\\Internet Explorer\\Default HTML Editor";
const char* const kHTMLEditorCommandKey =
    "Software\\Microsoft\\Internet Explorer\\Default HTML Editor\\shell\\edit\\command";

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The HTML editor's command: a path and %1, both quoted only around %1, as the role wants.
std::string EditCommand(const std::string& exe) { return exe + " \"%1\""; }

}  // namespace

std::string TEruRow::Key() const {
    std::string key = Ext;
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return key;
}

const std::vector<TEruRow>& EruRows() {
    static const std::vector<TEruRow> rows = [] {
        std::vector<TEruRow> result;
        std::string_view text(kIconData);
        while (!text.empty()) {
            size_t end = text.find("\r\n");
            std::string line(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
            if (line.empty()) continue;
            TEruRow row;
            row.IconId = std::stoi(Trimmed(fncGetPiece('|', line, 0)));
            row.Ext = Trimmed(fncGetPiece('|', line, 1));
            row.Description = Trimmed(fncGetPiece('|', line, 2));
            row.Shown = Trimmed(fncGetPiece('|', line, 3));
            result.push_back(row);
        }
        return result;
    }();
    return rows;
}

std::string ExecutablePath() { return ExecutableFile(); }

std::string WindowsDirectory() { return "C:\\WINDOWS"; }

bool fncAssociateExt(const std::string& extKey, const std::string& typeName,
                     const std::string& description, const std::string& icon,
                     const std::string& command) {
    TRegistry registry;
    const THive root = THive::ClassesRoot;
    if (!registry.CreateKey(root, extKey) || !registry.WriteString(root, extKey, "", typeName))
        return false;
    if (!registry.CreateKey(root, typeName) ||
        !registry.WriteString(root, typeName, "", description))
        return false;
    const std::string commandKey = typeName + "\\shell\\open\\command";
    if (!registry.CreateKey(root, commandKey) ||
        !registry.WriteString(root, commandKey, "", command))
        return false;
    if (!icon.empty()) {
        const std::string iconKey = typeName + "\\DefaultIcon";
        if (registry.CreateKey(root, iconKey)) registry.WriteString(root, iconKey, "", icon);
    }
    return true;
}

void prcSetHTMLEditor() {
    TRegistry registry;
    const THive root = THive::CurrentUser;
    if (registry.ReadString(root, kHTMLEditorKey, "Description") == "KRQ") return;
    if (!registry.WriteString(root, kHTMLEditorKey, "Description", "KRQ"))
        throw EKrqError(FormatMessage("Failed to set data for '%s'", "Description"));
    // The command key belongs to the role: when it is missing it is made, so the role is never
    // half taken.
    if (!registry.CreateKey(root, kHTMLEditorCommandKey) ||
        !registry.WriteString(root, kHTMLEditorCommandKey, "", EditCommand(ExecutablePath())))
        throw EKrqError(FormatMessage("Failed to set data for '%s'", ""));
}

void prcRestoreHTMLEditor() {
    TRegistry registry;
    const THive root = THive::CurrentUser;
    if (!registry.WriteString(root, kHTMLEditorKey, "Description", "Notatnik"))
        throw EKrqError(FormatMessage("Failed to set data for '%s'", "Description"));
    if (!registry.CreateKey(root, kHTMLEditorCommandKey) ||
        !registry.WriteString(root, kHTMLEditorCommandKey, "",
                              EditCommand(WindowsDirectory() + "\\notepad.exe")))
        throw EKrqError(FormatMessage("Failed to set data for '%s'", ""));
}

void prcAssociateRow(const TEruRow& row, int number, TDesktopShell* shell) {
    const std::string exe = ExecutablePath();
    const std::string key = row.Key();
    fncAssociateExt("." + key, "KRQ " + key + "file", row.Description,
                    exe + "," + std::to_string(number), exe + " \"%1");
    if (shell) shell->AssociateExtension(row.Ext, row.Description);
}

void prcHTMLEditorRole(bool on, TDesktopShell* shell) {
    if (on)
        prcSetHTMLEditor();
    else
        prcRestoreHTMLEditor();
    if (shell) shell->SetHTMLEditor(on);
}

void prcApplyAssociations(const std::vector<bool>& ticked, bool htmlEditor, TDesktopShell* shell) {
    const std::vector<TEruRow>& rows = EruRows();
    for (size_t i = 0; i < rows.size() && i < ticked.size(); ++i) {
        const std::string key = rows[i].Key();
        TIniFile ini(ProgramFile("krq.ini"));
        if (ticked[i] == ini.ReadBool("Ext", key, false)) continue;
        ini.WriteBool("Ext", key, ticked[i]);
        // Unticking only forgets the choice: the associations stay as they were.
        if (ticked[i]) prcAssociateRow(rows[i], static_cast<int>(i) + 1, shell);
    }
    TIniFile ini(ProgramFile("krq.ini"));
    if (ini.ReadBool("Ext", "HTMLEditor", false) == htmlEditor) return;
    ini.WriteBool("Ext", "HTMLEditor", htmlEditor);
    prcHTMLEditorRole(htmlEditor, shell);
}

}  // namespace krq
