// Golden samples: each sample of a language lexed line by line, carrying the state, must give
// the reviewed .styled text beside it. KRQ_UPDATE_GOLDEN=1 rewrites the .styled files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/TestHome.h"
#include "lexers/LexerTestUtil.h"

namespace krq::test {
namespace {

struct TGolden {
    const char* sample;
    const TKrqLexer& (*lexer)();
};

const TGolden kSamples[] = {
    {"sample.html", HtmlLexer},     {"sample.css", CssLexer},      {"sample.php", PhpLexer},
    {"sample.js", JavaScriptLexer}, {"sample.java", JavaLexer},    {"sample.pas", PascalLexer},
    {"sample.cpp", CppLexer},       {"sample.vbs", VbScriptLexer}, {"sample.bas", VbLexer},
    {"sample.for", FortranLexer},   {"sample.pl", PerlLexer},      {"sample.sql", SqlLexer},
    {"sample.asm", AsmLexer},       {"sample.ini", IniLexer},      {"sample.bat", BatLexer},
    {"sample.xml", XmlLexer},       {"sample.iss", InnoLexer},
};

// One output line per source line (the sample is UTF-8, lexed as Windows-1250 bytes); a line
// that ends in a state other than 0 says so.
std::string StyleSample(const TKrqLexer& lexer, const std::string& utf8) {
    std::string bytes = cp1250::FromUtf8(utf8);
    std::string result;
    int state = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        int next = 0;
        auto tokens = LexBytes(lexer, line, state, &next);
        result += ShowTokens(lexer, line, tokens);
        if (next != 0)
            result += (tokens.empty() ? "[state " : " [state ") + std::to_string(next) + "]";
        result += '\n';
        state = next;
        start = end + 1;
    }
    return result;
}

// The lines of a text, a final line break ending the last line rather than starting another.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> result;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    if (start < text.size()) result.push_back(text.substr(start));
    return result;
}

void PrintTo(const TGolden& golden, std::ostream* os) { *os << golden.sample; }

class GoldenTest : public ::testing::TestWithParam<TGolden> {};

TEST_P(GoldenTest, SampleLexesAsReviewed) {
    const auto& param = GetParam();
    auto samplePath = GoldenDir() / param.sample;
    auto styledPath = GoldenDir() / (std::string(param.sample) + ".styled");
    std::string text = ReadFile(samplePath.string());
    ASSERT_FALSE(text.empty()) << samplePath;
    std::string actual = StyleSample(param.lexer(), text);
    const char* update = std::getenv("KRQ_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteFile(styledPath.string(), actual);
        GTEST_SKIP() << "rewrote " << styledPath;
    }
    ASSERT_TRUE(std::filesystem::exists(styledPath)) << styledPath;
    // Compared line by line so that a failure names the source line that changed.
    auto got = Lines(actual);
    auto want = Lines(ReadFile(styledPath.string()));
    for (size_t i = 0; i < std::min(got.size(), want.size()); ++i)
        EXPECT_EQ(got[i], want[i]) << param.sample << " line " << i + 1;
    EXPECT_EQ(got.size(), want.size()) << param.sample;
}

INSTANTIATE_TEST_SUITE_P(Lexers, GoldenTest, ::testing::ValuesIn(kSamples), [](const auto& info) {
    std::string name = info.param.sample;
    for (char& ch : name)
        if (ch == '.') ch = '_';
    return name;
});

}  // namespace
}  // namespace krq::test
