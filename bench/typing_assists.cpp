// The searches behind what the editor adds to typing, in a 10 MB page with
// the caret at its end, each beside copying its 1 MB window (the floor):
// - "</" typed after the last paragraph: the search back for the element
//   still open, and the typed completion, undone again;
// - the caret moved into the name of the last closing tag: the search for
//   its partner, once per caret move.
#include <benchmark/benchmark.h>

#include "BenchEditor.h"
#include "html/ClosingTag.h"

namespace {

using namespace tagloom;

std::string page(std::size_t size) {
    std::string text = "<html><body><div class=\"page\">\r\n";
    while (text.size() < size) text += "<p class=\"item\">Some <b>text</b> of the page, <a href=\"x.html\">a link</a>.</p>\r\n";
    return text;
}

void BM_CopyWindow1MB(benchmark::State& state) {
    BenchEditor editor(page(10 << 20), false);
    EditControl& control = editor.view.control();
    const int end = control.length();
    for (auto _ : state) benchmark::DoNotOptimize(control.copyRange(end - static_cast<int>(kClosingTagReach), end));
}
BENCHMARK(BM_CopyWindow1MB)->Unit(benchmark::kMillisecond);

void BM_CloseTagAtEndOf10MB(benchmark::State& state) {
    std::string text = page(10 << 20) + "<p>last <";
    BenchEditor editor(std::move(text), false);
    EditControl& control = editor.view.control();
    const int end = control.length();
    bool completed = true;
    for (auto _ : state) {
        state.PauseTiming();
        control.setSel(end, end);
        state.ResumeTiming();
        completed = editor.view.typing().textTyped("/") && completed;
        state.PauseTiming();
        control.setSel(end, control.length());
        control.replaceSel({});
        state.ResumeTiming();
    }
    if (!completed) state.SkipWithError("nothing was completed");
}
BENCHMARK(BM_CloseTagAtEndOf10MB)->Unit(benchmark::kMillisecond);

void BM_PartnerAtEndOf10MB(benchmark::State& state) {
    std::string text = page(10 << 20) + "<section><p>a <b>b</b></p></section>";
    BenchEditor editor(std::move(text), false);
    EditControl& control = editor.view.control();
    const int inName = control.length() - 5;  // in the name of the last "</section>"
    bool found = true;
    for (auto _ : state) {
        control.setSel(inName, inName);
        state.PauseTiming();
        found = editor.view.partnerTags().has_value() && found;
        control.setSel(0, 0);
        state.ResumeTiming();
    }
    if (!found) state.SkipWithError("no partner");
}
BENCHMARK(BM_PartnerAtEndOf10MB)->Unit(benchmark::kMillisecond);

}  // namespace

TAGLOOM_BENCHMARK_MAIN_OFFSCREEN()
