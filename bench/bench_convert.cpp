// Throughput of the text conversions on 100 MB of Polish text, beside iconv(3) and memcpy.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <malloc.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "convert/unBase.h"
#include "platform/cp1250.h"

namespace {

constexpr size_t kTextSize = 100u << 20;
constexpr size_t kHtmlSize = 50u << 20;

// A fixed linear congruential generator, so every run converts the same bytes.
struct Random {
    uint64_t state = 0x2545F4914F6CDD1Dull;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

std::vector<std::string> PolishWords() {
    const char* words[] = {"zażółć",   "gęślą",   "jaźń",   "żółw",   "źdźbło",  "łódź",   "pióro",
                           "ćma",      "mąka",    "węgiel", "ślimak", "koń",     "dzień",  "noc",
                           "Kraków",   "Łódź",    "Śląsk",  "Żywiec", "Ćmielów", "Gdańsk", "ale",
                           "oraz",     "który",   "więc",   "też",    "bardzo",  "szybko", "dom",
                           "w",        "i",       "na",     "z",      "do",      "że",     "się",
                           "ponieważ", "również", "około",  "między", "przez"};
    std::vector<std::string> out;
    for (const char* w : words) out.push_back(krq::cp1250::FromUtf8(w));
    return out;
}

// Sentences of Polish words with capitals, punctuation, digits, some double spaces and empty
// lines, in CR LF lines of about seventy bytes. Only bytes that ISO-8859-2 also has.
const std::string& PolishText() {
    static const std::string text = [] {
        std::vector<std::string> words = PolishWords();
        Random random;
        std::string t;
        t.reserve(kTextSize + 256);
        bool sentenceStart = true;
        size_t lineStart = 0;
        while (t.size() < kTextSize) {
            std::string word = words[random.Next(static_cast<uint32_t>(words.size()))];
            if (sentenceStart || random.Next(12) == 0)
                word[0] = static_cast<char>(krq::cp1250::ToUpper(word[0]));
            if (random.Next(15) == 0) word = std::to_string(random.Next(10000));
            t += word;
            sentenceStart = false;
            uint32_t r = random.Next(40);
            if (r < 3) {
                t += '.';
                sentenceStart = true;
            } else if (r < 6) {
                t += ',';
            } else if (r == 6) {
                t += random.Next(2) ? '!' : '?';
                sentenceStart = true;
            }
            if (t.size() - lineStart > 70) {
                t += "\r\n";
                if (random.Next(10) == 0) t += "\r\n";
                lineStart = t.size();
            } else {
                t += random.Next(25) == 0 ? "  " : " ";
            }
        }
        t.resize(kTextSize);
        return t;
    }();
    return text;
}

// Paragraphs with nested tags, attributes and entities.
const std::string& HtmlText() {
    static const std::string text = [] {
        const std::string& polish = PolishText();
        const char* tags[] = {"<p>",
                              "</p>",
                              "<b>",
                              "</b>",
                              "<a href=\"index.htm#x\">",
                              "</a>",
                              "<br>",
                              "<span class=\"k\">",
                              "</span>"};
        const char* entities[] = {"&amp;",    "&lt;",    "&gt;",   "&quot;", "&#243;",
                                  "&eacute;", "&#8482;", "&nbsp;", "&AMP;"};
        Random random;
        std::string t;
        t.reserve(kHtmlSize + 256);
        size_t from = 0;
        while (t.size() < kHtmlSize) {
            size_t length = 5 + random.Next(40);
            t.append(polish, from, length);
            from = (from + length) % (polish.size() - 64);
            t += random.Next(3) ? tags[random.Next(std::size(tags))]
                                : entities[random.Next(std::size(entities))];
        }
        t.resize(kHtmlSize);
        return t;
    }();
    return text;
}

// A fresh 100 MB result is new memory, and on a virtual machine its page faults cost more than
// the conversion itself. With range "warm" the allocator keeps freed memory (no mmap, no trim),
// so the figure shows the conversion; "cold" includes the faults, as a one-off run sees them.
class AllocatorMode {
  public:
    explicit AllocatorMode(bool warm) : warm_(warm) {
        if (!warm_) return;
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    ~AllocatorMode() {
        if (!warm_) return;
        mallopt(M_MMAP_MAX, 65536);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
        malloc_trim(0);
    }

  private:
    bool warm_;
};

void RunConversion(benchmark::State& state, krq::TConvertFunction function,
                   const std::string& input, const char* name, bool warm) {
    AllocatorMode mode(warm);
    if (warm) benchmark::DoNotOptimize(function(input).data());
    state.SetLabel(std::string(name) + (warm ? " warm" : " cold"));
    for (auto _ : state) {
        std::string out = function(input);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

// Arguments: conversion code, warm (1) or cold (0).
void BM_Conversion(benchmark::State& state) {
    const krq::TConversion* c = krq::FindConversion(static_cast<int>(state.range(0)));
    RunConversion(state, c->Function, PolishText(), c->Name, state.range(1) != 0);
}

void BM_HtmlDelHTML(benchmark::State& state) {
    RunConversion(state, krq::fncDelHTML, HtmlText(), "fncDelHTML", state.range(0) != 0);
}

void BM_HtmlEtoT(benchmark::State& state) {
    RunConversion(state, krq::fncEtoT, HtmlText(), "fncEtoT", state.range(0) != 0);
}

std::string IconvToIso(const std::string& input) {
    static iconv_t cd = iconv_open("ISO-8859-2", "CP1250");
    std::string out(input.size(), '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* o = out.data();
    size_t outLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) return {};
    return out;
}

std::string CopyOf(const std::string& input) {
    std::string out(input.size(), '\0');
    std::memcpy(out.data(), input.data(), input.size());
    return out;
}

void BM_Iconv(benchmark::State& state) {
    if (IconvToIso(PolishText()).empty()) {
        state.SkipWithError("iconv cannot convert the text");
        return;
    }
    RunConversion(
        state, [](std::string_view) { return IconvToIso(PolishText()); }, PolishText(),
        "iconv CP1250 to ISO-8859-2", state.range(0) != 0);
}

void BM_Memcpy(benchmark::State& state) {
    RunConversion(
        state, [](std::string_view) { return CopyOf(PolishText()); }, PolishText(), "memcpy",
        state.range(0) != 0);
}

void WarmArgs(benchmark::internal::Benchmark* b) {
    for (int code = 1; code <= krq::kConversionCount; ++code) b->Args({code, 1});
}

void ColdArgs(benchmark::internal::Benchmark* b) {
    for (int code = 1; code <= krq::kConversionCount; ++code) b->Args({code, 0});
}

}  // namespace

BENCHMARK(BM_Memcpy)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Iconv)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Conversion)->Apply(WarmArgs)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Conversion)->Apply(ColdArgs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_HtmlDelHTML)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_HtmlEtoT)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
