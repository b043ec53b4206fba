// Preparing a large document for printing: the text laid out page after page
// on a PDF printer in 8-point type, with the line numbers of every printed
// line noted, as Print and Print Preview do before their window opens.
#include <QPrinter>
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchEditor.h"
#include "print/PrintJob.h"
#include "print/qt/QtPrintDevice.h"

namespace {

using namespace tagloom;

// Lines of mark-up of mixed length, some longer than a printed line.
std::string page(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 256);
    std::mt19937 random(1);
    text += "<html><body>\r\n";
    while (text.size() < bytes) {
        text += "\t<p class=\"c" + std::to_string(random() % 1000) + "\">";
        for (int words = static_cast<int>(random() % 40); words > 0; --words) text += "word" + std::to_string(random() % 100) + ' ';
        text += "</p>\r\n";
    }
    text += "</body></html>\r\n";
    return text;
}

void BM_PreparePrintingWithLineNumbers(benchmark::State& state) {
    const std::string text = page(static_cast<std::size_t>(state.range(0)));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    setUpPrinter(printer, kOrientationPortrait, kPaperLetter);
    QtPrintDevice device(printer);
    PrintOptions options;
    options.lineNumbers = true;
    options.wrap = state.range(1) != 0;
    int pages = 0;
    for (auto _ : state) {
        PrintJob job(text, "page.html", options, PageValues{});
        pages = job.Prepare(device);
        benchmark::DoNotOptimize(job.printLineNumbers().data());
    }
    state.counters["pages"] = pages;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PreparePrintingWithLineNumbers)
    ->Args({10 << 20, 1})
    ->Args({10 << 20, 0})
    ->ArgNames({"bytes", "wrap"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

TAGLOOM_BENCHMARK_MAIN_OFFSCREEN()
