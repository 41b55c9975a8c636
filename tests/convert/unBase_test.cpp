// The conversions on hand-picked texts, the tables they use and the split routines.
#include "convert/unBase.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/cp1250.h"

namespace krq {
namespace {

// Polish texts are written here in UTF-8 and compared as Windows-1250 bytes.
std::string W(std::string_view utf8) { return cp1250::FromUtf8(utf8); }

TEST(Conversions, EveryConversionMapsEmptyToEmpty) {
    for (const TConversion& c : tblConversions) EXPECT_EQ(c.Function(""), "") << c.Name;
}

TEST(Conversions, DispatchByCodeFollowsTheListOrder) {
    for (int code = 1; code <= kConversionCount; ++code)
        EXPECT_EQ(FindConversion(code)->Code, code);
    EXPECT_EQ(FindConversion(0), nullptr);
    EXPECT_EQ(FindConversion(20), nullptr);
    EXPECT_EQ(fncConvert(5, "abc"), "ABC");
    EXPECT_EQ(fncConvert(16, "<b>x</b>"), "x");
    EXPECT_EQ(fncConvert(99, "abc"), "abc");
    EXPECT_STREQ(FindConversion(3)->Caption, "Usuwanie \"ogonków\"");
    EXPECT_STREQ(FindConversion(19)->Name, "fncRot13");
}

TEST(Conversions, CodePageMapsTouchOnlyTheSixLettersAndTheFirstCharsetName) {
    std::string pangram = W("Zażółć gęślą jaźń ĄŚŹ");
    std::string iso = fncISOCode(pangram);
    ASSERT_EQ(iso.size(), pangram.size());
    for (size_t i = 0; i < pangram.size(); ++i) {
        auto b = static_cast<uint8_t>(pangram[i]);
        EXPECT_EQ(static_cast<uint8_t>(iso[i]), mapWinToIso[b]) << i;
    }
    EXPECT_EQ(cp1250::ToUtf8(fncWinCode(iso)), "Zażółć gęślą jaźń ĄŚŹ");
    EXPECT_EQ(fncISOCode("<meta charset=WINDOWS-1250>"), "<meta charset=iso-8859-2>");
    EXPECT_EQ(fncISOCode("windows-1250 Windows-1250"), "iso-8859-2 Windows-1250");
    EXPECT_EQ(fncISOCode("Windows-125"), "Windows-125");
    EXPECT_EQ(fncWinCode("charset=ISO-8859-2 ISO-8859-2"), "charset=Windows-1250 ISO-8859-2");
    EXPECT_EQ(fncWinCode("--iso-8859-2"), "--Windows-1250");
    // Only the six letters differ between the code pages; every other byte maps to itself.
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        if (mapWinToIso[b] == b) continue;
        ++changed;
        EXPECT_EQ(mapIsoToWin[mapWinToIso[b]], b);
    }
    EXPECT_EQ(changed, 6);
}

TEST(Conversions, LettersChangeCaseAndLoseTheirMarksAcrossTheCodePage) {
    EXPECT_EQ(fncPolFix(W("Zażółć gęślą jaźń ŻÓŁW é")), "Zazolc gesla jazn ZOLW \xE9");
    EXPECT_EQ(fncLittleChar(W("ŻÓŁW Éclair ß")), W("żółw éclair ß"));
    EXPECT_EQ(fncBigChar(W("żółw éclair ß µ ÷")), W("ŻÓŁW ÉCLAIR ß µ ÷"));
    EXPECT_EQ(fncInverse(W("Ala ma KOTA, Éé ŻÓŁW")), W("aLA MA kota, Éé żółw"));
    EXPECT_EQ(fncAlternate("ala ma kota"), "AlA Ma kOtA");
    EXPECT_EQ(fncAlternate(W("ÉCLAIR ÉÉ")), W("écLaIr éé"));
    EXPECT_EQ(fncRot13(W("Hello, World! Żółw")), W("Uryyb, Jbeyq! Żółj"));
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(fncRot13(fncRot13(all)), all);
    EXPECT_EQ(fncInverse(fncInverse(all)), all);
}

TEST(Conversions, FirstBigStartsWordsAfterSpacesAndLineBreaks) {
    EXPECT_EQ(fncFirstBig("ala MA kota\r\nnowa linia  dwa(nawias) tab\tx"),
              "Ala Ma Kota\r\nNowa Linia  Dwa(nawias) Tab\tx");
    EXPECT_EQ(fncFirstBig("x\r\n"), "X\r\n");
    EXPECT_EQ(fncFirstBig(W("éa żÓŁW")), W("Éa Żółw"));
    // A lone CR or LF starts a line too: its first letter, not the second, becomes a capital.
    EXPECT_EQ(fncFirstBig("ab\rcd\nef\r\r\ngh"), "Ab\rCd\nEf\r\r\nGh");
}

TEST(Conversions, RunsOfSpacesBecomeOneAndEmptyLinesGo) {
    EXPECT_EQ(fncDelSpaces("  a    b  "), " a b ");
    EXPECT_EQ(fncDelSpaces("a\t\t b  \r\n  c"), "a\t\t b \r\n c");
    EXPECT_EQ(fncDelLines("a\r\n\r\n  \r\nb"), "a\r\n  \r\nb\r\n");
    EXPECT_EQ(fncDelLines("a\nb\r\rc"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(fncDelLines("\r\n\n\r\r\r\n"), "");
}

TEST(Conversions, EachDeletionRemovesOnlyItsOwnClassOfCharacters) {
    EXPECT_EQ(fncDelNumbers("R2D2 ma 3 lata"), "RD ma  lata");
    EXPECT_EQ(fncDelLetters(W("Żółw 123 é!")), W(" 123 é!"));
    EXPECT_EQ(fncDelLittleLetters(W("Żółw ABC é")), W("Ż ABC é"));
    EXPECT_EQ(fncDelBigLetters(W("Żółw ABC é")), W("ółw  é"));
    EXPECT_EQ(fncDelCharPoints(W("„Cóż — rzekł — to… «dziwne»!?” (2+2=4), 50% € ©")),
              W("Cóż  rzekł  to dziwne 224 50 € ©"));
}

TEST(Conversions, ClassesHoldTheLettersTheyName) {
    int letters = 0;
    for (int b = 0; b < 256; ++b) {
        letters += setLetters[b];
        EXPECT_EQ(setLetters[b], setLittleLetters[b] || setBigLetters[b]);
        EXPECT_FALSE(setLittleLetters[b] && setBigLetters[b]);
        if (setLittleLetters[b]) {
            EXPECT_TRUE(setBigLetters[cp1250::kUpper[b]]) << b;
        }
        if (setBigLetters[b]) {
            EXPECT_TRUE(setLittleLetters[cp1250::kLower[b]]) << b;
        }
        EXPECT_FALSE(setCharPoints[b] && (cp1250::kAlnum[b] || b <= 0x20)) << b;
    }
    EXPECT_EQ(letters, 70);
}

TEST(Conversions, DelHTMLCountsBracketsOnly) {
    EXPECT_EQ(fncDelHTML("<p>Ala <b>ma</b> kota</p>"), "Ala ma kota");
    EXPECT_EQ(fncDelHTML("a > b <c> d"), "a ><c>");
    EXPECT_EQ(fncDelHTML("<a <b> c> d"), " d");
    EXPECT_EQ(fncDelHTML("<!-- a > b --> c"), " b -->");
    // The depth is eight bits: the 256th unmatched "<" brings it back to 0 and is kept.
    EXPECT_EQ(fncDelHTML(std::string(256, '<') + "x"), "<x");
    EXPECT_EQ(fncDelHTML(std::string(255, '<') + "x"), "");
}

TEST(Conversions, EntitiesEncodeAndDecodeEveryByteBackToItself) {
    EXPECT_EQ(fncTtoE(W("<Ąą Ęę Łł Óó Żż Ćć> & ^~")),
              "&lt;" + W("Ąą") + " &#202;&ecirc; &#163;&#179; &#211;&#243; " + W("Ż") +
                  "&#191; &#198;&#230;&gt; &amp; &#136;&#152;");
    EXPECT_EQ(fncTtoE("\""), "&quot;");
    EXPECT_EQ(fncTtoE("\xB0\xE0\x99"), "&#176;&agrave;&#8482;");
    EXPECT_EQ(cp1250::ToUtf8(fncEtoT("&lt;p&gt; &AMP; &amp;lt; &#211;&#243; &#8482;")),
              "<p> & &lt; Óó ™");
    EXPECT_EQ(fncEtoT("&Agrave;&#224;&EACUTE;&#x41;&#0163;&am&amp;amp;&"),
              "\xE0\xE0\xE9&#x41;&#0163;&am&amp;&");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(fncEtoT(fncTtoE(all)), all);
}

// The signs of entries 2 and 15–85, whose entity is "&#" + decimal + ";".
constexpr uint8_t kNumericSigns[] = {
    0xFF, 0xA3, 0xA7, 0xB0, 0xB2, 0xB3, 0xBC, 0xBD, 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5,
    0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5,
    0xD6, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDF, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,
    0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7,
    0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xA9, 0xAB, 0xAE, 0xB0, 0xB1, 0xB5, 0xBB};

TEST(EntityTable, Holds86EntriesInOrderAndNoSignInsideAnotherEntity) {
    ASSERT_EQ(tblEncions.size(), 86u);
    const std::pair<char, const char*> named[] = {
        {'&', "&amp;"},       {'"', "&quot;"},      {'\xE0', "&agrave;"}, {'\xE7', "&ccedil;"},
        {'\xE9', "&eacute;"}, {'\xE8', "&egrave;"}, {'\xEA', "&ecirc;"},  {'\xF9', "&ugrave;"},
        {'\xEB', "&euml;"},   {'<', "&lt;"},        {'>', "&gt;"},        {'^', "&#136;"},
        {'~', "&#152;"}};
    const int namedAt[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    for (size_t k = 0; k < std::size(named); ++k) {
        EXPECT_EQ(tblEncions[namedAt[k]].Sign, named[k].first) << k;
        EXPECT_STREQ(tblEncions[namedAt[k]].Code, named[k].second) << k;
    }
    EXPECT_EQ(tblEncions[85].Sign, '\x99');
    EXPECT_STREQ(tblEncions[85].Code, "&#8482;");
    std::vector<int> numericAt = {1};
    for (int i = 14; i <= 84; ++i) numericAt.push_back(i);
    ASSERT_EQ(numericAt.size(), std::size(kNumericSigns));
    for (size_t k = 0; k < numericAt.size(); ++k) {
        const TEncion& e = tblEncions[numericAt[k]];
        EXPECT_EQ(static_cast<uint8_t>(e.Sign), kNumericSigns[k]) << numericAt[k] + 1;
        EXPECT_EQ(e.Code, "&#" + std::to_string(kNumericSigns[k]) + ";") << numericAt[k] + 1;
    }
    std::multiset<uint8_t> signs;
    for (const TEncion& e : tblEncions) signs.insert(static_cast<uint8_t>(e.Sign));
    std::set<uint8_t> twice;
    for (uint8_t s : signs)
        if (signs.count(s) > 1) twice.insert(s);
    EXPECT_EQ(twice, (std::set<uint8_t>{0xE0, 0xE7, 0xE9, 0xE8, 0xEA, 0xEB, 0xF9, 0xB0}));
    for (uint8_t missing : {0xA5, 0xB9, 0x8C, 0x9C, 0x8F, 0x9F, 0xAF})
        EXPECT_EQ(signs.count(missing), 0u) << int(missing);
    // Decoding in one pass relies on this: no Sign but "&" occurs inside any entity.
    for (const TEncion& e : tblEncions) {
        for (const TEncion& f : tblEncions) {
            if (e.Sign != '&') {
                EXPECT_EQ(std::string_view(f.Code).find(e.Sign), std::string::npos) << f.Code;
            }
        }
    }
}

TEST(Split, PiecesAreTrimmedAndAppended) {
    auto split = [](std::string_view text) {
        TTableString parts;
        fncSplitText(text, ';', parts);
        return parts;
    };
    EXPECT_EQ(split(" a ; b ;c"), (TTableString{"a", "b", "c"}));
    EXPECT_EQ(split("a;b;"), (TTableString{"a", "b"}));
    EXPECT_EQ(split("a;;b"), (TTableString{"a", "", "b"}));
    EXPECT_EQ(split(";"), (TTableString{""}));
    EXPECT_EQ(split(""), (TTableString{}));
    EXPECT_EQ(split("\t\r\n x \x01;\xA0y"), (TTableString{"x", "\xA0y"}));
    TTableString parts{"kept"};
    fncSplitText("a;b", ';', parts);
    EXPECT_EQ(parts, (TTableString{"kept", "a", "b"}));
    EXPECT_EQ(fncGetPiece('|', "Arial|10| 0 |1", 2), "0");
    EXPECT_EQ(fncGetPiece('|', "Arial|10", 3), "");
}

}  // namespace
}  // namespace krq
