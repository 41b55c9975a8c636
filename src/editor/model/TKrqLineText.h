// The bytes of one line: a slice of a loaded file or a shared heap copy, cheap to copy.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "editor/model/TKrqLineArena.h"

namespace krq {

// Lines read from a file point into the file's bytes and cost nothing extra; a changed line
// gets its own reference-counted copy, so the undo history can keep the old and the new text
// of a line without copying either. Single-threaded, like the model that owns it.
class TKrqLineText {
  public:
    TKrqLineText() = default;
    // A slice of bytes that outlive the line (the loaded buffer).
    static TKrqLineText Slice(const char* data, size_t size) {
        TKrqLineText t;
        t.data_ = size ? data : nullptr;
        t.bits_ = static_cast<uint64_t>(size) << 1;
        return t;
    }
    // A private copy of the bytes.
    static TKrqLineText Copy(std::string_view text) {
        if (text.empty()) return {};
        TKrqLineText t;
        char* block = Allocate(text.size());
        std::memcpy(block, text.data(), text.size());
        t.data_ = block;
        t.bits_ = (static_cast<uint64_t>(text.size()) << 1) | 1u;
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
        t.bits_ = (static_cast<uint64_t>(size) << 1) | 1u;
        return t;
    }

    TKrqLineText(const TKrqLineText& other) : data_(other.data_), bits_(other.bits_) {
        if (Owned()) ++Header()->refs;
    }
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

    const char* data() const { return data_; }
    size_t size() const { return static_cast<size_t>(bits_ >> 1); }
    bool empty() const { return bits_ >> 1 == 0; }
    std::string_view view() const { return {data_, size()}; }
    operator std::string_view() const { return view(); }
    // True when the bytes are a heap copy rather than a slice of loaded bytes.
    bool Owned() const { return bits_ & 1u; }

  private:
    struct alignas(8) THeader {
        uint32_t refs;
        uint32_t chunkOffset;  // bytes back to the arena chunk holding it; 0 for a heap block
    };
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
    void Release() {
        if (!Owned() || --Header()->refs != 0) return;
        THeader* header = Header();
        if (header->chunkOffset)
            TKrqLineArena::Release(reinterpret_cast<char*>(header) - header->chunkOffset);
        else
            ::operator delete(header);
    }

    const char* data_ = nullptr;
    uint64_t bits_ = 0;  // size << 1 | owned
};

}  // namespace krq
