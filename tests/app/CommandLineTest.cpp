#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QDir>

#include "document/LineEnds.h"

namespace tagloom {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, readsThePathAndBothSwitchesOrNeither) {
    const std::string page = "/site/a b/page.html";
    const std::string here = QDir::currentPath().toStdString();
    struct ParseCase {
        const char* name;
        Arguments arguments;
        std::string path;
        int start;
        int end;
    };
    const ParseCase cases[] = {
        {"nothing", {}, "", 0, 0},
        {"a path alone", {page}, page, 0, 0},
        {"both switches", {page, "/iss10", "/isa15"}, page, 10, 15},
        {"a quoted path", {"\"" + page + "\"", "/iss10", "/isa15"}, page, 10, 15},
        {"a quoted path with its switches", {"\"" + page + "\" /iss10 /isa15"}, page, 0, 0},
        {"end switch first", {page, "/isa15", "/iss10"}, page, 10, 15},
        {"numbers as arguments of their own", {page, "/iss", "10", "/isa", "15"}, page, 10, 15},
        {"blanks inside the switch", {page, "/iss 10", "/isa\t15"}, page, 10, 15},
        {"signs", {page, "/iss-5", "/isa+3"}, page, -5, 3},
        {"digits followed by other text", {page, "/iss10abc", "/isa15 "}, page, 10, 15},
        {"the first of each counts", {page, "/iss3", "/isa9", "/iss7"}, page, 3, 9},
        {"start beyond end", {page, "/iss20", "/isa10"}, page, 0, 0},
        {"start alone", {page, "/iss10"}, page, 0, 0},
        {"both zero", {page, "/iss0", "/isa0"}, page, 0, 0},
        {"an unreadable number", {page, "/issx", "/isa15"}, page, 0, 0},
        {"a number missing at the end", {page, "/isa15", "/iss"}, page, 0, 0},
        {"a switch where a number belongs", {page, "/iss", "/isa15"}, page, 0, 0},
        {"a number out of range", {page, "/iss1", "/isa99999999999"}, page, 0, 0},
        {"a double sign", {page, "/iss+-1", "/isa5"}, page, 0, 0},
        {"a path that looks like a switch", {"/iss10/x.html", "/iss1", "/isa2"}, "/iss10/x.html", 1, 2},
        {"a quote inside an unquoted name", {"/tmp/say \"hi\".html"}, "/tmp/say \"hi\".html", 0, 0},
        {"a relative path", {"page.html", "/iss1", "/isa2"}, here + "/page.html", 1, 2},
        {"an empty path", {"\"\"", "/iss1", "/isa2"}, "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine parsed = parseCommandLine(c.arguments);
        EXPECT_EQ(parsed.path, c.path);
        EXPECT_EQ(parsed.nInitSelStart, c.start);
        EXPECT_EQ(parsed.nInitSelEnd, c.end);
    }
}

TEST(CommandLine, argumentsForAnotherInstanceReadBackAsTheyWereGiven) {
    struct Request {
        std::string path;
        int start;
        int end;
    };
    const Request requests[] = {
        {"/site/index.html", 1200, 1207},
        {"/a b/\xC3\xB6 page.html", 0, 5},
        {"/tmp/say \"hi\".html", 7, 7},
        {"/iss/isa.html", -3, 2},
    };
    for (const auto& r : requests) {
        const Arguments arguments = commandLineArguments(r.path, r.start, r.end);
        EXPECT_EQ(arguments, (Arguments{r.path, "/iss" + std::to_string(r.start), "/isa" + std::to_string(r.end)}));
        const CommandLine parsed = parseCommandLine(arguments);
        EXPECT_EQ(parsed.path, r.path);
        EXPECT_EQ(parsed.nInitSelStart, r.start);
        EXPECT_EQ(parsed.nInitSelEnd, r.end);
    }
}

TEST(CommandLine, theSelectionLandsOnTheSameBytesInTheLoadedText) {
    const std::string dosFile = "abcde\r\nfghijklmnop\r\nqrs\r\n";
    const std::string unixFile = "abcde\nfghijklmnop\nqrs\n";
    struct SelectionCase {
        const char* name;
        std::string file;
        Arguments switches;
        bool selects;
        std::size_t start;
        std::size_t end;
    };
    const SelectionCase cases[] = {
        {"a DOS file", dosFile, {"/iss10", "/isa15"}, true, 10, 15},
        {"a UNIX file", unixFile, {"/iss10", "/isa15"}, true, 11, 16},
        {"a UNIX file, switches reversed", unixFile, {"/isa15", "/iss10"}, true, 11, 16},
        {"a UNIX file, numbers apart", unixFile, {"/iss", "10", "/isa", "15"}, true, 11, 16},
        {"a UNIX line start", unixFile, {"/iss6", "/isa11"}, true, 7, 12},
        {"a UNIX line end", unixFile, {"/iss5", "/isa5"}, true, 5, 5},
        {"a UNIX third line", unixFile, {"/iss18", "/isa21"}, true, 20, 23},
        {"from the start", unixFile, {"/iss0", "/isa3"}, true, 0, 3},
        {"reversed", unixFile, {"/iss20", "/isa10"}, false, 0, 0},
        {"start alone", unixFile, {"/iss10"}, false, 0, 0},
        {"both zero", unixFile, {"/iss0", "/isa0"}, false, 0, 0},
        {"a negative start", unixFile, {"/iss-5", "/isa3"}, true, 0, 3},
        {"beyond the end", dosFile, {"/iss20", "/isa900"}, true, 20, dosFile.size()},
        {"all beyond the end", unixFile, {"/iss800", "/isa900"}, true, 25, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Arguments arguments{"/site/page.html"};
        arguments.insert(arguments.end(), c.switches.begin(), c.switches.end());
        const LoadedText loaded = toEditorText(c.file);
        const CommandLine switches = parseCommandLine(arguments);
        const auto selection =
            initialSelection(switches.nInitSelStart, switches.nInitSelEnd, loaded.text, loaded.bUnixFile);
        ASSERT_EQ(selection.has_value(), c.selects);
        if (!selection) continue;
        EXPECT_EQ(selection->start, c.start);
        EXPECT_EQ(selection->end, c.end);
    }
}

}  // namespace
}  // namespace tagloom
