#pragma once
// The arguments this program was started with, readable before main runs: a
// test program can double as a helper process that a test starts.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tagloom::test {

inline std::vector<std::string> ownArguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::size_t start = 0;
    for (std::size_t end; (end = all.find('\0', start)) != std::string::npos; start = end + 1)
        arguments.push_back(all.substr(start, end - start));
    return arguments;
}

}  // namespace tagloom::test
