// What the encodings share between their portable code and their vector code: the byte tables,
// the general UTF-8 decoder, and the vector steps where the processor has them.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/cp1250.h"

namespace krq::codec {

// ISO-8859-2 A0-FF; 80-9F are the C1 controls, which Windows-1250 cannot hold.
constexpr char16_t kIsoHigh[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7,  // A0
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,  // A8
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,  // B0
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The encoder stores a character's packed form as a word, first byte lowest.
static_assert(std::endian::native == std::endian::little);

struct TTables {
    // Byte maps between the two code pages; -1 where the other one has no such character.
    std::array<int16_t, 256> isoToCp{};
    std::array<int16_t, 256> cpToIso{};
    // The UTF-8 form of every Windows-1250 byte; the undefined bytes have none (length 0).
    std::array<std::array<char, 3>, 256> utf8{};
    std::array<uint8_t, 256> utf8Len{};
    // The same packed in the low bytes (the first in memory) of a word, with the length the encoder
    // advances by: an undefined byte is written as '?' (length 1).
    std::array<uint32_t, 256> packed{};
    std::array<uint8_t, 256> packedLen{};
    // Bytes added by the UTF-8 form in the low half, 1 in the high half when there is none.
    std::array<uint64_t, 256> sizeAndLoss{};
    // Characters U+0080-U+07FF (the two-byte sequences) to their byte, -1 when there is none.
    std::array<int16_t, 0x800> twoByte{};

    TTables() {
        isoToCp.fill(-1);
        cpToIso.fill(-1);
        twoByte.fill(-1);
        for (int b = 0; b < 0x80; ++b) isoToCp[b] = cpToIso[b] = static_cast<int16_t>(b);
        for (int i = 0; i < 96; ++i) {
            uint8_t cp = cp1250::FromUnicode(kIsoHigh[i]);
            if (cp != '?') {
                isoToCp[0xA0 + i] = cp;
                cpToIso[cp] = static_cast<int16_t>(0xA0 + i);
            }
        }
        for (int b = 0; b < 256; ++b) {
            char16_t c = cp1250::kToUnicode[b];
            auto& out = utf8[b];
            if (b >= 0x80 && c == cp1250::kUndefined) {
                utf8Len[b] = 0;
            } else if (c < 0x80) {
                out[0] = static_cast<char>(c);
                utf8Len[b] = 1;
            } else if (c < 0x800) {
                out[0] = static_cast<char>(0xC0 | (c >> 6));
                out[1] = static_cast<char>(0x80 | (c & 0x3F));
                utf8Len[b] = 2;
                twoByte[c] = static_cast<int16_t>(b);
            } else {
                out[0] = static_cast<char>(0xE0 | (c >> 12));
                out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out[2] = static_cast<char>(0x80 | (c & 0x3F));
                utf8Len[b] = 3;
            }
        }
        for (int b = 0; b < 256; ++b) {
            packedLen[b] = utf8Len[b] ? utf8Len[b] : 1;
            uint32_t word = utf8Len[b] ? 0 : '?';
            for (int k = 0; k < utf8Len[b]; ++k)
                word |= static_cast<uint32_t>(static_cast<unsigned char>(utf8[b][k])) << (8 * k);
            packed[b] = word;
            sizeAndLoss[b] = utf8Len[b] ? utf8Len[b] - 1u : 1ull << 32;
        }
    }
};

// The tables, built once.
const TTables& Tables();

// One well-formed UTF-8 sequence at p (lead byte >= 0x80): its character and length, or
// length 0 when malformed (bad continuation, overlong form, surrogate, beyond U+10FFFF).
inline size_t ReadSequence(const unsigned char* p, const unsigned char* end, char32_t& c) {
    unsigned char b = *p;
    size_t len;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < len) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[k] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return len;
}

inline int ByteOf(char32_t c, const TTables& t) {
    if (c < 0x800) return t.twoByte[c];
    uint8_t b = cp1250::FromUnicode(c);
    return b == '?' ? -1 : b;
}

// One character at a time: ASCII, or a whole sequence of the general decoder.
inline bool DecodeCharacters(unsigned char*& in, unsigned char*& out, unsigned char* stop,
                             unsigned char* end, bool& lead) {
    const TTables& t = Tables();
    while (in < stop) {
        const unsigned b = *in;
        if (b < 0x80) {
            *out++ = static_cast<unsigned char>(b);
            ++in;
            continue;
        }
        char32_t c = 0;
        const size_t len = ReadSequence(in, end, c);
        if (len == 0) return false;
        const int byte = ByteOf(c, t);
        if (byte < 0) return false;
        lead = true;
        *out++ = static_cast<unsigned char>(byte);
        in += len;
    }
    return true;
}

// Writes one byte's form as a word, advancing by its length: the store reaches at most three
// bytes past the form, which the caller's later output covers.
inline void PutForm(unsigned char byte, char*& out, const TTables& t) {
    const uint32_t form = t.packed[byte];
    std::memcpy(out, &form, 4);
    out += t.packedLen[byte];
}

#if defined(__x86_64__) || defined(__i386__)
// Which vector steps this processor runs.
struct TVectorSupport {
    bool narrow = false;  // SSSE3 and POPCNT: sixteen bytes a step
    bool wide = false;    // AVX2 as well: thirty-two
    bool widest = false;  // AVX-512 with byte permutes and compression (VBMI, VBMI2): 64
};
const TVectorSupport& VectorSupport();

// Decoding steps with the shape DecodeCharacters has: from `in` (a character boundary) up to
// `stop`, false at a fault or an unmapped character, when nothing from `in` on was touched.
bool DecodeVector(unsigned char*& in, unsigned char*& out, unsigned char* stop, unsigned char* end,
                  bool& lead);
bool DecodeWideVector(unsigned char*& in, unsigned char*& out, unsigned char* stop,
                      unsigned char* end, bool& lead);
// Encodes [p, end) to UTF-8 as far as its steps go and returns where it stopped.
const unsigned char* EncodeUtf8Wide(const unsigned char* p, const unsigned char* end, char*& out);
const unsigned char* EncodeUtf8Widest(const unsigned char* p, const unsigned char* end, char*& out);
// The bytes the UTF-8 form of [p, end) adds to its length and the bytes it cannot hold.
std::pair<size_t, size_t> Utf8GrowthAndLoss(const unsigned char* p, const unsigned char* end);
std::pair<size_t, size_t> Utf8GrowthAndLossWidest(const unsigned char* p, const unsigned char* end);
#endif

}  // namespace krq::codec
