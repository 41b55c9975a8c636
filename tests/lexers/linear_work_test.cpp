// Every lexer costs work in proportion to the length of a line, also on hostile lines: a line of
// 1 MB built to make a lexer look ahead from every position (unclosed brackets, runs of sigils,
// every byte class) costs no more per byte than a constant times 1 MB of normal text of its
// language (or than a single pass, where normal text costs less). The work is what the scanning
// steps count (bytes examined plus tokens emitted), never time.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/TestHome.h"
#include "lexers/KrqLexerScan.h"
#include "lexers/LexerTestUtil.h"

namespace krq::test {
namespace {

constexpr size_t kLine = 1 << 20;
// A hostile line may cost this many times the work per byte of normal text.
constexpr double kFactor = 4.0;

struct TLinearCase {
    const char* name;
    const TKrqLexer& (*lexer)();
    const char* sample;
    // Pieces that, repeated, made this lexer rescan or search from every position.
    std::vector<std::string> hostile;
};

std::vector<TLinearCase> Cases() {
    return {
        {"Html", HtmlLexer, "sample.html", {"<", "</", "<a b=\"", "&#", "<!--", "<script>"}},
        {"Css", CssLexer, "sample.css", {"url(", "{", "/*", "@media", "\""}},
        {"Php", PhpLexer, "sample.php", {"$", "$$", "\"$", "<<<", "?>", "\"${"}},
        {"JavaScript", JavaScriptLexer, "sample.js", {"/[", "[/", "/\\", "\\/", "/", "`${"}},
        {"Java", JavaLexer, "sample.java", {"\"\"\"", "\\\"\"\"", "/**"}},
        {"Pascal", PascalLexer, "sample.pas", {"{$", "(*", "'", "#$"}},
        {"Cpp", CppLexer, "sample.cpp", {"R\"x(", ")", "__asm ", "#define \\"}},
        {"VbScript", VbScriptLexer, "sample.vbs", {"[", "[ ", "&H", "\""}},
        {"Vb", VbLexer, "sample.bas", {"[", "[a", "&O", "a$"}},
        {"Fortran", FortranLexer, "sample.for", {".", ".A", "'", "Z'"}},
        {"Perl",
         PerlLexer,
         "sample.pl",
         {"${", "@{", "{$", "$", "$$", "$#", "%{", "/", "<<\"", "s{", "q(", "$${"}},
        {"Sql", SqlLexer, "sample.sql", {"[", "\"", "N'", "/*", "@@"}},
        {"Asm", AsmLexer, "sample.asm", {"'", "\"", "[", "0x"}},
        {"Ini", IniLexer, "sample.ini", {"[", "=", "\"", "'"}},
        {"Bat", BatLexer, "sample.bat", {"<%", "%", "!", "%~", "%%~", "%a b", "echo %"}},
        {"Xml", XmlLexer, "sample.xml", {"<", "<![CDATA[", "<!DOCTYPE [", "&", "<a b='"}},
        {"Inno", InnoLexer, "sample.iss", {"{", "{ ", "{#", "{a", "a={", "Name: {", "[", "(*"}},
    };
}

void PrintTo(const TLinearCase& c, std::ostream* os) { *os << c.name; }

std::string Repeat(std::string_view piece, size_t size) {
    std::string line;
    line.reserve(size + piece.size());
    while (line.size() < size) line += piece;
    return line;
}

// The work of lexing one line from `state`.
uint64_t WorkOf(const TKrqLexer& lexer, std::string_view line, int state) {
    std::vector<TKrqToken> tokens;
    const uint64_t before = lexscan::tScanWork;
    lexer.LexLine(line, state, tokens);
    return lexscan::tScanWork - before;
}

class LinearWork : public ::testing::TestWithParam<TLinearCase> {
  protected:
    void SetUp() override {
        const auto& c = GetParam();
        const std::string sample = cp1250::FromUtf8(ReadFile((GoldenDir() / c.sample).string()));
        // The states the sample's lines start in: sections, comments, strings left open.
        const auto lines = SplitLines(sample);
        int state = 0;
        for (const auto& line : lines) {
            if (states_.size() < 4) states_.insert(state);
            LexBytes(c.lexer(), line, state, &state);
        }
        // Normal text: the sample's lines lexed one after the other, as often as makes 1 MB.
        const uint64_t before = lexscan::tScanWork;
        size_t bytes = 0;
        state = 0;
        std::vector<TKrqToken> tokens;
        while (bytes < kLine) {
            for (const auto& line : lines) {
                tokens.clear();
                state = c.lexer().LexLine(line, state, tokens);
                bytes += line.size() + 1;
            }
        }
        // Text that is mostly comments costs less than a step per byte; a single pass is the
        // least a hostile line is held to.
        normalWork_ = std::max(1.0, static_cast<double>(lexscan::tScanWork - before) / bytes);
        for (const auto& line : lines) normal_ += line + " ";
    }

    // Expects the work of `line` per byte within the factor of normal text's.
    void ExpectLinear(const std::string& line, int state, std::string_view what) {
        const double work = static_cast<double>(WorkOf(GetParam().lexer(), line, state));
        EXPECT_LE(work / line.size(), kFactor * normalWork_)
            << GetParam().name << ": " << what << " from state " << state << ", " << line.size()
            << " bytes";
    }

    std::set<int> states_;
    std::string normal_;  // the sample's lines joined into one
    double normalWork_ = 0;
};

TEST_P(LinearWork, NormalTextCostsAFewStepsPerByte) {
    EXPECT_GT(normalWork_, 0.0);
    EXPECT_LE(normalWork_, 4.0) << GetParam().name;
}

TEST_P(LinearWork, HostileOneMegabyteLinesCostLinearWork) {
    for (const auto& piece : GetParam().hostile) {
        ExpectLinear(Repeat(piece, kLine), 0, "\"" + piece + "\" repeated");
        // The same behind the start of a normal line.
        ExpectLinear(normal_ + Repeat(piece, kLine), 0, "the sample, then " + piece);
    }
}

TEST_P(LinearWork, OneMegabyteOfEveryByteClassCostsLinearWork) {
    std::vector<std::pair<std::string, std::string>> classes = {
        {"letters", "abcXYZ\xb9\xea\xbf"},
        {"digits", "0123456789"},
        {"blanks", " \t\r\f\v"},
        {"controls", std::string("\x01\x02\x1b\x7f\0", 5)},
        {"upper half", "\x80\x81\x98\xa0\xad\xff"},
        {"punctuation", "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
    };
    for (const auto& [name, bytes] : classes)
        for (int state : states_) ExpectLinear(Repeat(bytes, kLine), state, name);
    for (char c : std::string_view("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"))
        ExpectLinear(Repeat(std::string(1, c), kLine), 0, std::string(1, c));
}

// Every pair of punctuation marks, blank, letter and digit, repeated: shorter lines, since a
// search from every position already costs a hundred times a linear pass at this length.
TEST_P(LinearWork, RepeatedPairsOfByteClassesCostLinearWork) {
    const std::string_view marks = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ a0";
    for (char a : marks)
        for (char b : marks) ExpectLinear(Repeat(std::string{a, b}, 16384), 0, std::string{a, b});
}

INSTANTIATE_TEST_SUITE_P(Lexers, LinearWork, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krq::test
