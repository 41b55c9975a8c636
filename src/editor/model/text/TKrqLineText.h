// The bytes of one line: a slice of a loaded file, a shared heap copy, or, for a long line that
// was changed, shared pieces of those; cheap to copy in every form.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/model/text/TKrqLineArena.h"

namespace krq {

// Lines read from a file point into the file's bytes and cost nothing extra; a changed line
// gets its own reference-counted copy, so the undo history can keep the old and the new text
// of a line without copying either. A long line is kept in pieces once changed: an edit then
// copies one piece instead of the whole line, and the undo history keeps the pieces it
// removed, shared with the old text. Single-threaded, like the model that owns it.
class TKrqLineText {
  public:
    // Texts at least this long are built from pieces; shorter ones are one run of bytes.
    static constexpr size_t kLongLine = size_t(64) << 10;
    // Pieces are at most this long, so an edit copies at most about this much.
    static constexpr size_t kPieceMax = size_t(64) << 10;
    // A piece shorter than this is merged with a neighbour when both fit in one piece.
    static constexpr size_t kPieceMin = size_t(16) << 10;
    static constexpr size_t npos = static_cast<size_t>(-1);

    TKrqLineText() = default;
    // A slice of bytes that outlive the line (the loaded buffer).
    static TKrqLineText Slice(const char* data, size_t size) {
        TKrqLineText t;
        t.data_ = size ? data : nullptr;
        t.bits_ = static_cast<uint64_t>(size) << 2 | kSlice;
        return t;
    }
    // A private copy of the bytes.
    static TKrqLineText Copy(std::string_view text) {
        if (text.empty()) return {};
        char* out;
        TKrqLineText t = Uninitialized(text.size(), out);
        std::memcpy(out, text.data(), text.size());
        return t;
    }
    // A private buffer of `size` bytes for the caller to fill before the line is used.
    static TKrqLineText Uninitialized(size_t size, char*& out) {
        if (size == 0) {
            out = nullptr;
            return {};
        }
        TKrqLineText t;
        out = Allocate(size);
        t.data_ = out;
        t.bits_ = static_cast<uint64_t>(size) << 2 | kOwned;
        return t;
    }
    // The parts one after another. A long result shares the bytes of the parts in pieces.
    static TKrqLineText Concat(std::initializer_list<TKrqLineText> parts);

    TKrqLineText(const TKrqLineText& other) : data_(other.data_), bits_(other.bits_) { AddRef(); }
    TKrqLineText(TKrqLineText&& other) noexcept : data_(other.data_), bits_(other.bits_) {
        other.data_ = nullptr;
        other.bits_ = 0;
    }
    TKrqLineText& operator=(const TKrqLineText& other) {
        TKrqLineText copy(other);
        swap(copy);
        return *this;
    }
    TKrqLineText& operator=(TKrqLineText&& other) noexcept {
        TKrqLineText moved(std::move(other));
        swap(moved);
        return *this;
    }
    ~TKrqLineText() { Release(); }

    void swap(TKrqLineText& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(bits_, other.bits_);
    }

    size_t size() const { return static_cast<size_t>(bits_ >> 2); }
    bool empty() const { return bits_ >> 2 == 0; }
    // True when the bytes lie in pieces; view() then makes a contiguous copy.
    bool Pieced() const { return Kind() == kRope; }

    // The bytes as one run. For a text in pieces that is a copy made on first use and kept with
    // the text, so it costs the line's size once; editing code reads pieces instead.
    std::string_view view() const {
        if (Kind() != kRope) return {data_, size()};
        return FlatView();
    }
    operator std::string_view() const { return view(); }
    const char* data() const { return view().data(); }

