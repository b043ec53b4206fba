// Golden cases: each folder of golden/ holds an input file and the file the
// editor saves after opening it and running one command on the whole text
// (input.html: HTML Format; input.css: CSS Format).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "document/LineEnds.h"
#include "html/HtmlFormatter.h"
#include "html/TextTools.h"

namespace tagloom {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(TAGLOOM_SOURCE_DIR) / "tests" / "html" / "golden";

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the editor saves after opening these bytes and running the command.
std::string openRunAndSave(const std::string& file, bool css) {
    const LoadedText loaded = toEditorText(file);
    std::string text;
    if (css) {
        text = runTextTool(TextTool::CssFormat, loaded.text, {}).text;
    } else {
        const HtmlFormatResult result = HtmlFormatter().format(loaded.text);
        EXPECT_EQ(result.outcome, HtmlFormatResult::Outcome::Formatted);
        text = result.text;
    }
    std::string saved;
    writeFileBytes(text, loaded.bUnixFile, [&saved](std::string_view bytes) {
        saved += bytes;
        return true;
    });
    return saved;
}

TEST(HtmlGolden, everyCaseSavesExactlyTheExpectedBytes) {
    int cases = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kGoldenDir)) {
        const bool css = fs::exists(entry.path() / "input.css");
        const std::string extension = css ? ".css" : ".html";
        const fs::path input = entry.path() / ("input" + extension);
        const fs::path expected = entry.path() / ("expected" + extension);
        ASSERT_TRUE(fs::exists(input) && fs::exists(expected)) << entry.path();
        EXPECT_EQ(openRunAndSave(readBytes(input), css), readBytes(expected)) << entry.path().filename();
        ++cases;
    }
    EXPECT_GE(cases, 8);
}

TEST(HtmlGolden, theRealisticPageHasTwoThousandLinesAndKeepsItsLineEndForm) {
    const std::string page = readBytes(kGoldenDir / "realistic-page" / "input.html");
    EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 2000);
    const std::string saved = openRunAndSave(page, false);
    EXPECT_EQ(saved.find('\r'), std::string::npos);  // a UNIX file stays one

    // The same page as a DOS file comes back with CR LF and otherwise the same bytes.
    std::string dosPage;
    for (const char c : page) dosPage += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string dosExpected;
    for (const char c : saved) dosExpected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(openRunAndSave(dosPage, false), dosExpected);
}

}  // namespace
}  // namespace tagloom
