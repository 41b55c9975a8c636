// krq-convert's global new and delete: huge pages for the large buffers of whole files.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "platform/files/largebuffer.h"

// Large blocks (a whole file and its conversion) are large buffers on huge pages: the faults
// of 25 000 small pages per 100 MB cost more than the conversion itself. The few mapped blocks
// are remembered so that delete can tell them from malloc's; the program has a single thread.
namespace {

constexpr size_t kLargeBlock = size_t{8} << 20;

struct MappedBlock {
    void* address;
    size_t length;
};
MappedBlock g_mapped[16];
int g_mappedCount = 0;

void* Allocate(size_t size) {
    if (size >= kLargeBlock) {
        for (MappedBlock& slot : g_mapped) {
            if (slot.address) continue;
            void* block = krq::MapLargeBuffer(size);
            if (!block) break;
            slot = {block, size};
            ++g_mappedCount;
            return block;
        }
    }
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void Release(void* pointer) noexcept {
    if (g_mappedCount > 0) {
        for (MappedBlock& slot : g_mapped) {
            if (slot.address != pointer || !pointer) continue;
            krq::UnmapLargeBuffer(slot.address, slot.length);
            slot = {nullptr, 0};
            --g_mappedCount;
            return;
        }
    }
    std::free(pointer);
}

}  // namespace

// Not inlined, so that a memory checker can put its own in their place.
[[gnu::noinline]] void* operator new(size_t size) { return Allocate(size); }
[[gnu::noinline]] void* operator new[](size_t size) { return Allocate(size); }
[[gnu::noinline]] void operator delete(void* pointer) noexcept { Release(pointer); }
[[gnu::noinline]] void operator delete[](void* pointer) noexcept { Release(pointer); }
[[gnu::noinline]] void operator delete(void* pointer, size_t) noexcept { Release(pointer); }
[[gnu::noinline]] void operator delete[](void* pointer, size_t) noexcept { Release(pointer); }
