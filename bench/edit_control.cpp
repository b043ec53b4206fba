// The edit control model at document sizes from 10 KB to 100 MB, measured with
// a fixed-pitch font (8 x 16 pixels) and a client area of 100 x 50
// characters. Per-keystroke figures are medians of single operations
// (counters median_us, p99_us), since a benchmark's mean hides the spread.
#include "textmodel/EditControl.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace tagloom {
namespace {

constexpr int kCharWidth = 8;
constexpr int kLineHeight = 16;
constexpr std::size_t kMB = 1024 * 1024;

// An HTML-like text: indented lines of 10 to 90 characters, CR LF line ends.
std::string htmlText(std::size_t size) {
    static const char* words[] = {"<div", "class=\"item\">", "text", "of", "the", "page", "</div>", "<a", "href=\"x.html\">",
                                  "link</a>", "&nbsp;", "<p>", "</p>"};
    std::mt19937 random(42);
    std::string text;
    text.reserve(size + 128);
    while (text.size() < size) {
        text.append(random() % 12, ' ');
        std::size_t length = 10 + random() % 80;
        std::size_t start = text.size();
        while (text.size() - start < length) {
            text += words[random() % 13];
            text += ' ';
        }
        text += "\r\n";
    }
    text.resize(size);
    text.shrink_to_fit();
    return text;
}

// A minified page: one line, words and markup with few blanks.
std::string minifiedLine(std::size_t size) {
    std::mt19937 random(7);
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        text += random() % 3 == 0 ? "<div class=\"a\">" : "function(e){return e.x+1};";
        if (random() % 4 == 0) text += ' ';
    }
    text.resize(size);
    return text;
}

std::unique_ptr<EditControl> makeControl(std::string text, bool wrap) {
    auto control = std::make_unique<EditControl>();
    control->setFontMetrics(std::make_unique<FixedPitchMetrics>(kCharWidth, kLineHeight));
    control->setClientSize(100 * kCharWidth, 50 * kLineHeight);
    control->adoptText(std::move(text));
    control->setWordWrap(wrap);
    return control;
}

// Stands in for the undo archive and the status bar: reads every change.
class ReadingObserver : public EditObserver {
public:
    void onChange(const TextChange& change) override { bytes += change.text.size(); }
    void onUpdate() override { ++updates; }
    std::size_t bytes = 0;
    int updates = 0;
};

// Times each call of op and reports the median and 99th percentile.
template <class Op>
void timeEach(benchmark::State& state, Op&& op) {
    std::vector<double> micros;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        op();
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}

std::size_t heapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_AdoptAndIndex100MB(benchmark::State& state) {
    const std::string source = htmlText(100 * kMB);
    EditControl control;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = source;
        state.ResumeTiming();
        control.adoptText(std::move(text));
        benchmark::DoNotOptimize(control.lineCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_AdoptAndIndex100MB)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ModelMemory100MB(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t before = heapInUse();
        std::string text = htmlText(100 * kMB);
        std::size_t size = text.size();
        auto control = makeControl(std::move(text), false);
        state.counters["heap_ratio"] = static_cast<double>(heapInUse() - before) / static_cast<double>(size);
        state.counters["model_ratio"] = static_cast<double>(control->memoryUsage()) / static_cast<double>(size);
    }
}
BENCHMARK(BM_ModelMemory100MB)->Unit(benchmark::kMillisecond)->Iterations(1);

// Times each call of op and reports the median and 99th percentile, starting
// from a fresh text every kFreshEvery calls so that a small text stays small.
constexpr int kFreshEvery = 5000;

template <class Op>
void timeEachOnFreshText(benchmark::State& state, const std::string& source, bool wrap, Op&& op) {
    std::unique_ptr<EditControl> control;
    ReadingObserver observer;
    int calls = 0;
    timeEach(state, [&] {
        if (calls++ % kFreshEvery == 0) {
            state.PauseTiming();
            control = makeControl(source, wrap);
            benchmark::DoNotOptimize(control->lineCount());
            control->addObserver(observer);
            state.ResumeTiming();
        }
        op(*control);
    });
}

