#include "document/FileStatusRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace tagloom {
namespace {

using namespace std::string_literals;

// The line as the C format of the store file writes it.
std::string printfLine(const FileStatusRecord& r) {
    std::vector<char> buffer(r.path.size() + 256 + r.bookmarks.size() * 16);
    int n = std::snprintf(buffer.data(), buffer.size(), "%s %d %d %d %d %d %d %d %d %d %d", r.path.c_str(), r.bWrap,
                          r.bShowLineNum, r.nFirstVisibleLine, r.nHScrollChars, r.nSelStart, r.nSelEnd, r.bReadOnly,
                          r.nColumnGuide, r.bLineGuide, 0);
    for (const int bookmark : r.bookmarks)
        n += std::snprintf(buffer.data() + n, buffer.size() - static_cast<std::size_t>(n), " %d", bookmark);
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

TEST(FileStatusRecord, writesTheStoreFormatAndReadsItBack) {
    const FileStatusRecord records[] = {
        {"/site/index.html", false, false, 0, 0, 0, 0, false, -1, false, {}},
        {"/site/my pages/a b.html", true, true, 12, 3, 400, 388, true, 80, true, {1, 7, 30}},
        {"/" + std::string(4999, 'p'), false, true, 2147483647, 0, 5, 5, false, 0, false, {2147483647}},
        {"/x/ends in blank ", true, false, 1, 2, 3, 4, false, -1, true, {5}},
    };
    for (const FileStatusRecord& record : records) {
        SCOPED_TRACE(record.path.substr(0, 40));
        const std::string line = formatFileStatusRecord(record);
        EXPECT_EQ(line, printfLine(record));
        EXPECT_TRUE(isFileStatusRecordOf(line, record.path));
        EXPECT_EQ(parseFileStatusRecord(line, record.path), record);
    }
}

struct ParseCase {
    const char* name;
    std::string line;
    std::string path;
    std::optional<std::vector<int>> bookmarks;  // none: the line gives no record of the path
};

TEST(FileStatusRecord, aLineGivesARecordOnlyForItsExactPathAndEnoughNumbers) {
    const std::string ten = " 1 0 3 4 5 6 0 -1 1 0";
    const ParseCase cases[] = {
        {"ten numbers", "/a.html" + ten, "/a.html", std::vector<int>{}},
        {"bookmarks follow", "/a.html" + ten + " 2 9", "/a.html", std::vector<int>{2, 9}},
        {"a shorter path is no match", "/site/a.html" + ten, "/site/a.htm", std::nullopt},
        {"a longer path is no match", "/site/a.htm" + ten, "/site/a.html", std::nullopt},
        {"other capitals", "/Site/A.html" + ten, "/site/a.html", std::nullopt},
        {"path inside the line", "/old/site/a.html" + ten, "/site/a.html", std::nullopt},
        {"path with blanks", "/my site/a b.html" + ten + " 4", "/my site/a b.html", std::vector<int>{4}},
        {"beginning of a path with blanks", "/my site/a b.html" + ten, "/my site/a", std::nullopt},
        {"nine numbers", "/a.html 1 0 3 4 5 6 0 -1 1", "/a.html", std::nullopt},
        {"no numbers", "/a.html", "/a.html", std::nullopt},
        {"blanks and tabs between numbers", "/a.html 1  0\t3 4 5 6 0 -1 1 0 \t7 ", "/a.html", std::vector<int>{7}},
        {"two blanks after the path", "/a.html " + ten, "/a.html", std::nullopt},
        {"plus signs", "/a.html +1 0 3 4 5 6 0 -1 1 0 +8", "/a.html", std::vector<int>{8}},
        {"a word among the numbers", "/a.html" + ten + " x", "/a.html", std::nullopt},
        {"digits run into letters", "/a.html 1 0 3 4 5 6 0 -1 1 0a", "/a.html", std::nullopt},
        {"a NUL byte among the numbers", "/a.html 1 0 3 4 5\0 6 0 -1 1 0"s, "/a.html", std::nullopt},
        {"a number beyond int in the ten", "/a.html 1 0 3 4 5 2147483648 0 -1 1 0", "/a.html", std::nullopt},
        {"below int in the ten", "/a.html 1 0 3 4 -2147483649 6 0 -1 1 0", "/a.html", std::nullopt},
        {"a bookmark beyond int ends the reading", "/a.html" + ten + " 3 99999999999 5", "/a.html",
         std::vector<int>{3}},
        {"negative first visible line", "/a.html 1 0 -3 4 5 6 0 -1 1 0", "/a.html", std::nullopt},
        {"negative selection end", "/a.html 1 0 3 4 5 -6 0 -1 1 0", "/a.html", std::nullopt},
        {"negative bookmark is read", "/a.html" + ten + " -4", "/a.html", std::vector<int>{-4}},
        {"empty path", ten, "", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto record = parseFileStatusRecord(c.line, c.path);
        ASSERT_EQ(record.has_value(), c.bookmarks.has_value());
        if (!record) continue;
        EXPECT_EQ(record->path, c.path);
        EXPECT_EQ(record->bookmarks, *c.bookmarks);
    }
}

TEST(FileStatusRecord, aRecordHasAPathOneBlankAndAtLeastTenIntegers) {
    const struct {
        std::string line;
        bool isRecord;
    } cases[] = {
        {"/a 1 2 3 4 5 6 7 8 9 10", true},
        {"/a b 1 2 3 4 5 6 7 8 9 10 11 12", true},
        {"/a 1 2 3 4 5 6 7 8 9", false},
        {"1 2 3 4 5 6 7 8 9 10", false},
        {"1 2 3 4 5 6 7 8 9 10 11", true},
        {"/ends in blank  1 2 3 4 5 6 7 8 9 10", true},
        {"/tab\t1 2 3 4 5 6 7 8 9 10", false},
        {"/a 1 2 x 4 5 6 7 8 9 10 11", false},
        {"/a 1 2 3 4 5 6 7 8 9 99999999999", true},
        {"/a 1 2 3 4 5 6 7 8 9 10 end", false},
        {"garbage", false},
        {"", false},
        {"   ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(hasFileStatusRecordForm(c.line), c.isRecord) << c.line;
}

TEST(FileStatusRecord, valuesReadInTheirOrderAndAnyNonZeroFlagIsOn) {
    const auto record = parseFileStatusRecord("/a 2 -1 10 11 12 13 7 -5 9 123", "/a");
    ASSERT_TRUE(record);
    const FileStatusRecord expected{"/a", true, true, 10, 11, 12, 13, true, -5, true, {}};
    EXPECT_EQ(*record, expected);
}

TEST(FileStatusRecord, bookmarkedLinesAreTheLinesEndingWithTwoCarriageReturns) {
    const struct {
        std::string text;
        std::vector<int> lines;
    } cases[] = {
        {"", {}},
        {"one\r\ntwo\r\n", {}},
        {"one\r\r\ntwo", {1}},
        {"one\r\ntwo\r\r\nthree\r\nfour\r\r\n", {2, 4}},
        {"one\r\ntwo\r\r", {2}},
        {"one\r\r\r\n", {1, 1}},
        {"stray\rcr\r\n\r\r\n", {2}},
        {"a\nb\nc\r\rd", {3}},
    };
    for (const auto& c : cases) EXPECT_EQ(bookmarkedLines(c.text), c.lines) << c.text;
}

TEST(FileStatusRecord, bookmarkOffsetsLieBeforeTheLineFeedOfExistingLinesOnly) {
    const std::string text = "ab\r\ncd\r\n\r\nlast";  // three LFs at 3, 7 and 9; line 4 has none
    const struct {
        std::vector<int> lines;
        std::vector<std::size_t> offsets;
    } cases[] = {
        {{}, {}},
        {{1}, {3}},
        {{3}, {9}},
        {{1, 2, 3}, {3, 8, 11}},
        {{3, 1}, {3, 10}},
        {{4}, {}},
        {{2, 99}, {7}},
        {{0, -1, 2}, {7}},
        {{2, 2}, {7, 8}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bookmarkInsertOffsets(text, c.lines), c.offsets);
        std::string restored = text;
        for (const std::size_t offset : bookmarkInsertOffsets(text, c.lines)) restored.insert(offset, 1, '\r');
        EXPECT_EQ(bookmarkedLines(restored).size(), c.offsets.size());
    }
}

// Random texts with random bookmarked lines: the stored line numbers, put back
// into the text without its bookmarks, give back the same text.
TEST(FileStatusRecord, bookmarksSurviveTheWayThroughLineNumbers) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int lineCount = std::uniform_int_distribution<int>(1, 40)(random);
        std::string plain, marked;
        for (int line = 1; line <= lineCount; ++line) {
            const std::string body(std::uniform_int_distribution<std::size_t>(0, 6)(random), 'x');
            const bool last = line == lineCount;
            const bool bookmarked = random() % 3 == 0 && !last;
            plain += body + (last ? "" : "\r\n");
            marked += body + (bookmarked ? "\r" : "") + (last ? "" : "\r\n");
        }
        std::string restored = plain;
        for (const std::size_t offset : bookmarkInsertOffsets(plain, bookmarkedLines(marked)))
            restored.insert(offset, 1, '\r');
        ASSERT_EQ(restored, marked);
    }
}

}  // namespace
}  // namespace tagloom
