// The vector steps of the encodings, for processors with SSSE3 or AVX2; each is compiled for
// its instruction set alone and chosen at run time.
#include "platform/encodingvector.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include <algorithm>

namespace krq::codec {

const TVectorSupport& VectorSupport() {
    static const TVectorSupport support = [] {
        TVectorSupport s;
        const bool popcnt = __builtin_cpu_supports("popcnt");
        s.narrow = popcnt && __builtin_cpu_supports("ssse3");
        s.wide = s.narrow && __builtin_cpu_supports("avx2");
        s.widest = s.wide && __builtin_cpu_supports("avx512f") &&
                   __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
                   __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("bmi2");
        return s;
    }();
    return support;
}

// What the vector decoder looks up with byte shuffles, which index sixteen-entry tables.
struct TVectorTables {
    // For every keep mask of eight bytes, the positions of the kept bytes in order.
    std::array<uint64_t, 256> compact{};
    // The bytes of U+0100-U+017F (leads C4 and C5, index 0-127 from the lead's low bit and the
    // continuation's six bits), 0 where there is none, as eight tables of sixteen, each stored
    // XORed with the one before: a shuffle gives 0 for an index below its table, so the XOR of
    // the shuffles of index - 16j over all j leaves just the entry.
    alignas(16) std::array<std::array<uint8_t, 16>, 8> latinExtended{};
    // U+0080-U+00FF (leads C2 and C3) are their own byte where Windows-1250 has them: one bit
    // each, eight to a byte, and the bit of each position in a byte.
    alignas(16) std::array<uint8_t, 16> latin1Bits{};
    alignas(16) std::array<uint8_t, 16> bitOf{};
    // The encoder's way back for 80-FF (index byte - 80): the character less 0x80, from which
    // both of its UTF-8 bytes follow, for U+0080-U+017F; 0 for the bytes whose form has three
    // bytes or none and for the spacing accents beyond. Stored XORed with the table before.
    alignas(16) std::array<std::array<uint8_t, 16>, 8> letterForms{};
    // For the encoder, for every set of letters among eight bytes, the shuffle that writes each
    // byte of their interleaved forms (byte, continuation, byte, ...) that is kept: every first
    // byte, and a continuation after a letter.
    alignas(16) std::array<std::array<uint8_t, 16>, 256> expand{};
    // Bits over 80-9F, as latin1Bits: the bytes whose form has three bytes, and those with none.
    alignas(16) std::array<uint8_t, 16> threeByteBits{};
    alignas(16) std::array<uint8_t, 16> undefinedBits{};
    // For the 64-byte steps, over 80-FF in two registers: the forms as above, not XORed, and
    // each byte's kind (1: a three-byte form, 2: none, 0: two bytes).
    alignas(64) std::array<uint8_t, 128> forms{};
    alignas(64) std::array<uint8_t, 128> kinds{};
    TVectorTables() {
        const TTables& t = Tables();
        for (unsigned keep = 0; keep < 256; ++keep) {
            uint64_t word = 0;
            int at = 0;
            for (int i = 0; i < 8; ++i)
                if (keep & (1u << i)) word |= static_cast<uint64_t>(i) << (8 * at++);
            compact[keep] = word;
        }
        auto extended = [&](unsigned x) -> uint8_t {
            const int16_t byte = t.twoByte[0x100 + x];
            return byte < 0 ? 0 : static_cast<uint8_t>(byte);
        };
        for (unsigned x = 0; x < 128; ++x) {
            latinExtended[x / 16][x % 16] = extended(x) ^ (x >= 16 ? extended(x - 16) : 0);
            if (t.twoByte[0x80 + x] == static_cast<int16_t>(0x80 + x))
                latin1Bits[x / 8] |= static_cast<uint8_t>(1u << (x % 8));
        }
        for (unsigned i = 0; i < 8; ++i) bitOf[i] = static_cast<uint8_t>(1u << i);
        for (unsigned letters = 0; letters < 256; ++letters) {
            unsigned at = 0;
            for (unsigned i = 0; i < 8; ++i) {
                expand[letters][at++] = static_cast<uint8_t>(2 * i);
                if (letters & (1u << i)) expand[letters][at++] = static_cast<uint8_t>(2 * i + 1);
            }
            while (at < 16) expand[letters][at++] = 0x80;
        }
        auto form = [&](unsigned x) -> uint8_t {
            const char16_t c = cp1250::kToUnicode[0x80 + x];
            return c >= 0x80 && c < 0x180 ? static_cast<uint8_t>(c - 0x80) : 0;
        };
        for (unsigned x = 0; x < 128; ++x) {
            letterForms[x / 16][x % 16] = form(x) ^ (x >= 16 ? form(x - 16) : 0);
            forms[x] = form(x);
            kinds[x] = t.utf8Len[0x80 + x] == 3 ? 1 : t.utf8Len[0x80 + x] == 0 ? 2 : 0;
        }
        for (unsigned x = 0; x < 32; ++x) {
            const uint8_t bit = static_cast<uint8_t>(1u << (x % 8));
            if (t.utf8Len[0x80 + x] == 3) threeByteBits[x / 8] |= bit;
            if (t.utf8Len[0x80 + x] == 0) undefinedBits[x / 8] |= bit;
        }
    }
};

static const TVectorTables& VectorTables() {
    static const TVectorTables t;
    return t;
}

// The two-byte characters whose leads are at the positions of `leads` in `in`, looked up one by
// one into `bytes`; false when one has no Windows-1250 byte.
inline bool MapByTable(const unsigned char* in, uint32_t leads, unsigned char* bytes) {
    const TTables& t = Tables();
    for (uint32_t m = leads; m; m &= m - 1) {
        const unsigned i = static_cast<unsigned>(__builtin_ctz(m));
        const int16_t byte = t.twoByte[((in[i] & 0x1F) << 6) | (in[i + 1] & 0x3F)];
        if (byte < 0) return false;
        bytes[i] = static_cast<unsigned char>(byte);
    }
    return true;
}

// The Windows-1250 byte of the two-byte character whose lead is at each position of `v`, with
// its continuation under it in `c`; 0 where the lead is not C2-C5 or the character has no byte.
__attribute__((target("ssse3"))) inline __m128i MapTwoByte(__m128i v, __m128i c,
                                                           const TVectorTables& vt) {
    const __m128i low6 = _mm_and_si128(c, _mm_set1_epi8(0x3F));
    const __m128i x = _mm_or_si128(low6, _mm_and_si128(_mm_slli_epi16(v, 6), _mm_set1_epi8(0x40)));
    const __m128i pair = _mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xFE)));
    const __m128i isC4C5 = _mm_cmpeq_epi8(pair, _mm_set1_epi8(static_cast<char>(0xC4)));
    const __m128i isC2C3 = _mm_cmpeq_epi8(pair, _mm_set1_epi8(static_cast<char>(0xC2)));
    const __m128i sixteen = _mm_set1_epi8(16);
    __m128i index = x;
    __m128i extended = _mm_shuffle_epi8(
        _mm_load_si128(reinterpret_cast<const __m128i*>(vt.latinExtended[0].data())), index);
    for (int j = 1; j < 8; ++j) {
        index = _mm_sub_epi8(index, sixteen);
        extended = _mm_xor_si128(
            extended,
            _mm_shuffle_epi8(
                _mm_load_si128(reinterpret_cast<const __m128i*>(vt.latinExtended[j].data())),
                index));
    }
    const __m128i bits = _mm_and_si128(
        _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(vt.latin1Bits.data())),
                         _mm_and_si128(_mm_srli_epi16(x, 3), _mm_set1_epi8(0x0F))),
        _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(vt.bitOf.data())),
                         _mm_and_si128(x, _mm_set1_epi8(7))));
    const __m128i latin1 =
        _mm_andnot_si128(_mm_cmpeq_epi8(bits, _mm_setzero_si128()),
                         _mm_or_si128(x, _mm_set1_epi8(static_cast<char>(0x80))));
    return _mm_or_si128(_mm_and_si128(isC4C5, extended), _mm_and_si128(isC2C3, latin1));
}

