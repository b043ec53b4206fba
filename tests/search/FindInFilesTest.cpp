// Find in Files on real folders in a temporary directory: the results text,
// which files and folders are searched and in what order, and how a search
// ends when a file cannot be read or the user cancels, and how it passes over
// a file that vanishes while it runs.
#include "search/FindInFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "EntriesThatVanish.h"
#include "support/ChildReport.h"
#include "support/TestFiles.h"

namespace tagloom {
namespace {

namespace fs = std::filesystem;

class FindInFolders : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tagloom-find-in-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern + "/";
    }
    void TearDown() override {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_))
            if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }

    void write(const std::string& relative, const std::string& bytes) {
        fs::create_directories(fs::path(root_ + relative).parent_path());
        test::writeRawFile(root_ + relative, bytes);
    }

    FindInFilesResult search(const std::string& findText, int depth = 0, const std::string& pattern = "*",
                             bool matchCase = false, bool wholeWord = false, FindInFilesProgress* progress = nullptr) {
        FindInFilesRequest request;
        request.folder = root_;
        request.fileSpec = pattern;
        request.findText = findText;
        request.matchCase = matchCase;
        request.wholeWord = wholeWord;
        request.depth = depth;
        return findInFiles(request, progress);
    }

    std::string root_;
};

// The offsets listed for a file: what follows "  --  " on its line.
std::optional<std::string> offsetsOf(const std::string& results, const std::string& name) {
    const std::string line = "\r\n  " + name + "  --  ";
    const std::size_t at = results.find(line);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t from = at + line.size();
    return results.substr(from, results.find("\r\n", from) - from);
}

TEST_F(FindInFolders, listsEachOccurrenceByItsOffsetUnderItsFolder) {
    std::string page(400, '.');
    page.replace(12, 3, "abc");
    page.replace(345, 3, "abc");
    write("page.html", page);
    write("none.html", "no hit here");

    const FindInFilesResult found = search("abc");
    EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(found.filesFound, 1);
    EXPECT_EQ(found.levels, 0);
    EXPECT_EQ(found.text, "1 Files Found - Sub Folder Depth 0 of 0\r\n\r\nLooking For: abc\r\n\r\n" + root_ +
                              "\r\n  page.html  --  12 345 \r\n");
}

TEST_F(FindInFolders, withNoHitTheResultsHoldTheHeaderAndTheFindTextOnly) {
    write("page.html", "nothing");
    const FindInFilesResult found = search("zzz", 3, "*", true, true);
    EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(found.text,
              "0 Files Found - Matching Case - Matching Whole Word - Sub Folder Depth 0 of 3\r\n\r\n"
              "Looking For: zzz\r\n");
}

TEST_F(FindInFolders, countsTheOccurrencesThatTheMatchRulesAccept) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string find;
        bool matchCase;
        bool wholeWord;
        std::optional<std::string> offsets;  // none: the file is not listed
    };
    const Case cases[] = {
        {"overlapping occurrences", "aaaa", "aa", false, false, "0 1 2 "},
        {"ASCII letters in either case", "Foo fOO foo", "FOO", false, false, "0 4 8 "},
        {"match case", "Foo fOO foo", "fOO", true, false, "4 "},
        {"letters outside ASCII keep their case", "\xC3\x89t\xC3\xA9", "\xC3\xA9", false, false, "3 "},
        {"a NUL ends the searchable text", std::string("abc\0abc", 7), "abc", false, false, "0 "},
        {"a file beginning with NUL never matches", std::string("\0abc", 4), "abc", false, false, std::nullopt},
        {"a find text holding a NUL never matches", std::string("ab\0c", 4), std::string("b\0c", 3), false, false,
         std::nullopt},
        {"whole words only", "foo food foo_ xfoo 1foo foo", "foo", false, true, "0 24 "},
        {"a word at the end of the file", "x foo", "foo", false, true, "2 "},
        {"a word right before a NUL", std::string("foo\0x", 5), "foo", false, true, "0 "},
        {"a byte outside ASCII is no word character", "\xC3\xA9" "foo\xC3\xA9", "foo", false, true, "2 "},
        {"whole word with letters in either case", "FOO foo", "foo", false, true, "0 4 "},
        {"a find text that is no word itself", "a--b --", "--", false, true, "5 "},
        {"an empty file", "", "a", false, false, std::nullopt},
        {"a find text longer than the file", "ab", "abc", false, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write("page.html", c.bytes);
        const FindInFilesResult found = search(c.find, 0, "*", c.matchCase, c.wholeWord);
        EXPECT_EQ(offsetsOf(found.text, "page.html"), c.offsets);
        EXPECT_EQ(found.filesFound, c.offsets ? 1 : 0);
    }
}

