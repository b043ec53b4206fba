// Starting a new editor beside this one: the cascade, the selected name, and
// the stored placement shifted only until the new instance has read it.
#include "app/NewEditorLauncher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/FakePlatform.h"

namespace tagloom {
namespace {

TEST(NewEditorLauncher, cascadeGoesDownAndRightUnlessNearTheFarEdges) {
    struct Case {
        const char* name;
        FrameRect normal;
        FrameRect expected;
    };
    const ScreenSize screen{1200, 900};
    const Case cases[] = {
        {"down and right", {100, 100, 700, 600}, {140, 140, 740, 640}},
        {"top in the lower third: up instead", {100, 580, 700, 880}, {140, 540, 740, 840}},
        {"top just at two thirds stays", {100, 560, 700, 860}, {140, 600, 740, 900}},
        {"left beyond two thirds: left instead", {770, 100, 1170, 600}, {730, 140, 1130, 640}},
        {"on a second screen to the right", {1300, 100, 1900, 600}, {1340, 140, 1940, 640}},
        {"far on the second screen: left instead", {1600, 100, 2000, 600}, {1560, 140, 1960, 640}},
    };
    for (const Case& c : cases) EXPECT_EQ(cascadeRect(c.normal, screen), c.expected) << c.name;
}

// Starts nothing; keeps the arguments and what the store held meanwhile.
class FakeStarter : public InstanceStarter {
public:
    explicit FakeStarter(SettingsStore& store) : store_(store) {}
    LaunchResult start(const std::vector<std::string>& arguments, std::function<void()> placementRead) override {
        started.push_back(arguments);
        storedAtStart.push_back(store_.getString("Main Window", "Rect", ""));
        if (result.ok) waiting.push_back(std::move(placementRead));
        return result;
    }
    std::vector<std::vector<std::string>> started;
    std::vector<std::string> storedAtStart;
    std::vector<std::function<void()>> waiting;
    LaunchResult result{true, {}};

private:
    SettingsStore& store_;
};

struct Launching {
    Launching() { fake.settings.setString("Main Window", "Rect", "0100 0100 0700 0600"); }
    std::string stored() { return fake.settings.getString("Main Window", "Rect", ""); }

    test::FakePlatform fake;
    FakeStarter starter{fake.settings};
    std::optional<FrameRect> normal = FrameRect{200, 100, 800, 600};
    NewEditorLauncher launcher{fake.platform, starter, [this] { return FrameFacts{normal, {1600, 1000}}; }};
};

TEST(NewEditorLauncher, theShiftedPlacementIsStoredUntilEveryNewInstanceHasReadIt) {
    Launching f;
    ASSERT_TRUE(f.launcher.LaunchNewEditor({"/site/a.html", "/iss3", "/isa5"}, "Tagloom - Find in Files"));
    ASSERT_TRUE(f.launcher.LaunchNewEditor({}, "Tagloom - Open New Editor"));
    EXPECT_EQ(f.starter.started, (std::vector<std::vector<std::string>>{{"/site/a.html", "/iss3", "/isa5"}, {}}));
    EXPECT_EQ(f.starter.storedAtStart, (std::vector<std::string>{"0240 0140 0840 0640", "0240 0140 0840 0640"}));
    f.starter.waiting[0]();
    EXPECT_EQ(f.stored(), "0240 0140 0840 0640");
    f.starter.waiting[1]();
    EXPECT_EQ(f.stored(), "0100 0100 0700 0600");
    EXPECT_TRUE(f.fake.prompter.messages.empty());
}

TEST(NewEditorLauncher, withoutAStoredPlacementOrWhenTheStartFailsItSaysSo) {
    Launching none;
    none.fake.settings.remove("Main Window", "Rect");
    EXPECT_FALSE(none.launcher.LaunchNewEditor({}, "Tagloom - Open New Editor"));
    EXPECT_TRUE(none.starter.started.empty());
    ASSERT_EQ(none.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(none.fake.prompter.messages[0], (Message{"Problem determining window position",
                                                       "Tagloom - Open New Editor", Buttons::Ok, Icon::Error, 0}));

    Launching failing;
    failing.starter.result = {false, "No such program"};
    EXPECT_FALSE(failing.launcher.LaunchNewEditor({}, "Tagloom - Find in Files"));
    ASSERT_EQ(failing.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(failing.fake.prompter.messages[0].text, "No such program");
    EXPECT_EQ(failing.stored(), "0100 0100 0700 0600");
}

TEST(NewEditorLauncher, startNewEditorOpensTheSelectedFileOrAsksAboutAMissingOne) {
    const auto folder = std::filesystem::temp_directory_path() / "tagloom-new-editor-test";
    std::filesystem::create_directories(folder / "images");
    std::ofstream(folder / "images" / "a.png") << "png";
    const std::string page = (folder / "index.html").string();

    Launching f;
    f.launcher.StartNewEditor("images/a.png", page);
    f.launcher.StartNewEditor("", page);
    f.fake.prompter.answers = {Answer::No, Answer::Yes};
    f.launcher.StartNewEditor("images/b.png", page);
    f.launcher.StartNewEditor("images", page);
    EXPECT_EQ(f.starter.started,
              (std::vector<std::vector<std::string>>{{(folder / "images" / "a.png").string()}, {}, {}}));
    ASSERT_EQ(f.fake.prompter.messages.size(), 2u);
    EXPECT_EQ(f.fake.prompter.messages[0], (Message{"No such file or directory\n\nOpen a new Tagloom anyway?",
                                                    "Tagloom - Open New Editor", Buttons::YesNo, Icon::Warning, 1}));
    EXPECT_EQ(f.fake.prompter.messages[1].text, "Is a directory\n\nOpen a new Tagloom anyway?");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tagloom
