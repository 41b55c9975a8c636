// The private layout of TKrqEditStringList, shared by its structure and its file I/O.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/model/TKrqEditStringList.h"
#include "platform/encoding.h"
#include "platform/files/filereader.h"

namespace krq {

// Bytes of a loaded file. Lines point into them until they are changed.
struct TKrqLoadedBytes {
    TFileBufferData raw;  // a file read from disk, not zero-filled first
    std::string owned;    // bytes handed to LoadFromBytes
    const char* data = nullptr;
    size_t size = 0;
};

// Lines are kept in blocks of about a thousand, so inserting or deleting a line far from the
// last edit moves a few kilobytes, not the whole index of a million-line file.
inline constexpr size_t kKrqLineBlockTarget = 1024;

struct TKrqEditStringList::Impl {
    static constexpr size_t kBlockTarget = kKrqLineBlockTarget;
    static constexpr size_t kBlockMax = 2 * kKrqLineBlockTarget;

    using TBlock = std::vector<TKrqLineText>;
    std::vector<TBlock> blocks;  // never holds an empty block
    // starts[b] is the index of the first line of block b; starts.back() is the line count.
    std::vector<int> starts{0};
    std::shared_ptr<TKrqLoadedBytes> storage;
    TLineBreak lineBreak = TLineBreak::CRLF;
    uint64_t serial = 1;
    // A file in another encoding whose last line had no break: while the lines are as read
    // (serial unchanged), saving leaves the break out too, so the file comes back byte for byte.
    uint64_t unbrokenSerial = 0;
    // The block of the last lookup: most accesses are sequential or near each other.
    mutable size_t cached = 0;

    int Count() const { return starts.back(); }

    size_t FindBlock(int index) const {
        if (cached < blocks.size() && starts[cached] <= index && index < starts[cached + 1])
            return cached;
        if (cached + 1 < blocks.size() && starts[cached + 1] <= index && index < starts[cached + 2])
            return ++cached;
        auto it = std::upper_bound(starts.begin(), starts.end(), index);
        cached = static_cast<size_t>(it - starts.begin()) - 1;
        return cached;
    }
    TKrqLineText& At(int index) {
        size_t b = FindBlock(index);
        return blocks[b][static_cast<size_t>(index - starts[b])];
    }
    const TKrqLineText& At(int index) const {
        size_t b = FindBlock(index);
        return blocks[b][static_cast<size_t>(index - starts[b])];
    }

    void Renumber(size_t from);
    void Erase(int index, int count);
    void InsertRange(int index, const TKrqLineText* texts, int n);
    void SplitIfLarge(size_t b);
    // Replaces all lines by blocks built from `bytes`.
    void Adopt(std::vector<TBlock>&& newBlocks, std::shared_ptr<TKrqLoadedBytes> bytes);
    // What writing the lines in `encoding` takes, breaks and mark apart: their Windows-1250
    // bytes, what the encoding adds to them, and the bytes it cannot hold. The second form
    // measures blocks [from, to).
    struct TMeasure {
        uint64_t bytes = 0;
        uint64_t growth = 0;
        size_t lost = 0;
    };
    TMeasure Measure(TDocEncoding encoding) const;
    TMeasure Measure(TDocEncoding encoding, size_t from, size_t to) const;
    // Writes every line followed by the convention's break; false on a write error.
    bool WriteLines(int fd, TDocEncoding encoding, bool lastBreak) const;
};

// Cuts loaded bytes into lines and chooses the line-break convention they used.
std::vector<std::vector<TKrqLineText>> KrqCutLines(const char* data, size_t size,
                                                   TLineBreak& lineBreak);

}  // namespace krq