TEST_F(FindInFolders, searchesSubFoldersBreadthFirstDownToTheDepth) {
    write("top.html", "x");
    write("b/one.html", "x");
    write("a/one.html", "x");
    write("a/deep/two.html", "x");
    write("a/empty.html", "");

    EXPECT_EQ(search("x", 1).text, "3 Files Found - Sub Folder Depth 1 of 1\r\n\r\nLooking For: x\r\n\r\n" + root_ +
                                       "\r\n  top.html  --  0 \r\n\r\n" + root_ + "a/\r\n  one.html  --  0 \r\n\r\n" +
                                       root_ + "b/\r\n  one.html  --  0 \r\n");

    const FindInFilesResult deeper = search("x", 5);
    EXPECT_EQ(deeper.levels, 2);
    EXPECT_EQ(deeper.text, "4 Files Found - Sub Folder Depth 2 of 5\r\n\r\nLooking For: x\r\n\r\n" + root_ +
                               "\r\n  top.html  --  0 \r\n\r\n" + root_ + "a/\r\n  one.html  --  0 \r\n\r\n" + root_ +
                               "b/\r\n  one.html  --  0 \r\n\r\n" + root_ + "a/deep/\r\n  two.html  --  0 \r\n");

    const FindInFilesResult alone = search("x", 0);
    EXPECT_EQ(alone.filesFound, 1);
    EXPECT_EQ(alone.text.substr(0, alone.text.find("\r\n")), "1 Files Found - Sub Folder Depth 0 of 0");
}

TEST_F(FindInFolders, takesEntriesInByteOrderOfTheirNames) {
    for (const char* name : {"b.html", "B.html", "_.html", "\xC3\xA9.html", "a.html", "a.html.html"}) write(name, "x");
    write("z/in.html", "x");
    write("Z/in.html", "x");
    write(".hidden/in.html", "x");

    const std::string text = search("x", 1).text;
    const std::vector<std::string> order = {
        "  B.html", "  _.html", "  a.html  --", "  a.html.html", "  b.html", "  \xC3\xA9.html",
        root_ + ".hidden/\r\n", root_ + "Z/\r\n", root_ + "z/\r\n"};
    std::size_t previous = 0;
    for (const std::string& piece : order) {
        const std::size_t at = text.find(piece);
        ASSERT_NE(at, std::string::npos) << piece;
        EXPECT_GT(at, previous) << piece << " is out of order in\n" << text;
        previous = at;
    }
}

TEST_F(FindInFolders, searchesOnlyTheFilesWhoseNamesFit) {
    for (const char* name : {"a.htm", "b.html", "C.HTML", "d.htmlx", "e.txt", "htm"}) write(name, "x");
    write("folder.html/inside.html", "x");
    const std::string text = search("x", 0, "*.htm?").text;
    EXPECT_TRUE(offsetsOf(text, "a.htm"));
    EXPECT_TRUE(offsetsOf(text, "b.html"));
    EXPECT_TRUE(offsetsOf(text, "C.HTML"));
    EXPECT_FALSE(offsetsOf(text, "d.htmlx"));
    EXPECT_FALSE(offsetsOf(text, "e.txt"));
    EXPECT_FALSE(offsetsOf(text, "htm"));
    EXPECT_EQ(text.find("inside"), std::string::npos);
}

