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

#include "commands/CommandRouter.h"
#include "document/RecentFileList.h"
#include "document/CHemlowHTMLDoc.h"
#include "platform/qt/QtPlatform.h"
#include "resources/CommandIds.h"
#include "textmodel/qt/EditWidget.h"
#include "view/CHemlowHTMLView.h"
#include "view/qt/QtFontFactory.h"
#include "view/qt/ViewInput.h"
#include "view/qt/ViewPainter.h"

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

struct Editor {
    explicit Editor(std::size_t bytes, bool lineNumbers)
        : platform(&context, [] { return nullptr; },
                   std::make_unique<QtSettingsStore>(dir.filePath(QStringLiteral("bench.conf")))),
          recent(0),
          document(platform.platform(), recent),
          view(platform.platform(), router, fonts, document),
          input(view),
          widget(view.control(), input) {
        document.attachView(&view);
        view.settings().bWrap = 0;
        view.settings().bShowLineNum = lineNumbers;
        view.control().setWordWrap(false);
        LoadedText loaded;
        loaded.text = page(bytes);
        view.adoptLoadedText(std::move(loaded));
        view.initialUpdate();
        const int width = 100 * view.charWidth() + 60, height = 50 * view.lineHeight();
        widget.resize(width, height);
        view.OnSize(width, height);
        image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    }
    ~Editor() { document.attachView(nullptr); }
    void paint() {
        QPainter painter(&image);
        widget.paintText(painter);
        PaintMargin(painter, view, widget);
        PaintOverlays(painter, view);
    }
    QTemporaryDir dir;
    QObject context;
    QtPlatform platform;
    CommandRouter router;
    QtFontFactory fonts;
    RecentFileList recent;
    CHemlowHTMLDoc document;
    CHemlowHTMLView view;
    ViewInput input;
    EditWidget widget;
    QImage image;
};

void BM_PaintScreenAtRandomPlace(benchmark::State& state) {
    Editor editor(static_cast<std::size_t>(state.range(0)), false);
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
    Editor editor(static_cast<std::size_t>(state.range(0)), true);
    editor.view.control().lineScroll(0, editor.view.control().lineCount() / 2);
    for (auto _ : state) {
        editor.view.control().moveCaret(CaretMove::PageDown, false);
        editor.paint();
    }
}
BENCHMARK(BM_PageDownWithLineNumbers)->Arg(10 * 1024)->Arg(100 << 20)->Unit(benchmark::kMicrosecond);

// The whole path of one typed character: the control, its notifications, the
// undo record, the after-change step, the status indicators, the enable rules
// of the HTML toolbar that the idle update asks, and a repaint.
void BM_TypeOneCharacterWholePath(benchmark::State& state) {
    Editor editor(static_cast<std::size_t>(state.range(0)), true);
    std::mt19937 random(3);
    const int length = editor.view.control().length();
    std::vector<double> micros;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const int at = static_cast<int>(random() % length);
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
BENCHMARK(BM_TypeOneCharacterWholePath)->Arg(10 * 1024)->Arg(100 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
