#include "document/FileStatusStore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>

#include "FileStatusWriterChild.h"
#include "support/TestFiles.h"

extern char** environ;

namespace tagloom {
namespace {

using namespace std::string_literals;

FileStatusRecord sampleRecord(const std::string& path, int seed) {
    return {path, seed % 2 == 0, seed % 3 == 0, seed, seed % 4, seed * 10, seed * 10 + 3, false, seed % 5 - 1,
            seed % 2 == 1, {seed + 1, seed + 4}};
}

std::string filePath(int n) {
    return "/site/page" + std::to_string(n) + ".html";
}

// The store file's lines, split at CR LF; the file must end with one.
std::vector<std::string> crlfLines(const std::string& contents) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = contents.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(contents.substr(start, end - start));
    EXPECT_EQ(start, contents.size()) << "the file does not end with CR LF";
    return lines;
}

class FileStatusStoreTest : public testing::Test {
protected:
    std::string storePath() const { return folder.filePath("TagloomFileStatus.txt").toStdString(); }
    std::string contents() const { return test::readRawFile(storePath()); }
    void writeContents(const std::string& bytes) const { test::writeRawFile(storePath(), bytes); }

    QTemporaryDir folder;
    FileStatusStore store{storePath()};
};

TEST_F(FileStatusStoreTest, recordsComeBackByTheirExactPath) {
    const std::vector<FileStatusRecord> records = {
        sampleRecord("/site/a.html", 1),
        sampleRecord("/site/a.htm", 2),
        sampleRecord("/site/a", 3),
        sampleRecord("/site/A.html", 4),
        sampleRecord("/my site/index page.html", 5),
        sampleRecord("/deep/" + std::string(4994, 'd'), 6),
        {"/site/empty.html", false, false, 0, 0, 0, 0, false, -1, false, {}},
    };
    for (const FileStatusRecord& record : records) ASSERT_TRUE(store.store(record));
    for (const FileStatusRecord& record : records) EXPECT_EQ(store.restore(record.path), record) << record.path;
    EXPECT_FALSE(store.restore("/site/a.HTML"));
    EXPECT_FALSE(store.restore("/site/"));
    EXPECT_FALSE(store.restore("/my site/index"));
    EXPECT_EQ(crlfLines(contents()).size(), records.size());
}

TEST_F(FileStatusStoreTest, keepsTheTwentyFiveMostRecentFilesNewestFirst) {
    for (int n = 1; n <= 26; ++n) ASSERT_TRUE(store.store(sampleRecord(filePath(n), n)));
    EXPECT_FALSE(store.restore(filePath(1)));
    for (int n = 2; n <= 26; ++n) EXPECT_EQ(store.restore(filePath(n)), sampleRecord(filePath(n), n));

    // Storing a file already present moves it to the top and drops no one.
    ASSERT_TRUE(store.store(sampleRecord(filePath(10), 99)));
    std::vector<std::string> order;
    for (const std::string& line : crlfLines(contents())) order.push_back(line.substr(0, line.find(".html") + 5));
    std::vector<std::string> expected = {filePath(10)};
    for (int n = 26; n >= 2; --n)
        if (n != 10) expected.push_back(filePath(n));
    EXPECT_EQ(order, expected);
    EXPECT_EQ(store.restore(filePath(10)), sampleRecord(filePath(10), 99));
}

TEST_F(FileStatusStoreTest, storingAPathThatStartsAnotherKeepsTheOthersRecord) {
    ASSERT_TRUE(store.store(sampleRecord("/site/a.html", 1)));
    ASSERT_TRUE(store.store(sampleRecord("/site/a.htm", 2)));
    ASSERT_TRUE(store.store(sampleRecord("/site/a.htm", 3)));
    EXPECT_EQ(store.restore("/site/a.html"), sampleRecord("/site/a.html", 1));
    EXPECT_EQ(store.restore("/site/a.htm"), sampleRecord("/site/a.htm", 3));
    EXPECT_EQ(crlfLines(contents()).size(), 2u);
}

TEST_F(FileStatusStoreTest, readsLinesWithAnyLineEndAndSurroundingWhiteSpace) {
    const std::string ten = " 1 1 2 3 4 5 0 -1 0 0";
    writeContents("  /lf.html" + ten + " 6\n\t/crlf.html" + ten + "\r\n\r\n\n/last.html" + ten + " \t");
    EXPECT_EQ(store.restore("/lf.html")->bookmarks, std::vector<int>{6});
    EXPECT_TRUE(store.restore("/crlf.html"));
    EXPECT_TRUE(store.restore("/last.html"));

    ASSERT_TRUE(store.store(sampleRecord("/new.html", 1)));
    EXPECT_EQ(crlfLines(contents()),
              (std::vector<std::string>{formatFileStatusRecord(sampleRecord("/new.html", 1)), "/lf.html" + ten + " 6",
                                        "/crlf.html" + ten, "/last.html" + ten}));
}

TEST_F(FileStatusStoreTest, damagedLinesAreIgnoredOneByOne) {
    const std::string ten = " 1 0 3 4 5 6 0 -1 1 0";
    const std::string good1 = "/good/one.html" + ten + " 2";
    const std::string good2 = "/good/two words.html" + ten;
    const std::string good3 = "/good/three.html" + ten + " 1 5";
    std::string longLine = "/good/long.html" + ten;
    for (int line = 1; line <= 400; ++line) longLine += " " + std::to_string(line * 3);
    writeContents("garbage without numbers\r\n" + good1 + "\r\n" + "/bad/few.html 1 0 3\r\n" +
                  "/bad/negative.html 1 0 -3 4 5 6 0 -1 1 0\r\n" + "/bad/huge.html 1 0 3 4 5 99999999999 0 -1 1 0\r\n" +
                  "\x01\x02\xff\xfe binary \x80\r\n" + longLine + "\r\n" + "/bad/nul.html 1 0 3\0 4 5 6 0 -1 1 0\r\n"s +
                  good2 + "\r\n" + "\0\0\0\r\n"s + good3);
    EXPECT_EQ(store.restore("/good/one.html")->bookmarks, std::vector<int>{2});
    EXPECT_TRUE(store.restore("/good/two words.html"));
    EXPECT_EQ(store.restore("/good/three.html")->bookmarks, (std::vector<int>{1, 5}));
    EXPECT_EQ(store.restore("/good/long.html")->bookmarks.size(), 400u);
    for (const char* bad : {"/bad/few.html", "/bad/negative.html", "/bad/huge.html", "/bad/nul.html"})
        EXPECT_FALSE(store.restore(bad)) << bad;

    // A store drops the lines that are no record, replaces the path's own
    // damaged line, and the good records still restore afterwards.
    ASSERT_TRUE(store.store(sampleRecord("/bad/few.html", 4)));
    EXPECT_EQ(store.restore("/bad/few.html"), sampleRecord("/bad/few.html", 4));
    for (const char* good : {"/good/one.html", "/good/two words.html", "/good/three.html", "/good/long.html"})
        EXPECT_TRUE(store.restore(good)) << good;
    EXPECT_EQ(crlfLines(contents()).size(), 7u);
}

TEST_F(FileStatusStoreTest, randomBytesNeverHideTheGoodRecordsBetweenThem) {
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        const FileStatusRecord a = sampleRecord("/r/a.html", round), b = sampleRecord("/r/b.html", round + 1);
        writeContents(test::randomBytes(random, 3000) + "\n" + formatFileStatusRecord(a) + "\n" +
                      test::randomBytes(random, 3000) + "\r\n" + formatFileStatusRecord(b) + "\n" +
                      test::randomBytes(random, 500));
        EXPECT_EQ(store.restore(a.path), a);
        EXPECT_EQ(store.restore(b.path), b);
        ASSERT_TRUE(store.store(sampleRecord("/r/c.html", round)));
        EXPECT_EQ(store.restore(b.path), b);
        EXPECT_LE(crlfLines(contents()).size(), 25u);
    }
}

