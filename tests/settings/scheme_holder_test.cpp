// The holder's seventeen highlighters and colour schemes over all of them: the round trip
// through the file, the defaults for what is missing and the shipped standard scheme.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <sstream>

#include "common/TestHome.h"
#include "lexers/unCatalogue.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "settings/frMarkers.h"
#include "settings/unColorScheme.h"

using namespace krq;

namespace {

std::string StdCodePath() {
    return (std::filesystem::path(KRQ_SOURCE_DIR) / "data" / "stdcode.ini").string();
}

// "[section]" and "key=value" lines of a scheme file in file order, keys in UTF-8.
struct TLine {
    std::string Section, Key, Value;
};
std::vector<TLine> ParseScheme(const std::string& bytes) {
    std::vector<TLine> lines;
    std::istringstream in(bytes);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        auto eq = line.find('=');
        lines.push_back({section, cp1250::ToUtf8(line.substr(0, eq)), line.substr(eq + 1)});
    }
    return lines;
}

// What a complete scheme file holds, in catalogue and list order.
std::vector<TLine> ExpectedKeys(TfrmMarkers& markers) {
    std::vector<TLine> keys;
    for (int i = 0; i < markers.Count(); ++i) {
        auto& h = markers.Highlighter(i);
        for (const auto& a : h.Attributes()) {
            keys.push_back(
                {h.Lexer().ComponentName(), a.Name + "_F", std::to_string(a.Foreground)});
            keys.push_back(
                {h.Lexer().ComponentName(), a.Name + "_B", std::to_string(a.Background)});
            keys.push_back({h.Lexer().ComponentName(), a.Name + "_S", std::to_string(a.Style)});
        }
    }
    return keys;
}

void ExpectSameKeys(const std::vector<TLine>& actual, const std::vector<TLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].Section, expected[i].Section) << i;
        EXPECT_EQ(actual[i].Key, expected[i].Key) << i;
        EXPECT_EQ(actual[i].Value, expected[i].Value) << expected[i].Key;
    }
}

}  // namespace

TEST(MarkersHolder, SeventeenHighlightersInCatalogueOrderWithTheLexersAttributes) {
    TfrmMarkers markers(TfrmMarkers::TScope::Private);
    ASSERT_EQ(markers.Count(), kCatalogueSize);
    for (int i = 0; i < markers.Count(); ++i) {
        const TKrqHighlighter& h = markers.Highlighter(i);
        const TKrqLexer& lexer = h.Lexer();
        const TKrqCatalogueEntry& entry = kCatalogue[static_cast<size_t>(i)];
        EXPECT_STREQ(lexer.ComponentName(), entry.Component);
        EXPECT_STREQ(lexer.ClassName(), entry.ClassName);
        EXPECT_STREQ(lexer.LanguageName(), entry.Language);
        EXPECT_STREQ(lexer.DefaultFilter(), entry.Filter);
        ASSERT_EQ(h.Attributes().size(), lexer.AttributeNames().size());
        for (size_t a = 0; a < h.Attributes().size(); ++a) {
            EXPECT_EQ(h.Attributes()[a].Name, lexer.AttributeNames()[a]);
            EXPECT_EQ(h.Attributes()[a].Foreground, kNoColorValue);
        }
        const std::string& ws = h.Attributes().at(static_cast<size_t>(lexer.WhitespaceAttr())).Name;
        EXPECT_EQ(ws, i == 15 ? "Pusta przestrzeń" : "Spacja") << entry.Component;
        EXPECT_EQ(markers.FindByLanguage(entry.Language), &h);
        EXPECT_EQ(markers.FindByComponent(entry.Component), &h);
    }
    EXPECT_EQ(markers.FindByLanguage("c++"), nullptr);
    EXPECT_EQ(markers.FindByLanguage("nil"), nullptr);
    EXPECT_EQ(markers.FindByComponent("HGR_CPP"), nullptr);
}

TEST(MarkersHolder, TheFirstProgramHolderIsTheInstanceWhileItLives) {
    EXPECT_EQ(TfrmMarkers::Instance(), nullptr);
    {
        TfrmMarkers own(TfrmMarkers::TScope::Private);
        EXPECT_EQ(TfrmMarkers::Instance(), nullptr);
        TfrmMarkers program;
        TfrmMarkers second;
        EXPECT_EQ(TfrmMarkers::Instance(), &program);
    }
    EXPECT_EQ(TfrmMarkers::Instance(), nullptr);
}

