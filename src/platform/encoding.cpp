// Document encodings over the Windows-1250 tables: one pass per direction, ASCII runs taken
// eight bytes at a time.
#include "platform/encoding.h"

#include <array>
#include <cctype>
#include <cstring>

#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

namespace {

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

struct TTables {
    // Byte maps between the two code pages; -1 where the other one has no such character.
    std::array<int16_t, 256> isoToCp{};
    std::array<int16_t, 256> cpToIso{};
    // The UTF-8 form of every Windows-1250 byte; the undefined bytes have none (length 0).
    std::array<std::array<char, 3>, 256> utf8{};
    std::array<uint8_t, 256> utf8Len{};
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
    }
};

const TTables& Tables() {
    static const TTables t;
    return t;
}

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Length of the leading ASCII run of [p, end).
inline size_t AsciiRun(const unsigned char* p, const unsigned char* end) {
    const unsigned char* q = p;
    while (end - q >= 8) {
        uint64_t w;
        std::memcpy(&w, q, 8);
        if (w & kHighBits) break;
        q += 8;
    }
    while (q < end && *q < 0x80) ++q;
    return static_cast<size_t>(q - p);
}

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

struct Utf8Scan {
    bool valid = true;
    bool multiByte = false;
    size_t unmapped = 0;
};

Utf8Scan ScanUtf8(const unsigned char* p, const unsigned char* end, bool countUnmapped) {
    Utf8Scan scan;
    const TTables& t = Tables();
    while (p < end) {
        p += AsciiRun(p, end);
        if (p == end) break;
        char32_t c = 0;
        size_t len = ReadSequence(p, end, c);
        if (len == 0) {
            scan.valid = false;
            return scan;
        }
        scan.multiByte = true;
        if (countUnmapped && ByteOf(c, t) < 0) ++scan.unmapped;
        p += len;
    }
    return scan;
}

bool HasMark(const char* data, size_t size) {
    return size >= 3 && std::memcmp(data, kUtf8Bom.data(), 3) == 0;
}

}  // namespace

const char* EncodingName(TDocEncoding encoding) {
    switch (encoding) {
        case TDocEncoding::Windows1250:
            return "Windows-1250";
        case TDocEncoding::Iso88592:
            return "ISO-8859-2";
        case TDocEncoding::Utf8:
            return "UTF-8";
        case TDocEncoding::Utf8Bom:
            return "UTF-8 BOM";
    }
    return "Windows-1250";
}

std::optional<TDocEncoding> EncodingFromName(std::string_view name) {
    std::string key;
    for (char ch : name)
        if (ch != '-' && ch != '_' && ch != ' ')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (key == "windows1250" || key == "cp1250") return TDocEncoding::Windows1250;
    if (key == "iso88592" || key == "latin2") return TDocEncoding::Iso88592;
    if (key == "utf8") return TDocEncoding::Utf8;
    if (key == "utf8bom") return TDocEncoding::Utf8Bom;
    return std::nullopt;
}

TDocEncoding DetectEncoding(std::string_view bytes) {
    if (HasMark(bytes.data(), bytes.size())) return TDocEncoding::Utf8Bom;
    auto p = reinterpret_cast<const unsigned char*>(bytes.data());
    Utf8Scan scan = ScanUtf8(p, p + bytes.size(), false);
    return scan.valid && scan.multiByte ? TDocEncoding::Utf8 : TDocEncoding::Windows1250;
}

TDecodeReport DecodeInPlace(char* data, size_t& size, TDocEncoding encoding) {
    TDecodeReport report;
    report.Requested = encoding;
    const TTables& t = Tables();
    auto* p = reinterpret_cast<unsigned char*>(data);
    if (encoding == TDocEncoding::Windows1250) return report;
    if (encoding == TDocEncoding::Iso88592) {
        for (size_t i = 0; i < size; ++i)
            if (t.isoToCp[p[i]] < 0) ++report.Unmapped;
        if (report.Unmapped) return report;
        for (size_t i = 0; i < size; ++i) p[i] = static_cast<unsigned char>(t.isoToCp[p[i]]);
        report.Encoding = encoding;
        return report;
    }
    // UTF-8: a mark read as UTF-8 is kept as a mark, whichever of the two was asked for.
    size_t skip = HasMark(data, size) ? 3 : 0;
    Utf8Scan scan = ScanUtf8(p + skip, p + size, true);
    report.Invalid = !scan.valid;
    report.Unmapped = scan.unmapped;
    if (!report.Lossless()) return report;
    // Every sequence becomes one byte, so writing never overtakes reading.
    unsigned char* out = p;
    const unsigned char* in = p + skip;
    const unsigned char* end = p + size;
    while (in < end) {
        size_t run = AsciiRun(in, end);
        if (out != in) std::memmove(out, in, run);
        out += run;
        in += run;
        if (in == end) break;
        char32_t c = 0;
        size_t len = ReadSequence(in, end, c);
        *out++ = static_cast<unsigned char>(ByteOf(c, t));
        in += len;
    }
    size = static_cast<size_t>(out - p);
    report.Encoding = skip ? TDocEncoding::Utf8Bom : TDocEncoding::Utf8;
    return report;
}

