// Golden files: each sample is lexed line by line and compared with its reviewed .styled form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/TestHome.h"
#include "highlighters/LexerTestUtil.h"

namespace krq::test {
namespace {

// One line of runs per source line: attr:"text" separated by spaces, quotes and backslashes
// escaped so that every run stays readable.
std::string Render(const std::vector<std::vector<TRun>>& lines) {
    std::string outText;
    for (const auto& runs : lines) {
        bool first = true;
        for (const auto& [attr, text] : runs) {
            if (!first) outText += ' ';
            first = false;
            outText += attr + ":\"";
            for (char c : text) {
                if (c == '"' || c == '\\') outText += '\\';
                outText += c;
            }
            outText += '"';
        }
        outText += '\n';
    }
    return outText;
}

struct TGolden {
    const char* file;
    const TKrqLexer& (*lexer)();
};

void PrintTo(const TGolden& golden, std::ostream* os) { *os << golden.file; }

class GoldenTest : public ::testing::TestWithParam<TGolden> {};

TEST_P(GoldenTest, SampleMatchesStyledFile) {
    const auto& param = GetParam();
    std::filesystem::path sample = GoldenDir() / param.file;
    std::filesystem::path styled = sample;
    styled += ".styled";
    std::string text = ReadFile(sample.string());
    ASSERT_FALSE(text.empty()) << sample;
    if (text.back() == '\n') text.pop_back();
    std::string actual = Render(LexRuns(param.lexer(), SplitLines(text)));
    const char* update = std::getenv("KRQ_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteFile(styled.string(), actual);
        GTEST_SKIP() << "rewrote " << styled;
    }
    // Line by line, so that a failure names the source line that changed.
    auto expectedLines = SplitLines(ReadFile(styled.string()));
    auto actualLines = SplitLines(actual);
    ASSERT_EQ(expectedLines.size(), actualLines.size()) << styled;
    for (size_t k = 0; k < actualLines.size(); ++k)
        EXPECT_EQ(expectedLines[k], actualLines[k]) << styled << " line " << k + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Lexers, GoldenTest,
    ::testing::Values(TGolden{"sample.html", HtmlLexer}, TGolden{"sample.css", CssLexer},
                      TGolden{"sample.php", PhpLexer}, TGolden{"sample.js", JavaScriptLexer},
                      TGolden{"sample.java", JavaLexer}, TGolden{"sample.pas", PascalLexer},
                      TGolden{"sample.cpp", CppLexer}, TGolden{"sample.xml", XmlLexer}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(name.find('.') + 1);
    });

}  // namespace
}  // namespace krq::test
