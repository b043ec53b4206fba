// The copies Send leaves for the mail program go once they are a day old,
// and nothing else does.
#include "document/SendCopies.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/TestFiles.h"

namespace tagloom {
namespace {

namespace fs = std::filesystem;
using std::chrono::hours;
using std::chrono::minutes;

// Sets a file's or a folder's (not a link's target's) last change that long ago.
void changedAgo(const fs::path& path, std::chrono::seconds age) {
    const struct timespec now = {std::time(nullptr) - age.count(), 0};
    const struct timespec times[2] = {now, now};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// A copy's folder as Send makes it, its copy written `age` ago.
fs::path copyFolder(const fs::path& in, const std::string& name, std::chrono::seconds age) {
    const fs::path folder = in / name;
    fs::create_directories(folder);
    test::writeRawFile(folder / "index.html", "<p>mail</p>\r\n");
    changedAgo(folder / "index.html", age);
    changedAgo(folder, age);
    return folder;
}

TEST(SendCopies, aCopyOlderThanADayIsRemovedAndNothingElse) {
    QTemporaryDir temp;
    const fs::path in = temp.path().toStdString();
    const std::string prefix = kSendFolderPrefix;
    const fs::path stale = copyFolder(in, prefix + "a1b2c3", hours(25));
    const fs::path staleEmpty = in / (prefix + "d4e5f6");
    fs::create_directories(staleEmpty);
    changedAgo(staleEmpty, hours(72));
    const fs::path fresh = copyFolder(in, prefix + "g7h8i9", hours(23));
    const fs::path justMade = copyFolder(in, prefix + "j0k1l2", minutes(1));
    const fs::path otherName = copyFolder(in, "tagloom-other-m3n4o5", hours(48));
    const fs::path staleFile = in / (prefix + "file");
    test::writeRawFile(staleFile, "not a folder");
    changedAgo(staleFile, hours(48));
    // A link of the name, to an old folder elsewhere: neither it nor what it leads to is a copy.
    const fs::path elsewhere = copyFolder(in, "elsewhere", hours(48));
    const fs::path link = in / (prefix + "link");
    fs::create_directory_symlink(elsewhere, link);
    changedAgo(link, hours(48));

    removeStaleSendCopies(in.string());

    EXPECT_FALSE(fs::exists(stale));
    EXPECT_FALSE(fs::exists(staleEmpty));
    for (const fs::path& kept : {fresh, justMade, otherName, staleFile, elsewhere / "index.html"})
        EXPECT_TRUE(fs::exists(kept)) << kept;
    EXPECT_TRUE(fs::is_symlink(link));
}

TEST(SendCopies, anotherUsersCopyStays) {
    QTemporaryDir temp;
    const fs::path in = temp.path().toStdString();
    const fs::path theirs = copyFolder(in, std::string(kSendFolderPrefix) + "p6q7r8", hours(48));
    if (::chown(theirs.c_str(), 4321, 4321) != 0) GTEST_SKIP() << "no right to give a folder away";
    removeStaleSendCopies(in.string());
    EXPECT_TRUE(fs::exists(theirs / "index.html"));
}

}  // namespace
}  // namespace tagloom
