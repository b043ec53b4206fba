// The desktop's trash, as the freedesktop.org trash of a private home.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/qt/QtPlatform.h"
#include "support/TestFiles.h"

namespace tagloom {
namespace {

namespace fs = std::filesystem;

// HOME and XDG_DATA_HOME for the life of the object, put back afterwards.
class PrivateHome {
public:
    PrivateHome(const fs::path& home, const fs::path& dataHome)
        : home_(qgetenv("HOME")), dataHome_(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", home.c_str());
        qputenv("XDG_DATA_HOME", dataHome.c_str());
    }
    ~PrivateHome() {
        qputenv("HOME", home_);
        qputenv("XDG_DATA_HOME", dataHome_);
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

private:
    QByteArray home_;
    QByteArray dataHome_;
};

TEST(QtDesktop, movesAFileToTheTrashOrLeavesItWhereItWasWhenThereIsNone) {
    struct Case {
        const char* name;
        const char* dataHome;  // within the home
        bool trashed;
    };
    const Case cases[] = {
        {"a trash in the data folder", ".local/share", true},
        {"no data folder for a trash", "no such folder", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir temp;
        const fs::path home = temp.path().toStdString();
        fs::create_directories(home / ".local/share");
        fs::create_directories(home / "Mein Ördner");
        const fs::path page = home / "Mein Ördner" / "página índice.html";
        test::writeRawFile(page, "<p>page</p>\r\n");
        const PrivateHome privateHome(home, home / c.dataHome);

        QtDesktop desktop;
        EXPECT_EQ(desktop.moveToTrash(page.string()), c.trashed);
        EXPECT_EQ(fs::exists(page), !c.trashed);
        const fs::path inTrash = home / ".local/share/Trash/files" / page.filename();
        EXPECT_EQ(fs::exists(inTrash), c.trashed);
        EXPECT_FALSE(fs::exists(fs::current_path() / "files" / page.filename())) << "the current folder is no trash";
        if (c.trashed) {
            EXPECT_EQ(test::readRawFile(inTrash), "<p>page</p>\r\n");
        }
    }
}

}  // namespace
}  // namespace tagloom
