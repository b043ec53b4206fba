// tagloom-cli reads and writes pages with the editor's own code, and says
// why it cannot in the editor's own words.
#include <sys/stat.h>

#include "support/CliFixture.h"

namespace tagloom {
namespace {

using test::Cli;
using test::CliRun;
using test::ProgramsStartWithoutRootPowers;
namespace fs = std::filesystem;

const std::string kPage = "<html>\n<body>x</body>\n</html>\n";

TEST_F(Cli, aPageThatMayNotBeReadOrWrittenIsReportedAsPermissionDenied) {
    const std::string unreadable = file("unreadable.html", kPage).string();
    const std::string readOnly = file("read-only.html", kPage).string();
    const std::string page = file("page.html", kPage).string();
    const fs::path shut = dir_ / "shut";
    fs::create_directories(shut);
    const std::string intoShut = (shut / "out.html").string();
    ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(shut.c_str(), 0555), 0);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"html-format", unreadable}, unreadable + ": Unable to read from " + unreadable + ", permission denied."},
        {{"html-format", "-i", readOnly}, readOnly + ": Unable to write to " + readOnly + ", permission denied."},
        {{"html-format", "-o", intoShut, page}, intoShut + ": Unable to write to " + intoShut + ", permission denied."},
    };
    const ProgramsStartWithoutRootPowers withoutPowers;
    if (!withoutPowers.bound()) GTEST_SKIP() << "the permission bits do not bind the programs this one starts";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        const CliRun done = run(c.args);
        EXPECT_EQ(done.status, 2);
        EXPECT_EQ(done.out, "");
        EXPECT_EQ(done.err, "tagloom-cli: " + c.err + "\n");
    }
    EXPECT_EQ(test::readBytes(readOnly), kPage);
    EXPECT_FALSE(fs::exists(intoShut));
    ::chmod(shut.c_str(), 0755);
}

}  // namespace
}  // namespace tagloom
