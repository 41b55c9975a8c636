// The Windows-1250 code page tables.
#include "platform/cp1250.h"

#include <algorithm>
#include <utility>

namespace krq::cp1250 {

namespace {

constexpr char16_t U = kUndefined;

// Bytes 00-7F are ASCII; the upper half is listed in rows of sixteen.
constexpr char16_t kHigh[128] = {
    0x20AC, U,      0x201A, U,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    U,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    U,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    U,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

constexpr std::array<char16_t, 256> MakeToUnicode() {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 128; ++b) t[b] = static_cast<char16_t>(b);
    for (int b = 0; b < 128; ++b) t[128 + b] = kHigh[b];
    return t;
}

// The case pairs of the code page as the Polish Windows ANSI mapping gives them; ß and µ have
// no partner, × and ÷ are no letters.
constexpr std::pair<uint8_t, uint8_t> kPairs[] = {
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE},
};

constexpr std::array<uint8_t, 256> MakeCase(bool upper) {
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = static_cast<uint8_t>(b);
    auto pair = [&](int up, int low) {
        if (upper)
            t[low] = static_cast<uint8_t>(up);
        else
            t[up] = static_cast<uint8_t>(low);
    };
    for (int b = 'A'; b <= 'Z'; ++b) pair(b, b + 0x20);
    for (auto [up, low] : kPairs) pair(up, low);
    for (int b = 0xC0; b <= 0xDE; ++b)
        if (b != 0xD7) pair(b, b + 0x20);
    return t;
}

// Letters and digits by the Unicode category of each byte's character (µ and ˇ are letters;
// the spacing accents ˘ ˛ ˝ ˙ ´ ¨ ¸ are symbols).
constexpr std::array<bool, 256> MakeAlnum() {
    std::array<bool, 256> t{};
    for (int b = '0'; b <= '9'; ++b) t[b] = true;
    for (int b = 'A'; b <= 'Z'; ++b) t[b] = t[b + 0x20] = true;
    constexpr uint8_t extra[] = {0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xA1,
                                 0xA3, 0xA5, 0xAA, 0xAF, 0xB3, 0xB5, 0xB9, 0xBA, 0xBC, 0xBE, 0xBF};
    for (auto b : extra) t[b] = true;
    for (int b = 0xC0; b <= 0xFE; ++b)
        if (b != 0xD7 && b != 0xF7) t[b] = true;
    return t;
}

}  // namespace

const std::array<char16_t, 256> kToUnicode = MakeToUnicode();
const std::array<uint8_t, 256> kUpper = MakeCase(true);
const std::array<uint8_t, 256> kLower = MakeCase(false);
const std::array<bool, 256> kAlnum = MakeAlnum();

namespace {

// The upper half sorted by character, so that pasted text is encoded by binary search.
struct Reverse {
    std::array<std::pair<char16_t, uint8_t>, 128> entries{};
    Reverse() {
        for (int b = 0; b < 128; ++b)
            entries[b] = {kToUnicode[128 + b], static_cast<uint8_t>(128 + b)};
        std::sort(entries.begin(), entries.end());
    }
};

}  // namespace

uint8_t FromUnicode(char32_t c) {
    if (c < 0x80) return static_cast<uint8_t>(c);
    if (c == kUndefined || c > 0xFFFF) return '?';
    static const Reverse reverse;
    auto key = std::pair<char16_t, uint8_t>{static_cast<char16_t>(c), 0};
    auto it = std::lower_bound(reverse.entries.begin(), reverse.entries.end(), key);
    return it != reverse.entries.end() && it->first == c ? it->second : '?';
}

std::string ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (unsigned char b : bytes) {
        char16_t c = kToUnicode[b];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = utf8[i];
        char32_t c;
        size_t len;
        if (b < 0x80) {
            c = b, len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + len > utf8.size()) {
            out += '?';
            break;
        }
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            unsigned char cont = utf8[i + k];
            if ((cont & 0xC0) != 0x80) ok = false;
            c = (c << 6) | (cont & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += static_cast<char>(FromUnicode(c));
        i += len;
    }
    return out;
}

}  // namespace krq::cp1250
