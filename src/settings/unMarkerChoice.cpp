// The automatic highlighter choice: the extension matched against whole filter patterns.
#include "settings/unMarkerChoice.h"

#include <string_view>

#include "lexers/unCatalogue.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

// The extension with its dot, as the file name ends: "" when the name has none.
std::string ExtensionOf(const std::string& fileName) {
    auto slash = fileName.find_last_of('/');
    auto dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = fileName.substr(dot);
    for (char& c : ext) c = static_cast<char>(cp1250::ToLower(static_cast<uint8_t>(c)));
    return ext;
}

// Whole patterns of a "Desc|*.a;*.b" filter, so "*.c" never matches "*.css" or "*.cmd".
bool FilterListsPattern(std::string_view filter, std::string_view pattern) {
    auto bar = filter.find('|');
    if (bar == std::string_view::npos) return false;
    std::string_view patterns = filter.substr(bar + 1);
    while (!patterns.empty()) {
        auto semi = patterns.find(';');
        if (patterns.substr(0, semi) == pattern) return true;
        if (semi == std::string_view::npos) break;
        patterns.remove_prefix(semi + 1);
    }
    return false;
}

}  // namespace

std::vector<std::string> LanguagesForFile(const std::string& fileName) {
    const std::string ext = ExtensionOf(fileName);
    if (ext == ".txt") return {"nil"};
    std::vector<std::string> languages;
    if (ext.empty()) return languages;
    const std::string pattern = "*" + ext;
    for (const auto& entry : kCatalogue)
        if (FilterListsPattern(entry.Filter, pattern)) languages.push_back(entry.Language);
    return languages;
}

}  // namespace krq
