// Painting one screenful (about 100 × 50 characters) of a large text into an
// offscreen image, at random scroll positions, and paging down through it with
// line numbers on: the cost must not grow with the document.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "BenchEditor.h"
#include "resources/CommandIds.h"

namespace {

using namespace tagloom;

std::string page(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 128);
    std::mt19937 random(1);
    text += "<html><body><table>\r\n";
    while (text.size() < bytes) {
        text += "<tr><td class=\"c" + std::to_string(random() % 1000) + "\">cell text</td><td>";
        text.append(random() % 40, 'x');
        text += "</td></tr>\r\n";
    }
    text += "</table></body></html>\r\n";
    return text;
}

void BM_PaintScreenAtRandomPlace(benchmark::State& state) {
    BenchEditor editor(page(static_cast<std::size_t>(state.range(0))), false);
    std::mt19937 random(2);
    const int lines = editor.view.control().lineCount();
    for (auto _ : state) {
        editor.view.control().lineScroll(0, static_cast<int>(random() % lines) - editor.view.control().firstVisibleLine());
        editor.paint();
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_PaintScreenAtRandomPlace)->Arg(10 * 1024)->Arg(100 << 20)->Unit(benchmark::kMicrosecond);

void BM_PageDownWithLineNumbers(benchmark::State& state) {
    BenchEditor editor(page(static_cast<std::size_t>(state.range(0))), true);
    editor.view.control().lineScroll(0, editor.view.control().lineCount() / 2);
    for (auto _ : state) {
        editor.view.control().moveCaret(CaretMove::PageDown, false);
        editor.paint();
    }
}
BENCHMARK(BM_PageDownWithLineNumbers)->Arg(10 * 1024)->Arg(100 << 20)->Unit(benchmark::kMicrosecond);

// The whole path of one typed character: the control, its notifications, the
// undo record, the after-change step, the status indicators, the enable rules
// of the HTML toolbar that the idle update asks, and a repaint. Typed at a
// random place, or at the end, behind "</html>", where a page grows.
void BM_TypeOneCharacterWholePath(benchmark::State& state) {
    BenchEditor editor(page(static_cast<std::size_t>(state.range(0))), true);
    const bool atEnd = state.range(1) != 0;
    std::mt19937 random(3);
    const int length = editor.view.control().length();
    std::vector<double> micros;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const int at = atEnd ? editor.view.control().length() : static_cast<int>(random() % length);
        editor.view.control().setSel(at, at);
        editor.view.control().typeText("a");
        for (int id : {str::PaneLines, str::PaneBytes, str::PaneLnCol, str::PaneBookmarks, cmd::HtmlFormat,
                       cmd::FindNextTag, cmd::SelectMatchingTags})
            benchmark::DoNotOptimize(editor.router.query(id));
        editor.view.UpdateLnCol();
        editor.paint();
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count());
    }
    std::nth_element(micros.begin(), micros.begin() + micros.size() / 2, micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
}
BENCHMARK(BM_TypeOneCharacterWholePath)
    ->ArgNames({"bytes", "at_end"})
    ->ArgsProduct({{10 * 1024, 100 << 20}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// A screen whose lines hold 4 marked words each, 200 in view, painted with
// the marks shown (1) and hidden (0).
void BM_PaintScreenWithMarks(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "<td>cat</td> <td>cat</td> <td>cat</td> <td>cat</td> row\r\n";
    BenchEditor editor(text, false);
    editor.view.marks().strMarkText = "cat";
    editor.view.marks().bMarkHighlight = static_cast<int>(state.range(0));
    editor.view.control().lineScroll(0, 500);
    for (auto _ : state) editor.paint();
}
BENCHMARK(BM_PaintScreenWithMarks)->ArgName("marks")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

TAGLOOM_BENCHMARK_MAIN_OFFSCREEN()