// Sixteen bytes a step while they are ASCII and two-byte sequences, which is nearly all of a
// Polish text: the step checks the sequences with vector masks, maps the two-byte characters
// with table shuffles, and squeezes out the continuation bytes with a shuffle. Every step is
// sixteen bytes, so the next load never waits for this one's result: a character whose lead
// ends a step is decoded (and its continuation checked) there, and the next step skips the
// continuation (`carry`). A step's stores never pass the bytes it has read, and it checks
// before it stores, so at a fault nothing from `in` on has been touched. Anything else goes to
// the general decoder.
__attribute__((target("ssse3,popcnt"))) bool DecodeVector(unsigned char*& in, unsigned char*& out,
                                                          unsigned char* stop, unsigned char* end,
                                                          bool& lead) {
    const TVectorTables& vt = VectorTables();
    const __m128i aboveC1 = _mm_set1_epi8(static_cast<char>(0xC1));
    const __m128i belowE0 = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i belowC0 = _mm_set1_epi8(static_cast<char>(0xC0));
    const __m128i eight = _mm_set_epi64x(0x0808080808080808ll, 0);
    unsigned carry = 0;  // in[0] is the continuation of a character already written
    auto general = [&](unsigned char* to) {
        in += carry;
        carry = 0;
        return DecodeCharacters(in, out, to, end, lead);
    };
    while (in < stop) {
        if (end - in < 17) return general(stop);
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
        if (high == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
            in += 16;
            out += 16;
            continue;
        }
        // As signed bytes 80-BF < C0-C1 < C2-DF < E0-FF.
        const __m128i leadBytes =
            _mm_and_si128(_mm_cmpgt_epi8(v, aboveC1), _mm_cmpgt_epi8(belowE0, v));
        const unsigned leads = static_cast<unsigned>(_mm_movemask_epi8(leadBytes));
        const unsigned conts = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi8(belowC0, v)));
        if (high & ~(leads | conts)) {
            // A longer sequence or a malformed lead: up to it and past it character by character.
            unsigned char* const other = in + __builtin_ctz(high & ~(leads | conts));
            if (!general(std::min<unsigned char*>(other + 1, stop))) return false;
            continue;
        }
        const unsigned want = (leads << 1) | carry;
        const unsigned have = conts | (((in[16] & 0xC0) == 0x80 ? 0x10000u : 0u) & want);
        if (want != have) {
            in += carry;
            return false;
        }
        lead = true;
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 1));
        const __m128i mapped = MapTwoByte(v, next, vt);
        const unsigned missing =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(mapped, _mm_setzero_si128()))) &
            leads;
        __m128i bytes = _mm_or_si128(_mm_andnot_si128(leadBytes, v), mapped);
        if (missing) {
            // Leads C6-DF: the spacing accents of CB, or characters without a byte.
            alignas(16) unsigned char copy[16];
            _mm_store_si128(reinterpret_cast<__m128i*>(copy), bytes);
            if (!MapByTable(in, missing, copy)) {
                in += carry;
                return false;
            }
            bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(copy));
        }
        const unsigned keep = ~conts & 0xFFFFu;
        const unsigned keptLow = static_cast<unsigned>(__builtin_popcount(keep & 0xFFu));
        const __m128i order =
            _mm_add_epi8(_mm_set_epi64x(static_cast<long long>(vt.compact[keep >> 8]),
                                        static_cast<long long>(vt.compact[keep & 0xFFu])),
                         eight);
        const __m128i packed = _mm_shuffle_epi8(bytes, order);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + keptLow), _mm_srli_si128(packed, 8));
        in += 16;
        out += __builtin_popcount(keep);
        carry = leads >> 15;
    }
    in += carry;
    return true;
}

