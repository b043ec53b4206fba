// tagloom-cli find-in-files: the results text of the editor's Find in Files
// on standard output, and the command lines it refuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/CliFixture.h"

namespace tagloom {
namespace {

using test::Cli;
using test::CliRun;
using test::ProgramsStartWithoutRootPowers;
namespace fs = std::filesystem;

TEST_F(Cli, findInFilesPrintsTheResultsTextOfTheEditor) {
    file("index.html", "<p>Hello hello</p>");
    file("notes.txt", "hello");
    fs::create_directories(dir_ / "sub");
    file("sub/page.htm", "HELLO");
    const std::string folder = dir_.string() + "/";

    const CliRun plain = run({"find-in-files", "--find", "hello", dir_.string()});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out, "1 Files Found - Sub Folder Depth 0 of 0\r\n\r\nLooking For: hello\r\n\r\n" + folder +
                             "\r\n  index.html  --  3 9 \r\n");

    const CliRun all = run({"find-in-files", "--find", "hello", "--spec", "*", "--depth", "3", "--match-case",
                            "--whole-word", folder + "/"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out,
              "2 Files Found - Matching Case - Matching Whole Word - Sub Folder Depth 1 of 3\r\n\r\n"
              "Looking For: hello\r\n\r\n" + folder + "\r\n  index.html  --  9 \r\n  notes.txt  --  0 \r\n");
}

TEST_F(Cli, findInFilesSucceedsWithNoFileFoundAndKeepsARelativeFolderRelative) {
    file("page.html", "text");
    const std::string relative = fs::relative(dir_, fs::current_path()).string();
    const CliRun none = run({"find-in-files", "--find", "\xC3\xA9t\xC3\xA9", relative});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "0 Files Found - Sub Folder Depth 0 of 0\r\n\r\nLooking For: \xC3\xA9t\xC3\xA9\r\n");

    const CliRun found = run({"find-in-files", "--find", "ex", relative});
    EXPECT_NE(found.out.find("\r\n" + relative + "/\r\n  page.html  --  1 \r\n"), std::string::npos) << found.out;
}

TEST_F(Cli, findInFilesRefusesBadCommandLinesWithAMessage) {
    const std::string folder = dir_.string();
    file("page.html", "x");
    const std::vector<std::vector<std::string>> refused = {
        {"find-in-files", folder},
        {"find-in-files", "--find", "", folder},
        {"find-in-files", "--find", "x", "--spec", "", folder},
        {"find-in-files", "--find", "x", "--depth", "-1", folder},
        {"find-in-files", "--find", "x", "--depth", "one", folder},
        {"find-in-files", "--find", "x", "--depth", "1.5", folder},
        {"find-in-files", "--find", "x", "--depth", "", folder},
        {"find-in-files", "--find", "x", "--depth", "9999999999", folder},
        {"find-in-files", "--find", "x", "--depth"},
        {"find-in-files", "--find", "x", "--depth", "1", "--depth", "2", folder},
        {"find-in-files", "--find", "x", "--spec", "*", "--spec", "*", folder},
        {"find-in-files", "--find", "x"},
        {"find-in-files", "--find", "x", folder, folder},
        {"find-in-files", "--find", "x", ""},
        {"find-in-files", "--find", "x", "-"},
        {"find-in-files", "--find", "x", "--with", "y", folder},
        {"find-in-files", "--find", "x", "-i", folder},
        {"find-in-files", "--find", "x", (dir_ / "missing").string()},
        {"find-in-files", "--find", "x", (dir_ / "page.html").string()},
        {"replace", "--find", "x", "--with", "y", "--depth", "1", (dir_ / "page.html").string()},
        {"html-format", "--spec", "*", (dir_ / "page.html").string()},
    };
    for (const auto& args : refused) {
        std::string line;
        for (const std::string& arg : args) line += "'" + arg + "' ";
        const CliRun done = run(args);
        EXPECT_EQ(done.status, 2) << line;
        EXPECT_NE(done.err, "") << line;
        EXPECT_EQ(done.out, "") << line;
    }
}

TEST_F(Cli, findInFilesFailsOnAFileThatCannotBeRead) {
    file("a.html", "x");
    const fs::path locked = file("b.html", "x");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const ProgramsStartWithoutRootPowers withoutPowers;
    if (!withoutPowers.bound()) GTEST_SKIP() << "the permission bits do not bind the programs this one starts";
    const CliRun done = run({"find-in-files", "--find", "x", dir_.string()});
    EXPECT_EQ(done.status, 2);
    EXPECT_EQ(done.out, "");
    EXPECT_EQ(done.err, "tagloom-cli: " + locked.string() + ": Permission denied\n");
}

TEST_F(Cli, helpDescribesFindInFiles) {
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"tagloom-cli find-in-files --find TEXT", "--spec SPEC", "--depth N", "\"*.htm?\""})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace tagloom
