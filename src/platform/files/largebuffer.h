// Memory for the large buffers of whole files: a document read from disk, the line copies of a
// bulk change, a converted file. Each is mapped on its own, aligned to a huge page and marked
// for transparent huge pages: faulting in 4 KB pages one by one costs more than using the
// bytes, several times over on a virtual machine.
#pragma once

#include <cstddef>

namespace krq {

inline constexpr size_t kHugePage = size_t{2} << 20;

// `size` bytes aligned to a huge page, zero-filled by the system as they are first touched;
// nullptr when the system has no memory to map. Allocates nothing else, so a global operator
// new may use it.
void* MapLargeBuffer(size_t size);
// Gives back what MapLargeBuffer returned, with the same size.
void UnmapLargeBuffer(void* buffer, size_t size);

}  // namespace krq
