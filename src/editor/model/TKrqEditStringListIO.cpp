// Reading a document file into lines and writing lines back without risking the old file.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "editor/model/TKrqEditStringList.h"
#include "editor/model/TKrqEditStringListImpl.h"
#include "platform/encoding.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"
#include "platform/files/writebehind.h"

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

// Writes every line and its break through a large buffer of Windows-1250 bytes. In another
// encoding a full buffer is encoded in one go, so the encoder runs over long stretches rather
// than line by line, and the encoded buffer is written behind on a second thread while the next
// one is gathered and encoded. In Windows-1250 the long runs of a long line go out directly.
bool TKrqEditStringList::Impl::WriteLines(int fd, TDocEncoding encoding, bool lastBreak) const {
    const bool plain = encoding == TDocEncoding::Windows1250;
    std::string_view lineBreak = this->lineBreak == TLineBreak::CRLF ? std::string_view("\r\n")
                                 : this->lineBreak == TLineBreak::LF ? std::string_view("\n")
                                                                     : std::string_view("\r");
    constexpr size_t kBuffer = 1 << 20;
    std::unique_ptr<char[]> buffer(new char[kBuffer]);
    if (encoding == TDocEncoding::Utf8Bom && !WriteFully(fd, kUtf8Bom.data(), kUtf8Bom.size()))
        return false;
    // A Windows-1250 byte takes at most three bytes in UTF-8.
    std::optional<TWriteBehind> writer;
    if (!plain) writer.emplace(fd, 3 * kBuffer);
    size_t used = 0;
    auto flush = [&]() {
        bool ok = true;
        if (plain) {
            ok = WriteFully(fd, buffer.get(), used);
        } else if (used > 0) {
            ok = !writer->Failed();
            if (ok) {
                char* target = writer->Buffer();
                char* end = EncodeTo(std::string_view(buffer.get(), used), encoding, target);
                writer->Submit(static_cast<size_t>(end - target));
            }
        }
        used = 0;
        return ok;
    };
    auto append = [&](std::string_view run) {
        if (plain && run.size() >= kBuffer)
            return flush() && WriteFully(fd, run.data(), run.size());
        while (!run.empty()) {
            if (used == kBuffer && !flush()) return false;
            const size_t n = std::min(run.size(), kBuffer - used);
            std::memcpy(buffer.get() + used, run.data(), n);
            used += n;
            run.remove_prefix(n);
        }
        return true;
    };
    const TKrqLineText* last = blocks.empty() ? nullptr : &blocks.back().back();
    for (const auto& block : blocks) {
        for (const TKrqLineText& line : block) {
            if (!line.Pieced() && used + line.size() + lineBreak.size() <= kBuffer) {
                // The usual short line, copied whole.
                const std::string_view text = line.view();
                std::memcpy(buffer.get() + used, text.data(), text.size());
                used += text.size();
            } else {
                bool ok = true;
                line.ForEachRun(0, line.size(),
                                [&](std::string_view run) { ok = ok && append(run); });
                if (!ok) return false;
            }
            if (&line == last && !lastBreak) break;
            if (!append(lineBreak)) return false;
        }
    }
    return flush() && (!writer || writer->Finish());
}

TKrqEditStringList::Impl::TMeasure TKrqEditStringList::Impl::Measure(TDocEncoding encoding,
                                                                     size_t from, size_t to) const {
    TMeasure m;
    if (encoding == TDocEncoding::Windows1250) {
        for (size_t b = from; b < to; ++b)
            for (const TKrqLineText& line : blocks[b]) m.bytes += line.size();
        return m;
    }
    auto measure = [&](std::string_view text) {
        const auto [encoded, unencodable] = EncodedSizeAndUnencodable(text, encoding);
        m.growth += encoded - text.size();
        m.lost += unencodable;
    };
    // Lines as read lie one after another in the loaded bytes, apart only by their breaks (and
    // the NUL some programs pad a break with), which every encoding writes as they are. A run of
    // such lines is measured as one stretch, which costs far less than a line at a time.
    const auto base = reinterpret_cast<uintptr_t>(storage ? storage->data : nullptr);
    const size_t baseSize = storage ? storage->size : 0;
    const char* spanStart = nullptr;
    const char* spanEnd = nullptr;
    for (size_t b = from; b < to; ++b) {
        for (const TKrqLineText& line : blocks[b]) {
            m.bytes += line.size();
            if (line.Pieced()) {
                line.ForEachRun(0, line.size(), measure);
                continue;
            }
            const std::string_view text = line.view();
            const auto at = reinterpret_cast<uintptr_t>(text.data());
            const bool loaded = base != 0 && at >= base && at + text.size() <= base + baseSize;
            if (loaded && spanStart && text.data() >= spanEnd && text.data() - spanEnd <= 3 &&
                std::all_of(spanEnd, text.data(), [](char c) { return c >= 0; })) {
                spanEnd = text.data() + text.size();
                continue;
            }
            if (spanStart)
                measure(std::string_view(spanStart, static_cast<size_t>(spanEnd - spanStart)));
            spanStart = loaded ? text.data() : nullptr;
            spanEnd = loaded ? text.data() + text.size() : nullptr;
            if (!loaded) measure(text);
        }
    }
    if (spanStart) measure(std::string_view(spanStart, static_cast<size_t>(spanEnd - spanStart)));
    return m;
}

TKrqEditStringList::Impl::TMeasure TKrqEditStringList::Impl::Measure(TDocEncoding encoding) const {
    // A large document in another encoding is measured in two halves at once (measuring only
    // reads the lines); a hundred blocks hold about a hundred thousand lines.
    const size_t half = blocks.size() / 2;
    if (encoding == TDocEncoding::Windows1250 || half < 50)
        return Measure(encoding, 0, blocks.size());
    TMeasure second;
    std::thread helper;
    try {
        helper = std::thread([&] { second = Measure(encoding, half, blocks.size()); });
    } catch (const std::system_error&) {
        return Measure(encoding, 0, blocks.size());
    }
    TMeasure first = Measure(encoding, 0, half);
    helper.join();
    first.bytes += second.bytes;
    first.growth += second.growth;
    first.lost += second.lost;
    return first;
}

void TKrqEditStringList::SaveLinesToFile(const std::string& path, TDocEncoding encoding) const {
    // The size is known before the first byte is written, so its space can be reserved.
    const uint64_t breakSize = d->lineBreak == TLineBreak::CRLF ? 2 : 1;
    const bool lastBreak = d->unbrokenSerial != d->serial || encoding == TDocEncoding::Windows1250;
    const Impl::TMeasure measure = d->Measure(encoding);
    if (measure.lost)
        throw EKrqError("Cannot encode " + std::to_string(measure.lost) + " characters of " + path +
                        " as " + EncodingName(encoding));
    uint64_t size = (encoding == TDocEncoding::Utf8Bom ? kUtf8Bom.size() : 0) + measure.bytes +
                    measure.growth + static_cast<uint64_t>(d->Count()) * breakSize;
    if (!lastBreak && !d->blocks.empty()) size -= breakSize;
    TWriteOptions options;
    options.InPlaceFallback = true;
    WriteFileSafely(
        path, size, [&](int fd) { return d->WriteLines(fd, encoding, lastBreak); }, options);
}

}  // namespace krq
