#pragma once
// A whole editor for the benchmarks, offscreen: the Qt platform with every
// question answered No (the last one kept), every value asked for taken from `entered`, and
// queued calls kept for the benchmark to run, the
// document, the view, and its widget at 100 x 50 characters; words wrap
// where asked.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <string>

#include "commands/CommandRouter.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/RecentFileList.h"
#include "platform/qt/QtPlatform.h"
#include "textmodel/qt/EditWidget.h"
#include "view/CHemlowHTMLView.h"
#include "view/qt/QtFontFactory.h"
#include "view/qt/ViewInput.h"
#include "view/qt/ViewPainter.h"

namespace tagloom {

class AnswerNo : public Prompter {
public:
    Answer ask(const Message& message) override {
        lastText = message.text;
        return Answer::No;
    }
    std::string lastText;   // of the last question asked
};

class EnteredValue : public TextDialogs {
public:
    std::optional<std::string> enterValue(const ValueEntry&) override { return value; }
    void showText(TextView, const std::string&, const std::string&) override {}
    std::string value;
};

class KeptCalls : public UiQueue {
public:
    void post(std::function<void()> call) override { calls.push_back(std::move(call)); }
    // Runs the oldest call; false when there is none.
    bool runOne() {
        if (calls.empty()) return false;
        auto call = std::move(calls.front());
        calls.pop_front();
        call();
        return true;
    }
    void runAll() {
        while (runOne()) {
        }
    }
    std::deque<std::function<void()>> calls;
};

struct BenchEditor {
    BenchEditor(std::string text, bool lineNumbers, bool wordWrap = false)
        : qt(&context, [] { return nullptr; },
             std::make_unique<QtSettingsStore>(dir.filePath(QStringLiteral("bench.conf")))),
          platform{prompter,   qt.platform().desktop, qt.platform().clipboard, qt.platform().launcher,
                   qt.platform().fileDialogs, qt.platform().printDialogs, qt.platform().clock,
                   queue,      qt.platform().settings, entered},
          recent(0),
          document(platform, recent),
          view(platform, router, fonts, document),
          input(view),
          widget(view.control(), input) {
        document.attachView(&view);
        widget.setMarker([this](int from, int to, std::vector<Selection>& marked) {
            MarkedStretches(view, from, to, marked);
        });
        view.settings().bWrap = wordWrap;
        view.settings().bShowLineNum = lineNumbers;
        view.control().setWordWrap(wordWrap);
        LoadedText loaded;
        loaded.text = std::move(text);
        view.adoptLoadedText(std::move(loaded));
        view.initialUpdate();
        const int width = 100 * view.charWidth() + 60, height = 50 * view.lineHeight();
        widget.resize(width, height);
        view.OnSize(width, height);
        image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        queue.runAll();
    }
    ~BenchEditor() { document.attachView(nullptr); }
    void paint() {
        QPainter painter(&image);
        widget.paintText(painter);
        PaintMargin(painter, view, widget);
        PaintOverlays(painter, view);
    }
    QTemporaryDir dir;
    QObject context;
    QtPlatform qt;
    AnswerNo prompter;
    EnteredValue entered;
    KeptCalls queue;
    Platform platform;
    CommandRouter router;
    QtFontFactory fonts;
    RecentFileList recent;
    CHemlowHTMLDoc document;
    CHemlowHTMLView view;
    ViewInput input;
    EditWidget widget;
    QImage image;
};

}  // namespace tagloom

// The main of a benchmark program that needs a QApplication, offscreen.
#define TAGLOOM_BENCHMARK_MAIN_OFFSCREEN()                   \
    int main(int argc, char** argv) {                        \
        qputenv("QT_QPA_PLATFORM", "offscreen");             \
        QApplication app(argc, argv);                        \
        benchmark::Initialize(&argc, argv);                  \
        benchmark::RunSpecifiedBenchmarks();                 \
        benchmark::Shutdown();                               \
        return 0;                                            \
    }