TDecodeReport Decode(std::string& bytes, TDocEncoding encoding) {
    size_t size = bytes.size();
    TDecodeReport report = DecodeInPlace(bytes.data(), size, encoding);
    bytes.resize(size);
    return report;
}

size_t CountUnencodable(std::string_view cp1250, TDocEncoding encoding) {
    if (encoding == TDocEncoding::Windows1250) return 0;
    const TTables& t = Tables();
    size_t count = 0;
    if (encoding == TDocEncoding::Iso88592) {
        for (unsigned char b : cp1250) count += t.cpToIso[b] < 0;
    } else {
        for (unsigned char b : cp1250) count += t.utf8Len[b] == 0;
    }
    return count;
}

size_t EncodedSize(std::string_view cp1250, TDocEncoding encoding) {
    if (encoding != TDocEncoding::Utf8 && encoding != TDocEncoding::Utf8Bom) return cp1250.size();
    const TTables& t = Tables();
    auto p = reinterpret_cast<const unsigned char*>(cp1250.data());
    const unsigned char* end = p + cp1250.size();
    size_t size = 0;
    while (p < end) {
        size_t run = AsciiRun(p, end);
        size += run;
        p += run;
        if (p == end) break;
        size += t.utf8Len[*p] ? t.utf8Len[*p] : 1;
        ++p;
    }
    return size;
}

char* EncodeTo(std::string_view cp1250, TDocEncoding encoding, char* out) {
    const TTables& t = Tables();
    auto p = reinterpret_cast<const unsigned char*>(cp1250.data());
    const unsigned char* end = p + cp1250.size();
    switch (encoding) {
        case TDocEncoding::Windows1250:
            std::memcpy(out, p, cp1250.size());
            return out + cp1250.size();
        case TDocEncoding::Iso88592:
            for (; p < end; ++p) {
                int16_t b = t.cpToIso[*p];
                *out++ = static_cast<char>(b < 0 ? '?' : b);
            }
            return out;
        case TDocEncoding::Utf8:
        case TDocEncoding::Utf8Bom:
            while (p < end) {
                size_t run = AsciiRun(p, end);
                std::memcpy(out, p, run);
                out += run;
                p += run;
                if (p == end) break;
                uint8_t len = t.utf8Len[*p];
                if (len == 0) {
                    *out++ = '?';
                } else {
                    std::memcpy(out, t.utf8[*p].data(), len);
                    out += len;
                }
                ++p;
            }
            return out;
    }
    return out;
}

std::string Encode(std::string_view cp1250, TDocEncoding encoding, bool withMark) {
    bool mark = withMark && encoding == TDocEncoding::Utf8Bom;
    std::string out(EncodedSize(cp1250, encoding) + (mark ? 3 : 0), '\0');
    char* at = out.data();
    if (mark) {
        std::memcpy(at, kUtf8Bom.data(), 3);
        at += 3;
    }
    EncodeTo(cp1250, encoding, at);
    return out;
}

TDocEncoding DecodeOrRaise(std::string& bytes, TDocEncoding encoding, const std::string& name) {
    TDecodeReport report = Decode(bytes, encoding);
    if (report.Invalid)
        throw EKrqError("Cannot decode " + name + ": it is not valid " + EncodingName(encoding));
    if (report.Unmapped)
        throw EKrqError("Cannot decode " + name + ": " + std::to_string(report.Unmapped) +
                        " characters have no Windows-1250 byte");
    return report.Encoding;
}

std::string EncodeOrRaise(std::string_view cp1250, TDocEncoding encoding, const std::string& name) {
    if (size_t count = CountUnencodable(cp1250, encoding))
        throw EKrqError("Cannot encode " + std::to_string(count) + " characters of " + name +
                        " as " + EncodingName(encoding));
    return Encode(cp1250, encoding);
}

}  // namespace krq