// The shuffle that squeezes the bytes kept by `keep` to the front of each eight-byte quarter.
__attribute__((target("avx2"))) inline __m256i WideCompactOrder(uint32_t keep,
                                                                const TVectorTables& vt) {
    return _mm256_add_epi8(
        _mm256_set_epi64x(static_cast<long long>(vt.compact[keep >> 24]),
                          static_cast<long long>(vt.compact[(keep >> 16) & 0xFFu]),
                          static_cast<long long>(vt.compact[(keep >> 8) & 0xFFu]),
                          static_cast<long long>(vt.compact[keep & 0xFFu])),
        _mm256_set_epi64x(0x0808080808080808ll, 0, 0x0808080808080808ll, 0));
}

// Thirty-two bytes a step, the same steps as DecodeVector on each half of a wider register.
__attribute__((target("avx2,popcnt"))) bool DecodeWideVector(unsigned char*& in,
                                                             unsigned char*& out,
                                                             unsigned char* stop,
                                                             unsigned char* end, bool& lead) {
    const TVectorTables& vt = VectorTables();
    // Each sixteen-entry table in both halves.
    __m256i extendedTables[8];
    for (int j = 0; j < 8; ++j)
        extendedTables[j] = _mm256_broadcastsi128_si256(
            _mm_load_si128(reinterpret_cast<const __m128i*>(vt.latinExtended[j].data())));
    const __m256i latin1Bits = _mm256_broadcastsi128_si256(
        _mm_load_si128(reinterpret_cast<const __m128i*>(vt.latin1Bits.data())));
    const __m256i bitOf = _mm256_broadcastsi128_si256(
        _mm_load_si128(reinterpret_cast<const __m128i*>(vt.bitOf.data())));
    const __m256i aboveC1 = _mm256_set1_epi8(static_cast<char>(0xC1));
    const __m256i belowE0 = _mm256_set1_epi8(static_cast<char>(0xE0));
    const __m256i belowC0 = _mm256_set1_epi8(static_cast<char>(0xC0));
    uint64_t carry = 0;  // in[0] is the continuation of a character already written
    auto general = [&](unsigned char* to) {
        in += carry;
        carry = 0;
        return DecodeCharacters(in, out, to, end, lead);
    };
    while (in < stop) {
        if (end - in < 33) return general(stop);
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
        const uint32_t high = static_cast<uint32_t>(_mm256_movemask_epi8(v));
        if (high == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), v);
            in += 32;
            out += 32;
            continue;
        }
        const __m256i leadBytes =
            _mm256_and_si256(_mm256_cmpgt_epi8(v, aboveC1), _mm256_cmpgt_epi8(belowE0, v));
        const uint32_t leads = static_cast<uint32_t>(_mm256_movemask_epi8(leadBytes));
        const uint32_t conts =
            static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(belowC0, v)));
        if (high & ~(leads | conts)) {
            unsigned char* const other = in + __builtin_ctz(high & ~(leads | conts));
            if (!general(std::min<unsigned char*>(other + 1, stop))) return false;
            continue;
        }
        const uint64_t want = (static_cast<uint64_t>(leads) << 1) | carry;
        const uint64_t have = conts | (((in[32] & 0xC0) == 0x80 ? 1ull << 32 : 0) & want);
        if (want != have) {
            in += carry;
            return false;
        }
        lead = true;
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 1));
        // The lookups of MapTwoByte, on both halves at once.
        const __m256i low6 = _mm256_and_si256(next, _mm256_set1_epi8(0x3F));
        const __m256i x = _mm256_or_si256(
            low6, _mm256_and_si256(_mm256_slli_epi16(v, 6), _mm256_set1_epi8(0x40)));
        const __m256i pair = _mm256_and_si256(v, _mm256_set1_epi8(static_cast<char>(0xFE)));
        __m256i index = x;
        __m256i extended = _mm256_shuffle_epi8(extendedTables[0], index);
        for (int j = 1; j < 8; ++j) {
            index = _mm256_sub_epi8(index, _mm256_set1_epi8(16));
            extended = _mm256_xor_si256(extended, _mm256_shuffle_epi8(extendedTables[j], index));
        }
        const __m256i bits = _mm256_and_si256(
            _mm256_shuffle_epi8(latin1Bits,
                                _mm256_and_si256(_mm256_srli_epi16(x, 3), _mm256_set1_epi8(0x0F))),
            _mm256_shuffle_epi8(bitOf, _mm256_and_si256(x, _mm256_set1_epi8(7))));
        const __m256i latin1 =
            _mm256_andnot_si256(_mm256_cmpeq_epi8(bits, _mm256_setzero_si256()),
                                _mm256_or_si256(x, _mm256_set1_epi8(static_cast<char>(0x80))));
        const __m256i mapped = _mm256_or_si256(
            _mm256_and_si256(_mm256_cmpeq_epi8(pair, _mm256_set1_epi8(static_cast<char>(0xC4))),
                             extended),
            _mm256_and_si256(_mm256_cmpeq_epi8(pair, _mm256_set1_epi8(static_cast<char>(0xC2))),
                             latin1));
        const uint32_t missing = static_cast<uint32_t>(_mm256_movemask_epi8(
                                     _mm256_cmpeq_epi8(mapped, _mm256_setzero_si256()))) &
                                 leads;
        __m256i bytes = _mm256_or_si256(_mm256_andnot_si256(leadBytes, v), mapped);
        if (missing) {
            alignas(32) unsigned char copy[32];
            _mm256_store_si256(reinterpret_cast<__m256i*>(copy), bytes);
            if (!MapByTable(in, missing, copy)) {
                in += carry;
                return false;
            }
            bytes = _mm256_load_si256(reinterpret_cast<const __m256i*>(copy));
        }
        const uint32_t keep = ~conts;
        const __m256i order = WideCompactOrder(keep, vt);
        const __m256i packed = _mm256_shuffle_epi8(bytes, order);
        const __m128i low = _mm256_castsi256_si128(packed);
        const __m128i upper = _mm256_extracti128_si256(packed, 1);
        unsigned char* at = out;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), low);
        at += __builtin_popcount(keep & 0xFFu);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm_srli_si128(low, 8));
        at += __builtin_popcount((keep >> 8) & 0xFFu);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), upper);
        at += __builtin_popcount((keep >> 16) & 0xFFu);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm_srli_si128(upper, 8));
        in += 32;
        out += __builtin_popcount(keep);
        carry = leads >> 31;
    }
    in += carry;
    return true;
}

