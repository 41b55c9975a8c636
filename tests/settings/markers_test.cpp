// The highlighter catalogue, the automatic choice by file name and the colour-scheme files.
#include <gtest/gtest.h>

#include "common/TestHome.h"
#include "lexers/KrqLexerBase.h"
#include "lexers/TKrqHighlighter.h"
#include "lexers/unCatalogue.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"
#include "settings/unColorScheme.h"
#include "settings/unMarkerChoice.h"

using namespace krq;

namespace {

using Names = std::vector<std::string>;

// A lexer with two attributes, enough to exercise the scheme format.
class TFakeLexer final : public TKrqLexerBase {
  public:
    TFakeLexer()
        : TKrqLexerBase("hgr_Fake", "TFake", "Fake", "Fake (*.fk)|*.fk",
                        {"Słowo zarezerwowane", "Spacja"}, "Spacja", MakeIdentChars()) {}
    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override {
        EmitToken(out, 0, line.size(), 0);
        return state;
    }
};

}  // namespace

TEST(Catalogue, SeventeenHighlightersInTheirOrderAndTheDialogFilter) {
    ASSERT_EQ(kCatalogue.size(), 17u);
    EXPECT_STREQ(kCatalogue.front().Component, "hgr_Html");
    EXPECT_STREQ(kCatalogue[6].Language, "C++");
    EXPECT_STREQ(kCatalogue[14].Language, "Język wsadowy MS-DOS");
    EXPECT_STREQ(kCatalogue.back().Component, "hgr_Inno");
    std::string filter = FileDialogFilter();
    EXPECT_EQ(filter.rfind("Dokumenty tekstowe (*.txt)|*.txt|HTML Documents (*.htm,*.html)|", 0),
              0u);
    EXPECT_NE(filter.find("|Inno Setup Scripts (*.iss)|*.iss|Wszystkie pliki|*.*|"),
              std::string::npos);
    int bars = 0;
    for (char c : filter) bars += c == '|';
    EXPECT_EQ(bars, 19 * 2);
}

TEST(MarkerChoice, ExtensionsAreLowerCasedAndTextFilesTakeTheHighlighterOff) {
    EXPECT_EQ(LanguagesForFile("/w/index.HTML"), Names{"Dokument HTML"});
    EXPECT_EQ(LanguagesForFile("/w/NOTES.TXT"), Names{"nil"});
    EXPECT_EQ(LanguagesForFile("notes.txt"), Names{"nil"});
    // Several matches are applied in catalogue order, so Pascal stays on for .inc.
    EXPECT_EQ(LanguagesForFile("/w/unit.inc"), (Names{"PHP", "Pascal / Object Pascal"}));
    EXPECT_EQ(LanguagesForFile("/w/server.log"), Names{});
    EXPECT_EQ(LanguagesForFile("/w/setup.iss"), Names{"Inno Setup"});
    EXPECT_EQ(LanguagesForFile("/w/run.CMD"), Names{"Język wsadowy MS-DOS"});
}

// A plain substring test would send main.c to the batch highlighter through "*.cmd" and a
// name without an extension to Inno Setup through the "*" of every filter.
TEST(MarkerChoice, PatternsMatchWholeNotAsSubstrings) {
    EXPECT_EQ(LanguagesForFile("/w/main.c"), Names{"C++"});
    EXPECT_EQ(LanguagesForFile("/w/main.h"), Names{"C++"});
    EXPECT_EQ(LanguagesForFile("/w/Makefile"), Names{});
    EXPECT_EQ(LanguagesForFile("/w/dir.d/README"), Names{});
    EXPECT_EQ(LanguagesForFile("/w/style.css"), Names{"Kaskadowe arkusze styli"});
    EXPECT_EQ(LanguagesForFile("/w/a.cs"), Names{});
}

TEST(ColorScheme, KeysCarryPolishNamesAndMissingKeysMeanNoColour) {
    TFakeLexer lexer;
    TKrqHighlighter h(lexer);
    const std::string path = test::TestHome() + "/marks_fake.ini";
    test::WriteFile(path, cp1250::FromUtf8("[HGR_FAKE]\r\nSłowo zarezerwowane_F=255\r\n"
                                           "Słowo zarezerwowane_S=1\r\nSpacja_B=0x00FFFFFF\r\n"));
    int changes = 0;
    h.AddChangeListener([&] { ++changes; });
    LoadColorScheme(h, path);
    EXPECT_EQ(h.Attributes()[0].Foreground, 255);
    EXPECT_EQ(h.Attributes()[0].Background, kNoColorValue);
    EXPECT_EQ(h.Attributes()[0].Style, 1);
    EXPECT_EQ(h.Attributes()[1].Foreground, kNoColorValue);
    EXPECT_EQ(h.Attributes()[1].Background, 0xFFFFFF);
    EXPECT_EQ(changes, 2);
    LoadColorScheme(h, test::TestHome() + "/missing.ini");
    for (const auto& a : h.Attributes()) {
        EXPECT_EQ(a.Foreground, kNoColorValue);
        EXPECT_EQ(a.Background, kNoColorValue);
        EXPECT_EQ(a.Style, 0);
    }
}