TEST_F(FindInFolders, followsLinksToFilesButNeitherLinksToFoldersNorDevices) {
    write("real/page.txt", "x");
    fs::create_symlink("real/page.txt", root_ + "linked.html");
    fs::create_symlink("nowhere.html", root_ + "dangling.html");
    fs::create_symlink("..", root_ + "real/loop");
    fs::create_symlink("real", root_ + "folder-link");
    ASSERT_EQ(::mkfifo((root_ + "pipe.html").c_str(), 0600), 0);

    const FindInFilesResult found = search("x", 50);
    EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(found.levels, 1) << "the links to folders are not entered";
    EXPECT_EQ(found.filesFound, 2);
    EXPECT_TRUE(offsetsOf(found.text, "linked.html"));
    EXPECT_TRUE(offsetsOf(found.text, "page.txt"));
}

// Files of several blocks with occurrences at every few bytes, so some
// stand across each edge between the blocks the file is read in.
TEST_F(FindInFolders, findsTheOccurrencesAcrossTheEdgesOfTheBlocksOfALargeFile) {
    std::string words;
    std::string wordOffsets;
    for (std::size_t at = 0; words.size() < (3u << 20); at += 4) {
        words += at % 8 == 0 ? "Foo." : "fOO ";
        wordOffsets += std::to_string(at) + " ";
    }
    write("words.html", words);
    const std::string letters((1u << 20) + 300, 'a');
    std::string letterOffsets;
    for (std::size_t at = 0; at + 2 <= letters.size(); ++at) letterOffsets += std::to_string(at) + " ";
    write("letters.html", letters);

    EXPECT_EQ(offsetsOf(search("foo").text, "words.html"), wordOffsets);
    EXPECT_EQ(offsetsOf(search("foo", 0, "*", false, true).text, "words.html"), wordOffsets);
    EXPECT_EQ(offsetsOf(search("aa").text, "letters.html"), letterOffsets);
    EXPECT_EQ(offsetsOf(search("aa", 0, "*", true, true).text, "letters.html"), std::nullopt);
}

TEST_F(FindInFolders, listsTheFilesOfManyFoldersInOrderAndAlwaysAlike) {
    std::string expected;
    int files = 0;
    for (int folder = 0; folder < 6; ++folder) {
        const std::string name = "f" + std::to_string(folder) + "/";
        std::string block;
        for (int file = 100; file < 250; ++file) {
            // Every third file has no hit; the others one at an offset of their own.
            const std::string page = "p" + std::to_string(file) + ".html";
            const int at = file % 3 == 0 ? -1 : (file * 7 + folder) % 500;
            std::string bytes(600 + file, '-');
            if (at >= 0) bytes.replace(static_cast<std::size_t>(at), 4, "word");
            write(name + page, bytes);
            if (at < 0) continue;
            block += "  " + page + "  --  " + std::to_string(at) + " \r\n";
            ++files;
        }
        expected += "\r\n" + root_ + name + "\r\n" + block;
    }
    expected = std::to_string(files) + " Files Found - Sub Folder Depth 1 of 1\r\n\r\nLooking For: word\r\n" + expected;
    for (int run = 0; run < 3; ++run) EXPECT_EQ(search("word", 1).text, expected) << "run " << run;
}

// Records the reports; asks to cancel from the start, or once a given
// folder has been reported.
class ScriptedProgress : public FindInFilesProgress {
public:
    bool cancelled() const override {
        return cancelFromStart || (!cancelAfter.empty() && std::count(reports.begin(), reports.end(),
                                                                       std::pair{cancelAfter, 0}) > 0);
    }
    void searching(const std::string& folder, int filesFound) override { reports.emplace_back(folder, filesFound); }

    bool cancelFromStart = false;
    std::string cancelAfter;
    std::vector<std::pair<std::string, int>> reports;
};

TEST_F(FindInFolders, reportsEachFolderWithTheFilesFoundBeforeIt) {
    write("a.html", "x");
    write("b.html", "x");
    write("sub/c.html", "x");
    write("sub/deeper/d.html", "y");
    write("other/e.html", "x");
    ScriptedProgress progress;
    const FindInFilesResult found = search("x", 2, "*", false, false, &progress);
    EXPECT_EQ(found.filesFound, 4);
    const std::vector<std::pair<std::string, int>> reports = {
        {root_, 0}, {root_ + "other/", 2}, {root_ + "sub/", 3}, {root_ + "sub/deeper/", 4}};
    EXPECT_EQ(progress.reports, reports);
}

