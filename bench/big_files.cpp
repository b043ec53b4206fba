// Opening and saving large pages as the editor does, with its default
// settings (words wrap, no line numbers): the document reads the
// file, the view takes the text, its first update runs with the toolbar and
// status-bar questions of the window's first idle moment, and the widget
// paints its first screen. From a warm page cache.
//
// The pages are generated once, in the build folder: 100 MB and 1 GB of
// mark-up lines of 0 to 70 characters ended by LF (the 1 GB page has about
// 30 M lines), 10 M empty lines, and one line of 100 MB.
//
// Open: the wall-clock time, and peak_MB, the most the resident memory rose
// above its level before the open; peak_per_file_byte is that peak divided by
// the file's size, process_peak_MB the process's whole high-water mark. The
// ratio benchmark gives the 1 GB open's time over the 100 MB one's. The first
// open of each page is timed apart, as first_open_ms: on a virtual machine
// the system hands out memory it has not used lately several times slower
// (about 2 ms a megabyte where this was written, against 0.1 ms), a cost of
// the machine that the first open pays and the ones after it do not.
// Save: an edit near the start and one at the end of the 1 GB page, then Save;
// each round also copies the page with cp and puts the copy on the disk with
// fsync, in the same folder and the same way (see copyAndSync), the copy first
// in every other round, as the one that comes second finds the memory of the
// file the first replaced; the counters give both times, their ratio and the
// save's peak memory above its level before. The saved page is removed at
// the end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "BenchEditor.h"
#include "resources/CommandIds.h"
#include "resources/Resources.h"
#include "search/FindEngine.h"

namespace {

using tagloom::BenchEditor;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMB = std::size_t{1} << 20;

std::string dataFolder() {
    std::filesystem::create_directories(TAGLOOM_BENCH_DATA_DIR);
    return TAGLOOM_BENCH_DATA_DIR;
}

// Writes a page of `size` bytes from `fill` (which appends about a block's
// worth each call) and `tail` at its end, unless it is there already; a page
// cut short by an interrupted run is written again, as it only takes its name
// when whole.
template <class Fill>
std::string page(const std::string& name, std::size_t size, Fill&& fill, std::string_view tail = {}) {
    const std::string path = dataFolder() + "/" + name;
    std::error_code error;
    if (std::filesystem::file_size(path, error) == size && !error) return path;
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        std::string block;
        const std::size_t body = size - tail.size();
        for (std::size_t written = 0; written < body;) {
            block.clear();
            fill(block, written);
            block.resize(std::min(block.size(), body - written));
            out << block;
            written += block.size();
        }
        out << tail;
    }
    std::filesystem::rename(partial, path);
    return path;
}

// An HTML page of mark-up lines of 0 to 70 bytes with LF line ends, an
// accented letter now and then (never cut by a line end).
std::string markupPage(const std::string& name, std::size_t size) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> lineLength(0, 70);
    const std::string markup = "<div class=\"entry\"><a href=\"caf\xC3\xA9.html#top\">Tagloom</a> &amp; friends</div>  ";
    std::size_t at = 0;
    const auto fill = [&](std::string& block, std::size_t written) {
        if (written == 0) block += "<!DOCTYPE html>\n<html>\n";
        while (block.size() < kMB) {
            const auto n = static_cast<std::size_t>(lineLength(random));
            for (std::size_t i = 0; i < n || (markup[at] & 0xC0) == 0x80; ++i, at = (at + 1) % markup.size())
                block += markup[at];
            block += '\n';
        }
    };
    return page(name, size, fill, "</html>\n");
}

const std::string& page100MB() {
    static const std::string path = markupPage("page-100MB.html", 100 * kMB);
    return path;
}
const std::string& page1GB() {
    static const std::string path = markupPage("page-1GB.html", 1024 * kMB);
    return path;
}
const std::string& emptyLines() {
    static const std::string path =
        page("empty-lines-10M.txt", 10'000'000, [](std::string& block, std::size_t) { block.append(kMB, '\n'); });
    return path;
}
const std::string& singleLine() {
    static const std::string path = page("single-line-100MB.html", 100 * kMB, [](std::string& block, std::size_t) {
        while (block.size() < kMB) block += "<span class=\"x\">one line</span>";
    });
    return path;
}

long long statusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(key + ":")) return std::stoll(line.substr(key.size() + 1)) * 1024;
    return 0;
}

// Starts the resident memory's high-water mark afresh at its current level.
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

std::size_t fileSize(const std::string& path) { return std::filesystem::file_size(path); }

