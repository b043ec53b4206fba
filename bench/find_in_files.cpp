// Find in Files from a script beside the tools a user would reach for: each
// benchmark runs one whole process on seeded, generated trees of HTML-like
// pages, with its output written to a file:
//   tagloom-cli find-in-files --find TEXT --spec '*' --depth N FOLDER
//   rg -F -b -o -j2 TEXT FOLDER          (ripgrep on two threads)
//   grep -r -F -b -o TEXT FOLDER
// on (a) 5,000 pages of about 60 KB (300 MB) in four levels of folders,
// (b) 50,000 pages of about 10 KB (500 MB) in four levels, and (c) one page
// of 2 GB (skipped when the disk has no room for it). The find text occurs a
// few times in every page, some of the occurrences overlapping.
//
// Beside them, the editor's window during a search of tree (a): the longest
// time its events waited while the search ran on its worker.
//
// The counts differ by design: rg -o and grep -o report an occurrence only
// where the previous one ended, while Find in Files lists overlapping
// occurrences too ("anana" twice in "bananana"); and rg leaves out hidden and
// ignored files, which the trees do not have. The counter "peak_MB" is the
// largest resident size of the process, read when it exits.
//
//   bench_find_in_files [--keep-data] [benchmark flags]
//
// The trees are written under $TMPDIR/tagloom-bench-find-in-files and removed
// at the end; with --keep-data they stay, and later runs with --keep-data use
// them again. The 2 GB page is always removed.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "search/qt/FindInFilesWindows.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFindText = "anana";
constexpr int kDataVersion = 2;  // raise when the generated data changes
constexpr std::uint64_t kLargePageBytes = std::uint64_t{2} << 30;
bool keepData = false;

fs::path dataRoot() { return fs::temp_directory_path() / "tagloom-bench-find-in-files"; }

// HTML-like lines of mark-up and words; about one word in 1,200 is "bananas"
// and one in 12,000 "bananana" (two overlapping occurrences of the find text).
std::string corpus(std::size_t bytes, unsigned seed) {
    static const std::array<const char*, 24> words = {
        "the",    "page",  "site",    "menu",   "item",    "list",   "link",  "text",
        "table",  "cell",  "header",  "footer", "content", "main",   "nav",   "style",
        "script", "value", "title",   "image",  "caption", "banner", "panel", "and"};
    static const std::array<const char*, 8> tags = {"div", "p", "span", "li", "td", "a", "h2", "section"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> word(0, words.size() - 1), tag(0, tags.size() - 1), count(3, 14),
        depth(0, 6), planted(0, 11999);
    std::string text;
    text.reserve(bytes + 256);
    while (text.size() < bytes) {
        const char* name = tags[tag(random)];
        text.append(static_cast<std::size_t>(depth(random)), '\t');
        text.append("<").append(name).append(" class=\"").append(words[word(random)]).append("-");
        text.append(std::to_string(word(random))).append("\">");
        for (int i = count(random); i > 0; --i) {
            const int chance = planted(random);
            text.append(chance == 0 ? "bananana" : chance < 10 ? "bananas" : words[word(random)]).append(" ");
        }
        text.append("</").append(name).append(">\n");
    }
    text.resize(bytes);
    return text;
}

struct TreeShape {
    const char* name;
    int files;
    std::size_t meanBytes;
    int levels;     // of sub-folders
    int branching;  // sub-folders per folder
};

constexpr TreeShape kPages{"pages", 5000, 60 << 10, 3, 6};
constexpr TreeShape kSmallPages{"small_pages", 50000, 10 << 10, 3, 10};

struct Tree {
    fs::path folder;
    std::uint64_t bytes = 0;
    int levels = 0;
};

std::uint64_t writeTree(const TreeShape& shape, const fs::path& folder) {
    std::vector<fs::path> folders{folder};
    for (std::size_t begin = 0, level = 0; level < static_cast<std::size_t>(shape.levels); ++level) {
        const std::size_t end = folders.size();
        for (std::size_t i = begin; i < end; ++i)
            for (int b = 0; b < shape.branching; ++b) folders.push_back(folders[i] / ("folder" + std::to_string(b)));
        begin = end;
    }
    for (const fs::path& f : folders) fs::create_directories(f);
    const std::string text = corpus(16 << 20, 7);
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> length(shape.meanBytes / 5, shape.meanBytes * 9 / 5);
    std::uint64_t total = 0;
    for (int i = 0; i < shape.files; ++i) {
        const std::size_t size = std::min(length(random), text.size());
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size() - size)(random);
        const fs::path& folder = folders[static_cast<std::size_t>(i) % folders.size()];
        std::ofstream(folder / ("page" + std::to_string(i) + ".html"), std::ios::binary)
            .write(text.data() + at, static_cast<std::streamsize>(size));
        total += size;
    }
    return total;
}