// The folders after the first are listed only after the progress has been
// asked again, so a cancellation after the first report always comes in time.
TEST_F(FindInFolders, aCancelledSearchShowsNoResults) {
    write("large.html", std::string(5 << 20, 'x'));
    for (int i = 0; i < 50; ++i) write("sub/p" + std::to_string(i) + ".html", "x");
    for (const bool fromStart : {true, false}) {
        SCOPED_TRACE(fromStart ? "from the start" : "after the first folder");
        ScriptedProgress progress;
        progress.cancelFromStart = fromStart;
        progress.cancelAfter = root_;
        const FindInFilesResult found = search("y", 1, "*", false, false, &progress);
        EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Cancelled);
        EXPECT_EQ(found.text, "");
        EXPECT_EQ(progress.reports.size(), fromStart ? 0u : 1u);
    }
}

TEST_F(FindInFolders, aFileThatCannotBeReadEndsTheSearchWithTheSystemsText) {
    write("a.html", "x");
    write("b-locked.html", "x");
    write("c-locked.html", "x");
    write("d.html", "x");
    for (const char* name : {"b-locked.html", "c-locked.html"}) ASSERT_EQ(::chmod((root_ + name).c_str(), 0), 0);
    const test::PermissionsBind bind;
    if (::faccessat(AT_FDCWD, (root_ + "b-locked.html").c_str(), R_OK, AT_EACCESS) == 0)
        GTEST_SKIP() << "the permission bits do not bind this process";

    const FindInFilesResult found = search("x");
    EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Failed);
    EXPECT_EQ(found.error, root_ + "b-locked.html: Permission denied") << "the first file that fails, in order";
    EXPECT_EQ(found.text, "");
}

// Between the listing of a folder and the opening of one of its files, the
// file, or its folder, is removed, as caches and editors' temporary files
// come and go on a live tree: the search passes it over and goes on.
TEST_F(FindInFolders, aFileGoneByTheTimeItIsOpenedIsPassedOver) {
    struct Case {
        const char* name;
        std::vector<std::string> files;  // each holding "x"
        const char* link;                // where b.html leads, when it is a link
        std::function<void(const std::string& root)> change;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"the file removed", {"a.html", "b.html", "c.html"}, nullptr,
         [](const std::string& root) { fs::remove(root + "b.html"); }, {"a.html", "c.html"}},
        {"its folder removed", {"a.html", "sub/b.html"}, nullptr,
         [](const std::string& root) { fs::remove_all(root + "sub"); }, {"a.html"}},
        {"the folder a link leads through replaced by a file", {"a.html", "target/page.txt"}, "target/page.txt",
         [](const std::string& root) {
             fs::remove_all(root + "target");
             test::writeRawFile(root + "target", "x");
         },
         {"a.html"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        for (const std::string& file : c.files) write(file, "x");
        if (c.link) fs::create_symlink(c.link, root_ + "b.html");
        FindInFilesResult found;
        {
            const test::BeforeOpening removal("b.html", [&] { c.change(root_); });
            found = search("x", 1, "*.html");
            EXPECT_TRUE(removal.struck());
        }
        EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Found) << found.error;
        EXPECT_EQ(found.filesFound, static_cast<int>(c.listed.size()));
        for (const std::string& name : c.listed) EXPECT_TRUE(offsetsOf(found.text, name)) << name;
        EXPECT_FALSE(offsetsOf(found.text, "b.html"));
    }
}

// The size of this process's address space, in bytes.
std::size_t addressSpace() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmSize:")) return std::stoul(line.substr(7)) << 10;
    return 0;
}

// Run in a child process whose memory is limited to a little more than it
// has: the offsets of 24 million occurrences do not fit.
TEST_F(FindInFolders, aFileWithMoreOccurrencesThanTheMemoryCanListEndsTheSearchWithTheSystemsText) {
#ifdef TAGLOOM_SANITIZED
    GTEST_SKIP() << "a sanitizer ends the program where the memory runs out";
#endif
    write("many.html", std::string(24 << 20, 'a'));
    const test::ChildReport child = test::reportFromChild(
        [] {
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = addressSpace() + (128u << 20);
            return ::setrlimit(RLIMIT_AS, &limit) == 0;
        },
        [this] {
            const FindInFilesResult found = search("a");
            return std::to_string(static_cast<int>(found.outcome)) + "|" + found.error;
        });
    if (child.ending == test::ChildReport::Ending::Refused) GTEST_SKIP() << "no right to limit the memory";
    ASSERT_EQ(child.ending, test::ChildReport::Ending::Reported) << "the search ended the program";
    EXPECT_EQ(child.text, std::to_string(static_cast<int>(FindInFilesResult::Outcome::Failed)) + "|" + root_ +
                              "many.html: Cannot allocate memory");
}

