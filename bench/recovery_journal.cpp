// What keeping unsaved text safe costs:
// - a key typed into a 100 MB text with the recovery journal following the
//   edits and without it (the time per key of both; the journal writes only
//   when its timer flushes, here after every 100 keys, as a second of typing,
//   and that write is not counted). The whole path of a key, journal
//   included, is BM_TypeOneCharacterWholePath of bench_paint_screen;
// - the journal bytes 1,000 keys leave on disk (journal_kb);
// - the check of a 1 GB file's identity, which tells whether another program
//   changed it: one stat, whatever the size.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "document/FileIdentity.h"
#include "document/RecoveryJournal.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextMetrics.h"

namespace {

using namespace tagloom;

constexpr std::size_t kMB = 1024 * 1024;

class NoPrompts : public Prompter {
public:
    Answer ask(const Message&) override { return Answer::Ok; }
};

class StillClock : public Clock {
public:
    std::int64_t nowMs() const override { return 0; }
};

std::string page(std::size_t size) {
    std::string text;
    text.reserve(size + 64);
    while (text.size() < size) text += "<tr><td class=\"cell\">some text of the page</td></tr>\r\n";
    return text;
}

void BM_KeyInto100MB(benchmark::State& state) {
    const bool journaled = state.range(0) != 0;
    QTemporaryDir folder;
    EditControl control;
    control.setFontMetrics(std::make_unique<FixedPitchMetrics>(8, 16));
    control.setClientSize(800, 600);
    control.adoptText(page(100 * kMB));
    NoPrompts prompts;
    StillClock clock;
    std::optional<RecoveryJournal> journal;
    if (journaled) {
        journal.emplace(control, prompts, clock, folder.filePath("recovery").toStdString());
        journal->setBase({}, RecoveryJournal::Base::Loaded);
        journal->settle();
    }
    control.setSel(50 * kMB, 50 * kMB);
    int typed = 0;
    for (auto _ : state) {
        control.typeText("x");
        control.setModify(true);
        if (++typed % 100 == 0) {
            state.PauseTiming();
            if (journal) journal->flush();
            state.ResumeTiming();
        }
    }
    if (journal) {
        journal->flush();
        struct stat status {};
        if (journal->file() && ::stat(journal->file()->path().c_str(), &status) == 0)
            state.counters["journal_kb_per_1000_keys"] = static_cast<double>(status.st_size) / 1024.0 * 1000.0 / typed;
    }
}
BENCHMARK(BM_KeyInto100MB)->ArgName("journal")->Arg(0)->Arg(1)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_IdentityOf1GB(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("big.sql").toStdString();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(1024 * kMB)) != 0) state.SkipWithError("no 1 GB file");
    ::close(fd);
    for (auto _ : state) benchmark::DoNotOptimize(fileIdentity(path));
}
BENCHMARK(BM_IdentityOf1GB)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
