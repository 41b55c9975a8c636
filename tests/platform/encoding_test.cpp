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

namespace krq {
namespace {

// Every code path of UTF-8; on a processor without one, it runs the next.
constexpr detail::TVectorPath kPaths[] = {detail::TVectorPath::Fastest, detail::TVectorPath::Wide,
                                          detail::TVectorPath::Narrow,
                                          detail::TVectorPath::Portable};

// Every path against the plain per-character conversions, on random texts of every short
// length and longer ones, mostly ASCII with letters and a few three-byte characters between.
TEST(Encoding, FastPathsAgreeWithThePlainConversionsOnRandomTexts) {
    const std::string pool = "abc \r\n\xB9\x9C\x9F\xBF\xF3\xB3\xE6\xEA\xF1\x80\x84\x96\xA1\xFF";
    uint64_t state = 12345;
    auto next = [&](uint64_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % bound;
    };
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        // Short texts, and long ones for the steps of the vector paths; some of these hold
        // only letters, some any defined byte.
        const size_t length = next(3) ? next(40) : next(400);
        const bool anyByte = next(2);
        for (size_t i = 0; i < length; ++i) {
            if (next(3)) {
                text += static_cast<char>('a' + next(26));
            } else if (anyByte && next(2)) {
                const auto byte = static_cast<unsigned char>(0x80 + next(0x80));
                text +=
                    cp1250::kToUnicode[byte] == cp1250::kUndefined ? 'x' : static_cast<char>(byte);
            } else {
                text += pool[next(length > 40 ? 15 : pool.size())];
            }
        }
        const std::string utf8 = cp1250::ToUtf8(text);
        ASSERT_EQ(Encode(text, TDocEncoding::Utf8), utf8);
        for (detail::TVectorPath path : kPaths) {
            std::string encoded(utf8.size(), '\0');
            const char* end = detail::EncodeUtf8(text, encoded.data(), path);
            ASSERT_EQ(encoded, utf8) << round << " path " << static_cast<int>(path);
            EXPECT_EQ(end, encoded.data() + encoded.size());
            EXPECT_EQ(detail::Utf8SizeAndLoss(text, path), std::make_pair(utf8.size(), size_t{0}));
        }
        std::string back = utf8;
        TDecodeReport report = DecodeFile(back);
        ASSERT_TRUE(report.Lossless());
        EXPECT_EQ(back, text);
        // An undefined byte anywhere is counted and written as '?'.
        std::string bad = text;
        bad.insert(next(bad.size() + 1), 1, '\x98');
        for (detail::TVectorPath path : kPaths)
            EXPECT_EQ(detail::Utf8SizeAndLoss(bad, path).second, 1u);
        EXPECT_EQ(Encode(bad, TDocEncoding::Utf8).find('?') != std::string::npos, true);
    }
}

// Decoding checks as it writes; a fault found anywhere, also past the first thousand bytes or
// inside a sequence, puts every byte back. Lengths cross the decoder's internal chunks.
TEST(Encoding, AFaultAnywhereLeavesTheFileAsItWas) {
    const std::string pool = "ab \n\xB9\x9C\x9F\xBF\xF3\x80\x84\xFF";
    const std::string faults[] = {"\xD0\x96", "\xF0\x9F\x98\x80", "\xFF",     "\xC4",
                                  "\x85",     "\xE2\x82",         "\xC0\xAF", "\xED\xA0\x80"};
    uint64_t state = 777;
    auto next = [&](uint64_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % bound;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t length = next(4) ? next(40) : next(3000);
        for (size_t i = 0; i < length; ++i)
            text += next(3) ? static_cast<char>('a' + next(26)) : pool[next(pool.size())];
        const std::string& fault = faults[next(std::size(faults))];
        // Between two characters, so that a fault never splits a sequence of the text.
        const size_t at = next(text.size() + 1);
        std::string file =
            cp1250::ToUtf8(text.substr(0, at)) + fault + cp1250::ToUtf8(text.substr(at));
        if (next(4) == 0) file.insert(0, kUtf8Bom);
        const bool unmapped = fault == faults[0] || fault == faults[1];
        for (bool forced : {false, true}) {
            std::string bytes = file;
            TDecodeReport report = forced ? Decode(bytes, TDocEncoding::Utf8) : DecodeFile(bytes);
            ASSERT_EQ(bytes, file) << round;
            if (unmapped) {
                EXPECT_EQ(report.Unmapped, 1u) << round;
                EXPECT_FALSE(report.Invalid) << round;
            } else if (forced || file.compare(0, 3, kUtf8Bom) == 0) {
                EXPECT_TRUE(report.Invalid) << round;
            }
            EXPECT_EQ(report.Encoding, TDocEncoding::Windows1250) << round;
        }
    }
}

}  // namespace
}  // namespace krq

