// Syntax colouring on a 100 MB page of mark-up with inline style sheets,
// scripts and PHP blocks: the lexing speed, the memory of the line states,
// the relexing after a key typed at a random place, the runs of one screen
// (50 lines), Ctrl+End in slices, and opening with colouring beside opening
// without. Per-key figures are medians of single operations (median_us,
// p99_us), each beside its baseline without colouring.
#include "syntax/LineStates.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tagloom {
namespace {

constexpr std::size_t kMB = 1024 * 1024;
constexpr int kScreenLines = 50;

// One product of a shop page, the way a hand-coder writes it.
std::string pageSection(int n) {
    const std::string id = std::to_string(n);
    return "<div class=\"product\" id=\"p" + id + "\" style=\"margin: 0 auto; width: 80%\">\r\n"
           "  <!-- product " + id + " -->\r\n"
           "  <h2><?= htmlspecialchars($products[" + id + "]['name']) ?></h2>\r\n"
           "  <p>Price: &euro;" + id + ".99 &mdash; <a href=\"/buy?id=" + id + "&amp;qty=1\">buy</a></p>\r\n"
           "  <?php if ($stock[" + id + "] > 0): // in stock ?>\r\n"
           "    <span class=\"in\">In stock</span>\r\n"
           "  <?php else: ?>\r\n"
           "    <span class='out'>Sold out</span>\r\n"
           "  <?php endif; ?>\r\n"
           "  <style>\r\n"
           "    #p" + id + " h2 { color: #336699; font: bold 1.2em/1.4 \"Open Sans\", sans-serif; }\r\n"
           "    @media (max-width: 600px) { #p" + id + " { width: 100% !important; } }\r\n"
           "  </style>\r\n"
           "  <script>\r\n"
           "    document.getElementById('p" + id + "').addEventListener('click', function (e) {\r\n"
           "      if (e.detail < 2 && /buy/.test(e.target.href)) { track(`product ${" + id + "}`, 1.5); }\r\n"
           "    }); // counts clicks\r\n"
           "  </script>\r\n"
           "</div>\r\n";
}

std::string shopPage(std::size_t size) {
    std::string text = "<!DOCTYPE html>\r\n<html>\r\n<head><title>Shop</title></head>\r\n<body>\r\n";
    text.reserve(size + 4096);
    for (int n = 0; text.size() < size; ++n) text += pageSection(n);
    text.resize(size);
    text.shrink_to_fit();
    return text;
}

const std::string& page100MB() {
    static const std::string page = shopPage(100 * kMB);
    return page;
}

std::unique_ptr<EditControl> loadedControl() {
    auto control = std::make_unique<EditControl>();
    control->setText(page100MB());
    return control;
}

// Times each call of op and reports the median and 99th percentile.
template <class Op>
void timeEach(benchmark::State& state, Op&& op) {
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        op();
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}

// The whole page lexed through the line states, as Ctrl+End does, and the
// memory they take then.
void BM_LexWholePage100MB(benchmark::State& state) {
    auto control = loadedControl();
    const int last = control->textLineCount() - 1;
    std::size_t memory = 0;
    for (auto _ : state) {
        LineStates states(*control, SyntaxLanguage::Html);
        benchmark::DoNotOptimize(states.reach(last));
        memory = states.memoryUsage();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * control->length());
    state.counters["state_bytes_per_line"] = static_cast<double>(memory) / control->textLineCount();
    state.counters["lines"] = control->textLineCount();
}
BENCHMARK(BM_LexWholePage100MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// The lexer alone on the page's lines, without storing states or runs.
void BM_LexerAlone100MB(benchmark::State& state) {
    const std::string& text = page100MB();
    for (auto _ : state) {
        LexState lexState = initialState(SyntaxLanguage::Html);
        for (std::size_t start = 0; start < text.size();) {
            const void* lf = std::memchr(text.data() + start, '\n', text.size() - start);
            const std::size_t end = lf ? static_cast<const char*>(lf) - text.data() + 1 : text.size();
            lexState = lexLine(lexState, std::string_view(text).substr(start, end - start));
            start = end;
        }
        benchmark::DoNotOptimize(lexState);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LexerAlone100MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// Ctrl+End: the whole page lexed in slices of 20 ms, as the editor does on
// idle, then the last screen's runs. Reports the longest slice.
void BM_CtrlEndInSlices100MB(benchmark::State& state) {
    auto control = loadedControl();
    const int last = control->textLineCount() - 1;
    std::vector<StyleRun> runs;
    double longestMs = 0;
    int slices = 0;
    for (auto _ : state) {
        LineStates states(*control, SyntaxLanguage::Html);
        slices = 0;
        bool done = false;
        while (!done) {
            const auto start = std::chrono::steady_clock::now();
            done = states.reach(last, LexBudget::forTime(std::chrono::milliseconds(20)));
            longestMs = std::max(
                longestMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            ++slices;
        }
        for (int line = last - kScreenLines + 1; line <= last; ++line) states.runs(line, runs);
        benchmark::DoNotOptimize(runs.data());
    }
    state.counters["longest_slice_ms"] = longestMs;
    state.counters["slices"] = slices;
}
BENCHMARK(BM_CtrlEndInSlices100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opening: the text set, then the first screen's runs, beside the text set
// alone.
void BM_OpenPlain100MB(benchmark::State& state) {
    EditControl control;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = page100MB();
        state.ResumeTiming();
        control.adoptText(std::move(text));
        benchmark::DoNotOptimize(control.textLineCount());
    }
}
BENCHMARK(BM_OpenPlain100MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenColoured100MB(benchmark::State& state) {
    EditControl control;
    LineStates states(control, SyntaxLanguage::Html);
    std::vector<StyleRun> runs;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = page100MB();
        state.ResumeTiming();
        control.adoptText(std::move(text));
        for (int line = 0; line < kScreenLines; ++line) states.runs(line, runs);
        benchmark::DoNotOptimize(runs.data());
    }
}
BENCHMARK(BM_OpenColoured100MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// A key typed at a random place of the lexed page, then the runs of the
// screen that shows it; beside the key alone. A typed "<!--" changes the
// states of every line after it, yet only the screen is relexed.
void typeAndColourScreen(benchmark::State& state, std::string_view key, bool coloured) {
    auto control = loadedControl();
    const int last = control->textLineCount() - 1;
    std::optional<LineStates> states;
    if (coloured) {
        states.emplace(*control, SyntaxLanguage::Html);
        states->reach(last);
    }
    std::mt19937 random(7);
    std::vector<StyleRun> runs;
    timeEach(state, [&] {
        const int at = static_cast<int>(random() % static_cast<unsigned>(control->length()));
        control->setSel(at, at);
        control->typeText(key);
        if (!states) return;
        const int line = control->textLineFromChar(at);
        for (int shown = line; shown < std::min(last, line + kScreenLines); ++shown) states->runs(shown, runs);
        benchmark::DoNotOptimize(runs.data());
    });
}

void BM_KeyPlain100MB(benchmark::State& state) { typeAndColourScreen(state, "x", false); }
BENCHMARK(BM_KeyPlain100MB)->Iterations(20000);
void BM_KeyAndColouredScreen100MB(benchmark::State& state) { typeAndColourScreen(state, "x", true); }
BENCHMARK(BM_KeyAndColouredScreen100MB)->Iterations(20000);
void BM_CommentOpenedAndColouredScreen100MB(benchmark::State& state) { typeAndColourScreen(state, "<!--", true); }
BENCHMARK(BM_CommentOpenedAndColouredScreen100MB)->Iterations(2000);

// The runs of a screen at a random place of the lexed page.
void BM_ScreenRuns100MB(benchmark::State& state) {
    auto control = loadedControl();
    LineStates states(*control, SyntaxLanguage::Html);
    const int last = control->textLineCount() - 1;
    states.reach(last);
    std::mt19937 random(3);
    std::vector<StyleRun> runs;
    std::size_t count = 0;
    timeEach(state, [&] {
        const int top = static_cast<int>(random() % static_cast<unsigned>(last - kScreenLines));
        for (int line = top; line < top + kScreenLines; ++line) {
            states.runs(line, runs);
            count += runs.size();
        }
    });
    benchmark::DoNotOptimize(count);
}
BENCHMARK(BM_ScreenRuns100MB)->Iterations(20000);

}  // namespace
}  // namespace tagloom

BENCHMARK_MAIN();
