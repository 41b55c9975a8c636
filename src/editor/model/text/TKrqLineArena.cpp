// Large chunks on huge pages for the line copies of bulk changes.
#include <sys/mman.h>

#include <cstdint>

#include "editor/model/text/TKrqLineText.h"

namespace krq {

namespace {

constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kChunk = size_t(8) << 20;

struct alignas(16) TChunkHeader {
    size_t refs;
};

// A chunk aligned to a huge page, so the kernel can back it with huge pages.
char* NewChunk() {
    size_t span = kChunk + kHugePage;
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    auto base = reinterpret_cast<uintptr_t>(raw);
    uintptr_t aligned = (base + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > base) ::munmap(raw, aligned - base);
    size_t tail = (base + span) - (aligned + kChunk);
    if (tail) ::munmap(reinterpret_cast<void*>(aligned + kChunk), tail);
    char* chunk = reinterpret_cast<char*>(aligned);
    ::madvise(chunk, kChunk, MADV_HUGEPAGE);
    new (chunk) TChunkHeader{1};
    return chunk;
}

}  // namespace

TKrqLineArena::~TKrqLineArena() {
    Current = previous_;
    if (chunk_) Release(chunk_);
}

void* TKrqLineArena::Take(size_t bytes, uint32_t& offset) {
    bytes = (bytes + 7) & ~size_t(7);
    if (bytes > kChunk / 8) return nullptr;
    if (!chunk_ || used_ + bytes > kChunk) {
        if (chunk_) Release(chunk_);
        chunk_ = NewChunk();
        used_ = sizeof(TChunkHeader);
        if (!chunk_) return nullptr;
    }
    char* p = chunk_ + used_;
    offset = static_cast<uint32_t>(used_);
    used_ += bytes;
    ++reinterpret_cast<TChunkHeader*>(chunk_)->refs;
    return p;
}

void TKrqLineArena::Release(char* chunk) {
    auto* header = reinterpret_cast<TChunkHeader*>(chunk);
    if (--header->refs == 0) ::munmap(chunk, kChunk);
}

}  // namespace krq
