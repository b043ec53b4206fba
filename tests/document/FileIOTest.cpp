#include "document/FileIO.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <random>
#include <string>
#include <vector>

#include "support/ChildReport.h"
#include "support/TestFiles.h"
#include "textmodel/TextLimits.h"

namespace tagloom {
namespace {

using namespace std::string_literals;

mode_t modeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// The names in a folder, to see that a failed save leaves no temporary file behind.
QStringList entriesOf(const std::string& folder) {
    return QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

std::string largeText() {
    std::mt19937 random(5);
    return toEditorText(test::randomBytes(random, 2 << 20)).text;
}

class FileIO : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    std::string pathOf(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string makeFolder(const std::string& name) const {
        EXPECT_TRUE(QDir().mkpath(QString::fromStdString(pathOf(name))));
        return pathOf(name);
    }

    QTemporaryDir folder_;
};

// Small pieces and pieces larger than a block reach the file whole and in
// order; a file that refuses the writes makes every later add fail.
TEST(BlockedFileWriter, writesThePiecesInOrderAndStopsAtTheFirstFailure) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("blocks")).toStdString();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    std::string expected;
    {
        BlockedFileWriter writer(fd);
        std::mt19937 random(3);
        for (int i = 0; i < 3000; ++i) {
            const std::size_t size = i % 500 == 7 ? (std::size_t{300} << 10) : random() % 200;
            const std::string piece(size, static_cast<char>('a' + i % 26));
            expected += piece;
            ASSERT_TRUE(writer.add(piece));
        }
        ASSERT_TRUE(writer.finish());
    }
    ::close(fd);
    EXPECT_EQ(test::readRawFile(path), expected);

    const int readOnly = ::open(path.c_str(), O_RDONLY);
    BlockedFileWriter refused(readOnly);
    EXPECT_TRUE(refused.add("held in the block"));
    EXPECT_FALSE(refused.finish());
    EXPECT_FALSE(refused.add("x"));
    ::close(readOnly);
}

TEST_F(FileIO, anyInputLoadsOrGivesAClearMessageAndTheFileStaysAsItWas) {
    std::mt19937 random(17);
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);

    struct ReadCase {
        std::string name;
        std::string path;
        std::string error;  // empty: the file loads
        bool regular = true;
    };
    std::vector<ReadCase> cases = {
        {"binary", pathOf("picture.png"), ""},
        {"random bytes", pathOf("noise.html"), ""},
        {"0 bytes", pathOf("empty.html"), ""},
        {"blanks and non-ASCII letters", makeFolder("Mein Ördner") + "/página índice ü.html", ""},
        {"a folder", makeFolder("a folder.html"), "Failed to open document.", false},
        {"a missing file", pathOf("gone.html"), pathOf("gone.html") + " was not found.", false},
        {"a file used as a folder", pathOf("noise.html/x.html"), pathOf("noise.html/x.html") + " was not found.",
         false},
        {"a pipe", pathOf("pipe"), "Failed to open document.", false},
        {"no permission to read", pathOf("locked.html"),
         "Unable to read from " + pathOf("locked.html") + ", permission denied."},
    };
    test::writeRawFile(cases[0].path, everyByte + test::randomBytes(random, 100000));
    test::writeRawFile(cases[1].path, test::randomBytes(random, 700000));
    test::writeRawFile(cases[2].path, "");
    test::writeRawFile(cases[3].path, "<p>\xC3\xBC</p>\n");
    ASSERT_EQ(::mkfifo(cases[7].path.c_str(), 0600), 0);
    test::writeRawFile(cases[8].path, "secret\n");
    ASSERT_EQ(::chmod(cases[8].path.c_str(), 0), 0);
    if (::access("/proc/self/mem", F_OK) == 0)
        cases.push_back(
            {"a read error", "/proc/self/mem", "An unexpected error occurred while reading /proc/self/mem.", false});

    const test::PermissionsBind permissionsBind;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = c.regular ? test::readRawFile(c.path) : "";
        const ReadResult result = readTextFile(c.path);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.ok, c.error.empty());
        EXPECT_FALSE(result.outOfMemory);
        if (result.ok) {
            const LoadedText expected = toEditorText(before);
            EXPECT_EQ(result.loaded.text, expected.text);
            EXPECT_EQ(result.loaded.bUnixFile, expected.bUnixFile);
            EXPECT_EQ(result.loaded.nStrayCRs, expected.nStrayCRs);
        }
        if (c.regular) {
            EXPECT_TRUE(test::readRawFile(c.path) == before) << "the file changed";
        }
    }
}

