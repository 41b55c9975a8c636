// Loading and saving colour schemes: three keys per attribute in one section per highlighter.
#include "settings/unColorScheme.h"

#include <vector>

#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "settings/frMarkers.h"

namespace krq {

namespace {

// Key names are attribute names as they are, Polish letters and spaces included, in the
// file's own code page.
std::string KeyName(const std::string& attributeUtf8, const char* suffix) {
    return cp1250::FromUtf8(attributeUtf8) + suffix;
}

void LoadFrom(TKrqHighlighter& highlighter, const TIniFile& ini) {
    const std::string section = highlighter.Lexer().ComponentName();
    const auto& attributes = highlighter.Attributes();
    for (size_t i = 0; i < attributes.size(); ++i) {
        const std::string& name = attributes[i].Name;
        highlighter.SetAttribute(static_cast<int>(i),
                                 ini.ReadInteger(section, KeyName(name, "_F"), kNoColorValue),
                                 ini.ReadInteger(section, KeyName(name, "_B"), kNoColorValue),
                                 ini.ReadInteger(section, KeyName(name, "_S"), 0));
    }
}

}  // namespace

void LoadColorScheme(TKrqHighlighter& highlighter, const std::string& path) {
    LoadFrom(highlighter, TIniFile(path));
}

// One accessor for the whole scheme, so the file is parsed once.
void LoadColorScheme(TfrmMarkers& markers, const std::string& path) {
    const TIniFile ini(path);
    for (int i = 0; i < markers.Count(); ++i) LoadFrom(markers.Highlighter(i), ini);
}

void SaveColorScheme(TfrmMarkers& markers, const std::string& path) {
    std::vector<TIniValue> values;
    for (int i = 0; i < markers.Count(); ++i) {
        auto& h = markers.Highlighter(i);
        const std::string section = h.Lexer().ComponentName();
        for (const auto& a : h.Attributes()) {
            values.push_back({section, KeyName(a.Name, "_F"), std::to_string(a.Foreground)});
            values.push_back({section, KeyName(a.Name, "_B"), std::to_string(a.Background)});
            values.push_back({section, KeyName(a.Name, "_S"), std::to_string(a.Style)});
        }
    }
    TIniFile(path).WriteValues(values);
}

}  // namespace krq
