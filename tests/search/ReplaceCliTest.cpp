// tagloom-cli replace against the editor's own Replace dialog on the same
// bytes: the file opened, the caret at the start (the end searching up),
// Find Next, then Replace All with No to the question of going on, and the
// text saved. Both must give the expected bytes.
#include <gtest/gtest.h>

#include "document/LineEnds.h"
#include "search/BatchReplace.h"
#include "search/FindEngine.h"
#include "support/CliFixture.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::Cli;
using test::CliRun;
using test::readBytes;
namespace fs = std::filesystem;

struct Case {
    const char* name;
    std::string file;
    std::string find;  // as given on the command line
    std::string with;
    std::vector<std::string> options;
    std::string expected;
    int replacements;
};

bool has(const Case& c, const std::string& option) {
    return std::find(c.options.begin(), c.options.end(), option) != c.options.end();
}

// The editor, driven as a user drives the Replace dialog.
std::string replacedInEditor(const Case& c) {
    test::ViewFixture editor;
    const bool unixFile = toEditorText(c.file).bUnixFile;
    editor.load(c.file);
    const int caret = has(c, "--up") ? editor.control().length() : 0;
    editor.select(caret, caret);
    editor.fake.prompter.answers.assign(8, Answer::No);

    FindRequest request;
    request.findText = commandLineText(c.find);
    request.replaceText = commandLineText(c.with);
    request.bMatchCase = has(c, "--match-case");
    request.bWholeWord = has(c, "--whole-word");
    request.bFindDirection = has(c, "--up") ? 0 : 1;
    request.bMarkMode = 0;
    request.button = FindRequest::kFindNext;
    editor.view->find().request(request);
    editor.fake.uiQueue.drain();
    if (editor.view->find().bLastFindHit) {
        request.button = FindRequest::kMarkAllOrReplaceAll;
        editor.view->find().request(request);
        editor.fake.uiQueue.drain();
    }
    std::string saved;
    writeFileBytes(editor.text(), unixFile, [&](std::string_view bytes) {
        saved += bytes;
        return true;
    });
    return saved;
}

const std::vector<Case> kCases = {
    {"down", "a foo b foo\n", "foo", "bar", {}, "a bar b bar\n", 2},
    {"down, a hit is never searched again in what follows", "aaa", "aa", "b", {}, "ba", 1},
    {"up starts at the end", "aaa", "aa", "b", {"--up"}, "ab", 1},
    {"whole word passes over parts of words between hits", "foo food foo_x afoo foo\n", "foo", "bar",
     {"--whole-word"}, "bar food foo_x afoo bar\n", 2},
    {"whole word up", "foo food foo_x afoo foo\n", "foo", "bar", {"--whole-word", "--up"},
     "bar food foo_x afoo bar\n", 2},
    {"whole word, the first candidate rejected", "food foo", "foo", "bar", {"--whole-word"}, "food bar", 1},
    {"whole word, every candidate rejected", "food afoo", "foo", "bar", {"--whole-word"}, "food afoo", 0},
    {"case ignored", "Foo foo FOO", "foo", "x", {}, "x x x", 3},
    {"case matched", "Foo foo FOO", "foo", "x", {"--match-case"}, "Foo x FOO", 1},
    {"x to xx down", "x x x", "x", "xx", {}, "xx xx xx", 3},
    {"x to xx up", "x x x", "x", "xx", {"--up"}, "xx xx xx", 3},
    {"one character down", ";;;", ";", ",", {}, ",,,", 3},
    {"one character up, each occurrence", ";;;", ";", ",", {"--up"}, ",,,", 3},
    {"a line break in a CR LF file", "a\r\nb\r\nc\r\n", "a\\nb", "X", {}, "X\r\nc\r\n", 1},
    {"a line break in an LF file", "a\nb\nc\n", "a\\nb", "X", {}, "X\nc\n", 1},
    {"a line break put in", "a b\n", " ", "\\n", {}, "a\nb\n", 1},
    {"everything replaced by nothing", "foofoo", "foo", "", {}, "", 2},
    {"no occurrence", "abc\n", "z", "y", {}, "abc\n", 0},
    {"NUL bytes", std::string("a\0foo\0b", 7), "foo", "bar", {}, std::string("a\0bar\0b", 7), 1},
    {"a Windows-1252 file", "caf\xe9 CAF\xc9\n", "\xc3\xa9", "e", {}, "cafe CAFe\n", 2},
    {"UTF-8 letters in either case", "caf\xc3\xa9 CAF\xc3\x89\n", "\xc3\xa9", "e", {}, "cafe CAFe\n", 2},
};

