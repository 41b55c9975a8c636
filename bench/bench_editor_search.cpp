// Speed of FindAndReplace on a 100 MB document: a million-hit replace-all, its undo and redo,
// and a find whose only hit is on the last line, beside a memmem scan of the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace {

constexpr size_t kDocSize = 100u << 20;
constexpr int kHits = 1'000'000;
const char* const kHitWord = "kwerdel";
const char* const kLastWord = "znalezisko";

struct Random {
    uint64_t state = 0x2545F4914F6CDD1Dull;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

// Windows-1250 CR LF lines of about seventy bytes; the hit word stands in the first million
// lines of every seven lines but two, and the last line alone holds kLastWord.
const std::string& Document() {
    static const std::string doc = [] {
        std::vector<std::string> words;
        for (const char* w :
             {"zażółć", "gęślą",  "jaźń", "żółw",   "źdźbło", "łódź",   "pióro", "mąka",
              "węgiel", "ślimak", "koń",  "dzień",  "noc",    "Kraków", "ale",   "oraz",
              "który",  "więc",   "też",  "bardzo", "w",      "i",      "na"})
            words.push_back(krq::cp1250::FromUtf8(w));
        Random random;
        std::string text;
        text.reserve(kDocSize + 256);
        int hits = 0;
        for (int line = 0; text.size() < kDocSize; ++line) {
            size_t start = text.size();
            size_t target = 60 + random.Next(20);
            bool hit = hits < kHits && line % 7 < 5;
            size_t hitAt = hit ? random.Next(static_cast<uint32_t>(target)) : SIZE_MAX;
            while (text.size() - start < target) {
                if (text.size() - start >= hitAt) {
                    text += kHitWord;
                    hitAt = SIZE_MAX;
                    ++hits;
                } else {
                    text += words[random.Next(static_cast<uint32_t>(words.size()))];
                }
                text += ' ';
            }
            if (hitAt != SIZE_MAX) {
                text += kHitWord;
                ++hits;
            }
            text += "\r\n";
        }
        text += std::string("koniec ") + kLastWord + "\r\n";
        return text;
    }();
    return doc;
}

void Load(krq::TKrqEditModel& m) {
    m.Lines().LoadFromBytes(Document());
    m.SetCaretXY({1, 1});
}

constexpr krq::TKrqSearchOptions kReplaceAll =
    krq::ssoReplaceAll | krq::ssoEntireScope | krq::ssoMatchCase;

void BM_ReplaceAll(benchmark::State& state) {
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<krq::TKrqEditModel>();
        Load(*m);
        state.ResumeTiming();
        count = m->FindAndReplace(kHitWord, "zamiennik", kReplaceAll);
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = count;
    state.counters["lines"] =
        static_cast<double>(std::count(Document().begin(), Document().end(), '\n'));
}

void BM_UndoReplaceAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<krq::TKrqEditModel>();
        Load(*m);
        m->FindAndReplace(kHitWord, "zamiennik", kReplaceAll);
        state.ResumeTiming();
        m->Undo();
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
}

void BM_RedoReplaceAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<krq::TKrqEditModel>();
        Load(*m);
        m->FindAndReplace(kHitWord, "zamiennik", kReplaceAll);
        m->Undo();
        state.ResumeTiming();
        m->Redo();
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
}

// Arg 1: match case; arg 0: through the lower-case table.
void BM_FindAtEnd(benchmark::State& state) {
    krq::TKrqEditModel m;
    Load(m);
    bool matchCase = state.range(0) != 0;
    std::string word = matchCase ? kLastWord : "ZnaLezisko";
    for (auto _ : state) {
        m.SetCaretXY({1, 1});
        int n =
            m.FindAndReplace(word, "", matchCase ? krq::TKrqSearchOptions{krq::ssoMatchCase} : 0u);
        if (n != 1) state.SkipWithError("not found");
    }
}

// The floor: one memmem pass over the document's bytes for the same word.
void BM_MemmemFloor(benchmark::State& state) {
    const std::string& doc = Document();
    for (auto _ : state) {
        const void* hit = memmem(doc.data(), doc.size(), kLastWord, std::strlen(kLastWord));
        benchmark::DoNotOptimize(hit);
    }
}

BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RedoReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FindAtEnd)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MemmemFloor)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