TEST_F(FileIO, aSaveReplacesTheFileAndKeepsItsPermissions) {
    const mode_t umaskNow = ::umask(022);
    ::umask(umaskNow);
    struct SaveCase {
        const char* name;
        int mode;  // -1: no file yet
        bool bUnixFile;
    };
    const SaveCase cases[] = {
        {"private.html", 0600, false},
        {"shared.html", 0640, true},
        {"script.php", 0755, false},
        {"group.html", 02664, true},
        {"new.html", -1, false},
        {"Mein Ördner/página índice ü.html", -1, true},
    };
    makeFolder("Mein Ördner");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = pathOf(c.name);
        if (c.mode >= 0) {
            test::writeRawFile(path, "old");
            ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.mode)), 0);
        }
        const WriteResult result = writeTextFile(path, "<p>\r\nx", c.bUnixFile);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(test::readRawFile(path), c.bUnixFile ? "<p>\nx" : "<p>\r\nx");
        EXPECT_EQ(modeOf(path), c.mode >= 0 ? static_cast<mode_t>(c.mode) : 0666 & ~umaskNow);
    }
}

TEST_F(FileIO, aSaveThatCannotWriteLeavesTheOldFileByteIdentical) {
    struct FailCase {
        const char* name;
        std::string folder;
        int folderMode;
        int fileMode;  // -1: no file yet
    };
    const FailCase cases[] = {
        {"a new file in a read-only folder", makeFolder("read-only folder"), 0555, -1},
        {"a read-only file", makeFolder("writable folder"), 0755, 0444},
    };
    const std::string old = "old\r\ncontent\0"s;
    const test::PermissionsBind permissionsBind;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.folder + "/page.html";
        if (c.fileMode >= 0) {
            test::writeRawFile(path, old);
            ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.fileMode)), 0);
        }
        ASSERT_EQ(::chmod(c.folder.c_str(), static_cast<mode_t>(c.folderMode)), 0);
        const QStringList entries = entriesOf(c.folder);
        const std::string locked = c.fileMode < 0 ? c.folder : path;
        if (::faccessat(AT_FDCWD, locked.c_str(), W_OK, AT_EACCESS) == 0) {
            ::chmod(c.folder.c_str(), 0755);
            GTEST_SKIP() << "the permission bits do not bind this process";
        }

        const WriteResult result = writeTextFile(path, largeText(), false);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, "Unable to write to " + path + ", permission denied.");
        if (c.fileMode >= 0) {
            EXPECT_TRUE(test::readRawFile(path) == old) << "the old file changed";
            EXPECT_EQ(modeOf(path), static_cast<mode_t>(c.fileMode));
        }
        EXPECT_EQ(entriesOf(c.folder), entries);
        EXPECT_EQ(entriesOf(saveBackupFolder()), QStringList());
        ::chmod(c.folder.c_str(), 0755);
    }
}

// The owner, group, mode and identity (inode) of a file.
struct FileIdentity {
    uid_t owner;
    gid_t group;
    mode_t mode;
    ino_t inode;
};

FileIdentity identityOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return {status.st_uid, status.st_gid, status.st_mode & 07777, status.st_ino};
}

TEST_F(FileIO, aSaveKeepsOwnerGroupAndModeWhetherItReplacesTheFileOrWritesInPlace) {
    const uid_t me = ::geteuid();
    const gid_t myGroup = ::getegid();
    constexpr uid_t kOther = 4321;
    struct OwnerCase {
        const char* name;
        int folderMode;  // 0755: the file is replaced; 0555: it is written in place
        int mode;
        uid_t owner;
        gid_t group;
    };
    const OwnerCase cases[] = {
        {"private, replaced", 0755, 0600, me, myGroup},
        {"private, in place", 0555, 0600, me, myGroup},
        {"another user's, writable by all, replaced", 0755, 0666, kOther, kOther},
        {"another user's, writable by all, in place", 0555, 0666, kOther, kOther},
        {"set-group, replaced", 0755, 02664, me, kOther},
        {"set-group, in place", 0555, 02664, me, kOther},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = makeFolder("site " + std::to_string(++n));
        const std::string path = folder + "/page.html";
        test::writeRawFile(path, "old contents\n");
        if (::chown(path.c_str(), c.owner, c.group) != 0) GTEST_SKIP() << "no right to give a file away";
        ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.mode)), 0);
        ASSERT_EQ(::chmod(folder.c_str(), static_cast<mode_t>(c.folderMode)), 0);
        const FileIdentity before = identityOf(path);
        WriteResult result;
        {
            const test::PermissionsBind permissionsBind;
            if (c.folderMode == 0555 && ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0) {
                ::chmod(folder.c_str(), 0755);
                GTEST_SKIP() << "the permission bits do not bind this process";
            }
            result = writeTextFile(path, "new\r\ncontents", true);
        }
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(test::readRawFile(path), "new\ncontents");
        const FileIdentity after = identityOf(path);
        EXPECT_EQ(after.owner, before.owner);
        EXPECT_EQ(after.group, before.group);
        EXPECT_EQ(after.mode, before.mode);
        EXPECT_EQ(after.inode == before.inode, c.folderMode == 0555) << "replaced or written in place";
        EXPECT_EQ(entriesOf(folder), QStringList{"page.html"});
        EXPECT_EQ(entriesOf(saveBackupFolder()), QStringList()) << "the copy of the old bytes is removed";
        ::chmod(folder.c_str(), 0755);
    }
}

