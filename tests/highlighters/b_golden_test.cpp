// Golden samples: each sample of a language lexed line by line, carrying the state, must give
// the reviewed .styled text beside it. KRQ_UPDATE_GOLDEN=1 rewrites the .styled files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/TestHome.h"
#include "highlighters/LexerTestUtil.h"

using namespace krq;

namespace {

struct GoldenCase {
    const char* sample;
    const TKrqLexer& (*lexer)();
};

const GoldenCase kCases[] = {
    {"sample.vbs", VbScriptLexer}, {"sample.bas", VbLexer},  {"sample.for", FortranLexer},
    {"sample.pl", PerlLexer},      {"sample.sql", SqlLexer}, {"sample.asm", AsmLexer},
    {"sample.ini", IniLexer},      {"sample.bat", BatLexer}, {"sample.iss", InnoLexer},
};

// One output line per source line; a line that ends in a state other than 0 says so.
std::string StyleSample(const TKrqLexer& lexer, const std::string& utf8) {
    std::string bytes = cp1250::fromUtf8(utf8);
    std::string result;
    int state = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        int next = 0;
        auto tokens = test::LexBytes(lexer, line, state, &next);
        result += test::ShowTokens(lexer, line, tokens);
        if (next != 0)
            result += (tokens.empty() ? "[state " : " [state ") + std::to_string(next) + "]";
        result += '\n';
        state = next;
        start = end + 1;
    }
    return result;
}

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.sample; }

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

}  // namespace

TEST_P(GoldenTest, SampleLexesAsReviewed) {
    const auto& c = GetParam();
    auto samplePath = test::GoldenDir() / c.sample;
    auto styledPath = test::GoldenDir() / (std::string(c.sample) + ".styled");
    std::string actual = StyleSample(c.lexer(), test::ReadFile(samplePath.string()));
    const char* update = std::getenv("KRQ_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        test::WriteFile(styledPath.string(), actual);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(styledPath)) << styledPath;
    // Compared line by line so that a failure names the source line that changed.
    auto lines = [](const std::string& text) {
        std::vector<std::string> result;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            result.push_back(text.substr(start, end - start));
        if (start < text.size()) result.push_back(text.substr(start));
        return result;
    };
    auto got = lines(actual);
    auto want = lines(test::ReadFile(styledPath.string()));
    for (size_t i = 0; i < std::min(got.size(), want.size()); ++i)
        ASSERT_EQ(got[i], want[i]) << c.sample << " line " << i + 1;
    EXPECT_EQ(got.size(), want.size()) << c.sample;
}

INSTANTIATE_TEST_SUITE_P(LexersB, GoldenTest, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.sample;
    for (char& ch : name)
        if (ch == '.') ch = '_';
    return name;
});