namespace krq {
namespace {

// Every UTF-8 decoder, on random UTF-8 built from pieces whose decoding is known: each gives
// the Windows-1250 bytes of a good text, and each leaves a text with a fault or an unmapped
// character exactly as it was, wherever it falls against their steps and chunks.
TEST(Encoding, EveryDecoderGivesTheKnownDecodingOrLeavesTheTextAlone) {
    struct TPiece {
        const char* utf8;
        int byte;  // its Windows-1250 byte; -1 unmapped, -2 malformed
    };
    const TPiece pieces[] = {
        {"\xC4\x85", 0xB9},     {"\xC5\x9B", 0x9C},
        {"\xC5\xBC", 0xBF},     {"\xC3\xB3", 0xF3},
        {"\xC2\xAB", 0xAB},     {"\xCB\x87", 0xA1},
        {"\xE2\x82\xAC", 0x80}, {"\xE2\x80\x9E", 0x84},
        {"\xE2\x80\x94", 0x97}, {"\r\n", -3},
        {"\xD0\x96", -1},       {"\xC3\x83", -1},
        {"\xC4\x80", -1},       {"\xC2\xA1", -1},
        {"\xE2\x9C\x93", -1},   {"\xF0\x9F\x98\x80", -1},
        {"\x85", -2},           {"\xC4", -2},
        {"\xC0\xAF", -2},       {"\xFF", -2},
        {"\xED\xA0\x80", -2},   {"\xE2\x82", -2},
        {"\xC4\xC4\x85", -2},
    };
    uint64_t state = 4242;
    auto next = [&](uint64_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % bound;
    };
    for (int round = 0; round < 6000; ++round) {
        std::string file, expected;
        bool good = true;
        const size_t count = next(8) ? next(60) : next(1500);
        const bool faulty = next(2);
        const size_t faultAt = next(count + 1);
        for (size_t i = 0; i <= count; ++i) {
            if (i == faultAt && faulty) {
                const TPiece& bad = pieces[10 + next(std::size(pieces) - 10)];
                file += bad.utf8;
                good = false;
            }
            if (i == count) break;
            if (next(2)) {
                const char letter = static_cast<char>('a' + next(26));
                file += letter;
                expected += letter;
                continue;
            }
            if (next(3) == 0) {
                // Any byte the code page defines, the rarer characters among them.
                const unsigned char byte = static_cast<unsigned char>(0x80 + next(0x80));
                if (cp1250::kToUnicode[byte] == cp1250::kUndefined) continue;
                file += cp1250::ToUtf8(std::string(1, static_cast<char>(byte)));
                expected += static_cast<char>(byte);
                continue;
            }
            const TPiece& piece = pieces[next(10)];
            file += piece.utf8;
            expected += piece.byte == -3 ? std::string("\r\n")
                                         : std::string(1, static_cast<char>(piece.byte));
        }
        const size_t skip = next(5) == 0 ? 3 : 0;
        if (skip) file.insert(0, kUtf8Bom);
        for (detail::TVectorPath decoder : kPaths) {
            const int which = static_cast<int>(decoder);
            std::string bytes = file;
            size_t size = bytes.size();
            bool multiByte = false;
            const bool ok = detail::DecodeUtf8Checked(bytes.data(), size, skip, multiByte, decoder);
            ASSERT_EQ(ok, good) << round << " decoder " << which;
            if (ok) {
                ASSERT_EQ(bytes.substr(0, size), expected) << round << " decoder " << which;
                EXPECT_EQ(multiByte, file.size() - skip != expected.size());
            } else {
                ASSERT_EQ(bytes, file) << round << " decoder " << which;
            }
        }
    }
}

}  // namespace
}  // namespace krq
