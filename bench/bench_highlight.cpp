// Speed of drawing with a highlighter on the offscreen platform: 100 MB of C++-like text opened
// and drawn with and without the C++ highlighter, the first and a later jump to the last line
// (at once after the load, and after the idle time that lexes the states ahead), and a typed
// character with its repaint; beside the floors of the same run (reading the file with a
// memchr line count, a memcpy of its bytes).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
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
#include "settings/frMarkers.h"
#include "settings/unColorScheme.h"

namespace {

constexpr size_t kBigSize = 100u << 20;

std::string g_dir;
std::string g_bigPath;
std::unique_ptr<krq::TfrmMarkers> g_markers;

struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>((state >> 33) % bound);
    }
};

// CR LF lines of about seventy bytes of C++: declarations, calls, strings, numbers, line and
// block comments (some spanning lines) and preprocessor lines; 100 MB give about 1.4 M lines.
std::string MakeCpp(size_t size) {
    const char* lines[] = {
        "    int value_%d = compute(alpha, beta) + 0x1F * 3.25f; // running total",
        "    for (size_t i = 0; i < items.size(); ++i) sum += items[i] * %d;",
        "    const std::string name = \"element number %d in the list\";",
        "#include <vector> // standard containers and algorithms %d",
        "    if (count > %d && !done) { return static_cast<long>(count); }",
        "/* A block comment that spans two lines of the file, number %d",
        "   and ends here, before the code goes on. */ char c = 'x';",
        "static inline double scale_%d(double x) { return x * 1.5e3 - 017; }",
        "    while (node != nullptr) node = node->next; /* short %d */",
        "class Widget%d : public Base { public: virtual ~Widget(); };",
    };
    Random random;
    std::string t;
    t.reserve(size + 128);
    char buffer[160];
    while (t.size() < size) {
        uint32_t k = random.Next(10);
        if (k == 6) k = 0;  // the comment's second line only follows its first
        std::snprintf(buffer, sizeof buffer, lines[k], static_cast<int>(random.Next(100000)));
        t += buffer;
        t += "\r\n";
        if (k == 5) {
            t += lines[6];
            t += "\r\n";
        }
    }
    return t;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Paint(QWidget* viewport) {
    static QImage image(1000, 700, QImage::Format_RGB32);
    viewport->render(&image);
}

krq::TKrqHighlighter* Cpp() { return g_markers->FindByLanguage("C++"); }

std::unique_ptr<krq::TKrqEdit> OpenAndPaint(krq::TKrqHighlighter* highlighter) {
    auto edit = std::make_unique<krq::TKrqEdit>();
    edit->resize(1000, 700);
    edit->SetHighlighter(highlighter);
    edit->Model().LoadLinesFromFile(g_bigPath);
    Paint(edit->viewport());
    return edit;
}

void JumpTo(krq::TKrqEdit& edit, int line) {
    edit.Model().SetCaretXY({1, line});
    edit.EnsureCaretVisible();
    Paint(edit.viewport());
}

void BM_Floor_ReadMemchr(benchmark::State& state) { krq::bench::FloorReadMemchr(state, g_bigPath); }

void BM_Floor_MemcpyFresh(benchmark::State& state) {
    krq::bench::FloorMemcpyFresh(state, kBigSize);
}

void BM_Open100MB_FirstPaint_NoHighlighter(benchmark::State& state) {
    for (auto _ : state) OpenAndPaint(nullptr);
}

void BM_Open100MB_FirstPaint_Cpp(benchmark::State& state) {
    for (auto _ : state) state.counters["lines"] = OpenAndPaint(Cpp())->Model().Lines().Count();
}

// The first visit lexes every line before the last one to learn its start state.
void BM_JumpToLastLine_FirstVisit_Cpp(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto edit = OpenAndPaint(Cpp());
        int last = edit->Model().Lines().Count();
        state.ResumeTiming();
        JumpTo(*edit, last);
        state.PauseTiming();
        edit.reset();
        state.ResumeTiming();
    }
}

// The event loop's idle time after the load: the states of every line are lexed in slices.
void BM_LexAheadWhileIdle_Cpp(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto edit = OpenAndPaint(Cpp());
        state.ResumeTiming();
        while (edit->LexedLines() < edit->Model().Lines().Count())
            QCoreApplication::processEvents();
        state.PauseTiming();
        edit.reset();
        state.ResumeTiming();
    }
}

