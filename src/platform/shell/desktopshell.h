// The freedesktop side of file associations: MIME types from the shared MIME database, the
// program's desktop entry, and the user's mimeapps.list.
#pragma once

#include <string>

namespace krq {

// What the desktop does besides the registry stand-in; the file associations call it.
class TDesktopShell {
  public:
    virtual ~TDesktopShell() = default;
    // Makes the program the default application of files with extension `ext` (lower case).
    virtual void AssociateExtension(const std::string& ext, const std::string& description) = 0;
    // Offers the program for HTML files without making it their default, or stops offering it.
    virtual void SetHTMLEditor(bool on) = 0;
};

// The freedesktop implementation (Qt's MIME database; built with the windows).
class TFreedesktopShell : public TDesktopShell {
  public:
    // The desktop id the entries and mimeapps.list name.
    static constexpr const char* kDesktopId = "pl.kwerdel.KwerdelRQ.desktop";

    void AssociateExtension(const std::string& ext, const std::string& description) override;
    void SetHTMLEditor(bool on) override;

    // The MIME type of files named "*.ext": the shared database's, or the one this program
    // registers for an extension the database does not know.
    static std::string MimeTypeOf(const std::string& ext);
    // $XDG_CONFIG_HOME/mimeapps.list and $XDG_DATA_HOME, with the freedesktop defaults.
    static std::string MimeAppsPath();
    static std::string DataHome();
    // True when a desktop entry of this installation is on the system's data directories, so
    // no user entry is needed.
    static bool InstalledSystemWide();

  private:
    void EnsureDesktopEntry(const std::string& mimeType);
    void EditMimeApps(const std::string& group, const std::string& mimeType, bool add,
                      bool exclusive);
};

// The program's desktop shell, as the options window passes it.
TDesktopShell* DesktopShell();

}  // namespace krq
