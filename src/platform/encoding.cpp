// Document encodings over the Windows-1250 tables: one pass per direction, with vector steps
// where the processor has them and word-at-a-time steps elsewhere.
#include "platform/encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "platform/cp1250.h"
#include "platform/encodingvector.h"
#include "platform/errors.h"

namespace krq {

const codec::TTables& codec::Tables() {
    static const TTables t;
    return t;
}

namespace {

using namespace codec;

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Calls `f` with every byte of 80-FF in `text`, skipping ASCII eight bytes at a time.
template <class F>
inline void forEachHighByte(std::string_view text, F&& f) {
    auto p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        for (uint64_t high = w & kHighBits; high; high &= high - 1)
            f(p[__builtin_ctzll(high) >> 3]);
    }
    for (; p < end; ++p)
        if (*p >= 0x80) f(*p);
}

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

struct Utf8Scan {
    bool valid = true;
    bool multiByte = false;
    size_t unmapped = 0;
};

// Most bytes of a Polish text are ASCII or part of a two-byte sequence; a stretch of such bytes
// is checked without a branch per byte, and only the rest (three- and four-byte sequences and
// malformed leads) goes through the general decoder.
Utf8Scan ScanUtf8(const unsigned char* p, const unsigned char* end, bool countUnmapped) {
    Utf8Scan scan;
    const TTables& t = Tables();
    while (p < end) {
        bool expect = false;  // a continuation byte must come next
        bool bad = false, lead = false;
        size_t unmapped = 0;
        for (; end - p >= 2; ++p) {
            const unsigned b = *p;
            if (b >= 0xE0 || (b & 0xFE) == 0xC0) break;
            const bool isCont = (b & 0xC0) == 0x80;
            const bool isLead = b >= 0xC2;
            bad |= isCont != expect;
            expect = isLead;
            lead |= isLead;
            unmapped += isLead & (t.twoByte[((b & 0x1F) << 6) | (p[1] & 0x3F)] < 0);
        }
        scan.multiByte |= lead;
        if (countUnmapped) scan.unmapped += unmapped;
        if (bad) {
            scan.valid = false;
            return scan;
        }
        if (p == end) break;
        if (expect) {
            if ((*p & 0xC0) != 0x80) {
                scan.valid = false;
                return scan;
            }
            ++p;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
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

// Puts the text before `in` back the way it was after a decode into [p, out) stopped there:
// the decoded part encodes back to exactly the bytes it came from, written back to front so
// that nothing is overwritten before it has been read.
void RestoreUtf8(unsigned char* p, unsigned char* out, unsigned char* in, size_t skip) {
    const TTables& t = Tables();
    unsigned char* w = in;
    for (unsigned char* r = out; r > p;) {
        --r;
        const unsigned char byte = *r;
        w -= t.utf8Len[byte];
        std::memcpy(w, t.utf8[byte].data(), t.utf8Len[byte]);
    }
    std::memcpy(p, kUtf8Bom.data(), skip);
}

constexpr size_t kDecodeChunk = 512;
// A chunk's last step may read and write up to this far past its end.
constexpr size_t kDecodeSlack = 32;

// Decodes UTF-8 in place in one pass, checking as it goes, after `skip` bytes of mark; true
// when the whole text was valid with every character mapped, and `size` is then the decoded
// size. Otherwise the bytes are put back as they were and false is returned.
//
// `step` decodes from `in` (a character boundary) until `stop` or the end and returns false at
// a fault or an unmapped character. A step that stops right at the fault, with nothing at or
// after `in` touched, needs no more than RestoreUtf8; one that writes before it checks has each
// chunk copied first (`copyChunks`) and put back from the copy.
template <class Step>
bool DecodeUtf8With(unsigned char* p, size_t& size, size_t skip, bool& multiByte, Step step,
                    bool copyChunks) {
    unsigned char saved[kDecodeChunk + kDecodeSlack];
    unsigned char* out = p;
    unsigned char* in = p + skip;
    unsigned char* const end = p + size;
    bool lead = false;
    while (in < end) {
        unsigned char* const chunkIn = in;
        unsigned char* const chunkOut = out;
        size_t copied = 0;
        unsigned char* stop = end;
        if (copyChunks) {
            copied = std::min<size_t>(sizeof saved, static_cast<size_t>(end - in));
            std::memcpy(saved, in, copied);
            if (end - in > static_cast<ptrdiff_t>(kDecodeChunk)) stop = in + kDecodeChunk;
        }
        if (!step(in, out, stop, end, lead)) {
            if (copyChunks) {
                RestoreUtf8(p, chunkOut, chunkIn, skip);
                std::memcpy(chunkIn, saved, copied);
            } else {
                RestoreUtf8(p, out, in, skip);
            }
            return false;
        }
    }
    multiByte = lead;
    size = static_cast<size_t>(out - p);
    return true;
}

// The portable decoder: a stretch of ASCII and two-byte sequences without a branch per byte,
// the rest character by character. It writes before it checks, so its chunks are copied first;
// a chunk ending on a lead takes the continuation byte after it, so the next starts on a
// character boundary.
inline bool DecodeBytewise(unsigned char*& in, unsigned char*& out, unsigned char* stop,
                           unsigned char* end, bool& lead) {
    const TTables& t = Tables();
    bool expect = false, bad = false, unmapped = false;
    while (in < stop) {
        for (; in < stop && end - in >= 2; ++in) {
            const unsigned b = *in;
            if (b >= 0xE0 || (b & 0xFE) == 0xC0) break;
            const bool isCont = (b & 0xC0) == 0x80;
            const bool isLead = b >= 0xC2;
            bad |= isCont != expect;
            expect = isLead;
            lead |= isLead;
            const int16_t two = t.twoByte[((b & 0x1F) << 6) | (in[1] & 0x3F)];
            unmapped |= isLead & (two < 0);
            *out = b < 0x80 ? static_cast<unsigned char>(b) : static_cast<unsigned char>(two);
            out += !isCont;
        }
        if (bad || unmapped) return false;
        if (expect) {
            // The end of a two-byte sequence, its character already written.
            if (in == end || (*in & 0xC0) != 0x80) return false;
            expect = false;
            ++in;
            continue;
        }
        if (in == stop) break;
        // A longer sequence, a malformed lead, or the last byte of the text.
        if (!DecodeCharacters(in, out, in + 1, end, lead)) return false;
    }
    return true;
}

bool HasMark(const char* data, size_t size) {
    return size >= 3 && std::memcmp(data, kUtf8Bom.data(), 3) == 0;
}

}  // namespace

namespace detail {

bool DecodeUtf8Checked(char* data, size_t& size, size_t skip, bool& multiByte, TVectorPath path) {
    auto* p = reinterpret_cast<unsigned char*>(data);
#if defined(__x86_64__) || defined(__i386__)
    const TVectorSupport& cpu = VectorSupport();
    if ((path == TVectorPath::Fastest || path == TVectorPath::Wide) && cpu.wide)
        return DecodeUtf8With(p, size, skip, multiByte, DecodeWideVector, false);
    if (path != TVectorPath::Portable && cpu.narrow)
        return DecodeUtf8With(p, size, skip, multiByte, DecodeVector, false);
#endif
    return DecodeUtf8With(p, size, skip, multiByte, DecodeBytewise, true);
}

char* EncodeUtf8(std::string_view cp1250, char* out, TVectorPath path) {
    const TTables& t = Tables();
    auto p = reinterpret_cast<const unsigned char*>(cp1250.data());
    const unsigned char* end = p + cp1250.size();
#if defined(__x86_64__) || defined(__i386__)
    const TVectorSupport& cpu = VectorSupport();
    if (cpu.widest && path == TVectorPath::Fastest) p = EncodeUtf8Widest(p, end, out);
    if (cpu.wide && (path == TVectorPath::Fastest || path == TVectorPath::Wide))
        p = EncodeUtf8Wide(p, end, out);
#endif
    // Eight bytes at a time: copied when all are ASCII, else each written as a whole
    // word of its form and advanced by its length. A word store reaches at most three
    // bytes past the byte's form, which the three input bytes still to come will fill.
    while (end - p >= 11) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        if (!(w & kHighBits)) {
            std::memcpy(out, p, 8);
            out += 8;
            p += 8;
            continue;
        }
        for (int k = 0; k < 8; ++k) PutForm(*p++, out, t);
    }
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

std::pair<size_t, size_t> Utf8SizeAndLoss(std::string_view cp1250, TVectorPath path) {
    const TTables& t = Tables();
    auto p = reinterpret_cast<const unsigned char*>(cp1250.data());
    const unsigned char* end = p + cp1250.size();
#if defined(__x86_64__) || defined(__i386__)
    const TVectorSupport& cpu = VectorSupport();
    if (cpu.widest && path == TVectorPath::Fastest) {
        const auto [growth, lost] = Utf8GrowthAndLossWidest(p, end);
        return {cp1250.size() + growth, lost};
    }
    if (cpu.narrow && path != TVectorPath::Portable) {
        const auto [growth, lost] = Utf8GrowthAndLoss(p, end);
        return {cp1250.size() + growth, lost};
    }
#endif
    // One table sum per byte: the bytes added to it in the low half, the unencodable flag in the
    // high half, taken in chunks that the low half cannot overflow.
    size_t size = cp1250.size(), count = 0;
    while (p < end) {
        const unsigned char* stop = end - p > (1 << 30) ? p + (1 << 30) : end;
        uint64_t sum = 0;
        for (; p < stop; ++p) sum += t.sizeAndLoss[*p];
        size += sum & 0xFFFFFFFFu;
        count += sum >> 32;
    }
    return {size, count};
}

}  // namespace detail

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
    bool multiByte = false;
    if (detail::DecodeUtf8Checked(data, size, skip, multiByte, detail::TVectorPath::Fastest)) {
        report.Encoding = skip ? TDocEncoding::Utf8Bom : TDocEncoding::Utf8;
        return report;
    }
    // Put back as it was: a second look says why.
    Utf8Scan scan = ScanUtf8(p + skip, p + size, true);
    report.Invalid = !scan.valid;
    report.Unmapped = scan.unmapped;
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
        forEachHighByte(cp1250, [&](unsigned char b) { count += t.utf8Len[b] == 0; });
    }
    return count;
}

std::pair<size_t, size_t> EncodedSizeAndUnencodable(std::string_view cp1250,
                                                    TDocEncoding encoding) {
    if (encoding != TDocEncoding::Utf8 && encoding != TDocEncoding::Utf8Bom)
        return {cp1250.size(), CountUnencodable(cp1250, encoding)};
    return detail::Utf8SizeAndLoss(cp1250, detail::TVectorPath::Fastest);
}

size_t EncodedSize(std::string_view cp1250, TDocEncoding encoding) {
    return EncodedSizeAndUnencodable(cp1250, encoding).first;
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
            return detail::EncodeUtf8(cp1250, out, detail::TVectorPath::Fastest);
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

TDecodeReport DecodeFileInPlace(char* data, size_t& size, std::optional<TDocEncoding> encoding) {
    if (encoding || HasMark(data, size)) {
        return DecodeInPlace(data, size,
                             encoding ? *encoding : DetectEncoding(std::string_view(data, size)));
    }
    // Detection, the check of every character and the decoding are one pass over the file; text
    // without a multi-byte sequence decodes to itself and stays Windows-1250.
    auto* p = reinterpret_cast<unsigned char*>(data);
    TDecodeReport report;
    bool multiByte = false;
    if (detail::DecodeUtf8Checked(data, size, 0, multiByte, detail::TVectorPath::Fastest)) {
        if (multiByte) report.Requested = report.Encoding = TDocEncoding::Utf8;
        return report;
    }
    Utf8Scan scan = ScanUtf8(p, p + size, true);
    if (!scan.valid || !scan.multiByte) return report;
    report.Requested = TDocEncoding::Utf8;
    report.Unmapped = scan.unmapped;
    return report;
}

TDecodeReport DecodeFile(std::string& bytes, std::optional<TDocEncoding> encoding) {
    size_t size = bytes.size();
    TDecodeReport report = DecodeFileInPlace(bytes.data(), size, encoding);
    bytes.resize(size);
    return report;
}

std::string DecodingMessage(std::string_view fileName, const TDecodeReport& report) {
    if (report.Lossless()) return {};
    const std::string file(fileName);
    const std::string wanted = EncodingName(report.Requested);
    std::string text;
    if (report.Invalid)
        text = "Plik " + file + " nie jest poprawnym tekstem w kodowaniu " + wanted + ".";
    else
        text = "Plik " + file + " jest zapisany w kodowaniu " + wanted +
               ", ale część jego znaków nie istnieje w kodowaniu Windows-1250 (liczba takich "
               "znaków: " +
               std::to_string(report.Unmapped) + ").";
    return text;
}

TDocEncoding DecodeOrRaise(std::string& bytes, std::optional<TDocEncoding> encoding,
                           const std::string& name) {
    TDecodeReport report = DecodeFile(bytes, encoding);
    if (report.Invalid)
        throw EKrqError("Cannot decode " + name + ": it is not valid " +
                        EncodingName(report.Requested));
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
