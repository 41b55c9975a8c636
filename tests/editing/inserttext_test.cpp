// The insert texts and the auxiliary text file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/TestHome.h"
#include "editing/unInsertText.h"
#include "platform/errors.h"

namespace krq::test {
namespace {

TEST(HtmlColorCode, RedComesFirstInUpperCaseHex) {
    EXPECT_EQ(HtmlColorCode(255, 0, 0), "#FF0000");
    EXPECT_EQ(HtmlColorCode(0x12, 0x34, 0x56), "#123456");
    EXPECT_EQ(HtmlColorCode(0, 0, 0), "#000000");
    EXPECT_EQ(HtmlColorCode(0xAB, 0x0C, 0xFF), "#AB0CFF");
}

TEST(LinesEachWithCrLf, EveryLineEndsWithCrLfUpToTheFirstNul) {
    EXPECT_EQ(LinesEachWithCrLf(""), "");
    EXPECT_EQ(LinesEachWithCrLf("AB"), "AB\r\n");
    EXPECT_EQ(LinesEachWithCrLf("a\r\nb\rc\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(LinesEachWithCrLf("a\n\n"), "a\r\n\r\n");
    EXPECT_EQ(LinesEachWithCrLf(std::string("a\nb\0c\n", 6)), "a\r\nb\r\n");
    EXPECT_EQ(LinesEachWithCrLf(std::string("\0a", 2)), "");
}

TEST(CrLfBreaks, LoneBreaksBecomeCrLfAndTheEndStaysAsItIs) {
    EXPECT_EQ(CrLfBreaks("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(CrLfBreaks("a\rb"), "a\r\nb");
    EXPECT_EQ(CrLfBreaks("a\r\n\r\n"), "a\r\n\r\n");
    EXPECT_EQ(CrLfBreaks("\n\r"), "\r\n\r\n");
    EXPECT_EQ(CrLfBreaks(std::string("x\0y", 3)), "x");
}

TEST(ExtraTextFile, WritesAtomicallyAndReportsWithThePath) {
    const std::string data = TestHome() + "/data";
    std::filesystem::remove_all(data);
    try {
        ReadExtraTextFile();
        ADD_FAILURE() << "no failure";
    } catch (const EKrqError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + ExtraTextPath());
    }
    try {
        WriteExtraTextFile("x");
        ADD_FAILURE() << "no failure";
    } catch (const EKrqError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + ExtraTextPath());
    }
    std::filesystem::create_directories(data);
    WriteExtraTextFile("a\r\nb");
    EXPECT_EQ(ReadExtraTextFile(), "a\r\nb");
    WriteExtraTextFile("");
    EXPECT_EQ(ReadExtraTextFile(), "");
    std::filesystem::remove_all(data);
}

}  // namespace
}  // namespace krq::test
