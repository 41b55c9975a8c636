// Speed of the editing widget on the offscreen platform: opening and first paint of 100 MB
// beside the memchr floor and QPlainTextEdit, keystrokes, page scrolls, word wrap, and a 20 MB
// line without a break.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "BenchFloors.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"

namespace {

constexpr size_t kBigSize = 100u << 20;
constexpr size_t kLineSize = 20u << 20;

std::string g_dir;
std::string g_bigPath;
std::string g_linePath;

struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

// Polish words in CR LF lines of about seventy bytes: 100 MB give about 1.44 million lines.
std::string MakeText(size_t size, bool lineBreaks) {
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
        t += words[random.Next(static_cast<uint32_t>(words.size()))];
        if (lineBreaks && t.size() - lineStart > 60 + random.Next(12)) {
            t += "\r\n";
            lineStart = t.size();
        } else {
            t += ' ';
        }
    }
    if (lineBreaks) t += "\r\n";
    return t;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
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

QImage& Canvas() {
    static QImage image(1000, 700, QImage::Format_RGB32);
    return image;
}

void Paint(QWidget* viewport) {
    QImage& image = Canvas();
    viewport->render(&image);
}

std::unique_ptr<krq::TKrqEdit> NewEdit() {
    auto edit = std::make_unique<krq::TKrqEdit>();
    edit->resize(1000, 700);
    return edit;
}

void Key(krq::TKrqEdit& edit, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
         const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&edit, &press);
}

// --- The floor and the reference ---------------------------------------------------------------

void BM_MemchrFloor(benchmark::State& state) { krq::bench::FloorReadMemchr(state, g_bigPath); }

// QPlainTextEdit needs seconds for 100 MB; it loads 20 MB and the time is scaled by five.
void BM_QPlainTextEdit_Open20MB_x5(benchmark::State& state) {
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        std::ifstream in(g_bigPath, std::ios::binary);
        std::string bytes(kBigSize / 5, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        QPlainTextEdit plain;
        plain.resize(1000, 700);
        plain.setPlainText(QString::fromStdString(krq::cp1250::ToUtf8(bytes)));
        Paint(plain.viewport());
        state.SetIterationTime(Seconds(start) * 5);
    }
}

// --- 100 MB ------------------------------------------------------------------------------------

void BM_Open100MB_FirstPaint(benchmark::State& state) {
    long rssBefore = RssKb();
    for (auto _ : state) {
        auto edit = NewEdit();
        edit->Model().LoadLinesFromFile(g_bigPath);
        Paint(edit->viewport());
        state.counters["rss_MB"] = static_cast<double>(RssKb() - rssBefore) / 1024;
        state.counters["lines"] = edit->Model().Lines().Count();
    }
}

struct Loaded {
    std::unique_ptr<krq::TKrqEdit> edit;
    explicit Loaded(const std::string& path) : edit(NewEdit()) {
        edit->Model().LoadLinesFromFile(path);
        Paint(edit->viewport());
    }
};

// Loaded once and dropped before the application object goes.
std::unique_ptr<Loaded> g_big, g_line;

Loaded& Big() {
    if (!g_big) g_big = std::make_unique<Loaded>(g_bigPath);
    return *g_big;
}

void BM_KeystrokeFarAway_Repaint(benchmark::State& state) {
    krq::TKrqEdit& edit = *Big().edit;
    int lines = edit.Model().Lines().Count();
    int i = 0;
    for (auto _ : state) {
        // Each keystroke lands about half the file away from the previous one.
        int line = (i++ % 2) ? 10 + i % 1000 : lines - 10 - i % 1000;
        edit.Model().SetCaretXY({5, line});
        Key(edit, Qt::Key_X, Qt::NoModifier, "x");
        Paint(edit.viewport());
    }
}

void BM_PageDown_Repaint(benchmark::State& state) {
    krq::TKrqEdit& edit = *Big().edit;
    edit.Model().SetCaretXY({1, 1});
    for (auto _ : state) {
        Key(edit, Qt::Key_PageDown);
        Paint(edit.viewport());
    }
}

void BM_WordWrapOn_Repaint(benchmark::State& state) {
    krq::TKrqEdit& edit = *Big().edit;
    edit.Model().SetCaretXY({1, 700000});
    edit.EnsureCaretVisible();
    for (auto _ : state) {
        edit.SetWordWrap(true);
        Paint(edit.viewport());
        state.PauseTiming();
        edit.SetWordWrap(false);
        state.ResumeTiming();
    }
}

void BM_WordWrapResize_Repaint(benchmark::State& state) {
    krq::TKrqEdit& edit = *Big().edit;
    edit.SetWordWrap(true);
    int i = 0;
    for (auto _ : state) {
        edit.resize((i++ % 2) ? 1000 : 600, 700);
        Paint(edit.viewport());
    }
    edit.SetWordWrap(false);
    edit.resize(1000, 700);
}

// --- 20 MB in one line -------------------------------------------------------------------------

void BM_Open20MBLine_FirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto edit = NewEdit();
        edit->Model().LoadLinesFromFile(g_linePath);
        Paint(edit->viewport());
    }
}