// Encodes thirty-two bytes a step while at least 40 remain, and returns where it stopped. ASCII
// stays; a letter gets its two bytes from table shuffles, and the bytes are interleaved with
// the others and squeezed into place. A step holding a byte of a three-byte form, an undefined
// byte or a spacing accent is written byte by byte. A step's stores pass its output by up to
// eight bytes, which the next eight input bytes' output covers.
__attribute__((target("avx2,popcnt"))) const unsigned char* EncodeUtf8Wide(const unsigned char* p,
                                                                           const unsigned char* end,
                                                                           char*& out) {
    const TTables& t = Tables();
    const TVectorTables& vt = VectorTables();
    __m256i formTables[8];
    for (int j = 0; j < 8; ++j)
        formTables[j] = _mm256_broadcastsi128_si256(
            _mm_load_si128(reinterpret_cast<const __m128i*>(vt.letterForms[j].data())));
    while (end - p >= 40) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const uint32_t high = static_cast<uint32_t>(_mm256_movemask_epi8(v));
        if (high == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), v);
            out += 32;
            p += 32;
            continue;
        }
        const __m256i highBytes = _mm256_cmpgt_epi8(_mm256_setzero_si256(), v);
        // ASCII becomes 80-FF, which every shuffle maps to 0.
        __m256i index = _mm256_xor_si256(v, _mm256_set1_epi8(static_cast<char>(0x80)));
        __m256i form = _mm256_shuffle_epi8(formTables[0], index);
        for (int j = 1; j < 8; ++j) {
            index = _mm256_sub_epi8(index, _mm256_set1_epi8(16));
            form = _mm256_xor_si256(form, _mm256_shuffle_epi8(formTables[j], index));
        }
        const uint32_t others = static_cast<uint32_t>(_mm256_movemask_epi8(
                                    _mm256_cmpeq_epi8(form, _mm256_setzero_si256()))) &
                                high;
        if (others) {
            for (int k = 0; k < 32; ++k) PutForm(*p++, out, t);
            continue;
        }
        const __m256i leadByte =
            _mm256_add_epi8(_mm256_set1_epi8(static_cast<char>(0xC2)),
                            _mm256_and_si256(_mm256_srli_epi16(form, 6), _mm256_set1_epi8(3)));
        const __m256i contByte = _mm256_or_si256(_mm256_and_si256(form, _mm256_set1_epi8(0x3F)),
                                                 _mm256_set1_epi8(static_cast<char>(0x80)));
        const __m256i first = _mm256_blendv_epi8(v, leadByte, highBytes);
        // Each input byte and its continuation side by side; the continuation is kept only
        // after a letter. Per half: bytes 0-7 then 8-15 of that half.
        const __m256i pairsLow = _mm256_unpacklo_epi8(first, contByte);
        const __m256i pairsHigh = _mm256_unpackhi_epi8(first, contByte);
        const __m128i units[4] = {
            _mm256_castsi256_si128(pairsLow), _mm256_castsi256_si128(pairsHigh),
            _mm256_extracti128_si256(pairsLow, 1), _mm256_extracti128_si256(pairsHigh, 1)};
        for (int k = 0; k < 4; ++k) {
            const unsigned letters = (high >> (8 * k)) & 0xFFu;
            const __m128i order =
                _mm_load_si128(reinterpret_cast<const __m128i*>(vt.expand[letters].data()));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(units[k], order));
            out += 8 + __builtin_popcount(letters);
        }
        p += 32;
    }
    return p;
}