// The tree of a shape, written once per run (or reused with --keep-data).
const Tree& tree(const TreeShape& shape) {
    static std::vector<std::pair<const TreeShape*, Tree>> trees;
    for (const auto& [made, t] : trees)
        if (made == &shape) return t;
    Tree t;
    t.folder = dataRoot() / shape.name;
    t.levels = shape.levels;
    const fs::path stamp = dataRoot() / (std::string(shape.name) + ".stamp");
    std::ifstream kept(stamp);
    int version = 0;
    if (keepData && kept >> version >> t.bytes && version == kDataVersion) {
        trees.emplace_back(&shape, t);
        return trees.back().second;
    }
    fs::remove_all(t.folder);
    t.bytes = writeTree(shape, t.folder);
    std::ofstream(stamp) << kDataVersion << ' ' << t.bytes << '\n';
    trees.emplace_back(&shape, t);
    return trees.back().second;
}

struct Run {
    int status = -1;
    long peakKilobytes = 0;
};

// The peak resident size of a stopped process, from /proc.
long peakKilobytesOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    return 0;
}

// Runs a program to its end, standard output to `output`, standard error
// discarded. The program is traced for one stop, at its exit, where its peak
// resident size is read. (What wait4 reports for a child counts the size of
// the process that started it too, as exec keeps that high-water mark; it
// stands in only when tracing is not allowed.)
Run runProgram(std::vector<std::string> args, const fs::path& output) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int discard = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, 1);
        ::dup2(discard, 2);
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out);
    ::close(discard);
    Run run;
    if (pid < 0) return run;
    int status = 0;
    struct rusage usage {};
    long traced = 0;
    for (;;) {
        ::wait4(pid, &status, 0, &usage);
        if (!WIFSTOPPED(status)) break;
        const int event = status >> 16;
        int signal = 0;
        if (WSTOPSIG(status) == SIGTRAP && event == 0) {  // the stop at exec
            ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
        } else if (WSTOPSIG(status) == SIGTRAP && event == PTRACE_EVENT_EXIT) {
            traced = peakKilobytesOf(pid);
        } else {
            signal = WSTOPSIG(status);  // delivered as it would be untraced
        }
        ::ptrace(PTRACE_CONT, pid, nullptr, signal);
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKilobytes = traced > 0 ? traced : usage.ru_maxrss;
    return run;
}

bool onPath(const char* program) {
    return runProgram({"sh", "-c", std::string("command -v ") + program}, "/dev/null").status == 0;
}

std::string cliProgram() {
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "tagloom-cli").string();
}

enum class Tool { TagloomCli, Ripgrep, Grep };

std::vector<std::string> command(Tool tool, const fs::path& folder, int levels) {
    switch (tool) {
    case Tool::TagloomCli:
        return {cliProgram(), "find-in-files", "--find", kFindText, "--spec", "*", "--depth", std::to_string(levels),
                folder.string()};
    case Tool::Ripgrep: return {"rg", "-F", "-b", "-o", "-j2", kFindText, folder.string()};
    case Tool::Grep: return {"grep", "-r", "-F", "-b", "-o", kFindText, folder.string()};
    }
    return {};
}

// The hits a tool reported: lines of offsets for grep and rg, offsets for ours.
long hitsIn(Tool tool, const fs::path& output) {
    std::ifstream in(output, std::ios::binary);
    long hits = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (tool != Tool::TagloomCli) {
            ++hits;
        } else if (const auto dashes = line.rfind("  --  "); line.starts_with("  ") && dashes != std::string::npos) {
            hits += std::count(line.begin() + static_cast<long>(dashes) + 6, line.end(), ' ');
        }
    }
    return hits;
}

