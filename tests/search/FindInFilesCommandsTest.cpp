// The Find in Files command with scripted windows: what the dialog opens
// with, the checks of what was entered, the outcomes, and Go To.
#include "search/FindInFilesCommands.h"

#include <gtest/gtest.h>

#include <deque>

#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

class ScriptedWindows : public FindInFilesWindows {
public:
    std::optional<FindInFilesForm> ask(const FindInFilesForm& form) override {
        shown.push_back(form);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    FindInFilesResult search(const FindInFilesRequest& request) override {
        requests.push_back(request);
        return result;
    }
    void showResults(const std::string& title, const std::string& text,
                     const std::function<void(int)>& goTo) override {
        resultsTitle = title;
        resultsText = text;
        for (const int at : goToPlaces) goTo(at);
    }

    std::deque<std::optional<FindInFilesForm>> answers;
    std::vector<FindInFilesForm> shown;
    std::vector<FindInFilesRequest> requests;
    FindInFilesResult result;
    std::vector<int> goToPlaces;
    std::string resultsTitle, resultsText;
};

struct FifCommand : test::ComponentFixture {
    FifCommand() {
        commands.setWindows(&windows);
        commands.setNewEditorStarter([this](const std::vector<std::string>& arguments, const std::string& title) {
            started.emplace_back(arguments, title);
            return true;
        });
    }
    FindInFilesForm filled() {
        FindInFilesForm form;
        form.fileSpec = "*.php";
        form.findText = "needle";
        form.folder = "/site";
        form.depth = 2;
        form.matchCase = true;
        return form;
    }

    EditorSettings settings;
    FindInFilesCommands commands{view, settings, fake.platform, router};
    ScriptedWindows windows;
    std::vector<std::pair<std::vector<std::string>, std::string>> started;
};

TEST(FindInFilesCommands, theDialogOpensWithTheSettingsTheSelectionAndTheDocumentsFolder) {
    FifCommand f;
    f.settings.subfolderDepth = 3;
    f.settings.bFifMatchWhole = 1;
    f.view.path = "/site/pages/index.html";
    f.load("find this text", 5, 9);
    f.router.run(cmd::FindInFiles);
    ASSERT_EQ(f.windows.shown.size(), 1u);
    const FindInFilesForm& form = f.windows.shown[0];
    EXPECT_EQ(form.findText, "this");
    EXPECT_EQ(form.folder, "/site/pages/");
    EXPECT_EQ(form.fileSpec, "*.htm?");
    EXPECT_EQ(form.depth, 3);
    EXPECT_TRUE(form.wholeWord);
    EXPECT_FALSE(form.matchCase);
    EXPECT_TRUE(f.windows.requests.empty());
}

TEST(FindInFilesCommands, blankEntriesAreRefusedAndTheDialogShowsThemAgain) {
    FifCommand f;
    FindInFilesForm blank = f.filled();
    blank.findText.clear();
    f.windows.answers = {blank, std::nullopt};
    f.router.run(cmd::FindInFiles);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0],
              (Message{"Some entries are blank!", "Tagloom - Find in Files", Buttons::Ok, Icon::Warning, 0}));
    ASSERT_EQ(f.windows.shown.size(), 2u);
    EXPECT_EQ(f.windows.shown[1].folder, "/site");
    EXPECT_EQ(f.windows.shown[1].fileSpec, "*.php");
    EXPECT_TRUE(f.windows.requests.empty());
    // What was entered is kept, the blank find text too.
    EXPECT_EQ(f.settings.strFifType, "*.php");
    EXPECT_EQ(f.settings.subfolderDepth, 2);
    EXPECT_EQ(f.commands.strFifFolder, "/site");
}

TEST(FindInFilesCommands, theSearchRunsOnTheEnteredValuesAndItsOutcomeIsShown) {
    FifCommand found;
    found.windows.answers = {found.filled()};
    found.windows.result.text = "results";
    found.router.run(cmd::FindInFiles);
    ASSERT_EQ(found.windows.requests.size(), 1u);
    const FindInFilesRequest& request = found.windows.requests[0];
    EXPECT_EQ(request.folder, "/site/");
    EXPECT_EQ(request.findText, "needle");
    EXPECT_EQ(request.depth, 2);
    EXPECT_TRUE(request.matchCase);
    EXPECT_EQ(found.windows.resultsTitle, "Tagloom - Find in Files");
    EXPECT_EQ(found.windows.resultsText, "results");

    FifCommand failed;
    failed.windows.answers = {failed.filled()};
    failed.windows.result.outcome = FindInFilesResult::Outcome::Failed;
    failed.windows.result.error = "Permission denied";
    failed.router.run(cmd::FindInFiles);
    ASSERT_EQ(failed.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(failed.fake.prompter.messages[0],
              (Message{"Permission denied", "Tagloom - Find in Files", Buttons::Ok, Icon::Warning, 0}));
    EXPECT_EQ(failed.windows.resultsTitle, "");

    FifCommand cancelled;
    cancelled.windows.answers = {cancelled.filled()};
    cancelled.windows.result.outcome = FindInFilesResult::Outcome::Cancelled;
    cancelled.router.run(cmd::FindInFiles);
    EXPECT_TRUE(cancelled.fake.prompter.messages.empty());
    EXPECT_EQ(cancelled.windows.resultsTitle, "");
}

TEST(FindInFilesCommands, goToStartsANewEditorOnTheFoundPlaceOrBeeps) {
    const std::string results = "1 Files Found - Sub Folder Depth 0 of 0\r\n\r\nLooking For: ab\r\n\r\n/site/\r\n"
                                "  a.html  --  12 345 \r\n";
    FifCommand f;
    f.windows.answers = {f.filled()};
    f.windows.result.text = results;
    const int at345 = static_cast<int>(results.find("345")) + 1;
    f.windows.goToPlaces = {at345, static_cast<int>(results.find("/site/"))};
    f.router.run(cmd::FindInFiles);
    ASSERT_EQ(f.started.size(), 1u);
    EXPECT_EQ(f.started[0].first, (std::vector<std::string>{"/site/a.html", "/iss345", "/isa347"}));
    EXPECT_EQ(f.started[0].second, "Tagloom - Find in Files");
    EXPECT_EQ(f.fake.desktop.beeps, 1);
}

}  // namespace
}  // namespace tagloom