// The bytes the UTF-8 form of [p, end) adds to its length and the bytes it cannot hold, sixteen
// bytes a step: every high byte adds one, and those of 80-9F are looked up in two bit sets.
__attribute__((target("ssse3,popcnt"))) std::pair<size_t, size_t> Utf8GrowthAndLoss(
    const unsigned char* p, const unsigned char* end) {
    const TTables& t = Tables();
    const TVectorTables& vt = VectorTables();
    const __m128i threeByte =
        _mm_load_si128(reinterpret_cast<const __m128i*>(vt.threeByteBits.data()));
    const __m128i undefined =
        _mm_load_si128(reinterpret_cast<const __m128i*>(vt.undefinedBits.data()));
    const __m128i bitOf = _mm_load_si128(reinterpret_cast<const __m128i*>(vt.bitOf.data()));
    const __m128i belowA0 = _mm_set1_epi8(static_cast<char>(0xA0));
    size_t growth = 0, lost = 0;
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
        growth += static_cast<size_t>(__builtin_popcount(high));
        // 80-9F are below A0 as signed bytes, as every high byte is below ASCII. No branch on
        // them: in Polish text they come and go too irregularly to be predicted.
        const unsigned low = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi8(belowA0, v)));
        const __m128i which = _mm_and_si128(_mm_srli_epi16(v, 3), _mm_set1_epi8(3));
        const __m128i bit = _mm_shuffle_epi8(bitOf, _mm_and_si128(v, _mm_set1_epi8(7)));
        const unsigned three = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
            _mm_and_si128(_mm_shuffle_epi8(threeByte, which), bit), _mm_setzero_si128())));
        const unsigned none = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
            _mm_and_si128(_mm_shuffle_epi8(undefined, which), bit), _mm_setzero_si128())));
        growth += static_cast<size_t>(__builtin_popcount(~three & low));
        lost += static_cast<size_t>(__builtin_popcount(~none & low));
    }
    for (; p < end; ++p) {
        growth += t.sizeAndLoss[*p] & 0xFFFFFFFFu;
        lost += t.sizeAndLoss[*p] >> 32;
    }
    return {growth, lost};
}

