// The Windows-1250 tables checked against glibc's own CP1250 converter and the case table.
#include "platform/cp1250.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cwctype>

using namespace krq;

namespace {

// The Unicode character glibc gives for one CP1250 byte, or 0 when it refuses the byte.
char32_t GlibcCharOf(uint8_t byte) {
    iconv_t cd = iconv_open("UTF-32LE", "CP1250");
    if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* pin = in;
    char* pout = out;
    size_t inLeft = 1, outLeft = sizeof out;
    size_t r = iconv(cd, &pin, &inLeft, &pout, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return 0;
    return static_cast<char32_t>(static_cast<uint8_t>(out[0]) | static_cast<uint8_t>(out[1]) << 8 |
                                 static_cast<uint8_t>(out[2]) << 16);
}

}  // namespace

TEST(Cp1250, EveryByteMatchesGlibcAndTheFiveUndefinedShowAsReplacement) {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        char32_t expected = GlibcCharOf(static_cast<uint8_t>(b));
        if (expected == 0 && b != 0) {
            EXPECT_EQ(cp1250::ToUnicode(static_cast<uint8_t>(b)), cp1250::kUndefined) << b;
            ++undefined;
        } else {
            EXPECT_EQ(static_cast<char32_t>(cp1250::ToUnicode(static_cast<uint8_t>(b))), expected)
                << "byte " << b;
        }
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, UnicodeRoundTripAndUnknownCharactersBecomeQuestionMarks) {
    for (int b = 0; b < 256; ++b) {
        char16_t c = cp1250::ToUnicode(static_cast<uint8_t>(b));
        if (c == cp1250::kUndefined) continue;
        EXPECT_EQ(cp1250::FromUnicode(c), b);
    }
    EXPECT_EQ(cp1250::FromUnicode(U'€'), 0x80);
    EXPECT_EQ(cp1250::FromUnicode(U'ж'), '?');
    EXPECT_EQ(cp1250::FromUnicode(U'😀'), '?');
    EXPECT_EQ(cp1250::FromUnicode(cp1250::kUndefined), '?');
    EXPECT_EQ(cp1250::FromUtf8("Zażółć gęślą jaźń"),
              "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1");
    EXPECT_EQ(cp1250::ToUtf8("\xA3\xF3\x64\x9F"), "Łódź");
    // Broken UTF-8 costs one "?" per bad byte and never stalls.
    EXPECT_EQ(cp1250::FromUtf8("a\xC3"), "a?");
    EXPECT_EQ(cp1250::FromUtf8("\xFF"
                               "b"),
              "?b");
}

TEST(Cp1250, CasePairsAreExactlyThePolishWindowsOnes) {
    const std::string upper =
        "ABCZ\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC\xC0\xC6\xCA\xD1\xD3\xDE";
    const std::string lower =
        "abcz\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBF\xBE\xE0\xE6\xEA\xF1\xF3\xFE";
    for (size_t i = 0; i < upper.size(); ++i) {
        EXPECT_EQ(cp1250::ToLower(static_cast<uint8_t>(upper[i])), static_cast<uint8_t>(lower[i]));
        EXPECT_EQ(cp1250::ToUpper(static_cast<uint8_t>(lower[i])), static_cast<uint8_t>(upper[i]));
    }
    // ß, µ, × and ÷ have no partner.
    for (uint8_t b : {0xDF, 0xB5, 0xD7, 0xF7, 0xFF, 0xA1}) {
        EXPECT_EQ(cp1250::ToUpper(b), b);
        EXPECT_EQ(cp1250::ToLower(b), b);
    }
    int pairs = 0;
    for (int b = 0; b < 256; ++b)
        if (cp1250::ToUpper(static_cast<uint8_t>(b)) != b) ++pairs;
    EXPECT_EQ(pairs, 26 + 10 + 30);
}

TEST(Cp1250, LettersAndDigitsFollowTheUnicodeCharacter) {
    EXPECT_TRUE(cp1250::IsAlnum('7'));
    EXPECT_TRUE(cp1250::IsAlnum(0xB9));  // ą
    EXPECT_TRUE(cp1250::IsAlnum(0xDF));  // ß
    EXPECT_TRUE(cp1250::IsAlnum(0xB5));  // µ
    EXPECT_FALSE(cp1250::IsAlnum('_'));
    EXPECT_FALSE(cp1250::IsAlnum(0xD7));  // ×
    EXPECT_FALSE(cp1250::IsAlnum(0xF7));  // ÷
    EXPECT_FALSE(cp1250::IsAlnum(0xA0));  // no-break space
    EXPECT_FALSE(cp1250::IsAlnum(0x96));  // en dash
    // Every byte with a case partner is a letter.
    for (int b = 0; b < 256; ++b)
        if (cp1250::ToUpper(static_cast<uint8_t>(b)) != b ||
            cp1250::ToLower(static_cast<uint8_t>(b)) != b) {
            EXPECT_TRUE(cp1250::IsAlnum(static_cast<uint8_t>(b))) << b;
        }
}