void search(benchmark::State& state, Tool tool, const fs::path& folder, int levels, std::uint64_t bytes) {
    if (tool == Tool::Ripgrep && !onPath("rg")) {
        state.SkipWithError("rg is not installed (apt-get install ripgrep)");
        return;
    }
    const fs::path output = dataRoot() / "output.txt";
    runProgram(command(tool, folder, levels), output);  // untimed: the files come from the page cache for all tools
    long peak = 0;
    for (auto _ : state) {
        const Run run = runProgram(command(tool, folder, levels), output);
        if (run.status != 0) {
            state.SkipWithError("the program failed");
            return;
        }
        peak = std::max(peak, run.peakKilobytes);
    }
    state.counters["hits"] = static_cast<double>(hitsIn(tool, output));
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    fs::remove(output);
}

void BM_SearchTree(benchmark::State& state, const TreeShape& shape, Tool tool) {
    const Tree& t = tree(shape);
    search(state, tool, t.folder, t.levels, t.bytes);
}

// One 2 GB page, written from the corpus block by block on first use, when
// the disk has room for it; main removes it at the end of the run.
const fs::path& largePageFolder() {
    static const fs::path folder = [] {
        constexpr std::uint64_t kBytes = kLargePageBytes;
        const fs::path made = dataRoot() / "large";
        fs::create_directories(made);
        struct statvfs disk {};
        if (::statvfs(made.c_str(), &disk) != 0 ||
            static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize < kBytes + (std::uint64_t{1} << 30))
            return fs::path();
        const std::string block = corpus(16 << 20, 13);
        std::ofstream out(made / "large.html", std::ios::binary);
        for (std::uint64_t written = 0; written < kBytes; written += block.size())
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        return out ? made : fs::path();
    }();
    return folder;
}

void BM_SearchOneLargeFile(benchmark::State& state, Tool tool) {
    const fs::path& folder = largePageFolder();
    if (folder.empty()) {
        state.SkipWithError("no room on the disk for a 2 GB file");
        return;
    }
    search(state, tool, folder, 0, kLargePageBytes);
}

// The editor's window during a search of the 300 MB tree: the search runs on
// a worker while the window polls it every 20 ms; the counter
// "longest_tick_gap_ms" is the longest time its events waited.
void BM_WindowDuringSearch(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench_find_in_files";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    const Tree& t = tree(kPages);
    tagloom::HeadlessPlatform headless(tagloom::Answer::No);
    tagloom::QtFindInFilesWindows windows(headless.platform(), nullptr);
    tagloom::FindInFilesRequest request;
    request.folder = t.folder.string() + "/";
    request.fileSpec = "*";
    request.findText = kFindText;
    request.depth = t.levels;
    long longest = 0;
    for (auto _ : state) {
        const tagloom::FindInFilesResult result = windows.search(request);
        if (result.outcome != tagloom::FindInFilesResult::Outcome::Found) state.SkipWithError("the search failed");
        longest = std::max<long>(longest, static_cast<long>(windows.longestTickGap().count()));
    }
    state.counters["longest_tick_gap_ms"] = static_cast<double>(longest);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.bytes));
}

void registerBenchmarks() {
    const std::pair<const char*, Tool> tools[] = {
        {"tagloom_cli", Tool::TagloomCli}, {"rg", Tool::Ripgrep}, {"grep", Tool::Grep}};
    for (const TreeShape* shape : {&kPages, &kSmallPages})
        for (const auto& [name, tool] : tools)
            benchmark::RegisterBenchmark(("BM_SearchTree/" + std::string(shape->name) + "_" + name).c_str(),
                                         BM_SearchTree, *shape, tool)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    benchmark::RegisterBenchmark("BM_WindowDuringSearch/pages", BM_WindowDuringSearch)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    for (const auto& [name, tool] : tools)
        benchmark::RegisterBenchmark(("BM_SearchOneLargeFile/" + std::string(name)).c_str(), BM_SearchOneLargeFile,
                                     tool)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keep-data") == 0)
            keepData = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    registerBenchmarks();
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(keepData ? dataRoot() / "large" : dataRoot());
    return 0;
}