// Sixty-four bytes a step, as EncodeUtf8Wide: one permute looks up the forms of all the high
// bytes, a second interleaves the bytes with their continuations in order, and compression
// drops the continuations of ASCII bytes. The stores are masked to the bytes written, but a step
// written byte by byte passes its end by up to three, which the bytes after it cover.
__attribute__((target("avx512f,avx512bw,avx512vbmi,avx512vbmi2,bmi2,popcnt"))) const unsigned char*
EncodeUtf8Widest(const unsigned char* p, const unsigned char* end, char*& out) {
    const TTables& t = Tables();
    const TVectorTables& vt = VectorTables();
    const __m512i formsLow = _mm512_load_si512(vt.forms.data());
    const __m512i formsHigh = _mm512_load_si512(vt.forms.data() + 64);
    // Byte 2i of the pairs is byte i of the first operand, byte 2i + 1 byte i of the second.
    alignas(64) uint8_t firstHalf[64], secondHalf[64];
    for (int i = 0; i < 32; ++i) {
        firstHalf[2 * i] = static_cast<uint8_t>(i);
        firstHalf[2 * i + 1] = static_cast<uint8_t>(64 + i);
        secondHalf[2 * i] = static_cast<uint8_t>(32 + i);
        secondHalf[2 * i + 1] = static_cast<uint8_t>(96 + i);
    }
    const __m512i pairFirst = _mm512_load_si512(firstHalf);
    const __m512i pairSecond = _mm512_load_si512(secondHalf);
    constexpr uint64_t kEven = 0x5555555555555555ull, kOdd = 0xAAAAAAAAAAAAAAAAull;
    while (end - p >= 67) {
        const __m512i v = _mm512_loadu_si512(p);
        const __mmask64 high = _mm512_movepi8_mask(v);
        if (high == 0) {
            _mm512_storeu_si512(out, v);
            out += 64;
            p += 64;
            continue;
        }
        // The low seven bits of a high byte index its entry; ASCII bytes get one too, unused.
        const __m512i form = _mm512_permutex2var_epi8(formsLow, v, formsHigh);
        if (_mm512_mask_cmpeq_epi8_mask(high, form, _mm512_setzero_si512())) {
            for (int k = 0; k < 64; ++k) PutForm(*p++, out, t);
            continue;
        }
        const __m512i lead =
            _mm512_add_epi8(_mm512_set1_epi8(static_cast<char>(0xC2)),
                            _mm512_and_si512(_mm512_srli_epi16(form, 6), _mm512_set1_epi8(3)));
        const __m512i cont = _mm512_or_si512(_mm512_and_si512(form, _mm512_set1_epi8(0x3F)),
                                             _mm512_set1_epi8(static_cast<char>(0x80)));
        const __m512i first = _mm512_mask_blend_epi8(high, v, lead);
        const __m512i pairs[2] = {_mm512_permutex2var_epi8(first, pairFirst, cont),
                                  _mm512_permutex2var_epi8(first, pairSecond, cont)};
        for (int k = 0; k < 2; ++k) {
            const uint64_t letters = (high >> (32 * k)) & 0xFFFFFFFFull;
            const uint64_t keep = kEven | _pdep_u64(letters, kOdd);
            const unsigned count = 32 + static_cast<unsigned>(__builtin_popcountll(letters));
            _mm512_mask_storeu_epi8(out, _bzhi_u64(~0ull, count),
                                    _mm512_maskz_compress_epi8(keep, pairs[k]));
            out += count;
        }
        p += 64;
    }
    return p;
}

