// The nineteen text conversions and the split routines, each a single pass over the bytes.
#include "convert/unBase.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/cp1250.h"

namespace krq {

namespace {

using Byte = unsigned char;

const Byte* BytesOf(std::string_view text) { return reinterpret_cast<const Byte*>(text.data()); }
Byte* BytesOf(std::string& text) { return reinterpret_cast<Byte*>(text.data()); }

// Maps n bytes through a table. Eight bytes are read as one word and written back as one word,
// which halves the memory operations of a byte-by-byte loop.
void MapBytes(const Byte* in, Byte* out, size_t n, const TByteMap& map) {
    const uint8_t* m = map.data();
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, in + i, 8);
        w = uint64_t{m[w & 0xFF]} | uint64_t{m[(w >> 8) & 0xFF]} << 8 |
            uint64_t{m[(w >> 16) & 0xFF]} << 16 | uint64_t{m[(w >> 24) & 0xFF]} << 24 |
            uint64_t{m[(w >> 32) & 0xFF]} << 32 | uint64_t{m[(w >> 40) & 0xFF]} << 40 |
            uint64_t{m[(w >> 48) & 0xFF]} << 48 | uint64_t{m[w >> 56]} << 56;
        std::memcpy(out + i, &w, 8);
    }
    for (; i < n; ++i) out[i] = m[in[i]];
}

// The code-page maps change six bytes only. Comparing sixteen bytes at a time with each of them
// is several times faster than looking every byte up; the result is the same.
constexpr int kCodePageBytes = 6;

void MapCodePage(const Byte* in, Byte* out, size_t n, const TByteMap& map) {
#if defined(__SSE2__)
    __m128i from[kCodePageBytes], flip[kCodePageBytes];
    int k = 0;
    for (int b = 0; b < 256 && k < kCodePageBytes; ++b) {
        if (map[b] == b) continue;
        from[k] = _mm_set1_epi8(static_cast<char>(b));
        flip[k] = _mm_set1_epi8(static_cast<char>(b ^ map[b]));
        ++k;
    }
    size_t i = 0;
    if (k == kCodePageBytes) {
        for (; i + 16 <= n; i += 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            __m128i x = _mm_setzero_si128();
            for (int j = 0; j < kCodePageBytes; ++j)
                x = _mm_or_si128(x, _mm_and_si128(_mm_cmpeq_epi8(v, from[j]), flip[j]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_xor_si128(v, x));
        }
    }
    MapBytes(in + i, out + i, n - i, map);
#else
    MapBytes(in, out, n, map);
#endif
}

std::string MapText(std::string_view text, const TByteMap& map) {
    std::string out(text.size(), '\0');
    MapBytes(BytesOf(text), BytesOf(out), text.size(), map);
    return out;
}

// The case maps and the maps built from them and the classes, made once on first use.
struct TCaseMaps {
    TByteMap lower{}, upper{}, inverse{}, alternateOdd{}, rot13{};
    std::array<uint8_t, 256> startsWord{};  // 1 after a space, a CR or an LF
    TCaseMaps() {
        startsWord[' '] = startsWord['\r'] = startsWord['\n'] = 1;
        for (int b = 0; b < 256; ++b) {
            lower[b] = cp1250::kLower[b];
            upper[b] = cp1250::kUpper[b];
            inverse[b] = setLittleLetters[b] ? cp1250::kUpper[b]
                         : setBigLetters[b]  ? cp1250::kLower[b]
                                             : static_cast<uint8_t>(b);
            uint8_t low = cp1250::kLower[b];
            alternateOdd[b] = setLittleLetters[low] ? cp1250::kUpper[low] : low;
            int folded = b >= 'a' && b <= 'z' ? b - 0x20 : b;
            rot13[b] = static_cast<uint8_t>(folded >= 'A' && folded <= 'M'   ? b + 13
                                            : folded >= 'N' && folded <= 'Z' ? b - 13
                                                                             : b);
        }
    }
};

const TCaseMaps& CaseMaps() {
    static const TCaseMaps maps;
    return maps;
}

// The first occurrence of a pattern, ASCII letters compared without regard to case. The pattern
// is given in lower case with a byte that is no letter at `anchor`, which memchr looks for.
size_t FindFolded(std::string_view text, std::string_view pattern, size_t anchor) {
    const size_t n = text.size(), len = pattern.size();
    if (n < len) return std::string_view::npos;
    const char* base = text.data();
    const char* end = base + (n - len + anchor + 1);
    for (const char* hit = base + anchor;
         (hit = static_cast<const char*>(std::memchr(hit, pattern[anchor], end - hit))); ++hit) {
        const char* start = hit - anchor;
        size_t j = 0;
        for (; j < len; ++j) {
            char c = start[j];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
            if (c != pattern[j]) break;
        }
        if (j == len) return static_cast<size_t>(start - base);
    }
    return std::string_view::npos;
}

// Maps the bytes and writes `replacement` over the first occurrence of `name`. The name is
// looked for in the original text: the map changes no ASCII byte, so the positions agree.
std::string MapAndRename(std::string_view text, const TByteMap& map, std::string_view name,
                         size_t anchor, std::string_view replacement) {
    size_t at = FindFolded(text, name, anchor);
    if (at == std::string_view::npos) {
        std::string out(text.size(), '\0');
        MapCodePage(BytesOf(text), BytesOf(out), text.size(), map);
        return out;
    }
    std::string out(text.size() - name.size() + replacement.size(), '\0');
    Byte* o = BytesOf(out);
    MapCodePage(BytesOf(text), o, at, map);
    std::memcpy(o + at, replacement.data(), replacement.size());
    size_t rest = at + name.size();
    MapCodePage(BytesOf(text) + rest, o + at + replacement.size(), text.size() - rest, map);
    return out;
}

// Removes every byte of the class; the store is unconditional so the loop has no branch.
std::string DeleteClass(std::string_view text, const TByteSet& set) {
    std::string out(text.size(), '\0');
    const Byte* in = BytesOf(text);
    Byte* o = BytesOf(out);
    size_t j = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        Byte c = in[i];
        o[j] = c;
        j += !set[c];
    }
    out.resize(j);
    return out;
}

}  // namespace