TEST_F(FileIO, theCopyOfTheOldBytesIsKeptInTheUsersCacheFolder) {
    const std::string cache = qEnvironmentVariable("XDG_CACHE_HOME").toStdString();
    ASSERT_FALSE(cache.empty());
    EXPECT_EQ(saveBackupFolder().rfind(cache + "/", 0), 0u) << saveBackupFolder();
}

// A write in place whose new bytes stop short: the old bytes come back from
// the copy kept beforehand, or, when even that fails, the copy stays where
// the message says.
TEST_F(FileIO, aWriteInPlaceThatFailsPutsTheOldBytesBack) {
    enum class Fault { BytesStop, FileMayNotGrow, OldBytesCannotGoBack };
    struct FaultCase {
        const char* name;
        Fault fault;
        std::string error;  // %2 stands for the copy
    };
    const FaultCase cases[] = {
        {"the bytes stop coming", Fault::BytesStop, "Failed to save document."},
        {"the file may grow no more", Fault::FileMayNotGrow, "Failed to save document."},
        {"the old bytes cannot go back", Fault::OldBytesCannotGoBack,
         "Failed to save document.\nIts old contents could not be put back and are kept in %2."},
    };
    const std::string old(1000, 'o');
    const std::string text = largeText();
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = makeFolder("read-only " + std::to_string(++n));
        const std::string backups = makeFolder("backups " + std::to_string(n));
        const std::string path = folder + "/page.html";
        test::writeRawFile(path, old);
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

        QStringList copiesWhileWriting;
        const auto produce = [&](const ByteSink& sink) {
            copiesWhileWriting = entriesOf(backups);
            if (copiesWhileWriting.size() == 1) {
                EXPECT_TRUE(test::readRawFile(backups + "/" + copiesWhileWriting[0].toStdString()) == old);
            }
            switch (c.fault) {
            case Fault::BytesStop:
                sink(std::string_view(text).substr(0, 5000));
                return false;
            case Fault::FileMayNotGrow: {
                rlimit small = saved;
                small.rlim_cur = 256 << 10;
                ::setrlimit(RLIMIT_FSIZE, &small);
                return writeFileBytes(text, false, sink);
            }
            case Fault::OldBytesCannotGoBack: {
                sink(std::string_view(text).substr(0, 10));
                rlimit tiny = saved;  // smaller than the old file
                tiny.rlim_cur = 100;
                ::setrlimit(RLIMIT_FSIZE, &tiny);
                return false;
            }
            }
            return false;
        };
        WriteResult result;
        {
            const test::PermissionsBind permissionsBind;
            if (::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0) {
                ::chmod(folder.c_str(), 0755);
                GTEST_SKIP() << "the permission bits do not bind this process";
            }
            result = writeFile(path, produce, backups);
        }
        ::setrlimit(RLIMIT_FSIZE, &saved);

        EXPECT_FALSE(result.ok);
        EXPECT_EQ(copiesWhileWriting.size(), 1u) << "a copy of the old bytes is kept before writing";
        EXPECT_EQ(modeOf(path), 0640u);
        EXPECT_EQ(entriesOf(folder), QStringList{"page.html"});
        const QStringList copies = entriesOf(backups);
        if (c.fault == Fault::OldBytesCannotGoBack) {
            ASSERT_EQ(copies.size(), 1u);
            const std::string copy = backups + "/" + copies[0].toStdString();
            EXPECT_TRUE(test::readRawFile(copy) == old) << "the copy holds the old bytes";
            std::string error = c.error;
            error.replace(error.find("%2"), 2, copy);
            EXPECT_EQ(result.error, error);
        } else {
            EXPECT_EQ(result.error, c.error);
            EXPECT_TRUE(test::readRawFile(path) == old) << "the old bytes are back";
            EXPECT_EQ(copies, QStringList()) << "the copy is removed once the old bytes are back";
        }
        ::chmod(folder.c_str(), 0755);
    }
    std::signal(SIGXFSZ, oldHandler);
}