// The first jump once the idle time after the load has passed.
void BM_JumpToLastLine_FirstVisitAfterIdle_Cpp(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto edit = OpenAndPaint(Cpp());
        while (edit->LexedLines() < edit->Model().Lines().Count())
            QCoreApplication::processEvents();
        int last = edit->Model().Lines().Count();
        state.ResumeTiming();
        JumpTo(*edit, last);
        state.PauseTiming();
        edit.reset();
        state.ResumeTiming();
    }
}

std::unique_ptr<krq::TKrqEdit> g_cpp;

krq::TKrqEdit& Visited() {
    if (!g_cpp) {
        g_cpp = OpenAndPaint(Cpp());
        JumpTo(*g_cpp, g_cpp->Model().Lines().Count());
    }
    return *g_cpp;
}

void BM_JumpToLastLine_StatesBuilt_Cpp(benchmark::State& state) {
    krq::TKrqEdit& edit = Visited();
    int last = edit.Model().Lines().Count();
    for (auto _ : state) {
        state.PauseTiming();
        JumpTo(edit, 1);
        state.ResumeTiming();
        JumpTo(edit, last);
    }
}

void Key(krq::TKrqEdit& edit, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
}

// A letter in the middle of the file: the line is lexed again and its end state still holds.
void TypeInTheMiddle(benchmark::State& state, krq::TKrqEdit& edit) {
    int middle = edit.Model().Lines().Count() / 2;
    JumpTo(edit, middle);
    int i = 0;
    double keySeconds = 0;
    for (auto _ : state) {
        edit.Model().SetCaretXY({5, middle + (i++ % 20)});
        auto start = std::chrono::steady_clock::now();
        Key(edit, Qt::Key_X, "x");
        keySeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Paint(edit.viewport());
    }
    // The share of the keystroke itself, apart from the repaint.
    state.counters["key_us"] = keySeconds * 1e6 / static_cast<double>(state.iterations());
}

void BM_TypedChar_Repaint_Cpp(benchmark::State& state) { TypeInTheMiddle(state, Visited()); }

void BM_TypedChar_Repaint_NoHighlighter(benchmark::State& state) {
    krq::TKrqEdit& edit = Visited();
    edit.SetHighlighter(nullptr);
    TypeInTheMiddle(state, edit);
    edit.SetHighlighter(Cpp());
    JumpTo(edit, edit.Model().Lines().Count());
}

// A "/" after a "/" already typed there opens a line comment; a "*" turns the line's
// end state into a block comment, so the lines after it on screen are lexed again.
void BM_TypedCommentOpener_Repaint_Cpp(benchmark::State& state) {
    krq::TKrqEdit& edit = Visited();
    int middle = edit.Model().Lines().Count() / 2 + 100;
    JumpTo(edit, middle);
    edit.Model().SetCaretXY({1, middle});
    Key(edit, Qt::Key_Slash, "/");
    int i = 0;
    for (auto _ : state) {
        bool open = i++ % 2 == 0;
        if (open) {
            edit.Model().SetCaretXY({2, middle});
            Key(edit, Qt::Key_Asterisk, "*");
        } else {
            edit.Model().SetCaretXY({3, middle});
            Key(edit, Qt::Key_Backspace, {});
        }
        Paint(edit.viewport());
    }
}

}  // namespace

BENCHMARK(BM_Floor_ReadMemchr)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Floor_MemcpyFresh)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Open100MB_FirstPaint_NoHighlighter)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Open100MB_FirstPaint_Cpp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_JumpToLastLine_FirstVisit_Cpp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LexAheadWhileIdle_Cpp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_JumpToLastLine_FirstVisitAfterIdle_Cpp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_JumpToLastLine_StatesBuilt_Cpp)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TypedChar_Repaint_Cpp)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_TypedChar_Repaint_NoHighlighter)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_TypedCommentOpener_Repaint_Cpp)->Unit(benchmark::kMicrosecond)->Iterations(200);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    g_markers = std::make_unique<krq::TfrmMarkers>();
    const auto source = std::filesystem::path(KRQ_SOURCE_DIR);
    krq::LoadColorScheme(*g_markers, (source / "data" / "stdcode.ini").string());
    g_dir = (std::filesystem::temp_directory_path() / "krq-bench-highlight").string();
    std::filesystem::create_directories(g_dir);
    g_bigPath = g_dir + "/big.cpp";
    WriteFile(g_bigPath, MakeCpp(kBigSize));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_cpp.reset();
    g_markers.reset();
    std::filesystem::remove_all(g_dir);
    return 0;
}
