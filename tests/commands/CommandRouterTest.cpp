#include <gtest/gtest.h>

#include "commands/CommandRouter.h"

namespace tagloom {
namespace {

TEST(CommandRouter, runsOnlyEnabledCommands) {
    CommandRouter router;
    int runs = 0;
    bool enabled = false;
    router.add(1, [&] { ++runs; }, [&](CommandState& s) { s.enabled = enabled; });
    EXPECT_FALSE(router.run(1));
    enabled = true;
    EXPECT_TRUE(router.run(1));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(router.run(2));  // nobody handles it
    EXPECT_FALSE(router.query(2).enabled);
}

TEST(CommandRouter, updateHandlersGiveCheckMarksAndTexts) {
    CommandRouter router;
    router.add(1, [] {}, [](CommandState& s) {
        s.checked = true;
        s.text = "&Undo (3)\tCtrl+Z";
    });
    router.addUpdate(2, [](CommandState& s) {
        s.enabled = true;
        s.text = "\tLn 1, Col 1";
    });
    EXPECT_TRUE(router.query(1).checked);
    EXPECT_EQ(router.query(1).text, "&Undo (3)\tCtrl+Z");
    EXPECT_TRUE(router.query(2).enabled);
    EXPECT_FALSE(router.run(2));  // a pane has no handler to run
}

TEST(CommandRouter, aHandlerMayReplaceItsOwnCommandWhileRunning) {
    CommandRouter router;
    int second = 0;
    router.add(1, [&] { router.add(1, [&] { ++second; }); });
    EXPECT_TRUE(router.run(1));
    EXPECT_TRUE(router.run(1));
    EXPECT_EQ(second, 1);
}

}  // namespace
}  // namespace tagloom
