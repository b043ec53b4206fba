#pragma once
// The real pages the syntax tests lex: the fuzzers' shared pages and the
// formatter's golden inputs.
#include "support/TestFiles.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tagloom {

struct RealPage {
    std::string name;
    std::string text;
};

inline std::vector<RealPage> realPages() {
    namespace fs = std::filesystem;
    const fs::path root(TAGLOOM_SOURCE_DIR);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(root / "tests" / "fuzz" / "corpus" / "pages"))
        files.push_back(entry.path());
    for (const auto& entry : fs::directory_iterator(root / "tests" / "html" / "golden"))
        files.push_back(entry.path() / "input.html");
    std::sort(files.begin(), files.end());
    std::vector<RealPage> pages;
    for (const fs::path& file : files) pages.push_back({file.parent_path().filename().string() + "/" +
                                                            file.filename().string(),
                                                        test::readRawFile(file.string())});
    return pages;
}

}  // namespace tagloom
