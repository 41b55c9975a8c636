// Opening and saving a 100 MB Polish document in UTF-8 beside the same text in Windows-1250:
// the decoding and encoding at the file boundary against the plain load and save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"
#include "platform/encoding.h"
#include "platform/files/filewriter.h"

namespace {

constexpr size_t kDocSize = 100u << 20;

// Polish-looking CR LF lines of about seventy bytes, in Windows-1250.
std::string MakeDocument(size_t size) {
    std::vector<std::string> words;
    for (const char* w :
         {"zażółć", "gęślą",  "jaźń", "żółw",   "źdźbło", "łódź",   "pióro", "ćma", "mąka",
          "węgiel", "ślimak", "koń",  "dzień",  "noc",    "Kraków", "Śląsk", "ale", "oraz",
          "który",  "więc",   "też",  "bardzo", "w",      "i",      "na",    "z"})
        words.push_back(krq::cp1250::FromUtf8(w));
    uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&](uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    };
    std::string text;
    text.reserve(size + 128);
    size_t lineStart = 0;
    while (text.size() < size) {
        text += words[next(static_cast<uint32_t>(words.size()))];
        if (text.size() - lineStart > 64 + next(16)) {
            text += "\r\n";
            lineStart = text.size();
        } else {
            text += ' ';
        }
    }
    return text;
}

struct TBenchFiles {
    std::string cp1250Path, utf8Path, outPath;
    TBenchFiles() {
        char dir[] = "/tmp/krq-bench-encoding-XXXXXX";
        std::string base = mkdtemp(dir);
        cp1250Path = base + "/cp1250.txt";
        utf8Path = base + "/utf8.txt";
        outPath = base + "/out.txt";
        std::string text = MakeDocument(kDocSize);
        krq::WriteFileSafely(cp1250Path, text);
        krq::WriteFileSafely(utf8Path, krq::Encode(text, krq::TDocEncoding::Utf8));
        dir_ = base;
    }
    ~TBenchFiles() {
        for (const std::string& p : {cp1250Path, utf8Path, outPath}) ::unlink(p.c_str());
        ::rmdir(dir_.c_str());
    }
    std::string dir_;
};

const TBenchFiles& Files() {
    static const TBenchFiles f;
    return f;
}

// Loading and reading the lines of a first screen, which is what the window does before drawing.
void Open(benchmark::State& state, bool utf8) {
    const TBenchFiles& f = Files();
    size_t sink = 0;
    for (auto _ : state) {
        krq::TKrqEditModel model;
        krq::TDecodeReport report = model.LoadLinesFromFile(utf8 ? f.utf8Path : f.cp1250Path);
        if (report.Encoding != (utf8 ? krq::TDocEncoding::Utf8 : krq::TDocEncoding::Windows1250))
            state.SkipWithError("wrong encoding");
        for (int i = 0; i < 60 && i < model.Lines().Count(); ++i) sink += model.Lines()[i].size();
    }
    benchmark::DoNotOptimize(sink);
}

void Save(benchmark::State& state, bool utf8) {
    const TBenchFiles& f = Files();
    krq::TKrqEditModel model;
    model.LoadLinesFromFile(utf8 ? f.utf8Path : f.cp1250Path);
    for (auto _ : state)
        model.SaveLinesToFile(f.outPath,
                              utf8 ? krq::TDocEncoding::Utf8 : krq::TDocEncoding::Windows1250);
}

// The boundary alone, in memory: detecting and decoding the UTF-8 text, encoding it back.
void BM_DecodeUtf8InMemory(benchmark::State& state) {
    const std::string utf8 = krq::Encode(MakeDocument(kDocSize), krq::TDocEncoding::Utf8);
    std::string bytes;
    for (auto _ : state) {
        state.PauseTiming();
        bytes = utf8;
        state.ResumeTiming();
        if (krq::DecodeFile(bytes).Encoding != krq::TDocEncoding::Utf8)
            state.SkipWithError("wrong encoding");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * utf8.size()));
}

void BM_EncodeUtf8InMemory(benchmark::State& state) {
    const std::string text = MakeDocument(kDocSize);
    std::string out(krq::EncodedSize(text, krq::TDocEncoding::Utf8) + 8, '\0');
    for (auto _ : state) {
        auto [size, lost] = krq::EncodedSizeAndUnencodable(text, krq::TDocEncoding::Utf8);
        benchmark::DoNotOptimize(krq::EncodeTo(text, krq::TDocEncoding::Utf8, out.data()));
        benchmark::DoNotOptimize(size + lost);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_OpenWindows1250(benchmark::State& s) { Open(s, false); }
void BM_OpenUtf8(benchmark::State& s) { Open(s, true); }
void BM_SaveWindows1250(benchmark::State& s) { Save(s, false); }
void BM_SaveUtf8(benchmark::State& s) { Save(s, true); }

BENCHMARK(BM_DecodeUtf8InMemory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EncodeUtf8InMemory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenWindows1250)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenUtf8)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveWindows1250)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveUtf8)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
