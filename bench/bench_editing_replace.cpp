// "Zamień wszystko" as the replace dialog runs it: a million hits in a 100 MB document, one
// undo step, and that step undone.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

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

BENCHMARK(BM_DialogReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DialogReplaceAllUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
