// Huge-page buffers.
#include "platform/files/largebuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace krq {

namespace {

// The mapping's length: munmap works in whole pages.
size_t Mapped(size_t size) {
    static const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    return (size + page - 1) / page * page;
}

}  // namespace

void* MapLargeBuffer(size_t size) {
    const size_t length = Mapped(size);
    // Mapped with a huge page to spare, then trimmed to an aligned start.
    const size_t span = length + kHugePage;
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto base = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (base + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > base) ::munmap(raw, aligned - base);
    const size_t tail = (base + span) - (aligned + length);
    if (tail) ::munmap(reinterpret_cast<void*>(aligned + length), tail);
    void* buffer = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the buffer works as any other.
    ::madvise(buffer, length, MADV_HUGEPAGE);
    return buffer;
}

void UnmapLargeBuffer(void* buffer, size_t size) {
    if (buffer) ::munmap(buffer, Mapped(size));
}

}  // namespace krq
