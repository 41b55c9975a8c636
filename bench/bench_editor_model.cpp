// Speed of the text model on a 100 MB document: load, save, edits far apart, undo, selection,
// a million-hit replace-all, and a 20 MB line, beside the floor of reading and counting lines.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchFloors.h"
#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kDocSize = 100u << 20;
constexpr size_t kLineSize = 20u << 20;

struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

// The word the replace-all benchmark replaces; about one word in twenty.
const std::string& HitWord() {
    static const std::string word = krq::cp1250::FromUtf8("się");
    return word;
}

// Polish-looking CR LF lines of about seventy bytes.
std::string MakeDocument(size_t size) {
    std::vector<std::string> words;
    for (const char* w :
         {"zażółć", "gęślą",    "jaźń",    "żółw",   "źdźbło", "łódź",   "pióro", "ćma", "mąka",
          "węgiel", "ślimak",   "koń",     "dzień",  "noc",    "Kraków", "Śląsk", "ale", "oraz",
          "który",  "więc",     "też",     "bardzo", "w",      "i",      "na",    "z",   "do",
          "że",     "ponieważ", "również", "około",  "między", "przez"})
        words.push_back(krq::cp1250::FromUtf8(w));
    Random random;
    std::string text;
    text.reserve(size + 128);
    size_t lineStart = 0;
    while (text.size() < size) {
        text += random.Next(20) == 0 ? HitWord() : words[random.Next(words.size())];
        if (text.size() - lineStart > 64 + random.Next(16)) {
            text += random.Next(8) == 0 ? ".\r\n" : "\r\n";
            lineStart = text.size();
        } else {
            text += random.Next(10) == 0 ? ", " : " ";
        }
    }
    text += "\r\n";
    return text;
}

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/krq-bench-" + std::to_string(getpid()) +
           "-" + name;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The benchmark's files, written once and removed when the process ends.
struct TFiles {
    std::string doc = TempPath("doc.txt");
    std::string line = TempPath("line.txt");
    std::string out = TempPath("out.txt");
    size_t docSize = 0;
    TFiles() {
        std::string text = MakeDocument(kDocSize);
        docSize = text.size();
        WriteWhole(doc, text);
        std::string single;
        Random random;
        single.reserve(kLineSize);
        while (single.size() < kLineSize) single += static_cast<char>('a' + random.Next(26));
        WriteWhole(line, single);
    }
    ~TFiles() {
        std::remove(doc.c_str());
        std::remove(line.c_str());
        std::remove(out.c_str());
    }
};

TFiles& Files() {
    static TFiles files;
    return files;
}

size_t ResidentBytes() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    unsigned long total = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%lu %lu", &total, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// The floor: read the file into memory and count its lines with memchr.
void BM_FloorReadAndCountLines(benchmark::State& state) {
    krq::bench::FloorReadMemchr(state, Files().doc);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Files().docSize));
}

void BM_LoadLinesFromFile(benchmark::State& state) {
    double ratio = 0;
    for (auto _ : state) {
        malloc_trim(0);
        size_t before = ResidentBytes();
        auto model = std::make_unique<krq::TKrqEditModel>();
        model->LoadLinesFromFile(Files().doc);
        ratio =
            static_cast<double>(ResidentBytes() - before) / static_cast<double>(Files().docSize);
        state.PauseTiming();
        state.counters["lines"] = model->Lines().Count();
        model.reset();
        state.ResumeTiming();
    }
    state.counters["rss_per_file_byte"] = ratio;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Files().docSize));
}

// A loaded model shared by the edit benchmarks.
krq::TKrqEditModel& Loaded() {
    static krq::TKrqEditModel* model = [] {
        auto* m = new krq::TKrqEditModel;
        m->LoadLinesFromFile(Files().doc);
        return m;
    }();
    return *model;
}

// Edits alternate between the start and the end of the text, each far from the last.
int FarLine(int64_t i) {
    int count = Loaded().Lines().Count();
    return i % 2 ? count - 10 - static_cast<int>(i % 1000) : 10 + static_cast<int>(i % 1000);
}

void BM_TypeCharFar(benchmark::State& state) {
    krq::TKrqEditModel& m = Loaded();
    int64_t i = 0;
    for (auto _ : state) m.InsertText({5, FarLine(i++)}, "x");
}

void BM_LineBreakFar(benchmark::State& state) {
    krq::TKrqEditModel& m = Loaded();
    int64_t i = 0;
    for (auto _ : state) m.InsertText({5, FarLine(i++)}, "\r\n");
}

void BM_UndoFar(benchmark::State& state) {
    krq::TKrqEditModel& m = Loaded();
    int64_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        m.InsertText({5, FarLine(i++)}, "\r\n");
        m.InsertText({5, FarLine(i++)}, "y");
        m.Undo();  // undoes the edit near the previous one
        state.ResumeTiming();
        m.Undo();  // far from it
    }
}

