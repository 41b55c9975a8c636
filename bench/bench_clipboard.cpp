// The whole 100 MB document through the clipboard, driven by Ctrl+A and Ctrl+C on the widget
// (offscreen platform), beside the floors of the same run: reading the file with a memchr line
// count, and a memcpy of its bytes into fresh memory. Also what another program's paste costs
// (the UTF-8 text asked of the clipboard) and the memory the copy keeps alive.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchFloors.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"

namespace {

constexpr size_t kBigSize = 100u << 20;

std::string g_dir;
std::string g_bigPath;

struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uint32_t next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

// Polish words in CR LF lines of about seventy bytes: 100 MB give about 1.44 million lines.
std::string MakeText(size_t size) {
    const char* utf8[] = {"zażółć", "gęślą",  "jaźń",  "żółw", "łódź", "pióro", "ćma",
                          "mąka",   "Kraków", "Śląsk", "ale",  "oraz", "który", "więc",
                          "bardzo", "dom",    "w",     "i",    "na",   "się",   "przez"};
    std::vector<std::string> words;
    for (const char* w : utf8) words.push_back(krq::cp1250::FromUtf8(w));
    Random random;
    std::string t;
    t.reserve(size + 128);
    size_t lineStart = 0;
    while (t.size() < size) {
        t += words[random.next(static_cast<uint32_t>(words.size()))];
        if (t.size() - lineStart > 60 + random.next(12)) {
            t += "\r\n";
            lineStart = t.size();
        } else {
            t += ' ';
        }
    }
    return t + "\r\n";
}

long RssKb() {
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 20, '\n');
    }
    return 0;
}

void Key(krq::TKrqEdit& edit, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&edit, &press);
}

std::unique_ptr<krq::TKrqEdit> g_edit;

krq::TKrqEdit& Loaded() {
    if (!g_edit) {
        g_edit = std::make_unique<krq::TKrqEdit>();
        g_edit->resize(1000, 700);
        g_edit->Model().LoadLinesFromFile(g_bigPath);
    }
    return *g_edit;
}

// --- The floors ---------------------------------------------------------------------------

void BM_Floor_ReadMemchr(benchmark::State& state) { krq::bench::FloorReadMemchr(state, g_bigPath); }

// One copy of the document's bytes into memory not touched before, as any copy must be made.
void BM_Floor_MemcpyFresh(benchmark::State& state) {
    krq::bench::FloorMemcpyFresh(state, kBigSize);
}

// --- The copy -------------------------------------------------------------------------------

void BM_SelectAllCopy100MB(benchmark::State& state) {
    krq::TKrqEdit& edit = Loaded();
    QClipboard* clip = QApplication::clipboard();
    long before = 0, after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clip->clear();
        edit.Model().SetCaretXY({1, 1});
        before = RssKb();
        state.ResumeTiming();
        Key(edit, Qt::Key_A, Qt::ControlModifier);
        Key(edit, Qt::Key_C, Qt::ControlModifier);
        state.PauseTiming();
        after = RssKb();
        state.ResumeTiming();
    }
    // The memory the copy keeps alive, as a multiple of the document's size.
    state.counters["kept_x"] =
        static_cast<double>(after - before) * 1024.0 / static_cast<double>(kBigSize);
}

// Another program pasting: the UTF-8 text that Qt hands to it, made from what the copy left.
void BM_PasteElsewhere_Utf8Of100MB(benchmark::State& state) {
    krq::TKrqEdit& edit = Loaded();
    Key(edit, Qt::Key_A, Qt::ControlModifier);
    Key(edit, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    for (auto _ : state) {
        QByteArray utf8 = data->data(QStringLiteral("text/plain"));
        benchmark::DoNotOptimize(utf8.constData());
        state.counters["MB"] = static_cast<double>(utf8.size()) / (1 << 20);
    }
}

}  // namespace

BENCHMARK(BM_Floor_ReadMemchr)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Floor_MemcpyFresh)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectAllCopy100MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PasteElsewhere_Utf8Of100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    g_dir = (std::filesystem::temp_directory_path() / "krq-bench-clipboard").string();
    std::filesystem::create_directories(g_dir);
    g_bigPath = g_dir + "/big.txt";
    {
        std::string text = MakeText(kBigSize);
        std::ofstream(g_bigPath, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QApplication::clipboard()->clear();
    g_edit.reset();
    std::filesystem::remove_all(g_dir);
    return 0;
}