std::string fncISOCode(std::string_view text) {
    return MapAndRename(text, mapWinToIso, "windows-1250", 7, "iso-8859-2");
}

std::string fncWinCode(std::string_view text) {
    return MapAndRename(text, mapIsoToWin, "iso-8859-2", 3, "Windows-1250");
}

std::string fncPolFix(std::string_view text) { return MapText(text, mapDiacritics); }

std::string fncLittleChar(std::string_view text) { return MapText(text, CaseMaps().lower); }

std::string fncBigChar(std::string_view text) { return MapText(text, CaseMaps().upper); }

// A capital starts the text, follows each space and starts each line. A line starts after CR LF,
// and also after a CR or an LF alone, so that a text with such breaks is not capitalised one byte
// into the line (or not at all); on CR LF texts this is the rule "two bytes after a CR".
std::string fncFirstBig(std::string_view text) {
    const TCaseMaps& maps = CaseMaps();
    std::string out(text.size(), '\0');
    const Byte* in = BytesOf(text);
    Byte* o = BytesOf(out);
    // Indexed by the previous byte and the byte: no branch on where words start.
    const uint8_t* table[2] = {maps.lower.data(), maps.upper.data()};
    Byte prev = ' ';
    for (size_t i = 0; i < text.size(); ++i) {
        Byte c = in[i];
        o[i] = table[maps.startsWord[prev]][c];
        prev = c;
    }
    return out;
}

std::string fncInverse(std::string_view text) { return MapText(text, CaseMaps().inverse); }

std::string fncAlternate(std::string_view text) {
    const TCaseMaps& maps = CaseMaps();
    const size_t n = text.size();
    std::string out(n, '\0');
    const Byte* in = BytesOf(text);
    Byte* o = BytesOf(out);
    size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        o[i] = maps.alternateOdd[in[i]];
        o[i + 1] = maps.lower[in[i + 1]];
    }
    if (i < n) o[i] = maps.alternateOdd[in[i]];
    return out;
}

