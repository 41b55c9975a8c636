// The fixed tables of the conversions: entities, byte classes, byte maps and the list of codes.
#include <initializer_list>

#include "convert/unBase.h"

namespace krq {

namespace {

constexpr char S(int byte) { return static_cast<char>(byte); }

constexpr TByteSet MakeSet(std::initializer_list<int> ranges, std::initializer_list<int> bytes) {
    TByteSet set{};
    for (auto it = ranges.begin(); it != ranges.end(); it += 2)
        for (int b = it[0]; b <= it[1]; ++b) set[b] = true;
    for (int b : bytes) set[b] = true;
    return set;
}

constexpr TByteSet Unite(const TByteSet& a, const TByteSet& b) {
    TByteSet set{};
    for (int i = 0; i < 256; ++i) set[i] = a[i] || b[i];
    return set;
}

constexpr TByteMap MakeMap(std::initializer_list<std::pair<int, int>> pairs) {
    TByteMap map{};
    for (int b = 0; b < 256; ++b) map[b] = static_cast<uint8_t>(b);
    for (auto [from, to] : pairs) map[from] = static_cast<uint8_t>(to);
    return map;
}

constexpr std::pair<int, int> kWinIso[] = {{0xA5, 0xA1}, {0x8C, 0xA6}, {0x8F, 0xAC},
                                           {0xB9, 0xB1}, {0x9C, 0xB6}, {0x9F, 0xBC}};

}  // namespace

// Order matters: "&" comes first so that encoding never escapes the ampersands of the entities
// it inserts, and a repeated character takes the first of its entities.
constinit const std::array<TEncion, kEncionCount> tblEncions = {{
    {'&', "&amp;"},
    {S(0xFF), "&#255;"},
    {'"', "&quot;"},
    {S(0xE0), "&agrave;"},
    {S(0xE7), "&ccedil;"},
    {S(0xE9), "&eacute;"},
    {S(0xE8), "&egrave;"},
    {S(0xEA), "&ecirc;"},
    {S(0xF9), "&ugrave;"},
    {S(0xEB), "&euml;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'^', "&#136;"},
    {'~', "&#152;"},
    // 15-24
    {S(0xA3), "&#163;"},
    {S(0xA7), "&#167;"},
    {S(0xB0), "&#176;"},
    {S(0xB2), "&#178;"},
    {S(0xB3), "&#179;"},
    {S(0xBC), "&#188;"},
    {S(0xBD), "&#189;"},
    {S(0xBF), "&#191;"},
    {S(0xC0), "&#192;"},
    {S(0xC1), "&#193;"},
    // 25-34
    {S(0xC2), "&#194;"},
    {S(0xC3), "&#195;"},
    {S(0xC4), "&#196;"},
    {S(0xC5), "&#197;"},
    {S(0xC6), "&#198;"},
    {S(0xC7), "&#199;"},
    {S(0xC8), "&#200;"},
    {S(0xC9), "&#201;"},
    {S(0xCA), "&#202;"},
    {S(0xCB), "&#203;"},
    // 35-44
    {S(0xCC), "&#204;"},
    {S(0xCD), "&#205;"},
    {S(0xCE), "&#206;"},
    {S(0xCF), "&#207;"},
    {S(0xD1), "&#209;"},
    {S(0xD2), "&#210;"},
    {S(0xD3), "&#211;"},
    {S(0xD4), "&#212;"},
    {S(0xD5), "&#213;"},
    {S(0xD6), "&#214;"},
    // 45-54
    {S(0xD9), "&#217;"},
    {S(0xDA), "&#218;"},
    {S(0xDB), "&#219;"},
    {S(0xDC), "&#220;"},
    {S(0xDD), "&#221;"},
    {S(0xDF), "&#223;"},
    {S(0xE0), "&#224;"},
    {S(0xE1), "&#225;"},
    {S(0xE2), "&#226;"},
    {S(0xE3), "&#227;"},
    // 55-64
    {S(0xE4), "&#228;"},
    {S(0xE5), "&#229;"},
    {S(0xE6), "&#230;"},
    {S(0xE7), "&#231;"},
    {S(0xE8), "&#232;"},
    {S(0xE9), "&#233;"},
    {S(0xEA), "&#234;"},
    {S(0xEB), "&#235;"},
    {S(0xEC), "&#236;"},
    {S(0xED), "&#237;"},
    // 65-74
    {S(0xEE), "&#238;"},
    {S(0xEF), "&#239;"},
    {S(0xF1), "&#241;"},
    {S(0xF2), "&#242;"},
    {S(0xF3), "&#243;"},
    {S(0xF4), "&#244;"},
    {S(0xF5), "&#245;"},
    {S(0xF6), "&#246;"},
    {S(0xF7), "&#247;"},
    {S(0xF9), "&#249;"},
    // 75-85
    {S(0xFA), "&#250;"},
    {S(0xFB), "&#251;"},
    {S(0xFC), "&#252;"},
    {S(0xFD), "&#253;"},
    {S(0xA9), "&#169;"},
    {S(0xAB), "&#171;"},
    {S(0xAE), "&#174;"},
    {S(0xB0), "&#176;"},
    {S(0xB1), "&#177;"},
    {S(0xB5), "&#181;"},
    {S(0xBB), "&#187;"},
    // 86
    {S(0x99), "&#8482;"},
}};

namespace {
// Only the Polish letters: é, š, ř and the other letters of the code page are in no class.
constexpr TByteSet kLittle =
    MakeSet({'a', 'z'}, {0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF});
constexpr TByteSet kBig =
    MakeSet({'A', 'Z'}, {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF});
}  // namespace

constinit const TByteSet setNumbers = MakeSet({'0', '9'}, {});
constinit const TByteSet setLittleLetters = kLittle;
constinit const TByteSet setBigLetters = kBig;
constinit const TByteSet setLetters = Unite(kLittle, kBig);

// Punctuation removed by fncDelCharPoints:
//   the 32 ASCII punctuation characters  ! " # $ % & ' ( ) * + , - . / : ; < = > ? @ [ \ ] ^ _ `
//   { | } ~  and the punctuation of the upper half: 82 ‚  84 „  85 …  86 †  87 ‡  89 ‰  8B ‹
//   91 ‘  92 ’  93 “  94 ”  95 •  96 –  97 —  9B ›  A7 §  AB «  B6 ¶  B7 ·  BB ».
// Symbols that are no punctuation (€ © ® ° ± × ÷ ™, the spacing accents) and the spaces (A0,
// soft hyphen AD) stay.
constinit const TByteSet setCharPoints =
    MakeSet({0x21, 0x2F, 0x3A, 0x40, 0x5B, 0x60, 0x7B, 0x7E},
            {0x82, 0x84, 0x85, 0x86, 0x87, 0x89, 0x8B, 0x91, 0x92, 0x93,
             0x94, 0x95, 0x96, 0x97, 0x9B, 0xA7, 0xAB, 0xB6, 0xB7, 0xBB});

constinit const TByteMap mapWinToIso = [] {
    TByteMap map = MakeMap({});
    for (auto [win, iso] : kWinIso) map[win] = static_cast<uint8_t>(iso);
    return map;
}();

constinit const TByteMap mapIsoToWin = [] {
    TByteMap map = MakeMap({});
    for (auto [win, iso] : kWinIso) map[iso] = static_cast<uint8_t>(win);
    return map;
}();

constinit const TByteMap mapDiacritics = MakeMap({{0xA5, 'A'},
                                                  {0xC6, 'C'},
                                                  {0xCA, 'E'},
                                                  {0xA3, 'L'},
                                                  {0xD1, 'N'},
                                                  {0xD3, 'O'},
                                                  {0x8C, 'S'},
                                                  {0x8F, 'Z'},
                                                  {0xAF, 'Z'},
                                                  {0xB9, 'a'},
                                                  {0xE6, 'c'},
                                                  {0xEA, 'e'},
                                                  {0xB3, 'l'},
                                                  {0xF1, 'n'},
                                                  {0xF3, 'o'},
                                                  {0x9C, 's'},
                                                  {0x9F, 'z'},
                                                  {0xBF, 'z'}});

constinit const std::array<TConversion, kConversionCount> tblConversions = {{
    {1, "fncISOCode", "Kodowanie ISO-8859-2", fncISOCode},
    {2, "fncWinCode", "Kodowanie Windows-1250", fncWinCode},
    {3, "fncPolFix", "Usuwanie \"ogonków\"", fncPolFix},
    {4, "fncLittleChar", "Wszystko z małej litery", fncLittleChar},
    {5, "fncBigChar", "Wszystko z wielkiej litery", fncBigChar},
    {6, "fncFirstBig", "Pierwsza litera w wyrazie wielka", fncFirstBig},
    {7, "fncInverse", "Odwrotna wielkość znaków", fncInverse},
    {8, "fncAlternate", "Przemienna wielkość znaków", fncAlternate},
    {9, "fncDelSpaces", "Usuwanie niepotrzebnych spacji", fncDelSpaces},
    {10, "fncDelLines", "Usuwanie pustych linii", fncDelLines},
    {11, "fncDelNumbers", "Usuwanie cyfr", fncDelNumbers},
    {12, "fncDelLetters", "Usuwanie liter", fncDelLetters},
    {13, "fncDelLittleLetters", "Usuwanie małych liter", fncDelLittleLetters},
    {14, "fncDelBigLetters", "Usuwanie wielkich liter", fncDelBigLetters},
    {15, "fncDelCharPoints", "Usuwanie znaków interpunkcji", fncDelCharPoints},
    {16, "fncDelHTML", "Usuwanie tagów HTML", fncDelHTML},
    {17, "fncTtoE", "Konwersja na znaki encji", fncTtoE},
    {18, "fncEtoT", "Konwersja ze znaków encji", fncEtoT},
    {19, "fncRot13", "Koder ROT - 13", fncRot13},
}};

const TConversion* FindConversion(int code) {
    if (code < 1 || code > kConversionCount) return nullptr;
    return &tblConversions[code - 1];
}

std::string fncConvert(int code, std::string_view text) {
    const TConversion* conversion = FindConversion(code);
    return conversion ? conversion->Function(text) : std::string(text);
}

}  // namespace krq
