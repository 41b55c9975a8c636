// The INI facility: Windows profile-file rules over a file parsed once per use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace krq {

struct TIniValue {
    std::string Section;
    std::string Key;
    std::string Value;
};

struct TIniDocument;

// One accessor is one use of the file: its user opens it, reads and writes, and releases it.
// The file is parsed once per accessor, and again only when it has changed on disk since (every
// call looks), so a read always sees the latest write and nothing outlives the accessor. Names
// are compared case-insensitively; texts are Windows-1250 bytes. Writes replace the file
// atomically and keep every other line as it was; a write whose reading of the existing file
// fails (for any reason but its absence) raises "Unable to write to <path>" and touches nothing.
class TIniFile {
  public:
    explicit TIniFile(std::string path);
    ~TIniFile();
    // A copy names the same file and parses it anew.
    TIniFile(const TIniFile& other);
    TIniFile& operator=(const TIniFile& other);
    TIniFile(TIniFile&&) noexcept;
    TIniFile& operator=(TIniFile&&) noexcept;

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

    // How many times any accessor has parsed a file (for tests and benchmarks).
    static uint64_t ParseCount();

  private:
    // The parsed file as it is on disk now; nullptr when it cannot be read (for a write, that
    // raises instead).
    TIniDocument* Document(bool forWrite) const;
    void Store(TIniDocument& doc);

    std::string path_;
    mutable std::unique_ptr<TIniDocument> doc_;
};

}  // namespace krq