std::string fncDelSpaces(std::string_view text) {
    std::string out(text.size(), '\0');
    const Byte* in = BytesOf(text);
    Byte* o = BytesOf(out);
    size_t j = 0;
    bool prevSpace = false;
    for (size_t i = 0; i < text.size(); ++i) {
        Byte c = in[i];
        bool space = c == ' ';
        o[j] = c;
        j += !(space && prevSpace);
        prevSpace = space;
    }
    out.resize(j);
    return out;
}

std::string JoinLinesCrLf(std::string_view text, bool keepEmptyLines) {
    const size_t n = text.size();
    const char* in = text.data();
    std::string out;
    out.reserve(n + n / 8 + 2);
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        char c = in[i];
        if (c != '\r' && c != '\n') continue;
        if (keepEmptyLines || i > start) {
            out.append(in + start, i - start);
            out.append("\r\n", 2);
        }
        if (c == '\r' && i + 1 < n && in[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (n > start) {
        out.append(in + start, n - start);
        out.append("\r\n", 2);
    }
    return out;
}

std::string fncDelLines(std::string_view text) { return JoinLinesCrLf(text, false); }

std::string fncDelNumbers(std::string_view text) { return DeleteClass(text, setNumbers); }
std::string fncDelLetters(std::string_view text) { return DeleteClass(text, setLetters); }
std::string fncDelLittleLetters(std::string_view text) {
    return DeleteClass(text, setLittleLetters);
}
std::string fncDelBigLetters(std::string_view text) { return DeleteClass(text, setBigLetters); }
std::string fncDelCharPoints(std::string_view text) { return DeleteClass(text, setCharPoints); }

// The depth is eight bits wide on purpose: after 256 unmatched "<" it reads 0 again.
std::string fncDelHTML(std::string_view text) {
    std::string out(text.size(), '\0');
    const Byte* in = BytesOf(text);
    Byte* o = BytesOf(out);
    size_t j = 0;
    uint8_t depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        Byte c = in[i];
        depth = static_cast<uint8_t>(depth + (c == '<'));
        o[j] = c;
        j += depth == 0;
        depth = static_cast<uint8_t>(depth - (c == '>'));
    }
    out.resize(j);
    return out;
}

namespace {

// The entity of each byte: that of its first entry in the table, empty when it has none.
// Each replacement (at most eight bytes) is kept in one word, the byte itself for a byte without
// entity, so that every byte is written with one eight-byte store and no branch.
struct Encoder {
    std::array<uint64_t, 256> word{};
    std::array<uint8_t, 256> length{};
    Encoder() {
        for (int b = 0; b < 256; ++b) {
            word[b] = static_cast<uint64_t>(b);
            length[b] = 1;
        }
        std::array<bool, 256> taken{};
        for (const TEncion& e : tblEncions) {
            auto b = static_cast<Byte>(e.Sign);
            if (taken[b]) continue;
            taken[b] = true;
            length[b] = static_cast<uint8_t>(std::strlen(e.Code));
            word[b] = 0;
            std::memcpy(&word[b], e.Code, length[b]);
        }
    }
};

// Finds the entity that starts at an "&". An entity is at most eight bytes long and ends at its
// only ";", so the bytes up to the first ";" are packed into one word, ASCII letters folded to
// lower case, and looked up in a small open-addressed table.
class Decoder {
  public:
    static constexpr size_t kMaxLength = 8;

    Decoder() {
        for (const TEncion& e : tblEncions) {
            uint64_t key = Pack(e.Code, std::strlen(e.Code));
            size_t slot = Hash(key);
            while (keys_[slot] != 0 && keys_[slot] != key) slot = (slot + 1) % kSlots;
            if (keys_[slot] == 0) {
                keys_[slot] = key;
                signs_[slot] = e.Sign;
            }
        }
    }

    // The length of the entity at text[0] (an "&") and its Sign, or 0 when there is none.
    size_t Match(const char* text, size_t available, char& sign) const {
        size_t limit = available < kMaxLength ? available : kMaxLength;
        const void* semicolon = std::memchr(text + 1, ';', limit - 1);
        if (!semicolon) return 0;
        size_t length = static_cast<size_t>(static_cast<const char*>(semicolon) - text) + 1;
        uint64_t key = Pack(text, length);
        for (size_t slot = Hash(key); keys_[slot] != 0; slot = (slot + 1) % kSlots) {
            if (keys_[slot] == key) {
                sign = signs_[slot];
                return length;
            }
        }
        return 0;
    }

  private:
    static constexpr size_t kSlots = 256;

    static uint64_t Pack(const char* text, size_t length) {
        uint64_t key = 0;
        for (size_t i = 0; i < length; ++i) {
            Byte c = static_cast<Byte>(text[i]);
            if (c >= 'A' && c <= 'Z') c = static_cast<Byte>(c + 0x20);
            key |= uint64_t{c} << (8 * i);
        }
        return key;
    }
    static size_t Hash(uint64_t key) { return (key * 0x9E3779B97F4A7C15ull) >> 56; }

    std::array<uint64_t, kSlots> keys_{};
    std::array<char, kSlots> signs_{};
};

}  // namespace

std::string fncTtoE(std::string_view text) {
    static const Encoder encoder;
    const Byte* in = BytesOf(text);
    size_t length = 0;
    for (size_t i = 0; i < text.size(); ++i) length += encoder.length[in[i]];
    // Room for the last eight-byte store.
    std::string out(length + 8, '\0');
    char* o = out.data();
    for (size_t i = 0; i < text.size(); ++i) {
        std::memcpy(o, &encoder.word[in[i]], 8);
        o += encoder.length[in[i]];
    }
    out.resize(length);
    return out;
}

// One pass gives what decoding entity after entity, "&amp;" last, gives: entities never overlap
// (each starts with its only "&" and ends with its only ";"), and no decoded Sign except the "&"
// of "&amp;" can be part of an entity, so no pass creates or destroys an occurrence for a later
// one, and the "&" of "&amp;" is never looked at again.
std::string fncEtoT(std::string_view text) {
    static const Decoder decoder;
    const char* in = text.data();
    const size_t n = text.size();
    std::string out(n, '\0');
    char* o = out.data();
    size_t i = 0;
    while (i < n) {
        const void* amp = std::memchr(in + i, '&', n - i);
        size_t next = amp ? static_cast<size_t>(static_cast<const char*>(amp) - in) : n;
        std::memcpy(o, in + i, next - i);
        o += next - i;
        if (next == n) break;
        char sign;
        if (size_t length = decoder.Match(in + next, n - next, sign)) {
            *o++ = sign;
            i = next + length;
        } else {
            *o++ = '&';
            i = next + 1;
        }
    }
    out.resize(static_cast<size_t>(o - out.data()));
    return out;
}

std::string fncRot13(std::string_view text) { return MapText(text, CaseMaps().rot13); }

void fncSplitText(std::string_view text, char separator, TTableString& parts) {
    auto trimmed = [](std::string_view piece) {
        while (!piece.empty() && static_cast<Byte>(piece.front()) <= 0x20) piece.remove_prefix(1);
        while (!piece.empty() && static_cast<Byte>(piece.back()) <= 0x20) piece.remove_suffix(1);
        return std::string(piece);
    };
    const size_t n = text.size();
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        bool atSeparator = text[i] == separator;
        if (!atSeparator && i + 1 < n) continue;
        size_t end = atSeparator ? i : n;
        parts.push_back(trimmed(text.substr(start, end - start)));
        start = i + 1;
    }
}

std::string fncGetPiece(char separator, std::string_view text, uint8_t index) {
    TTableString parts;
    fncSplitText(text, separator, parts);
    return index < parts.size() ? parts[index] : std::string();
}

}  // namespace krq
