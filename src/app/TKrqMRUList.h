// The recent-files list: full paths, most recent first, compared without regard to case.
#pragma once

#include <QStringList>

namespace krq {

class TIniFile;

class TKrqMRUList {
  public:
    static constexpr int kCapacity = 25;

    const QStringList& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    int IndexOf(const QString& name) const;

    // Moves a known name to the top, or inserts a new one there and drops the oldest past
    // the capacity.
    void Add(const QString& name);
    void Clear() { items_.clear(); }

    // Section "Files": Item_0 is the most recent. Loading walks Item_24 down to Item_0 and
    // puts each new name on top, so the file's order is kept and empty or repeated names
    // are skipped.
    void LoadFromIni(const TIniFile& ini, const char* section);
    // Erases the section and writes Item_i for every entry.
    void SaveToIni(TIniFile& ini, const char* section) const;

    // The reader strips one pair of enclosing quotes, so a value that is itself enclosed
    // in quotes gets one more pair of double quotes.
    static std::string QuoteForIni(const std::string& value);

  private:
    QStringList items_;
};

}  // namespace krq