// Utf8GrowthAndLoss sixty-four bytes a step, each high byte's kind looked up by one permute.
__attribute__((target("avx512f,avx512bw,avx512vbmi,popcnt"))) std::pair<size_t, size_t>
Utf8GrowthAndLossWidest(const unsigned char* p, const unsigned char* end) {
    const TTables& t = Tables();
    const TVectorTables& vt = VectorTables();
    const __m512i kindsLow = _mm512_load_si512(vt.kinds.data());
    const __m512i kindsHigh = _mm512_load_si512(vt.kinds.data() + 64);
    size_t growth = 0, lost = 0;
    for (; end - p >= 64; p += 64) {
        const __m512i v = _mm512_loadu_si512(p);
        const __mmask64 high = _mm512_movepi8_mask(v);
        const __m512i kind = _mm512_permutex2var_epi8(kindsLow, v, kindsHigh);
        growth += static_cast<size_t>(__builtin_popcountll(high)) +
                  static_cast<size_t>(__builtin_popcountll(
                      _mm512_mask_cmpeq_epi8_mask(high, kind, _mm512_set1_epi8(1))));
        lost += static_cast<size_t>(
            __builtin_popcountll(_mm512_mask_cmpeq_epi8_mask(high, kind, _mm512_set1_epi8(2))));
    }
    for (; p < end; ++p) {
        growth += t.sizeAndLoss[*p] & 0xFFFFFFFFu;
        lost += t.sizeAndLoss[*p] >> 32;
    }
    return {growth, lost};
}

}  // namespace krq::codec

#endif