void BM_20MBLine_KeystrokeInMiddle_Repaint(benchmark::State& state) {
    if (!g_line) g_line = std::make_unique<Loaded>(g_linePath);
    krq::TKrqEdit& edit = *g_line->edit;
    int middle = static_cast<int>(kLineSize / 2);
    int i = 0;
    for (auto _ : state) {
        edit.Model().SetCaretXY({middle + (i++ % 2) * 1000, 1});
        Key(edit, Qt::Key_X, Qt::NoModifier, "x");
        Paint(edit.viewport());
    }
}

// With word wrap on, PgDn walks down the rows of the 20 MB line: each press lays out the rows
// it crosses and the page it shows, never the rest of the line.
void BM_20MBLine_Wrapped_PageDown_Repaint(benchmark::State& state) {
    auto edit = NewEdit();
    edit->Model().LoadLinesFromFile(g_linePath);
    edit->SetWordWrap(true);
    Paint(edit->viewport());
    for (auto _ : state) {
        Key(*edit, Qt::Key_PageDown);
        Paint(edit->viewport());
    }
}

// The floors of the 20 MB line: read it into fresh memory and look for line breaks with
// memchr, and one memcpy of it into fresh memory.
void BM_20MBLine_MemchrFloor(benchmark::State& state) {
    krq::bench::FloorReadMemchr(state, g_linePath);
}

void BM_20MBLine_MemcpyFloor(benchmark::State& state) {
    krq::bench::FloorMemcpyFresh(state, kLineSize);
}

// The first keystroke after opening: the line is still the loaded bytes.
void BM_20MBLine_FirstKeystroke_Repaint(benchmark::State& state) {
    int middle = static_cast<int>(kLineSize / 2);
    for (auto _ : state) {
        state.PauseTiming();
        auto edit = NewEdit();
        edit->Model().LoadLinesFromFile(g_linePath);
        edit->Model().SetCaretXY({middle, 1});
        Paint(edit->viewport());
        state.ResumeTiming();
        Key(*edit, Qt::Key_X, Qt::NoModifier, "x");
        Paint(edit->viewport());
        state.PauseTiming();
        edit.reset();
        state.ResumeTiming();
    }
}

// Enter in the middle of the line, with the repaint; each split is undone before the next.
void BM_20MBLine_Enter_Repaint(benchmark::State& state) {
    if (!g_line) g_line = std::make_unique<Loaded>(g_linePath);
    krq::TKrqEdit& edit = *g_line->edit;
    int middle = static_cast<int>(kLineSize / 2);
    int i = 0;
    for (auto _ : state) {
        edit.Model().SetCaretXY({middle + (i++ % 2) * 1000, 1});
        Key(edit, Qt::Key_Return);
        Paint(edit.viewport());
        state.PauseTiming();
        edit.Model().Undo();
        Paint(edit.viewport());
        state.ResumeTiming();
    }
}

// Resident memory for the 20 MB line after opening it and a few edits (keystrokes and line
// breaks in the middle, each repainted), as a multiple of the line's size.
void BM_20MBLine_MemoryAfterEdits(benchmark::State& state) {
    int middle = static_cast<int>(kLineSize / 2);
    for (auto _ : state) {
        malloc_trim(0);
        long before = RssKb();
        auto edit = NewEdit();
        edit->Model().LoadLinesFromFile(g_linePath);
        Paint(edit->viewport());
        for (int k = 0; k < 20; ++k) {
            edit->Model().SetCaretXY({middle + k * 1000, 1});
            Key(*edit, k % 5 == 4 ? Qt::Key_Return : Qt::Key_X, Qt::NoModifier,
                k % 5 == 4 ? QString() : QStringLiteral("x"));
            Paint(edit->viewport());
        }
        malloc_trim(0);
        double mb = static_cast<double>(RssKb() - before) / 1024;
        state.counters["rss_MB"] = mb;
        state.counters["per_line_size"] = mb * 1024 * 1024 / static_cast<double>(kLineSize);
    }
}

}  // namespace

BENCHMARK(BM_MemchrFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QPlainTextEdit_Open20MB_x5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK(BM_Open100MB_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KeystrokeFarAway_Repaint)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_PageDown_Repaint)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_WordWrapOn_Repaint)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WordWrapResize_Repaint)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Open20MBLine_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_20MBLine_MemchrFloor)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_20MBLine_MemcpyFloor)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_20MBLine_KeystrokeInMiddle_Repaint)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_20MBLine_Wrapped_PageDown_Repaint)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_20MBLine_FirstKeystroke_Repaint)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_20MBLine_Enter_Repaint)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_20MBLine_MemoryAfterEdits)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    g_dir = (std::filesystem::temp_directory_path() / "krq-bench-edit-widget").string();
    std::filesystem::create_directories(g_dir);
    g_bigPath = g_dir + "/big.txt";
    g_linePath = g_dir + "/line.txt";
    WriteFile(g_bigPath, MakeText(kBigSize, true));
    WriteFile(g_linePath, MakeText(kLineSize, false));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_big.reset();
    g_line.reset();
    std::filesystem::remove_all(g_dir);
    return 0;
}
