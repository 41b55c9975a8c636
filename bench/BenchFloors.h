// The floors every speed figure is a multiple of: reading a file with a memchr line count, and
// one memcpy of a document's bytes into memory not touched before.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>

namespace krq::bench {

// Reads the whole file into fresh memory and counts its lines: no editor can open it faster.
inline size_t ReadAndCountLines(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    const off_t size = lseek(fd, 0, SEEK_END);
    lseek(fd, 0, SEEK_SET);
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size)]);
    size_t got = 0;
    while (got < static_cast<size_t>(size)) {
        const ssize_t k = read(fd, buffer.get() + got, static_cast<size_t>(size) - got);
        if (k <= 0) break;
        got += static_cast<size_t>(k);
    }
    close(fd);
    size_t lines = 0;
    const char* p = buffer.get();
    const char* end = p + got;
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))))) {
        ++lines;
        ++p;
    }
    return lines;
}

inline void FloorReadMemchr(benchmark::State& state, const std::string& path) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadAndCountLines(path));
}

// One copy of `size` bytes into memory not touched before, as any copy of a document must be.
inline void FloorMemcpyFresh(benchmark::State& state, size_t size) {
    const std::string source(size, 'a');
    for (auto _ : state) {
        std::unique_ptr<char[]> target(new char[source.size()]);
        std::memcpy(target.get(), source.data(), source.size());
        benchmark::DoNotOptimize(target.get());
    }
}

}  // namespace krq::bench
