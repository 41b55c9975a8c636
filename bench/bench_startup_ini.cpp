// Start-up of the main window with a file on its command line, with an ordinary settings file
// and with one of 10 MB (many sections, the program's own at the end), on the offscreen
// platform; the counters say how often a settings file was parsed per start.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/frMain.h"
#include "platform/files/inifile.h"
#include "settings/frMarkers.h"

namespace {

std::string g_dir;
std::unique_ptr<krq::TfrmMarkers> g_markers;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const char* const kOwnSections =
    "[View]\r\nfullsize=0\r\ntop=100\r\nleft=120\r\nheight=600\r\nwidth=800\r\nstatusbar=1\r\n"
    "toolbar=1\r\ngutter=1\r\nwordwrap=0\r\nfont-type=DejaVu Sans Mono\r\nfont-size=10\r\n"
    "[Edit]\r\nautomark=1\r\ndelspaces=1\r\nindent=1\r\nproposal=1\r\ncorrect=1\r\n"
    "[Colors]\r\n1=16777215\r\n2=0\r\n3=16777215\r\n4=-2147483647\r\n5=15503208\r\n"
    "[code]\r\nmark=nil\r\n";

std::string Settings(size_t size) {
    std::string ini;
    ini.reserve(size + 4096);
    for (int s = 0; ini.size() < size; ++s) {
        ini += "[Sekcja_" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 40; ++k)
            ini += "klucz_" + std::to_string(k) + "=wartosc numer " + std::to_string(s * 40 + k) +
                   "\r\n";
    }
    ini += kOwnSections;
    ini += "[Files]\r\n";
    for (int i = 0; i < 25; ++i)
        ini +=
            "Item_" + std::to_string(i) + "=/home/ala/dokument_" + std::to_string(i) + ".txt\r\n";
    return ini;
}

void Startup(benchmark::State& state, size_t iniSize) {
    const std::string home = g_dir + "/home-" + std::to_string(iniSize);
    std::filesystem::create_directories(home + "/data");
    WriteFile(home + "/data/proposal.dat", "div\r\nspan\r\n");
    WriteFile(home + "/data/correct.dat", "wogole;w ogole\r\n");
    WriteFile(home + "/doc.txt", "Ala ma kota\r\n");
    const std::string settings = Settings(iniSize);
    setenv("KRQ_HOME", home.c_str(), 1);
    uint64_t parses = 0;
    for (auto _ : state) {
        // Each start meets the same file: the previous one's writes are undone untimed.
        state.PauseTiming();
        WriteFile(home + "/krq.ini", settings);
        const uint64_t before = krq::TIniFile::ParseCount();
        state.ResumeTiming();
        {
            krq::TfrmMain frm(QStringList{QString::fromStdString(home + "/doc.txt")});
            QApplication::processEvents();
            benchmark::DoNotOptimize(frm.windowTitle());
        }
        parses += krq::TIniFile::ParseCount() - before;
    }
    state.counters["ini_MB"] = static_cast<double>(settings.size()) / (1 << 20);
    state.counters["parses"] =
        benchmark::Counter(static_cast<double>(parses), benchmark::Counter::kAvgIterations);
}

void BM_Startup_SmallIni(benchmark::State& state) { Startup(state, 0); }
void BM_Startup_10MBIni(benchmark::State& state) { Startup(state, 10u << 20); }

}  // namespace

BENCHMARK(BM_Startup_SmallIni)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Startup_10MBIni)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    g_markers = std::make_unique<krq::TfrmMarkers>();
    g_dir = (std::filesystem::temp_directory_path() / "krq-bench-startup").string();
    std::filesystem::create_directories(g_dir);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_markers.reset();
    std::filesystem::remove_all(g_dir);
    return 0;
}