// Reads the file once, so that it is in the page cache.
void warm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string block(kMB, '\0');
    while (in.read(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
}

// The editor's first idle moment after the open: the queued calls, the
// toolbars' and the status bar's questions, and the first paint.
void settle(BenchEditor& editor) {
    editor.queue.runAll();
    QCoreApplication::processEvents();
    for (const tagloom::res::ToolbarSpec& bar : tagloom::res::toolbars())
        for (const int id : bar.buttons)
            if (id != 0) benchmark::DoNotOptimize(editor.router.query(id));
    for (const tagloom::res::StatusPane& pane : tagloom::res::statusPanes())
        if (pane.id != 0) benchmark::DoNotOptimize(editor.router.query(pane.id));
    editor.paint();
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct OpenFigures {
    double seconds = 0;
};
std::map<std::string, OpenFigures>& openFigures() {
    static std::map<std::string, OpenFigures> figures;
    return figures;
}

void open(benchmark::State& state, const std::string& name, const std::string& path) {
    const double size = static_cast<double>(fileSize(path));
    warm(path);
    double peak = 0, processPeak = 0, total = 0;
    // One open as the editor makes it: its time, and the peak memory noted.
    const auto openOnce = [&] {
        auto editor = std::make_unique<BenchEditor>(std::string(), false, true);
        malloc_trim(0);
        resetPeakMemory();
        const long long before = statusBytes("VmRSS");
        const auto start = Clock::now();
        if (!editor->document.OpenDocumentFile(path)) state.SkipWithError("the page did not open");
        settle(*editor);
        const double elapsed = seconds(Clock::now() - start);
        const long long high = statusBytes("VmHWM");
        peak = std::max(peak, static_cast<double>(high - before));
        processPeak = std::max(processPeak, static_cast<double>(high));
        editor.reset();
        malloc_trim(0);
        return elapsed;
    };
    const double first = openOnce();
    for (auto _ : state) {
        const double elapsed = openOnce();
        state.SetIterationTime(elapsed);
        total += elapsed;
    }
    openFigures()[name].seconds = total / static_cast<double>(state.iterations());
    state.counters["first_open_ms"] = first * 1e3;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["peak_MB"] = peak / kMB;
    state.counters["peak_per_file_byte"] = peak / size;
    state.counters["process_peak_MB"] = processPeak / kMB;
}

void BM_Open100MB(benchmark::State& state) { open(state, "100MB", page100MB()); }
void BM_Open1GB(benchmark::State& state) { open(state, "1GB", page1GB()); }
void BM_Open10MEmptyLines(benchmark::State& state) { open(state, "empty", emptyLines()); }
void BM_Open100MBSingleLine(benchmark::State& state) { open(state, "single", singleLine()); }

void BM_OpenRatio1GBTo100MB(benchmark::State& state) {
    const auto& figures = openFigures();
    if (!figures.contains("100MB") || !figures.contains("1GB"))
        return state.SkipWithError("runs after BM_Open100MB and BM_Open1GB only");
    for (auto _ : state) state.SetIterationTime(figures.at("1GB").seconds);
    state.counters["ratio"] = figures.at("1GB").seconds / figures.at("100MB").seconds;
}

// cp of the page to a new file beside the copy left by the round before,
// then fsync, and the new file renamed over the old one: the file's pages
// go through the page cache as a save's do, which writes a new file and
// renames it over the old (cp over the old file would reuse its pages).
double copyAndSync(const std::string& from, const std::string& to) {
    const std::string fresh = to + ".new";
    const auto start = Clock::now();
    const std::string command = "cp '" + from + "' '" + fresh + "'";
    if (std::system(command.c_str()) != 0) return -1;
    const int fd = ::open(fresh.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) return -1;
    ::close(fd);
    std::filesystem::rename(fresh, to);
    return seconds(Clock::now() - start);
}

void BM_Save1GBAfterEdit(benchmark::State& state) {
    const std::string& source = page1GB();
    const std::string work = dataFolder() + "/saved-1GB.html";
    const std::string copy = dataFolder() + "/copied-1GB.html";
    std::filesystem::copy_file(source, work, std::filesystem::copy_options::overwrite_existing);
    warm(source);
    BenchEditor editor(std::string(), false, true);
    if (!editor.document.OpenDocumentFile(work)) return state.SkipWithError("the page did not open");
    settle(editor);
    tagloom::EditControl& control = editor.view.control();
    double peak = 0, saveTotal = 0, copyTotal = 0;
    const auto copyRound = [&] {
        const double copied = copyAndSync(source, copy);
        if (copied < 0) state.SkipWithError("cp and fsync failed");
        copyTotal += copied;
    };
    bool copyFirst = false;
    for (auto _ : state) {
        control.setSel(40, 40);
        control.typeText("<p>edited</p>");
        control.setSel(control.length(), control.length());
        control.typeText("\r\n<!-- end -->");
        if (copyFirst) copyRound();
        malloc_trim(0);
        resetPeakMemory();
        const long long before = statusBytes("VmRSS");
        const auto start = Clock::now();
        editor.document.Save();
        const double saved = seconds(Clock::now() - start);
        peak = std::max(peak, static_cast<double>(statusBytes("VmHWM") - before));
        if (editor.document.IsModified()) state.SkipWithError("the save failed");
        if (!copyFirst) copyRound();
        copyFirst = !copyFirst;
        state.SetIterationTime(saved);
        saveTotal += saved;
    }
    std::filesystem::remove(copy);
    std::filesystem::remove(work);
    const auto n = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize(source)));
    state.counters["save_s"] = saveTotal / n;
    state.counters["cp_fsync_s"] = copyTotal / n;
    state.counters["save_per_cp_fsync"] = saveTotal / copyTotal;
    state.counters["save_peak_MB"] = peak / kMB;
}

