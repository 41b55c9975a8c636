// The INI facility: Windows profile-file rules over a file that is opened for every operation.
#pragma once

#include <string>
#include <vector>

namespace krq {

struct TIniValue {
    std::string Section;
    std::string Key;
    std::string Value;
};

// Each call opens the file, reads or rewrites it, and releases it; nothing is cached, so a
// read always sees the latest write. Names are compared case-insensitively; texts are
// Windows-1250 bytes. Writes replace the file atomically and keep every other line as it was.
class TIniFile {
public:
    explicit TIniFile(std::string path);

    const std::string& FileName() const { return path_; }

    // At most 2047 characters; blanks and one pair of enclosing quotes are stripped.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // Signed decimal, or hexadecimal after "0x"/"0X"/"$"; anything else gives def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // Read as an integer; any value other than 0 is true.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Writes create the file, the section and the key when missing; a refused write throws
    // EKrqError("Unable to write to <path>").
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // Many keys in one rewrite of the file (a colour scheme writes hundreds).
    void WriteValues(const std::vector<TIniValue>& values);
    void EraseSection(const std::string& section);
    // Erases the section and writes it anew with `values` (their Section is ignored), in one
    // rewrite, so a crash never leaves it half written.
    void ReplaceSection(const std::string& section, const std::vector<TIniValue>& values);
    void DeleteKey(const std::string& section, const std::string& key);

private:
    std::string path_;
};

}  // namespace krq