// One character typed at a random place, with its notifications, then the
// line queries that the status bar makes.
void BM_TypeAtRandomPlace(benchmark::State& state) {
    const std::string source = htmlText(static_cast<std::size_t>(state.range(0)));
    std::mt19937 random(1);
    timeEachOnFreshText(state, source, false, [&](EditControl& control) {
        int at = static_cast<int>(random() % static_cast<unsigned>(control.length()));
        control.setSel(at, at);
        control.typeText("x");
        int line = control.lineFromChar(-1);
        benchmark::DoNotOptimize(control.lineIndex(line));
    });
}
BENCHMARK(BM_TypeAtRandomPlace)->Arg(10 * 1024)->Arg(100 * kMB)->Iterations(50000);

// Word wrap turned on, up to the layout of the first screen.
void BM_WrapOnFirstScreen10MB(benchmark::State& state) {
    auto control = makeControl(htmlText(10 * kMB), false);
    std::vector<VisibleChar> chars;
    for (auto _ : state) {
        control->setWordWrap(true);
        for (const VisibleLine& line : control->visibleLines()) control->visibleChars(line.line, chars);
        state.PauseTiming();
        control->setWordWrap(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WrapOnFirstScreen10MB)->Unit(benchmark::kMillisecond);

// Word wrap turned on and every display line counted (the scroll range).
void BM_WrapOnWholeLayout10MB(benchmark::State& state) {
    auto control = makeControl(htmlText(10 * kMB), false);
    for (auto _ : state) {
        control->setWordWrap(true);
        benchmark::DoNotOptimize(control->lineCount());
        state.PauseTiming();
        control->setWordWrap(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WrapOnWholeLayout10MB)->Unit(benchmark::kMillisecond);

// Typing with wrap on, once the layout is known: the same at every size.
void BM_TypeWithWrap(benchmark::State& state) {
    const std::string source = htmlText(static_cast<std::size_t>(state.range(0)));
    std::mt19937 random(2);
    timeEachOnFreshText(state, source, true, [&](EditControl& control) {
        int at = static_cast<int>(random() % static_cast<unsigned>(control.length()));
        control.setSel(at, at);
        control.typeText("x");
        benchmark::DoNotOptimize(control.lineFromChar(-1));
        benchmark::DoNotOptimize(control.lineCount());
    });
}
BENCHMARK(BM_TypeWithWrap)->Arg(10 * 1024)->Arg(10 * kMB)->Iterations(50000);

// A 10 MB page on one line: a screen laid out at a random place in it,
// first right after loading (nothing measured yet) and then over and over.
void paintScreen(EditControl& control, std::vector<VisibleChar>& chars) {
    for (const VisibleLine& line : control.visibleLines()) control.visibleChars(line.line, chars);
}

void BM_MinifiedLineScreenCold(benchmark::State& state) {
    const std::string source = minifiedLine(10 * kMB);
    std::vector<VisibleChar> chars;
    for (auto _ : state) {
        state.PauseTiming();
        auto control = makeControl(source, state.range(0) != 0);
        state.ResumeTiming();
        int at = control->length() * 9 / 10;
        control->setSel(at, at);
        control->scrollCaret();
        paintScreen(*control, chars);
    }
}
BENCHMARK(BM_MinifiedLineScreenCold)->ArgName("wrap")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MinifiedLineScreenAnywhere(benchmark::State& state) {
    auto control = makeControl(minifiedLine(10 * kMB), state.range(0) != 0);
    std::vector<VisibleChar> chars;
    std::mt19937 random(3);
    timeEach(state, [&] {
        int at = static_cast<int>(random() % static_cast<unsigned>(control->length()));
        control->setSel(at, at);
        control->scrollCaret();
        paintScreen(*control, chars);
    });
}
BENCHMARK(BM_MinifiedLineScreenAnywhere)->ArgName("wrap")->Arg(0)->Arg(1)->Iterations(2000);

void BM_MinifiedLineTypeAtEnd(benchmark::State& state) {
    auto control = makeControl(minifiedLine(10 * kMB), state.range(0) != 0);
    ReadingObserver observer;
    control->addObserver(observer);
    std::vector<VisibleChar> chars;
    control->setSel(control->length(), control->length());
    control->scrollCaret();
    paintScreen(*control, chars);
    timeEach(state, [&] {
        control->typeText("x");
        benchmark::DoNotOptimize(control->posFromChar(control->caret()));
        benchmark::DoNotOptimize(control->lineFromChar(-1));
        paintScreen(*control, chars);
    });
}
BENCHMARK(BM_MinifiedLineTypeAtEnd)->ArgName("wrap")->Arg(0)->Arg(1)->Iterations(5000);

}  // namespace
}  // namespace tagloom

BENCHMARK_MAIN();