// Whole-text commands on the 1 GB page after an edit near its start and one
// at its end: Mark All's count, Find Next from the start to a word at the
// end, Go to Offset near the end, Ctrl+End, and Select All with Copy, which
// is refused (the clipboard takes up to 64 MB). Counters: each one's time and
// the most the resident memory rose above its level before it.
void BM_WholeTextCommands1GB(benchmark::State& state) {
    const std::string& path = page1GB();
    warm(path);
    BenchEditor editor(std::string(), false, true);
    if (!editor.document.OpenDocumentFile(path)) return state.SkipWithError("the page did not open");
    settle(editor);
    tagloom::EditControl& control = editor.view.control();
    control.setSel(40, 40);
    control.typeText("<p>edited</p>");
    control.setSel(control.length(), control.length());
    control.typeText("\r\n<!-- needle -->");
    const auto find = [&](const char* text, int button) {
        tagloom::FindRequest request;
        request.findText = text;
        request.button = button;
        editor.view.find().request(request);
        editor.queue.runAll();
    };
    struct Command {
        const char* name;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"mark_all", [&] { find("friends", tagloom::FindRequest::kMarkAllOrReplaceAll); }},
        {"find_next_to_end",
         [&] {
             control.setSel(0, 0);
             find("needle", tagloom::FindRequest::kFindNext);
             if (control.selection().start < control.length() - 20) state.SkipWithError("the needle was not found");
         }},
        {"go_to_offset",
         [&] {
             editor.entered.value = std::to_string(control.length() - 100);
             editor.router.run(tagloom::cmd::GoToOffset);
         }},
        {"ctrl_end", [&] { control.moveCaret(tagloom::CaretMove::TextEnd, false); }},
        {"select_all_copy",
         [&] {
             editor.router.run(tagloom::cmd::SelectAll);
             editor.router.run(tagloom::cmd::Copy);
         }},
    };
    std::map<std::string, double> time, peak;
    double marked = 0;
    for (auto _ : state) {
        double total = 0;
        for (const Command& command : commands) {
            malloc_trim(0);
            resetPeakMemory();
            const long long before = statusBytes("VmRSS");
            const auto start = Clock::now();
            command.run();
            settle(editor);
            const double elapsed = seconds(Clock::now() - start);
            total += elapsed;
            time[command.name] += elapsed;
            peak[command.name] = std::max(peak[command.name], static_cast<double>(statusBytes("VmHWM") - before));
            // Mark All asks "Found N occurrences ..."
            if (command.name == std::string("mark_all")) marked = std::atof(editor.prompter.lastText.c_str() + 6);
        }
        state.SetIterationTime(total);
    }
    if (control.selection() != tagloom::Selection{0, control.length()}) state.SkipWithError("Select All did not select");
    if (!editor.prompter.lastText.starts_with("The selection is too large")) state.SkipWithError("Copy was not refused");
    state.counters["mark_all_count"] = marked;
    for (const Command& command : commands) {
        state.counters[std::string(command.name) + "_ms"] = time[command.name] * 1e3 / state.iterations();
        state.counters[std::string(command.name) + "_peak_MB"] = peak[command.name] / kMB;
    }
}

}  // namespace

BENCHMARK(BM_Open100MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_Open1GB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_OpenRatio1GBTo100MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_Open10MEmptyLines)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_Open100MBSingleLine)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_Save1GBAfterEdit)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);
BENCHMARK(BM_WholeTextCommands1GB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

// The editor's journals and caches go to a folder of the run's own.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", state.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