void BM_SelectAllAndSelectedText(benchmark::State& state) {
    krq::TKrqEditModel& m = Loaded();
    for (auto _ : state) {
        m.SelectAll();
        std::string text = m.SelectedText();
        benchmark::DoNotOptimize(text.data());
    }
    m.SetCaretXY({1, 1});
}

void BM_SaveLinesToFile(benchmark::State& state) {
    krq::TKrqEditModel& m = Loaded();
    for (auto _ : state) m.SaveLinesToFile(Files().out);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Files().docSize));
}

// The save floor: one fwrite of the same bytes.
void BM_FloorFwrite(benchmark::State& state) {
    std::string bytes = Loaded().LinesText();
    for (auto _ : state) {
        FILE* f = std::fopen(Files().out.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// Replace-all as the search layer does it: every changed line through SetLineText in one
// undo block. Reports the hits and the time of the undo and the redo of that block.
void BM_ReplaceAllMillionHits(benchmark::State& state) {
    krq::TKrqEditModel m;
    m.LoadLinesFromFile(Files().doc);
    const std::string& word = HitWord();
    const std::string replacement = "sie";
    int64_t hits = 0, changedLines = 0;
    double undoSeconds = 0, redoSeconds = 0;
    for (auto _ : state) {
        hits = changedLines = 0;
        std::string line;
        m.BeginUndoBlock();
        int count = m.Lines().Count();
        for (int i = 0; i < count; ++i) {
            std::string_view text = m.Lines()[i];
            size_t at = text.find(word);
            if (at == std::string_view::npos) continue;
            line.clear();
            size_t from = 0;
            for (; at != std::string_view::npos; at = text.find(word, from)) {
                line.append(text.substr(from, at - from)).append(replacement);
                from = at + word.size();
                ++hits;
            }
            line.append(text.substr(from));
            m.SetLineText(i + 1, line);
            ++changedLines;
        }
        m.EndUndoBlock();
        state.PauseTiming();
        auto t0 = Clock::now();
        m.Undo();
        auto t1 = Clock::now();
        m.Redo();
        auto t2 = Clock::now();
        undoSeconds = std::chrono::duration<double>(t1 - t0).count();
        redoSeconds = std::chrono::duration<double>(t2 - t1).count();
        m.Undo();
        state.ResumeTiming();
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["changed_lines"] = static_cast<double>(changedLines);
    state.counters["undo_ms"] = undoSeconds * 1000;
    state.counters["redo_ms"] = redoSeconds * 1000;
}

// The same search and line building without changing the text: the part of the replace-all
// that is not the model's.
void BM_ReplaceAllSearchOnly(benchmark::State& state) {
    krq::TKrqEditModel& m = Loaded();
    const std::string& word = HitWord();
    for (auto _ : state) {
        std::string line;
        int count = m.Lines().Count();
        size_t total = 0;
        for (int i = 0; i < count; ++i) {
            std::string_view text = m.Lines()[i];
            size_t at = text.find(word);
            if (at == std::string_view::npos) continue;
            line.clear();
            size_t from = 0;
            for (; at != std::string_view::npos; at = text.find(word, from)) {
                line.append(text.substr(from, at - from)).append("sie");
                from = at + word.size();
            }
            line.append(text.substr(from));
            total += line.size();
        }
        benchmark::DoNotOptimize(total);
    }
}

void BM_LongLineLoad(benchmark::State& state) {
    for (auto _ : state) {
        krq::TKrqEditModel m;
        m.LoadLinesFromFile(Files().line);
        benchmark::DoNotOptimize(m.Lines().Count());
    }
}

void BM_LongLineInsertChar(benchmark::State& state) {
    krq::TKrqEditModel m;
    m.LoadLinesFromFile(Files().line);
    int middle = static_cast<int>(kLineSize / 2);
    for (auto _ : state) {
        m.InsertText({middle, 1}, "x");
        state.PauseTiming();
        m.Undo();
        state.ResumeTiming();
    }
}

void BM_LongLineUndoChar(benchmark::State& state) {
    krq::TKrqEditModel m;
    m.LoadLinesFromFile(Files().line);
    int middle = static_cast<int>(kLineSize / 2);
    for (auto _ : state) {
        state.PauseTiming();
        m.InsertText({middle, 1}, "x");
        state.ResumeTiming();
        m.Undo();
    }
}

}  // namespace

BENCHMARK(BM_LoadLinesFromFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FloorReadAndCountLines)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeCharFar)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_LineBreakFar)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_UndoFar)->Unit(benchmark::kMicrosecond)->Iterations(500);
BENCHMARK(BM_SelectAllAndSelectedText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveLinesToFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FloorFwrite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReplaceAllMillionHits)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReplaceAllSearchOnly)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LongLineLoad)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LongLineInsertChar)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_LongLineUndoChar)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
