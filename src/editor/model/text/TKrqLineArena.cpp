// Large chunks on huge pages for the line copies of bulk changes.
#include <cstdint>

#include "editor/model/text/TKrqLineText.h"
#include "platform/files/largebuffer.h"

namespace krq {

namespace {

constexpr size_t kChunk = size_t(8) << 20;

struct alignas(16) TChunkHeader {
    size_t refs;
};

char* NewChunk() {
    auto* chunk = static_cast<char*>(MapLargeBuffer(kChunk));
    if (chunk) new (chunk) TChunkHeader{1};
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
    if (--header->refs == 0) UnmapLargeBuffer(chunk, kChunk);
}

}  // namespace krq
