// Syntax colouring through the whole editor, offscreen, each figure beside
// its baseline without colouring in the same run: opening a 100 MB page
// from its file to the first painted screen, painting a screen at a random
// place, a key typed at a random place with its whole path (the status
// questions, the relexing and the repaint), and Ctrl+End on the freshly
// opened page: the time until the last screen is painted in its colours
// and the longest single wait of the UI thread meanwhile.
#include <benchmark/benchmark.h>

#include <QFile>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "BenchEditor.h"
#include "resources/CommandIds.h"
#include "resources/Resources.h"

namespace {

using namespace tagloom;
using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A shop page as a hand-coder writes it: mark-up with PHP blocks, inline
// style sheets and scripts, about 900 bytes a product.
std::string shopPage(std::size_t size) {
    std::string text = "<!DOCTYPE html>\r\n<html>\r\n<head><title>Shop</title></head>\r\n<body>\r\n";
    text.reserve(size + 4096);
    for (int n = 0; text.size() < size; ++n) {
        const std::string id = std::to_string(n);
        text += "<div class=\"product\" id=\"p" + id + "\" style=\"margin: 0 auto\">\r\n"
                "  <!-- product " + id + " -->\r\n"
                "  <h2><?= htmlspecialchars($products[" + id + "]['name']) ?></h2>\r\n"
                "  <p>Price: &euro;" + id + ".99 &mdash; <a href=\"/buy?id=" + id + "&amp;qty=1\">buy</a></p>\r\n"
                "  <?php if ($stock[" + id + "] > 0): // in stock ?>\r\n"
                "    <span class=\"in\">In stock</span>\r\n"
                "  <?php endif; ?>\r\n"
                "  <style>#p" + id + " h2 { color: #336699; font: bold 1.2em \"Open Sans\"; }</style>\r\n"
                "  <script>\r\n"
                "    if (e.detail < 2 && /buy/.test(e.target.href)) { track(`product ${" + id + "}`, 1.5); }\r\n"
                "  </script>\r\n"
                "</div>\r\n";
    }
    text += "</body>\r\n</html>\r\n";
    return text;
}

const std::string& page100MB() {
    static const std::string page = shopPage(100u << 20);
    return page;
}

// The editor with the app's colourer on its widget; colouring on or off.
struct ColouredEditor : BenchEditor {
    explicit ColouredEditor(std::string text, bool coloured) : BenchEditor(std::move(text), false) {
        widget.setColourer([this](int from, int to, std::vector<ColouredStretch>& out) {
            SyntaxStretches(view, widget, from, to, out);
        });
        if (!coloured) router.run(cmd::SyntaxColouring);
        view.setRepaintHandler([this] { repaintAsked = true; });
    }
    // Runs the queued calls until none is left, painting after each call
    // that asked for a repaint when paintAsked (else the caller paints
    // once); returns the longest single call with its paint, in ms.
    double runQueue(bool paintAsked) {
        double longest = 0;
        for (;;) {
            const auto start = Clock::now();
            if (!queue.runOne()) return longest;
            if (paintAsked && repaintAsked) {
                repaintAsked = false;
                paint();
            }
            longest = std::max(longest, millisSince(start));
        }
    }
    bool repaintAsked = false;
};

std::string pageFile() {
    static QTemporaryDir dir;
    static const std::string path = [] {
        const std::string p = dir.filePath(QStringLiteral("shop.php")).toStdString();
        QFile file(QString::fromStdString(p));
        file.open(QIODevice::WriteOnly);
        file.write(page100MB().data(), static_cast<qint64>(page100MB().size()));
        return p;
    }();
    return path;
}

void BM_OpenPage100MB(benchmark::State& state) {
    const std::string path = pageFile();
    const bool coloured = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<ColouredEditor>(std::string(), coloured);
        state.ResumeTiming();
        editor->document.OpenDocumentFile(path);
        editor->runQueue(false);
        editor->paint();
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPage100MB)->ArgName("coloured")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// Lexed to the end first, as a jump to the end leaves it, so that every
// place painted or typed at is coloured.
std::unique_ptr<ColouredEditor> lexedEditor(bool coloured) {
    auto editor = std::make_unique<ColouredEditor>(page100MB(), coloured);
    editor->view.syntax().setLanguage(SyntaxLanguage::Html);
    editor->view.control().moveCaret(CaretMove::TextEnd, false);
    editor->paint();
    editor->runQueue(true);
    editor->view.control().moveCaret(CaretMove::TextStart, false);
    return editor;
}

void BM_PaintScreen100MB(benchmark::State& state) {
    auto editor = lexedEditor(state.range(0) != 0);
    std::mt19937 random(2);
    EditControl& control = editor->view.control();
    const int lines = control.lineCount();
    for (auto _ : state) {
        control.lineScroll(0, static_cast<int>(random() % static_cast<unsigned>(lines)) - control.firstVisibleLine());
        editor->paint();
    }
}
BENCHMARK(BM_PaintScreen100MB)->ArgName("coloured")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_KeyWholePath100MB(benchmark::State& state) {
    auto editor = lexedEditor(state.range(0) != 0);
    EditControl& control = editor->view.control();
    std::mt19937 random(3);
    std::vector<double> micros;
    for (auto _ : state) {
        const auto started = Clock::now();
        const int at = static_cast<int>(random() % static_cast<unsigned>(control.length()));
        control.setSel(at, at);
        editor->view.control().typeText("a");
        for (int id : {str::PaneLines, str::PaneBytes, str::PaneLnCol, str::PaneBookmarks, cmd::HtmlFormat,
                       cmd::FindNextTag, cmd::SelectMatchingTags})
            benchmark::DoNotOptimize(editor->router.query(id));
        editor->view.UpdateLnCol();
        editor->runQueue(false);
        editor->paint();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - started).count());
    }
    std::nth_element(micros.begin(), micros.begin() + micros.size() / 2, micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
}
BENCHMARK(BM_KeyWholePath100MB)->ArgName("coloured")->Arg(0)->Arg(1)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Ctrl+End on a page lexed only as far as its first screen: the end is
// painted at once (plain), then idle slices lex toward it and it is
// painted again in its colours.
void BM_CtrlEndToColouredScreen100MB(benchmark::State& state) {
    double longest = 0, firstPaint = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<ColouredEditor>(page100MB(), true);
        editor->view.syntax().setLanguage(SyntaxLanguage::Html);
        editor->paint();
        state.ResumeTiming();
        const auto start = Clock::now();
        editor->view.control().moveCaret(CaretMove::TextEnd, false);
        editor->paint();
        firstPaint = std::max(firstPaint, millisSince(start));
        longest = std::max({longest, firstPaint, editor->runQueue(true)});
        state.PauseTiming();
        std::vector<StyleRun> runs;
        const int length = editor->view.control().length();
        editor->view.syntax().runs(length - 40, length, runs);
        if (runs.empty()) state.SkipWithError("the last screen is not coloured");
        editor.reset();
        state.ResumeTiming();
    }
    state.counters["first_paint_ms"] = firstPaint;
    state.counters["longest_wait_ms"] = longest;
}
BENCHMARK(BM_CtrlEndToColouredScreen100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

TAGLOOM_BENCHMARK_MAIN_OFFSCREEN()