TEST_F(FileStatusStoreTest, pathsNoLineCanCarryAreNotStored) {
    ASSERT_TRUE(store.store(sampleRecord("/kept.html", 1)));
    const std::string before = contents();
    for (const std::string& path : {""s, "/dir\n/b.html"s, "/dir\r/b.html"s, " /leading.html"s, "\t/tab.html"s})
        EXPECT_FALSE(store.store(sampleRecord(path, 2)));
    EXPECT_EQ(contents(), before);
    EXPECT_FALSE(store.restore("/b.html"));
}

TEST_F(FileStatusStoreTest, aMissingFileIsEmptyAndAFailedWriteLeavesTheFileAsItWas) {
    EXPECT_FALSE(store.restore("/a.html"));
    EXPECT_FALSE(FileStatusStore(storePath() + ".d/TagloomFileStatus.txt").store(sampleRecord("/a.html", 1)));

    ASSERT_TRUE(store.store(sampleRecord("/a.html", 1)));
    const std::string before = contents();
    const test::PermissionsBind bind;
    ASSERT_EQ(::chmod(folder.path().toLocal8Bit().constData(), 0555), 0);
    EXPECT_FALSE(store.store(sampleRecord("/b.html", 2)));
    ASSERT_EQ(::chmod(folder.path().toLocal8Bit().constData(), 0755), 0);
    EXPECT_EQ(contents(), before);

    ASSERT_EQ(::chmod(storePath().c_str(), 0444), 0);
    EXPECT_FALSE(store.store(sampleRecord("/b.html", 2)));
    EXPECT_EQ(contents(), before);

    // A file that cannot be read counts as empty: nothing restores from it.
    ASSERT_EQ(::chmod(storePath().c_str(), 0200), 0);
    EXPECT_FALSE(store.restore("/a.html"));
}

