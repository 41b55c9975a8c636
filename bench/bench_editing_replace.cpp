// "Zamień wszystko" as the replace dialog runs it: a million hits in a 100 MB document, one
// undo step, that step undone and redone, beside the floors of the same run: reading the same
// bytes from a file and counting their lines with memchr, and one memcpy of them.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "BenchFloors.h"
#include "editing/unFindReplace.h"

namespace {

constexpr size_t kDocSize = 100u << 20;
constexpr int kHits = 1'000'000;

// CR LF lines of about seventy bytes; the first million lines hold one "kwerdel" each.
const std::string& Document() {
    static const std::string doc = [] {
        const std::string filler = "zażółć gęślą jaźń łódź pióro mąka węgiel ślimak ";
        std::string text;
        text.reserve(kDocSize + 256);
        for (int line = 0; text.size() < kDocSize; ++line) {
            size_t at = static_cast<size_t>(line * 7 % 40);
            text.append(filler, 0, at);
            if (line < kHits) text += "kwerdel ";
            text.append(filler, at, std::string::npos);
            text += "koniec\r\n";
        }
        return text;
    }();
    return doc;
}

// The document as a file, for the read floor; removed when the process ends.
struct TDocFile {
    std::string path;
    TDocFile() {
        const char* dir = std::getenv("TMPDIR");
        path = std::string(dir && *dir ? dir : "/tmp") + "/krq-bench-replace-" +
               std::to_string(getpid()) + ".txt";
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) std::abort();
        std::fwrite(Document().data(), 1, Document().size(), f);
        std::fclose(f);
    }
    ~TDocFile() { std::remove(path.c_str()); }
};

const std::string& DocPath() {
    static TDocFile file;
    return file.path;
}

// The floor: read the file into fresh memory and count its lines with memchr.
void BM_FloorReadAndCountLines(benchmark::State& state) {
    krq::bench::FloorReadMemchr(state, DocPath());
}

// One memcpy of the document into fresh memory, and into memory already touched.
void BM_FloorMemcpyFresh(benchmark::State& state) {
    const std::string& doc = Document();
    for (auto _ : state) {
        std::unique_ptr<char[]> copy(new char[doc.size()]);
        std::memcpy(copy.get(), doc.data(), doc.size());
        benchmark::DoNotOptimize(copy.get());
    }
}

void BM_FloorMemcpyWarm(benchmark::State& state) {
    const std::string& doc = Document();
    std::unique_ptr<char[]> copy(new char[doc.size()]);
    std::memset(copy.get(), 0, doc.size());
    for (auto _ : state) {
        std::memcpy(copy.get(), doc.data(), doc.size());
        benchmark::DoNotOptimize(copy.get());
    }
}

krq::TFindChoices Choices() {
    krq::TFindChoices c;
    c.FindText = "kwerdel";
    c.ReplaceText = "zamiennik";
    c.MatchCase = false;
    return c;
}

void BM_DialogReplaceAll(benchmark::State& state) {
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<krq::TKrqEditModel>();
        m->Lines().LoadFromBytes(Document());
        m->SetCaretXY({1, 1});
        state.ResumeTiming();
        count = krq::ReplaceAll(*m, Choices());
        state.PauseTiming();
        if (count != kHits) state.SkipWithError("wrong count");
        m.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = count;
}

void BM_DialogReplaceAllUndo(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<krq::TKrqEditModel>();
        m->Lines().LoadFromBytes(Document());
        m->SetCaretXY({1, 1});
        krq::ReplaceAll(*m, Choices());
        state.ResumeTiming();
        m->Undo();
        state.PauseTiming();
        if (m->CanUndo()) state.SkipWithError("more than one step");
        m.reset();
        state.ResumeTiming();
    }
}

void BM_DialogReplaceAllRedo(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<krq::TKrqEditModel>();
        m->Lines().LoadFromBytes(Document());
        m->SetCaretXY({1, 1});
        krq::ReplaceAll(*m, Choices());
        m->Undo();
        state.ResumeTiming();
        m->Redo();
        state.PauseTiming();
        if (m->CanRedo() || !m->CanUndo()) state.SkipWithError("more than one step");
        m.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_FloorReadAndCountLines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FloorMemcpyFresh)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FloorMemcpyWarm)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DialogReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DialogReplaceAllUndo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DialogReplaceAllRedo)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
