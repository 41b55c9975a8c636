// Document encodings: detection, decoding into Windows-1250 bytes and encoding back.
#include "platform/encoding.h"

#include <gtest/gtest.h>

#include "platform/cp1250.h"

namespace krq {
namespace {

// "Zażółć gęślą jaźń" in UTF-8 and in Windows-1250.
const std::string kUtf8 =
    "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 ja\xC5\xBA\xC5\x84";
const std::string kCp = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";

TEST(Encoding, DetectsMarkValidMultiByteAndFallsBackToWindows1250) {
    EXPECT_EQ(DetectEncoding(std::string(kUtf8Bom) + "abc"), TDocEncoding::Utf8Bom);
    EXPECT_EQ(DetectEncoding(kUtf8), TDocEncoding::Utf8);
    // Pure ASCII holds no multi-byte sequence, so nothing says it is UTF-8.
    EXPECT_EQ(DetectEncoding("plain ascii text, long enough for the fast path"),
              TDocEncoding::Windows1250);
    EXPECT_EQ(DetectEncoding(kCp), TDocEncoding::Windows1250);
    EXPECT_EQ(DetectEncoding(""), TDocEncoding::Windows1250);
    // Malformed: a lone continuation, an overlong '/', a surrogate, a cut sequence.
    for (std::string bad : {"\xC5\xBC\x80", "\xC0\xAF\xC5\xBC", "\xED\xA0\x80", "ok \xC5"})
        EXPECT_EQ(DetectEncoding(bad), TDocEncoding::Windows1250) << bad;
}

TEST(Encoding, Utf8RoundTripsByteForByteWithAndWithoutMark) {
    for (std::string text :
         {kUtf8 + "\r\n" + kUtf8 + "\r\n", kUtf8 + "\n" + kUtf8, kUtf8 + "\r" + kUtf8 + "\r",
          std::string("abc\xE2\x82\xAC\xE2\x80\x9E")}) {
        for (bool mark : {false, true}) {
            std::string file = (mark ? std::string(kUtf8Bom) : std::string()) + text;
            std::string bytes = file;
            TDecodeReport report = Decode(bytes, DetectEncoding(file));
            ASSERT_TRUE(report.Lossless());
            EXPECT_EQ(report.Encoding, mark ? TDocEncoding::Utf8Bom : TDocEncoding::Utf8);
            EXPECT_EQ(Encode(bytes, report.Encoding), file);
        }
    }
    std::string bytes = kUtf8;
    Decode(bytes, TDocEncoding::Utf8);
    EXPECT_EQ(bytes, kCp);
}

TEST(Encoding, EveryDefinedByteSurvivesUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b < 0x80 || cp1250::ToUnicode(static_cast<uint8_t>(b)) != cp1250::kUndefined)
            all += static_cast<char>(b);
    std::string utf8 = Encode(all, TDocEncoding::Utf8);
    EXPECT_EQ(utf8.size(), EncodedSize(all, TDocEncoding::Utf8));
    EXPECT_EQ(utf8, cp1250::ToUtf8(all));
    EXPECT_EQ(CountUnencodable(all, TDocEncoding::Utf8), 0u);
    ASSERT_TRUE(Decode(utf8, TDocEncoding::Utf8).Lossless());
    EXPECT_EQ(utf8, all);
    // The five undefined bytes have no character to write.
    EXPECT_EQ(CountUnencodable("\x81\x83\x88\x90\x98", TDocEncoding::Utf8), 5u);
}

TEST(Encoding, CharactersWithoutAByteLeaveTheBytesUntouchedAndAreCounted) {
    // Cyrillic "Ж", an emoji, U+FFFD and U+0081 (whose byte is undefined) beside Polish letters.
    const std::string file = kUtf8 + " \xD0\x96 \xF0\x9F\x98\x80 \xEF\xBF\xBD \xC2\x81";
    std::string bytes = file;
    TDecodeReport report = Decode(bytes, DetectEncoding(file));
    EXPECT_EQ(report.Requested, TDocEncoding::Utf8);
    EXPECT_EQ(report.Encoding, TDocEncoding::Windows1250);
    EXPECT_EQ(report.Unmapped, 4u);
    EXPECT_EQ(bytes, file);
    // Invalid UTF-8 asked for explicitly is refused the same way.
    std::string invalid = "a\xFF" + kUtf8;
    report = Decode(invalid, TDocEncoding::Utf8);
    EXPECT_TRUE(report.Invalid);
    EXPECT_EQ(report.Encoding, TDocEncoding::Windows1250);
    EXPECT_EQ(invalid, "a\xFF" + kUtf8);
}

TEST(Encoding, Iso88592MapsEveryPrintableByteAndRefusesC1Controls) {
    std::string iso = "\xB1\xB6\xBC";  // ąśź in ISO-8859-2, ±¶Ľ read as Windows-1250
    ASSERT_TRUE(Decode(iso, TDocEncoding::Iso88592).Lossless());
    EXPECT_EQ(cp1250::ToUtf8(iso), "\xC4\x85\xC5\x9B\xC5\xBA");
    // 00-7F and A0-FF each have their Windows-1250 byte and come back unchanged.
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b < 0x80 || b >= 0xA0) all += static_cast<char>(b);
    std::string bytes = all;
    ASSERT_TRUE(Decode(bytes, TDocEncoding::Iso88592).Lossless());
    EXPECT_EQ(CountUnencodable(bytes, TDocEncoding::Iso88592), 0u);
    EXPECT_EQ(Encode(bytes, TDocEncoding::Iso88592), all);
    std::string c1 = "a\x85z";
    TDecodeReport report = Decode(c1, TDocEncoding::Iso88592);
    EXPECT_EQ(report.Unmapped, 1u);
    EXPECT_EQ(c1, "a\x85z");
    // "„" and "€" exist in Windows-1250 only.
    EXPECT_EQ(CountUnencodable("\x84\x80 \xB9", TDocEncoding::Iso88592), 2u);
}

TEST(Encoding, NamesRoundTrip) {
    for (TDocEncoding e : {TDocEncoding::Windows1250, TDocEncoding::Iso88592, TDocEncoding::Utf8,
                           TDocEncoding::Utf8Bom})
        EXPECT_EQ(EncodingFromName(EncodingName(e)), e);
    EXPECT_EQ(EncodingFromName("utf8"), TDocEncoding::Utf8);
    EXPECT_EQ(EncodingFromName("latin2"), TDocEncoding::Iso88592);
    EXPECT_FALSE(EncodingFromName("koi8-r"));
}

}  // namespace
}  // namespace krq