TEST_F(FileStatusStoreTest, livesBesideTheExecutableUnlessThatFolderIsReadOnly) {
    const std::string programFolder = folder.filePath("program").toStdString();
    const std::string configFolder = folder.filePath("home/.config/Fenwold/Tagloom").toStdString();
    ASSERT_EQ(::mkdir(programFolder.c_str(), 0755), 0);
    EXPECT_EQ(FileStatusStore::locateFile(programFolder, configFolder), programFolder + "/TagloomFileStatus.txt");
    EXPECT_FALSE(QDir(QString::fromStdString(configFolder)).exists());

    {
        const test::PermissionsBind bind;
        ASSERT_EQ(::chmod(programFolder.c_str(), 0555), 0);
        const std::string located = FileStatusStore::locateFile(programFolder, configFolder);
        EXPECT_EQ(located, configFolder + "/TagloomFileStatus.txt");
        EXPECT_TRUE(FileStatusStore(located).store(sampleRecord("/a.html", 1)));
        ASSERT_EQ(::chmod(programFolder.c_str(), 0755), 0);
    }
    EXPECT_EQ(FileStatusStore::locateFile("", configFolder), configFolder + "/TagloomFileStatus.txt");
    // The test program's own folder, a build folder, is writable.
    EXPECT_EQ(FileStatusStore::defaultFilePath(),
              QCoreApplication::applicationDirPath().toStdString() + "/TagloomFileStatus.txt");
}

pid_t startWriter(const std::string& storePath, const std::string& path, int count) {
    const std::string program = "/proc/self/exe", countText = std::to_string(count);
    std::vector<char*> argv = {const_cast<char*>(program.c_str()),
                               const_cast<char*>(test::kFileStatusWriterArgument),
                               const_cast<char*>(storePath.c_str()), const_cast<char*>(path.c_str()),
                               const_cast<char*>(countText.c_str()), nullptr};
    pid_t pid = -1;
    EXPECT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

// Checks one snapshot of the store file while writers run; returns the writer
// paths it held. Every line must be a whole record of a known file.
std::set<std::string> checkSnapshot(const std::string& contents, const std::vector<std::string>& writerPaths,
                                    int seedCount) {
    std::set<std::string> seen;
    const std::vector<std::string> lines = crlfLines(contents);
    EXPECT_GE(lines.size(), 1u);
    EXPECT_LE(lines.size(), 25u);
    std::set<std::string> paths;
    for (const std::string& line : lines) {
        bool known = false;
        for (const std::string& path : writerPaths) {
            if (const auto record = parseFileStatusRecord(line, path)) {
                EXPECT_EQ(*record, test::writerRecord(path, record->nFirstVisibleLine));
                seen.insert(path);
                paths.insert(path);
                known = true;
            }
        }
        for (int n = 0; n < seedCount && !known; ++n) {
            if (const auto record = parseFileStatusRecord(line, filePath(n))) {
                EXPECT_EQ(*record, sampleRecord(filePath(n), n));
                paths.insert(filePath(n));
                known = true;
            }
        }
        EXPECT_TRUE(known) << "torn or unknown line: " << line.substr(0, 80);
    }
    EXPECT_EQ(paths.size(), lines.size()) << "a file has two records";
    return seen;
}

TEST_F(FileStatusStoreTest, twoInstancesStoringAtOnceNeverLeaveAHalfWrittenFile) {
    constexpr int kSeeds = 24, kStores = 500;
    for (int n = 0; n < kSeeds; ++n) ASSERT_TRUE(store.store(sampleRecord(filePath(n), n)));
    const std::string directory = "/site/" + std::string(200, 'w') + "/page with blanks";
    const std::vector<std::string> writerPaths = {directory + ".htm", directory + ".html"};

    const pid_t writers[2] = {startWriter(storePath(), writerPaths[0], kStores),
                              startWriter(storePath(), writerPaths[1], kStores)};
    ASSERT_GT(writers[0], 0);
    ASSERT_GT(writers[1], 0);
    std::set<std::string> seen;
    int snapshots = 0;
    int status[2] = {0, 0};
    bool finished[2] = {false, false};
    while (!(finished[0] && finished[1]) && !HasFailure()) {
        for (int w = 0; w < 2; ++w)
            if (!finished[w]) finished[w] = ::waitpid(writers[w], &status[w], WNOHANG) == writers[w];
        seen.merge(checkSnapshot(contents(), writerPaths, kSeeds));
        ++snapshots;
    }
    for (int w = 0; w < 2; ++w) {
        if (!finished[w]) ::waitpid(writers[w], &status[w], 0);
        EXPECT_TRUE(WIFEXITED(status[w]) && WEXITSTATUS(status[w]) == 0) << "writer " << w;
    }
    EXPECT_GT(snapshots, 10);
    EXPECT_EQ(seen.size(), 2u);

    // The last writer wins: the newest line is some writer's final state.
    const std::vector<std::string> lines = crlfLines(contents());
    ASSERT_FALSE(lines.empty());
    const auto top0 = parseFileStatusRecord(lines.front(), writerPaths[0]);
    const auto top = top0 ? top0 : parseFileStatusRecord(lines.front(), writerPaths[1]);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->nFirstVisibleLine, kStores - 1);
}

}  // namespace
}  // namespace tagloom
