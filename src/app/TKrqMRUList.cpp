// The recent-files list and its section of the settings file.
#include "app/TKrqMRUList.h"

#include <QFile>

#include "platform/files/inifile.h"

namespace krq {

int TKrqMRUList::IndexOf(const QString& name) const {
    for (int i = 0; i < items_.size(); ++i)
        if (items_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void TKrqMRUList::Add(const QString& name) {
    if (int i = IndexOf(name); i >= 0) items_.removeAt(i);
    items_.prepend(name);
    while (items_.size() > kCapacity) items_.removeLast();
}

void TKrqMRUList::LoadFromIni(const TIniFile& ini, const char* section) {
    items_.clear();
    for (int n = kCapacity - 1; n >= 0; --n) {
        std::string value = ini.ReadString(section, "Item_" + std::to_string(n), "");
        ini.ReadInteger(section, "User_" + std::to_string(n), 0);  // read and ignored
        if (value.empty()) continue;
        QString name = QFile::decodeName(QByteArray::fromStdString(value));
        if (IndexOf(name) >= 0) continue;
        items_.prepend(name);
    }
}

void TKrqMRUList::SaveToIni(TIniFile& ini, const char* section) const {
    std::vector<TIniValue> values;
    for (int i = 0; i < items_.size(); ++i)
        values.push_back({section, "Item_" + std::to_string(i),
                          QuoteForIni(QFile::encodeName(items_[i]).toStdString())});
    ini.ReplaceSection(section, values);
}

std::string TKrqMRUList::QuoteForIni(const std::string& value) {
    if (!value.empty()) {
        char first = value.front(), last = value.back();
        if ((first == '"' && last == '"') || (first == '\'' && last == '\''))
            return '"' + value + '"';
    }
    return value;
}

}  // namespace krq
