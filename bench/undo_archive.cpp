// Recording typed characters in the undo archive: the cost of a record must
// not depend on the document's size, and a record must stay small.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "platform/Clock.h"
#include "textmodel/EditControl.h"
#include "view/UndoArchive.h"

namespace {

using namespace tagloom;

class SteppingClock : public Clock {
public:
    std::int64_t nowMs() const override { return now += 150; }
    mutable std::int64_t now = 0;
};

// The control and the archive wired as the view wires them.
struct Recorder : EditObserver, UndoTarget {
    explicit Recorder(std::size_t bytes) : archive(*this, clock, {}) {
        control.setFontMetrics(std::make_unique<FixedPitchMetrics>(8, 16));
        control.setClientSize(800, 600);
        std::string text;
        text.reserve(bytes);
        while (text.size() < bytes) text += "<p>some text of a page</p>\r\n";
        control.adoptText(std::move(text));
        control.addObserver(*this);
        archive.ResetUndo();
    }
    void onChange(const TextChange& change) override {
        if (change.kind == TextChange::Kind::Insertion)
            archive.recordInsertion(change.position, change.text);
        else
            archive.recordRemoval(change.position, std::string(change.text));
    }
    Selection selection() const override { return control.selection(); }
    void setSelection(int s, int e) override { control.setSel(s, e); }
    void replaceSelection(std::string_view t) override { control.replaceSel(t); }
    char charAt(int offset) const override { return control.charAt(offset); }
    ViewPlace place() const override { return {control.anchor(), control.caret(), control.firstVisibleLine()}; }
    void restorePlace(const ViewPlace& place) override { control.setSel(place.anchor, place.caret); }

    SteppingClock clock;
    EditControl control;
    UndoArchive archive;
};

void BM_RecordTypedCharacters(benchmark::State& state) {
    Recorder recorder(static_cast<std::size_t>(state.range(0)));
    std::mt19937 random(5);
    int typed = 0;
    for (auto _ : state) {
        const int at = static_cast<int>(random() % recorder.control.length());
        recorder.control.setSel(at, at);
        recorder.control.typeText("x");
        ++typed;
    }
    state.counters["bytes_per_record"] =
        static_cast<double>(recorder.archive.memoryUsage()) / std::max<std::size_t>(1, recorder.archive.undoTexts.size());
    state.counters["records"] = static_cast<double>(recorder.archive.undoTexts.size());
}
BENCHMARK(BM_RecordTypedCharacters)->Arg(10 * 1024)->Arg(100 << 20)->Iterations(10000);

}  // namespace

BENCHMARK_MAIN();
