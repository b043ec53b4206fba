#include <gtest/gtest.h>

#include "document/RecentFileList.h"
#include "support/MemorySettingsStore.h"

namespace tagloom {
namespace {

using test::MemorySettingsStore;

TEST(RecentFileList, keepsTheMostRecentFirstWithoutDuplicatesUpToItsSize) {
    RecentFileList list(3);
    for (const char* path : {"/a", "/b", "/c", "/b", "/d"}) list.add(path);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/d", "/b", "/c"}));
}

TEST(RecentFileList, sizeIsKeptBetweenZeroAndSixteen) {
    EXPECT_EQ(RecentFileList(-2).size(), 0);
    EXPECT_EQ(RecentFileList(40).size(), 16);
    RecentFileList none(0);
    none.add("/a");
    EXPECT_TRUE(none.entries().empty());
}

TEST(RecentFileList, storesFileOneToNAndRemovesKeysOfEmptyPlaces) {
    MemorySettingsStore store;
    store.values[{"Recent File List", "File3"}] = "/old";
    RecentFileList list(4);
    list.add("/second");
    list.add("/first");
    list.save(store);
    EXPECT_EQ(store.raw("Recent File List", "File1"), "/first");
    EXPECT_EQ(store.raw("Recent File List", "File2"), "/second");
    EXPECT_FALSE(store.contains("Recent File List", "File3"));

    RecentFileList read(4);
    read.load(store);
    EXPECT_EQ(read.entries(), list.entries());
    RecentFileList shorter(1);
    shorter.load(store);
    EXPECT_EQ(shorter.entries(), (std::vector<std::string>{"/first"}));
}

TEST(RecentFileList, menuTextsAreNumberedShortenedAndKeepAmpersands) {
    struct Case {
        const char* path;
        const char* shown;
    };
    const Case cases[] = {
        {"/home/ann/site/index.html", "/home/ann/site/index.html"},
        {"/home/ann/projects/customers/site/index.html", "/.../customers/site/index.html"},
        {"/home/ann/projects/customers/longer-name/index.html", "/.../longer-name/index.html"},
        {"/x/a-file-name-that-is-longer-than-thirty.html", "a-file-name-that-is-longer-than-thirty.html"},
        {"/home/ann/projects/tom&jerry/pages/a.html", "/.../tom&jerry/pages/a.html"},
    };
    for (const auto& c : cases) {
        const std::string shown = abbreviatePath(c.path, RecentFileList::kDisplayLength);
        EXPECT_EQ(shown, c.shown);
        EXPECT_LE(shown.size(), std::max<std::size_t>(30, std::string(c.shown).size()));
    }
    RecentFileList list(2);
    list.add("/srv/tom&jerry.html");
    EXPECT_EQ(list.menuText(0), "&1 /srv/tom&&jerry.html");
}

}  // namespace
}  // namespace tagloom