TEST(ColorSchemeFile, SavedSchemeLoadsBackWithEveryKeyInOrder) {
    TfrmMarkers saved(TfrmMarkers::TScope::Private);
    std::mt19937 random(7);
    const int32_t system = static_cast<int32_t>(0x80000005);
    const int32_t colours[] = {0, 255, 0xFFFFFF, 0x123456, kNoColorValue, system};
    for (int i = 0; i < saved.Count(); ++i) {
        auto& h = saved.Highlighter(i);
        for (size_t a = 0; a < h.Attributes().size(); ++a)
            h.SetAttribute(static_cast<int>(a), colours[random() % 6], colours[random() % 6],
                           static_cast<int>(random() % 16));
    }
    const std::string path = test::MakeTempDir("roundtrip") + "/marks.ini";
    SaveColorScheme(saved, path);
    const std::string bytes = test::ReadFile(path);
    ExpectSameKeys(ParseScheme(bytes), ExpectedKeys(saved));
    // Polish letters and spaces of attribute names are kept in the file's code page.
    EXPECT_NE(bytes.find(cp1250::FromUtf8("\r\nŁańcuch znaków_F=")), std::string::npos);
    EXPECT_NE(bytes.find(cp1250::FromUtf8("\r\nSłowo zarezerwowane PL/SQL_S=")), std::string::npos);
    EXPECT_EQ(bytes.find("\xC5"), std::string::npos);  // no UTF-8 left in the file

    TfrmMarkers loaded(TfrmMarkers::TScope::Private);
    // The file is parsed once for the whole scheme, and once for one highlighter's part.
    const uint64_t parses = TIniFile::ParseCount();
    LoadColorScheme(loaded, path);
    EXPECT_EQ(TIniFile::ParseCount() - parses, 1u);
    LoadColorScheme(loaded.Highlighter(3), path);
    EXPECT_EQ(TIniFile::ParseCount() - parses, 2u);
    for (int i = 0; i < saved.Count(); ++i) {
        const auto& expected = saved.Highlighter(i).Attributes();
        const auto& actual = loaded.Highlighter(i).Attributes();
        for (size_t a = 0; a < expected.size(); ++a) {
            EXPECT_EQ(actual[a].Foreground, expected[a].Foreground) << expected[a].Name;
            EXPECT_EQ(actual[a].Background, expected[a].Background) << expected[a].Name;
            EXPECT_EQ(actual[a].Style, expected[a].Style) << expected[a].Name;
        }
    }

    // Saving again over the file rewrites the values in place, nothing twice.
    saved.Highlighter(0).SetAttribute(0, 1, 2, 3);
    SaveColorScheme(saved, path);
    ExpectSameKeys(ParseScheme(test::ReadFile(path)), ExpectedKeys(saved));
}

// A load replaces whatever was in memory: what the file lacks reads as no colour and no style.
TEST(ColorSchemeFile, MissingSectionsAndKeysReadAsNoColour) {
    TfrmMarkers markers(TfrmMarkers::TScope::Private);
    for (int i = 0; i < markers.Count(); ++i) markers.Highlighter(i).SetAttribute(0, 1, 2, 3);
    const std::string path = test::MakeTempDir("partial") + "/marks.ini";
    test::WriteFile(path, cp1250::FromUtf8("[hgr_Css]\r\nŁańcuch znaków_F=255\r\nNumer_S=x\r\n"
                                           "[hgr_Xml]\r\nPusta przestrzeń_B=$FF\r\n"));
    LoadColorScheme(markers, path);
    for (int i = 0; i < markers.Count(); ++i) {
        auto& h = markers.Highlighter(i);
        for (const auto& a : h.Attributes()) {
            const std::string where = std::string(h.Lexer().ComponentName()) + "/" + a.Name;
            const bool cssString = where == "hgr_Css/Łańcuch znaków";
            const bool xmlSpace = where == "hgr_Xml/Pusta przestrzeń";
            EXPECT_EQ(a.Foreground, cssString ? 255 : kNoColorValue) << where;
            EXPECT_EQ(a.Background, xmlSpace ? 255 : kNoColorValue) << where;
            EXPECT_EQ(a.Style, 0) << where;
        }
    }
    LoadColorScheme(markers, path + ".missing");
    EXPECT_EQ(markers.FindByComponent("hgr_Css")->Attributes()[1].Foreground, kNoColorValue);
}

// The standard scheme names every attribute of every highlighter, nothing else, and reads
// on the white editor background.
TEST(ColorSchemeFile, StandardSchemeCoversEveryAttributeExactly) {
    TfrmMarkers markers(TfrmMarkers::TScope::Private);
    LoadColorScheme(markers, StdCodePath());
    const std::vector<TLine> file = ParseScheme(test::ReadFile(StdCodePath()));
    ExpectSameKeys(file, ExpectedKeys(markers));
    int coloured = 0;
    for (int i = 0; i < markers.Count(); ++i) {
        for (const auto& a : markers.Highlighter(i).Attributes()) {
            EXPECT_NE(a.Foreground, 0xFFFFFF) << a.Name;
            EXPECT_GE(a.Style, 0);
            EXPECT_LT(a.Style, 16);
            coloured += a.Foreground != kNoColorValue;
        }
    }
    EXPECT_GT(coloured, 100);
    // Comments grey or green and italic, reserved words bold, in every highlighter that has them.
    for (int i = 0; i < markers.Count(); ++i) {
        auto& h = markers.Highlighter(i);
        for (const auto& a : h.Attributes()) {
            if (a.Name == "Komentarz") {
                EXPECT_TRUE(a.Style & fsItalic) << h.Lexer().ComponentName();
            }
            if (a.Name == "Słowo zarezerwowane") {
                EXPECT_TRUE(a.Style & fsBold) << h.Lexer().ComponentName();
            }
        }
    }
}
