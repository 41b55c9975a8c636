// Speed of printing: laying out and drawing a long document into a PDF, and the wrap of long
// lines alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QPrinter>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/print/TKrqEditPrint.h"

namespace {

// Lines of about 150 bytes with a tab or two: most wrap once on A4.
std::vector<std::string> MakeLines(int count) {
    const char* words[] = {"zazolc", "gesla", "jazn", "zolw", "lodz", "pioro", "cma", "w", "i"};
    std::vector<std::string> lines;
    uint32_t seed = 1250;
    for (int i = 0; i < count; ++i) {
        std::string line = (i % 3 == 0) ? "\t" : "";
        while (line.size() < 150) {
            seed = seed * 1103515245u + 12345u;
            line += words[(seed >> 16) % 9];
            line += (seed >> 8) % 11 == 0 ? '\t' : ' ';
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void BM_PrintToPdf_5000Lines(benchmark::State& state) {
    krq::TKrqEditPrint print;
    print.SetLines(MakeLines(5000));
    const std::string path = (std::filesystem::temp_directory_path() / "bench_print.pdf").string();
    int pages = 0;
    for (auto _ : state) pages = print.PrintToPdf(QString::fromStdString(path));
    state.counters["pages"] = pages;
    std::remove(path.c_str());
}

void BM_WrapPrintedLines_100000(benchmark::State& state) {
    const std::vector<std::string> lines = MakeLines(100000);
    QPrinter printer(QPrinter::HighResolution);
    const QFontMetricsF metrics(krq::TKrqEditPrint::DefaultFont(), &printer);
    const std::array<double, 256> advance = krq::print::ByteAdvances(metrics);
    const double width = 170 * printer.resolution() / 25.4;
    size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const std::string& line : lines)
            rows += krq::print::WrapLine(krq::print::ExpandTabs(line, 8), advance, width).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

}  // namespace

BENCHMARK(BM_PrintToPdf_5000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WrapPrintedLines_100000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