TEST_F(Cli, replaceGivesTheEditorsReplaceAllResult) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const fs::path input = file("in.txt", c.file);
        const fs::path output = dir_ / "out.txt";
        std::vector<std::string> args = {"replace", "--find", c.find, "--with", c.with, "-o", output.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(input.string());

        const CliRun done = run(args);
        EXPECT_EQ(done.status, 0) << done.err;
        EXPECT_EQ(done.err, std::to_string(c.replacements) + " replacements in " + input.string() + "\n");
        EXPECT_EQ(readBytes(output), c.expected);
        EXPECT_EQ(replacedInEditor(c), c.expected);
    }
}

TEST_F(Cli, replaceInPlaceRewritesOnlyTheFilesWithReplacementsAndReadsStandardInput) {
    const fs::path changed = file("changed.html", "<p>old</p>\r\n");
    const fs::path unchanged = file("unchanged.html", "<p>new</p>\r\r\n");  // a stray CR the load would drop
    const CliRun inPlace = run({"replace", "--find", "old", "--with", "new", "-i", changed.string(), unchanged.string()});
    EXPECT_EQ(inPlace.status, 0);
    EXPECT_EQ(readBytes(changed), "<p>new</p>\r\n");
    EXPECT_EQ(readBytes(unchanged), "<p>new</p>\r\r\n");

    const CliRun piped = run({"replace", "--find", "b", "--with", "c"}, "abab\n");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, "acac\n");
    EXPECT_EQ(piped.err, "2 replacements in standard input\n");
}

TEST_F(Cli, replaceLeavesAFileThatCannotHoldTheTextsUntouchedAndGoesOn) {
    const fs::path western = file("western.txt", "caf\xe9\n");
    const fs::path utf8 = file("utf8.txt", "caf\xc3\xa9\n");
    const CliRun done = run({"replace", "--find", "caf", "--with", "\xc4\x81", "-i", western.string(), utf8.string()});
    EXPECT_EQ(done.status, 1);
    EXPECT_NE(done.err.find(western.string() + ": left untouched"), std::string::npos) << done.err;
    EXPECT_EQ(readBytes(western), "caf\xe9\n");
    EXPECT_EQ(readBytes(utf8), "\xc4\x81\xc3\xa9\n");
}

TEST_F(Cli, replaceRefusesBadCommandLinesAndUnreadableFiles) {
    const std::string page = file("page.html", "x").string();
    const std::vector<std::vector<std::string>> refused = {
        {"replace", "--find", "", "--with", "y", page},
        {"replace", "--with", "y", page},
        {"replace", "--find", "x", page},
        {"replace", "--find", "x", "--find", "z", "--with", "y", page},
        {"replace", "--find", "x", "--with", "y", "--census", page},
        {"replace", "--find", "\xff", "--with", "y", page},
        {"html-format", "--find", "x", page},
        {"replace", "--find", "x", "--with", "y", (dir_ / "missing.html").string()},
    };
    for (const auto& args : refused) {
        const CliRun done = run(args);
        EXPECT_EQ(done.status, 2) << args[1] << " " << args[2];
        EXPECT_NE(done.err, "");
    }
    EXPECT_EQ(readBytes(page), "x");
}

TEST(CommandLineText, readsLineBreaksAndBackslashes) {
    EXPECT_EQ(commandLineText("a\\nb"), "a\r\nb");
    EXPECT_EQ(commandLineText("a\nb\r\nc"), "a\r\nb\r\nc");
    EXPECT_EQ(commandLineText("a\\\\nb"), "a\\nb");
    EXPECT_EQ(commandLineText("\\t\\"), "\\t\\");
}

}  // namespace
}  // namespace tagloom