TEST_F(FileIO, aWriteThatFailsMidwayLeavesTheOldFileByteIdentical) {
    const std::string path = pathOf("page.html");
    const std::string old(1000, 'o');
    test::writeRawFile(path, old);

    // Files may grow to 256 KiB: the save fails after its first blocks.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 256 << 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteResult result = writeTextFile(path, largeText(), true);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Failed to save document.");
    EXPECT_TRUE(test::readRawFile(path) == old) << "the old file changed";
    EXPECT_EQ(entriesOf(folder_.path().toStdString()), QStringList{"page.html"});
}

// Runs a save onto a file system of 128 KiB, in a child process with a mount
// namespace of its own; needs the right to mount, else the test is skipped.
TEST_F(FileIO, aFullDiskFailsTheSaveWithItsOwnMessage) {
    const std::string disk = makeFolder("small disk");
    const test::ChildReport child = test::reportFromChild(
        [&] {
            return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=128k") == 0;
        },
        [&] {
            const std::string path = disk + "/page.html";
            const std::string old = "old\n";
            test::writeRawFile(path, old);
            const WriteResult result = writeTextFile(path, largeText(), false);
            return result.error + (test::readRawFile(path) == old ? "|unchanged" : "|changed");
        });
    if (child.ending == test::ChildReport::Ending::Refused) GTEST_SKIP() << "no right to mount a small file system";
    ASSERT_EQ(child.ending, test::ChildReport::Ending::Reported);
    EXPECT_EQ(child.text, "Destination disk drive is full.|unchanged");
}

TEST_F(FileIO, aSaveOntoSomethingOtherThanAFileFailsAndDestroysNothing) {
    const std::string folder = makeFolder("site.html");
    test::writeRawFile(folder + "/index.html", "kept");
    const std::string pipe = pathOf("pipe.html");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string cases[] = {folder, pipe, pathOf("no such folder/page.html")};
    for (const auto& path : cases) {
        SCOPED_TRACE(path);
        const WriteResult result = writeTextFile(path, "text", false);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, "Failed to save document.");
    }
    EXPECT_EQ(test::readRawFile(folder + "/index.html"), "kept");
    struct stat status {};
    ASSERT_EQ(::stat(pipe.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST_F(FileIO, aSaveThroughASymbolicLinkWritesItsTargetAndKeepsTheLink) {
    const std::string target = pathOf("target.html");
    const std::string link = pathOf("link.html");
    test::writeRawFile(target, "old");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(writeTextFile(link, "new\r\n", true).ok);
    struct stat status {};
    ASSERT_EQ(::lstat(link.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(test::readRawFile(target), "new\n");
}

TEST_F(FileIO, samePathComparesCanonicalPathsWithCase) {
    const std::string folder = makeFolder("site");
    test::writeRawFile(folder + "/index.html", "");
    test::writeRawFile(folder + "/Index.html", "");
    ASSERT_EQ(::symlink(folder.c_str(), pathOf("alias").c_str()), 0);
    const std::string here = QDir::currentPath().toStdString();
    struct PathCase {
        std::string a;
        std::string b;
        bool same;
    };
    const PathCase cases[] = {
        {folder + "/index.html", folder + "/index.html", true},
        {folder + "/index.html", folder + "/./index.html", true},
        {folder + "/index.html", folder + "/../site/index.html", true},
        {folder + "/index.html", pathOf("alias") + "/index.html", true},
        {folder + "/index.html", folder + "/Index.html", false},
        {folder + "/index.html", folder + "/INDEX.HTML", false},
        {folder + "/new.html", pathOf("alias") + "/new.html", true},
        {folder + "/new.html", folder + "/new.htm", false},
        {here + "/page.html", "page.html", true},
        {"", "", false},
        {folder + "/index.html", "", false},
    };
    for (const auto& c : cases) EXPECT_EQ(samePath(c.a, c.b), c.same) << c.a << " | " << c.b;
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

// A text the edit control cannot hold once took the program down when it was
// handed over; it is refused as the file is read, before it is built.
TEST_F(FileIO, aFileBeyondTheEditorsLimitIsRefusedInsteadOfEndingTheProgram) {
    const std::string path = pathOf("huge.html");
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(file, 0);
    // Sparse: no disk space is taken, and its zero bytes read fast.
    const bool sized = ::ftruncate(file, static_cast<off_t>(kMaxTextLength) + 1) == 0;
    ::close(file);
    ASSERT_TRUE(sized);
    const ReadResult read = readTextFile(path);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, path + " is too large to open: the editor holds texts of up to 2 GB.");
    EXPECT_TRUE(read.loaded.text.empty());
}

}  // namespace
}  // namespace tagloom
