// Replace across a site from a script: 100,000 occurrences in 1,000 pages of
// about 10 KB (10 MB in all), rewritten in place. tagloom-cli replace -i and
// sed -i run on the same files in the same run, each as a whole process, the
// pages written afresh before every iteration (outside the timing). A third
// figure is the editor's Replace All on the same texts in memory.
//
//   bench_replace_files [benchmark flags]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/LineEnds.h"
#include "search/BatchReplace.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace tagloom;

constexpr int kFiles = 1000;
constexpr int kOccurrencesPerFile = 100;
constexpr const char* kOld = "old-footer";
constexpr const char* kNew = "site-footer";

// A page of about 10 KB: lines of mark-up, each with one occurrence, LF line ends.
std::string page(int index) {
    std::string text = "<!DOCTYPE html>\n<html><head><title>Page " + std::to_string(index) + "</title></head><body>\n";
    for (int i = 0; i < kOccurrencesPerFile; ++i)
        text += "<div class=\"old-footer\"><a href=\"page" + std::to_string(i) +
                ".html\">a link to another page of the site</a> and some text</div>\n";
    text += "</body></html>\n";
    return text;
}

class Site {
public:
    Site() : dir_(fs::temp_directory_path() / "tagloom-bench-replace") {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (int i = 0; i < kFiles; ++i) {
            pages_.push_back(page(i));
            paths_.push_back((dir_ / ("page" + std::to_string(i) + ".html")).string());
        }
    }
    ~Site() { fs::remove_all(dir_); }

    void writePages() const {
        for (int i = 0; i < kFiles; ++i) std::ofstream(paths_[i], std::ios::binary | std::ios::trunc) << pages_[i];
    }
    // The occurrences of the new text in all pages.
    long replaced() const {
        long count = 0;
        for (const std::string& path : paths_) {
            std::ifstream in(path, std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            for (auto at = text.find(kNew); at != std::string::npos; at = text.find(kNew, at + 1)) ++count;
        }
        return count;
    }
    std::size_t bytes() const {
        std::size_t total = 0;
        for (const std::string& text : pages_) total += text.size();
        return total;
    }
    const std::vector<std::string>& pages() const { return pages_; }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    fs::path dir_;
    std::vector<std::string> pages_;
    std::vector<std::string> paths_;
};

const Site& site() {
    static const Site s;
    return s;
}

// Runs a program to its end with standard output and error discarded; its exit status.
int runProgram(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void replaceInPlace(benchmark::State& state, std::vector<std::string> command) {
    const Site& s = site();
    command.insert(command.end(), s.paths().begin(), s.paths().end());
    for (auto _ : state) {
        state.PauseTiming();
        s.writePages();
        state.ResumeTiming();
        if (runProgram(command) != 0) {
            state.SkipWithError("the program failed");
            return;
        }
    }
    const long replaced = s.replaced();
    if (replaced != long{kFiles} * kOccurrencesPerFile) state.SkipWithError("not every occurrence was replaced");
    state.counters["replacements"] = static_cast<double>(replaced);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.bytes()));
}

std::string cliProgram() {
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "tagloom-cli").string();
}

void BM_TagloomCliReplaceInPlace(benchmark::State& state) {
    replaceInPlace(state, {cliProgram(), "replace", "--find", kOld, "--with", kNew, "-i"});
}

void BM_SedInPlace(benchmark::State& state) {
    replaceInPlace(state, {"sed", "-i", std::string("s/") + kOld + "/" + kNew + "/g"});
}

void BM_ReplaceAllInMemory(benchmark::State& state) {
    std::vector<std::string> texts;
    for (const std::string& bytes : site().pages()) texts.push_back(toEditorText(bytes).text);
    ReplaceOrder order;
    order.findText = kOld;
    order.replaceText = kNew;
    long replaced = 0;
    for (auto _ : state) {
        replaced = 0;
        for (const std::string& text : texts) replaced += replaceAllInText(text, order).replacements;
    }
    state.counters["replacements"] = static_cast<double>(replaced);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * site().bytes()));
}

}  // namespace

BENCHMARK(BM_TagloomCliReplaceInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SedInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReplaceAllInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
