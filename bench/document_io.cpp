// Loading and saving a 100 MB file with UNIX line ends, from a warm page cache,
// and the two line-end conversions on their own.
//
// Times are wall-clock times. Counters: bytes_per_second of the file's bytes; for the load also
// peak_memory_per_file_byte, the most the resident memory rose above its level
// before the load, divided by the file's size (the text itself is about 1.02).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>

#include "document/FileIO.h"

namespace {

constexpr std::size_t kFileSize = std::size_t{100} << 20;

// Lines of mark-up of 0 to 120 characters, each ended by LF, written in blocks.
std::string writeUnixFile(const std::string& path) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> lineLength(0, 120);
    const std::string markup = "<div class=\"entry\"><a href=\"index.html#top\">Tagloom</a> &amp; friends</div>  ";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string block;
    for (std::size_t written = 0; written < kFileSize;) {
        block.clear();
        while (block.size() < (std::size_t{1} << 20)) {
            const auto n = static_cast<std::size_t>(lineLength(random));
            for (std::size_t i = 0; i < n; ++i) block += markup[(written + i) % markup.size()];
            block += '\n';
        }
        block.resize(std::min(block.size(), kFileSize - written));
        out << block;
        written += block.size();
    }
    return path;
}

struct Workspace {
    QTemporaryDir folder;
    std::string unixFile = writeUnixFile(folder.filePath("large.html").toStdString());
    // A folder in memory, where a save's final flush to the disk costs nothing.
    QTemporaryDir memoryFolder{"/dev/shm/tagloom-bench-XXXXXX"};
};

Workspace& workspace() {
    static Workspace instance;
    return instance;
}

// A line of /proc/self/status in bytes ("VmRSS", "VmHWM").
long long statusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(key + ":")) return std::stoll(line.substr(key.size() + 1)) * 1024;
    return 0;
}

// Starts the resident memory's high-water mark afresh at its current level.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_LoadUnixFile(benchmark::State& state) {
    const std::string& path = workspace().unixFile;
    tagloom::readTextFile(path);  // the page cache holds the file from here on
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakMemory();
        const long long before = statusBytes("VmRSS");
        state.ResumeTiming();
        const tagloom::ReadResult result = tagloom::readTextFile(path);
        benchmark::DoNotOptimize(result.loaded.text.data());
        state.PauseTiming();
        if (!result.ok) state.SkipWithError(result.error.c_str());
        peak = std::max(peak, static_cast<double>(statusBytes("VmHWM") - before) / kFileSize);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
    state.counters["peak_memory_per_file_byte"] = peak;
}

void saveUnixFile(benchmark::State& state, const QTemporaryDir& folder) {
    if (!folder.isValid()) return state.SkipWithError("no such folder");
    const std::string path = folder.filePath("saved.html").toStdString();
    const tagloom::ReadResult loaded = tagloom::readTextFile(workspace().unixFile);
    for (auto _ : state) {
        const tagloom::WriteResult result = tagloom::writeTextFile(path, loaded.loaded.text, loaded.loaded.bUnixFile);
        if (!result.ok) state.SkipWithError(result.error.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

// The save as the editor does it, down to the disk.
void BM_SaveUnixFile(benchmark::State& state) { saveUnixFile(state, workspace().folder); }

// The same without the disk: the work of the save itself.
void BM_SaveUnixFileInMemory(benchmark::State& state) { saveUnixFile(state, workspace().memoryFolder); }

void BM_ConvertForEditing(benchmark::State& state) {
    std::ifstream in(workspace().unixFile, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state) benchmark::DoNotOptimize(tagloom::toEditorText(file).text.data());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_ConvertForFile(benchmark::State& state) {
    const std::string text = tagloom::readTextFile(workspace().unixFile).loaded.text;
    std::size_t written = 0;
    for (auto _ : state)
        tagloom::writeFileBytes(text, true, [&written](std::string_view block) {
            written += block.size();
            return true;
        });
    benchmark::DoNotOptimize(written);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

}  // namespace

BENCHMARK(BM_LoadUnixFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveUnixFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveUnixFileInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertForEditing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertForFile)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
