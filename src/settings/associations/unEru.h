// Shell integration: file associations and the default-HTML-editor role, kept in the registry
// stand-in and in krq.ini, with the desktop's own effect handed to a TDesktopShell.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/desktopshell.h"

namespace krq {

// One row of the association table: icon id, extension (lower case, no dot), description,
// the extensions shown in the options list.
struct TEruRow {
    int IconId = 0;
    std::string Ext;
    std::string Description;
    std::string Shown;
    // The upper-case form: the list's "Format" column and the row's [Ext] key.
    std::string Key() const;
};

// The 27 rows of the association table (kIconData), read with fncGetPiece and trimmed.
const std::vector<TEruRow>& EruRows();

// Writes the four entries of an associated extension under HKEY_CLASSES_ROOT; true when the
// open command was written. A key that cannot be made ends it silently.
bool fncAssociateExt(const std::string& extKey, const std::string& typeName,
                     const std::string& description, const std::string& icon,
                     const std::string& command);
// Registers the program as the default HTML editor (nothing when Description is already "KRQ").
void prcSetHTMLEditor();
// Gives the role back to Notepad.
void prcRestoreHTMLEditor();

// The full path of the running executable, as the registry entries name it.
std::string ExecutablePath();
// The stand-in's Windows directory, for the Notepad command.
std::string WindowsDirectory();

// What a newly ticked row does: the registry stand-in's four entries for row `number`
// (1-based) and, with a shell, the desktop's association.
void prcAssociateRow(const TEruRow& row, int number, TDesktopShell* shell);
// What the HTML-editor box does when its tick changes.
void prcHTMLEditorRole(bool on, TDesktopShell* shell);

// Makes the options window's ticks take effect on the desktop: the registry stand-in's entries
// and, through `shell`, the default applications. The program passes its DesktopShell() at
// start; nullptr takes the actions back, so the ticks only keep krq.ini in step.
void InstallDesktopAssociations(TDesktopShell* shell);

// The options window's OK for its "Skojarzenia" page: `ticked` holds one tick per row of
// EruRows() in order, `htmlEditor` the box "KRQ jest domyślnym edytorem plików HTML".
// Each change against krq.ini's [Ext] is written there, to the registry stand-in and, when
// `shell` is given, to the desktop. Failures throw EKrqError for the standard error report.
void prcApplyAssociations(const std::vector<bool>& ticked, bool htmlEditor, TDesktopShell* shell);

}  // namespace krq
