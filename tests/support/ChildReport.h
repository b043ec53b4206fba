#pragma once
// Runs work in a child process (for limits or name spaces that must not touch
// the test program) and brings back the text it reports.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

namespace tagloom::test {

struct ChildReport {
    enum class Ending { Reported, Refused, Died };
    Ending ending = Ending::Died;
    std::string text;
};

// `prepare` runs first in the child; false there means the child could not be
// set up (the test should be skipped). `work` then gives the report.
inline ChildReport reportFromChild(const std::function<bool()>& prepare, const std::function<std::string()>& work) {
    constexpr int kRefused = 77;
    int channel[2];
    if (::pipe(channel) != 0) return {};
    const pid_t child = ::fork();
    if (child < 0) return {};
    if (child == 0) {
        ::close(channel[0]);
        if (!prepare()) ::_exit(kRefused);
        const std::string report = work();
        const bool sent = ::write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    ChildReport result;
    char block[512];
    for (ssize_t n; (n = ::read(channel[0], block, sizeof block)) > 0;) result.text.append(block, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kRefused)
        result.ending = ChildReport::Ending::Refused;
    else if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        result.ending = ChildReport::Ending::Reported;
    return result;
}

}  // namespace tagloom::test
