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

std::string fold(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

std::string fullKey(THive hive, const std::string& key) {
    return std::string(hive == THive::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER") +
           "\\" + key;
}

std::string escape(const std::string& value) {
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

std::string unescape(const std::string& text) {
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

bool TRegistry::load(TKeys& keys) const {
    keys.clear();
    std::string bytes;
    if (ReadFileBytes(path_, bytes) != TReadResult::Read) {
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(path_, ec))) return false;
        // A new store looks like a machine with Internet Explorer: its Default HTML Editor key
        // exists, so the HTML-editor role can be taken and given back.
        for (std::string key : {std::string(kIEDefaultHTMLEditor),
                                std::string(kIEDefaultHTMLEditor) + "\\shell\\edit\\command"})
            keys[fold(key)].Name = key;
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
            current = &keys[fold(name)];
            current->Name = name;
        } else if (current) {
            size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            std::string name = line.substr(0, eq);
            current->Values[name == "@" ? std::string() : fold(unescape(name))] =
                unescape(line.substr(eq + 1));
        }
    }
    return true;
}

bool TRegistry::save(const TKeys& keys) const {
    std::string bytes;
    for (const auto& [folded, key] : keys) {
        bytes += "[" + key.Name + "]\n";
        for (const auto& [name, value] : key.Values)
            bytes += (name.empty() ? std::string("@") : escape(name)) + "=" + escape(value) + "\n";
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
    return load(keys) && keys.count(fold(fullKey(hive, key))) > 0;
}

bool TRegistry::CreateKey(THive hive, const std::string& key) {
    TKeys keys;
    if (!load(keys)) return false;
    const std::string path = fullKey(hive, key);
    if (keys.count(fold(path))) return true;
    // The parents exist as keys too, as they do in a hive.
    for (size_t sep = path.find('\\', path.find('\\') + 1);; sep = path.find('\\', sep + 1)) {
        std::string part = path.substr(0, sep);
        TKey& entry = keys[fold(part)];
        if (entry.Name.empty()) entry.Name = part;
        if (sep == std::string::npos) break;
    }
    return save(keys);
}

bool TRegistry::DeleteKey(THive hive, const std::string& key) {
    TKeys keys;
    if (!load(keys)) return false;
    std::string path = fold(fullKey(hive, key));
    for (auto it = keys.begin(); it != keys.end();)
        it = it->first == path || it->first.rfind(path + "\\", 0) == 0 ? keys.erase(it) : ++it;
    return save(keys);
}

std::string TRegistry::ReadString(THive hive, const std::string& key,
                                  const std::string& name) const {
    TKeys keys;
    if (!load(keys)) return {};
    auto found = keys.find(fold(fullKey(hive, key)));
    if (found == keys.end()) return {};
    auto value = found->second.Values.find(fold(name));
    return value == found->second.Values.end() ? std::string() : value->second;
}

bool TRegistry::WriteString(THive hive, const std::string& key, const std::string& name,
                            const std::string& value) {
    TKeys keys;
    if (!load(keys)) return false;
    auto found = keys.find(fold(fullKey(hive, key)));
    if (found == keys.end()) return false;
    found->second.Values[fold(name)] = value;
    return save(keys);
}

}  // namespace krq