TEST_F(FindInFolders, aFolderThatCannotBeReadContributesNothing) {
    write("a.html", "x");
    write("locked/b.html", "x");
    write("open/c.html", "x");
    ASSERT_EQ(::chmod((root_ + "locked").c_str(), 0), 0);
    const test::PermissionsBind bind;
    if (::faccessat(AT_FDCWD, (root_ + "locked").c_str(), R_OK, AT_EACCESS) == 0)
        GTEST_SKIP() << "the permission bits do not bind this process";

    const FindInFilesResult found = search("x", 3);
    EXPECT_EQ(found.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(found.filesFound, 2);
    EXPECT_EQ(found.levels, 1);
    EXPECT_EQ(found.text.find("b.html"), std::string::npos);
}

TEST_F(FindInFolders, aFolderThatDoesNotExistOrAnEmptyFindTextFindsNothing) {
    write("a.html", "x");
    FindInFilesRequest request;
    request.folder = root_ + "missing/";
    request.fileSpec = "*";
    request.findText = "x";
    const FindInFilesResult missing = findInFiles(request);
    EXPECT_EQ(missing.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(missing.text, "0 Files Found - Sub Folder Depth 0 of 0\r\n\r\nLooking For: x\r\n");

    const FindInFilesResult empty = search("", 0);
    EXPECT_EQ(empty.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(empty.filesFound, 0);
}

TEST_F(FindInFolders, aFolderWithoutItsClosingSlashIsSearchedAsIfItHadOne) {
    write("a.html", "x");
    FindInFilesRequest request;
    request.folder = root_.substr(0, root_.size() - 1);
    request.fileSpec = "*";
    request.findText = "x";
    EXPECT_EQ(findInFiles(request).text, search("x").text);
}

TEST(MatchesFileSpec, followsTheWildcardRules) {
    struct Case {
        const char* name;
        const char* pattern;
        bool fits;
    };
    const Case cases[] = {
        {"a.html", "*.htm?", true},
        {"a.htm", "*.htm?", true},
        {"a.htmls", "*.htm?", false},
        {"A.HTML", "*.htm?", true},
        {"a.html", "*.HTML", true},
        {"page.html", "*", true},
        {".hidden", "*", true},
        {"page.html", "page.html", true},
        {"page.html", "page.htm", false},
        {"page.htm", "page.html", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"ab", "ab??", true},
        {"abcd", "ab??", true},
        {"abcde", "ab??", false},
        {"abcd", "??", false},
        {"x", "???", true},
        {"caf\xC3\xA9.html", "caf?.html", true},
        {"\xC3\xA9", "?", true},
        {"\xC3\xA9", "??x", false},
        {"\xC3\x89.html", "\xC3\xA9.html", false},
        {"abcabd", "*abd", true},
        {"abcab", "*ab?d", false},
        {"a.b.c", "*.c", true},
        {"a.b.c", "*.b", false},
        {"abc", "*b*", true},
        {"abc", "a**c", true},
        {"abc", "*?*?*?*", true},
        {"ab", "*?*?*?*", false},
        {"", "*", true},
        {"a", "", false},
        {"[a].html", "[a].html", true},
    };
    for (const Case& c : cases) EXPECT_EQ(matchesFileSpec(c.name, c.pattern), c.fits) << c.name << " with " << c.pattern;
}

TEST(MatchesFileSpec, takesTimeInProportionToNameAndSpecAtMost) {
    const std::string name(4000, 'a');
    const std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
    EXPECT_FALSE(matchesFileSpec(name, pattern));
    EXPECT_TRUE(matchesFileSpec(name + "b", pattern));
}

}  // namespace
}  // namespace tagloom
