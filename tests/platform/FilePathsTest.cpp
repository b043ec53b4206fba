// The path rules shared by the features.
#include "platform/FilePaths.h"

#include <gtest/gtest.h>

namespace tagloom {
namespace {

TEST(FilePaths, aSelectedNameIsTakenFromTheDocumentsFolder) {
    const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
        {{"images/a.png", "/site/index.html"}, "/site/images/a.png"},
        {{"images\\a.png", "/site/index.html"}, "/site/images/a.png"},
        {{"/etc/hosts", "/site/index.html"}, "/etc/hosts"},
        {{"a.html", ""}, "a.html"},
    };
    for (const auto& [in, expected] : cases) EXPECT_EQ(selectedFilePath(in.first, in.second), expected) << in.first;
    EXPECT_EQ(folderOf("/a/b.html"), "/a/");
    EXPECT_EQ(folderOf("b.html"), "");
    EXPECT_EQ(fileNameOf("/a/b.html"), "b.html");
}

}  // namespace
}  // namespace tagloom
