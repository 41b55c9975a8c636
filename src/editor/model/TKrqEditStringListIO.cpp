// Reading a document file into lines and writing lines back without risking the old file.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "editor/model/TKrqEditStringList.h"
#include "editor/model/TKrqEditStringListImpl.h"
#include "platform/encoding.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace krq {

std::vector<std::vector<TKrqLineText>> KrqCutLines(const char* p, size_t n, TLineBreak& lineBreak) {
    using TBlock = std::vector<TKrqLineText>;
    constexpr size_t kTarget = kKrqLineBlockTarget;
    std::vector<TBlock> blocks;
    TBlock* block = nullptr;
    auto emit = [&](size_t from, size_t to) {
        if (!block || block->size() == kTarget) {
            blocks.emplace_back();
            block = &blocks.back();
            block->reserve(kTarget);
        }
        block->push_back(TKrqLineText::Slice(p + from, to - from));
    };

    bool sawCR = false;
    bool sawLF = false;
    size_t start = 0;  // where the current line begins
    size_t skip = 0;   // terminator bytes before this were consumed with the previous break
    auto terminator = [&](size_t j) {
        emit(start, j);
        size_t next = j + 1;
        char c = p[j];
        if (c == '\r') {
            sawCR = true;
            if (next < n && p[next] == '\n') {
                sawLF = true;
                ++next;
            }
        } else if (c == '\n') {
            sawLF = true;
        }
        // A NUL right after a line break is padding some programs write; it makes no line.
        if (c != '\0' && next < n && p[next] == '\0') ++next;
        start = skip = next;
    };

    size_t i = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                   _mm_cmpeq_epi8(v, nul));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        while (mask) {
            size_t j = i + static_cast<size_t>(__builtin_ctz(mask));
            mask &= mask - 1;
            if (j >= skip) terminator(j);
        }
    }
#endif
    for (; i < n; ++i) {
        char c = p[i];
        if ((c == '\r' || c == '\n' || c == '\0') && i >= skip) terminator(i);
    }
    if (start < n) emit(start, n);

    if (sawCR && !sawLF)
        lineBreak = TLineBreak::CR;
    else if (sawLF && !sawCR)
        lineBreak = TLineBreak::LF;
    else
        lineBreak = TLineBreak::CRLF;
    return blocks;
}

void TKrqEditStringList::LoadFromBytes(std::string bytes) {
    auto loaded = std::make_shared<TKrqLoadedBytes>();
    loaded->owned = std::move(bytes);
    loaded->data = loaded->owned.data();
    loaded->size = loaded->owned.size();
    TLineBreak lineBreak;
    auto blocks = KrqCutLines(loaded->data, loaded->size, lineBreak);
    d->Adopt(std::move(blocks), std::move(loaded));
    d->lineBreak = lineBreak;
}

TDecodeReport TKrqEditStringList::LoadLinesFromFile(const std::string& path,
                                                    std::optional<TDocEncoding> encoding) {
    TFileBuffer file = ReadFileBufferOrRaise(path);
    TDecodeReport report = DecodeFileInPlace(file.Data.get(), file.Size, encoding);
    const bool unbroken = report.Encoding != TDocEncoding::Windows1250 && file.Size > 0 &&
                          file.Data[file.Size - 1] != '\n' && file.Data[file.Size - 1] != '\r';
    auto loaded = std::make_shared<TKrqLoadedBytes>();
    loaded->raw = std::move(file.Data);
    loaded->data = loaded->raw.get();
    loaded->size = file.Size;
    TLineBreak lineBreak;
    auto blocks = KrqCutLines(loaded->data, loaded->size, lineBreak);
    d->Adopt(std::move(blocks), std::move(loaded));
    d->lineBreak = lineBreak;
    d->unbrokenSerial = unbroken ? d->serial : 0;
    return report;
}

// Writes every line and its break through a large buffer; long lines go out directly.
bool TKrqEditStringList::Impl::WriteLines(int fd, TDocEncoding encoding, bool lastBreak) const {
    const bool utf8 = encoding == TDocEncoding::Utf8 || encoding == TDocEncoding::Utf8Bom;
    const size_t growth = utf8 ? 3 : 1;
    std::string_view lineBreak = this->lineBreak == TLineBreak::CRLF ? std::string_view("\r\n")
                                 : this->lineBreak == TLineBreak::LF ? std::string_view("\n")
                                                                     : std::string_view("\r");
    constexpr size_t kBuffer = 1 << 20;
    std::unique_ptr<char[]> buffer(new char[kBuffer]);
    size_t used = 0;
    if (encoding == TDocEncoding::Utf8Bom) {
        std::memcpy(buffer.get(), kUtf8Bom.data(), kUtf8Bom.size());
        used = kUtf8Bom.size();
    }
    const TKrqLineText* last = blocks.empty() ? nullptr : &blocks.back().back();
    for (const auto& block : blocks) {
        for (const TKrqLineText& line : block) {
            size_t need = line.size() * growth + lineBreak.size();
            if (used + need > kBuffer) {
                if (!WriteFully(fd, buffer.get(), used)) return false;
                used = 0;
            }
            if (need > kBuffer) {
                if (encoding == TDocEncoding::Windows1250) {
                    // A long line in pieces goes out piece by piece, never copied whole.
                    bool ok = true;
                    line.ForEachRun(0, line.size(), [&](std::string_view run) {
                        ok = ok && WriteFully(fd, run.data(), run.size());
                    });
                    if (!ok) return false;
                } else {
                    std::string encoded = Encode(line.view(), encoding, false);
                    if (!WriteFully(fd, encoded.data(), encoded.size())) return false;
                }
            } else if (!line.empty()) {
                char* end = EncodeTo(line.view(), encoding, buffer.get() + used);
                used = static_cast<size_t>(end - buffer.get());
            }
            if (&line == last && !lastBreak) break;
            std::memcpy(buffer.get() + used, lineBreak.data(), lineBreak.size());
            used += lineBreak.size();
        }
    }
    return WriteFully(fd, buffer.get(), used);
}

void TKrqEditStringList::SaveLinesToFile(const std::string& path, TDocEncoding encoding) const {
    // The size is known before the first byte is written, so its space can be reserved.
    const uint64_t breakSize = d->lineBreak == TLineBreak::CRLF ? 2 : 1;
    const bool lastBreak = d->unbrokenSerial != d->serial || encoding == TDocEncoding::Windows1250;
    uint64_t size = encoding == TDocEncoding::Utf8Bom ? kUtf8Bom.size() : 0;
    size_t unencodable = 0;
    for (const auto& block : d->blocks) {
        for (const TKrqLineText& line : block) {
            if (encoding == TDocEncoding::Windows1250) {
                size += line.size() + breakSize;
            } else {
                const auto [encoded, lost] = EncodedSizeAndUnencodable(line.view(), encoding);
                unencodable += lost;
                size += encoded + breakSize;
            }
        }
    }
    if (!lastBreak && !d->blocks.empty()) size -= breakSize;
    if (unencodable)
        throw EKrqError("Cannot encode " + std::to_string(unencodable) + " characters of " + path +
                        " as " + EncodingName(encoding));
    TWriteOptions options;
    options.InPlaceFallback = true;
    WriteFileSafely(
        path, size, [&](int fd) { return d->WriteLines(fd, encoding, lastBreak); }, options);
}

}  // namespace krq
