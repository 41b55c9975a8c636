// The registry stand-in's file: "[HIVE\key]" lines, each followed by its "name=value" lines;
// "@" is the default value, and a backslash escapes line breaks and itself in values.
#include "platform/shell/registry.h"

#include <filesystem>

#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"
#include "platform/programdir.h"

namespace krq {

namespace {

const char* const kIEDefaultHTMLEditor =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Default HTML Editor";

std::string Fold(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

std::string FullKey(THive hive, const std::string& key) {
    return std::string(hive == THive::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER") +
           "\\" + key;
}

std::string Escape(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char next = text[++i];
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

TRegistry::TRegistry() : TRegistry(ProgramFile("registry.dat")) {}

TRegistry::TRegistry(std::string path) : path_(std::move(path)) {}

bool TRegistry::Load(TKeys& keys) const {
    keys.clear();
    std::string bytes;
    if (ReadFileBytes(path_, bytes) != TReadResult::Read) {
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(path_, ec))) return false;
        // A new store looks like a machine with Internet Explorer: its Default HTML Editor key
        // exists, so the HTML-editor role can be taken and given back.
        for (std::string key : {std::string(kIEDefaultHTMLEditor),
                                std::string(kIEDefaultHTMLEditor) + "\\shell\\edit\\command"})
            keys[Fold(key)].Name = key;
        return true;
    }
    TKey* current = nullptr;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name = line.substr(1, line.size() - 2);
            current = &keys[Fold(name)];
            current->Name = name;
        } else if (current) {
            size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            std::string name = line.substr(0, eq);
            current->Values[name == "@" ? std::string() : Fold(Unescape(name))] =
                Unescape(line.substr(eq + 1));
        }
    }
    return true;
}

bool TRegistry::Save(const TKeys& keys) const {
    std::string bytes;
    for (const auto& [folded, key] : keys) {
        bytes += "[" + key.Name + "]\n";
        for (const auto& [name, value] : key.Values)
            bytes += (name.empty() ? std::string("@") : Escape(name)) + "=" + Escape(value) + "\n";
    }
    try {
        WriteFileSafely(path_, bytes);
    } catch (const EKrqError&) {
        return false;
    }
    return true;
}

bool TRegistry::KeyExists(THive hive, const std::string& key) const {
    TKeys keys;
    return Load(keys) && keys.count(Fold(FullKey(hive, key))) > 0;
}

bool TRegistry::CreateKey(THive hive, const std::string& key) {
    TKeys keys;
    if (!Load(keys)) return false;
    const std::string path = FullKey(hive, key);
    if (keys.count(Fold(path))) return true;
    // The parents exist as keys too, as they do in a hive.
    for (size_t sep = path.find('\\', path.find('\\') + 1);; sep = path.find('\\', sep + 1)) {
        std::string part = path.substr(0, sep);
        TKey& entry = keys[Fold(part)];
        if (entry.Name.empty()) entry.Name = part;
        if (sep == std::string::npos) break;
    }
    return Save(keys);
}

bool TRegistry::DeleteKey(THive hive, const std::string& key) {
    TKeys keys;
    if (!Load(keys)) return false;
    std::string path = Fold(FullKey(hive, key));
    for (auto it = keys.begin(); it != keys.end();)
        it = it->first == path || it->first.rfind(path + "\\", 0) == 0 ? keys.erase(it) : ++it;
    return Save(keys);
}

std::string TRegistry::ReadString(THive hive, const std::string& key,
                                  const std::string& name) const {
    TKeys keys;
    if (!Load(keys)) return {};
    auto found = keys.find(Fold(FullKey(hive, key)));
    if (found == keys.end()) return {};
    auto value = found->second.Values.find(Fold(name));
    return value == found->second.Values.end() ? std::string() : value->second;
}

bool TRegistry::WriteString(THive hive, const std::string& key, const std::string& name,
                            const std::string& value) {
    TKeys keys;
    if (!Load(keys)) return false;
    auto found = keys.find(Fold(FullKey(hive, key)));
    if (found == keys.end()) return false;
    found->second.Values[Fold(name)] = value;
    return Save(keys);
}

}  // namespace krq