    // The run of contiguous bytes from `at` (< size()) to the end of the piece holding it.
    std::string_view RunAt(size_t at) const;
    // The run of contiguous bytes that ends at `end` (> 0), from the start of its piece.
    std::string_view RunBefore(size_t end) const;
    // Calls f(std::string_view) for each run of bytes covering [from, to), in order.
    template <class F>
    void ForEachRun(size_t from, size_t to, F&& f) const;
    char At(size_t index) const { return RunAt(index)[0]; }
    // Copies bytes [from, from + count) to `out`.
    void CopyTo(size_t from, size_t count, char* out) const;
    std::string Substr(size_t from, size_t count = npos) const;
    // Bytes [from, from + count), clamped to the text; a long part shares this text's bytes.
    TKrqLineText Sub(size_t from, size_t count = npos) const;
    // This text with bytes [at, at + count) replaced by `insert`.
    TKrqLineText Replaced(size_t at, size_t count, const TKrqLineText& insert) const;

  private:
    enum : uint64_t { kSlice = 0, kOwned = 1, kRope = 2 };
    struct alignas(8) THeader {
        uint32_t refs;
        uint32_t chunkOffset;  // bytes back to the arena chunk holding it; 0 for a heap block
    };
    struct TPiece;
    struct TRope;

    uint64_t Kind() const { return bits_ & 3u; }
    static char* Allocate(size_t size) {
        if (TKrqLineArena::Current) {
            uint32_t offset = 0;
            if (void* raw = TKrqLineArena::Current->Take(sizeof(THeader) + size, offset)) {
                auto* header = new (raw) THeader{1, offset};
                return reinterpret_cast<char*>(header + 1);
            }
        }
        void* raw = ::operator new(sizeof(THeader) + size);
        auto* header = new (raw) THeader{1, 0};
        return reinterpret_cast<char*>(header + 1);
    }
    THeader* Header() const { return reinterpret_cast<THeader*>(const_cast<char*>(data_)) - 1; }
    TRope* Rope() const { return reinterpret_cast<TRope*>(const_cast<char*>(data_)); }
    void AddRef();
    void Release();
    std::string_view FlatView() const;
    // Appends the pieces covering [from, to) to `out`.
    void AppendPieces(size_t from, size_t to, std::vector<TPiece>& out) const;
    static TKrqLineText FromPieces(std::vector<TPiece>&& pieces, size_t size);

    const char* data_ = nullptr;  // the bytes, or the TRope of a text in pieces
    uint64_t bits_ = 0;           // size << 2 | kind
};

// A run of bytes of a contiguous text that keeps them alive.
struct TKrqLineText::TPiece {
    const char* data;
    size_t size;
    TKrqLineText owner;  // a slice or an owned copy, never pieces
};

struct TKrqLineText::TRope {
    uint32_t refs = 1;
    std::vector<TPiece> pieces;
    std::vector<size_t> ends;  // ends[i]: the offset just past piece i
    TKrqLineText flat;         // the contiguous copy, made on first demand
    // The piece holding byte `at`.
    size_t Find(size_t at) const;
};

inline void TKrqLineText::AddRef() {
    if (Kind() == kOwned)
        ++Header()->refs;
    else if (Kind() == kRope)
        ++Rope()->refs;
}

inline void TKrqLineText::Release() {
    if (Kind() == kRope) {
        if (--Rope()->refs == 0) delete Rope();
        return;
    }
    if (Kind() != kOwned || --Header()->refs != 0) return;
    THeader* header = Header();
    if (header->chunkOffset)
        TKrqLineArena::Release(reinterpret_cast<char*>(header) - header->chunkOffset);
    else
        ::operator delete(header);
}

template <class F>
void TKrqLineText::ForEachRun(size_t from, size_t to, F&& f) const {
    to = std::min(to, size());
    if (from >= to) return;
    if (Kind() != kRope) {
        f(std::string_view(data_ + from, to - from));
        return;
    }
    const TRope& rope = *Rope();
    size_t i = rope.Find(from);
    size_t start = i ? rope.ends[i - 1] : 0;
    while (from < to) {
        const TPiece& p = rope.pieces[i];
        size_t off = from - start;
        size_t n = std::min(p.size - off, to - from);
        f(std::string_view(p.data + off, n));
        from += n;
        start = rope.ends[i];
        ++i;
    }
}

}  // namespace krq
