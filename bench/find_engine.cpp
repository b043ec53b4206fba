// The find engine at document sizes, each figure beside its baseline:
// - Mark All's count over 100 MB beside memmem counting the same occurrences;
// - Find Next to a hit 50 MB away;
// - Replace All of 100,000 hits in 10 MB, each its own undo record;
// - a whole-word skip over 10,000 rejected candidates in 10 MB, in posted
//   calls of about 5 ms each: the time per iteration is the whole skip, the
//   longest call (max_call_ms) is what the window waits for, and calls says
//   how many there were; "edited" runs it after a key typed near the top.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>

#include "BenchEditor.h"
#include "search/FindEngine.h"

namespace {

using namespace tagloom;

constexpr std::size_t kMB = 1024 * 1024;

// HTML-like lines; "needle" nowhere unless put there.
std::string page(std::size_t size) {
    static const char* words[] = {"<div", "class=\"item\">", "text", "of", "the", "page", "</div>", "<a",
                                  "href=\"x.html\">", "link</a>", "&nbsp;", "<p>", "</p>"};
    std::mt19937 random(42);
    std::string text;
    text.reserve(size + 128);
    while (text.size() < size) {
        text += words[random() % 13];
        text += random() % 8 == 0 ? "\r\n" : " ";
    }
    text.resize(size);
    return text;
}

FindRequest request(const std::string& find, int button, const std::string& replace = {}) {
    FindRequest r;
    r.findText = find;
    r.replaceText = replace;
    r.button = button;
    r.bScrollCenter = 0;
    r.bMarkMode = button == FindRequest::kMarkAllOrReplaceAll && replace.empty() ? 1 : 0;
    return r;
}

void BM_MarkAllCount100MB(benchmark::State& state) {
    BenchEditor editor(page(100 * kMB), false);
    for (auto _ : state) editor.view.find().request(request("class", FindRequest::kMarkAllOrReplaceAll));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 100 * kMB));
}
BENCHMARK(BM_MarkAllCount100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MemmemCount100MB(benchmark::State& state) {
    const std::string text = page(100 * kMB);
    const std::string what = "class";
    for (auto _ : state) {
        std::size_t count = 0;
        for (const char* at = text.data(); (at = static_cast<const char*>(
                                                memmem(at, text.data() + text.size() - at, what.data(), what.size())));
             ++at)
            ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 100 * kMB));
}
BENCHMARK(BM_MemmemCount100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindNext50MBAway(benchmark::State& state) {
    std::string text = page(50 * kMB);
    text += " needle";
    BenchEditor editor(std::move(text), false);
    for (auto _ : state) {
        editor.view.control().setSel(0, 0);
        editor.view.find().request(request("needle", FindRequest::kFindNext));
    }
    if (editor.view.find().bLastFindHit != 1) state.SkipWithError("the needle was not found");
}
BENCHMARK(BM_FindNext50MBAway)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReplaceAll100000In10MB(benchmark::State& state) {
    // 100,000 lines of 104 bytes, one "foo" each.
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "<td>some cell text with foo in it and more text after it, and a little more</td><td>x</td>\r\n";
    std::size_t hits = 0;
    for (std::size_t at = text.find("foo"); at != std::string::npos; at = text.find("foo", at + 1)) ++hits;
    for (auto _ : state) {
        state.PauseTiming();
        BenchEditor editor(text, true);
        editor.view.control().setSel(0, 0);
        editor.view.find().request(request("foo", FindRequest::kFindNext));
        state.ResumeTiming();
        editor.view.find().request(request("foo", FindRequest::kMarkAllOrReplaceAll, "bar"));
        state.PauseTiming();
        UndoArchive& undo = editor.view.undo();
        const int steps = undo.undoSteps();
        while (undo.undoSteps() > 0) undo.Undo();
        if (steps < static_cast<int>(hits) || editor.view.control().getText() != text)
            state.SkipWithError("Undo All did not bring the text back");
        state.ResumeTiming();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_ReplaceAll100000In10MB)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_WholeWordSkip10000(benchmark::State& state) {
    std::string text = page(10 * kMB);
    std::string rejected;
    for (int i = 0; i < 10000; ++i) rejected += "needle_ ";
    text.insert(text.size() / 2, rejected + " needle ");
    BenchEditor editor(std::move(text), false);
    if (state.range(0)) {
        // A key typed near the top leaves the text in two pieces: the search
        // then reads it through copies instead of in place.
        editor.view.control().setSel(10, 10);
        editor.view.control().typeText("x");
    }
    double longest = 0;
    int calls = 0;
    for (auto _ : state) {
        editor.view.control().setSel(0, 0);
        FindRequest r = request("needle", FindRequest::kFindNext);
        r.bWholeWord = 1;
        const auto time = [&](auto&& step) {
            const auto started = std::chrono::steady_clock::now();
            step();
            longest = std::max(longest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        };
        calls = 1;
        time([&] { editor.view.find().request(r); });
        for (; !editor.queue.calls.empty(); ++calls) time([&] { editor.queue.runOne(); });
        if (editor.view.find().bLastFindHit != 1) state.SkipWithError("the whole word was not found");
    }
    state.counters["max_call_ms"] = longest;
    state.counters["calls"] = calls;
}
BENCHMARK(BM_WholeWordSkip10000)
    ->ArgName("edited")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

TAGLOOM_BENCHMARK_MAIN_OFFSCREEN()
