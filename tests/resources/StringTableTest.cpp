// The string table: prompts and tooltips of the commands, the fixed texts,
// and that every command the menus, toolbars and keys can send has its text.
#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <vector>

#include "resources/Resources.h"

namespace tagloom::res {
namespace {

TEST(StringTable, splitsEachStringIntoPromptAndTooltip) {
    struct Case {
        int id;
        std::string_view prompt, tooltip;
    };
    const Case cases[] = {
        {32807, "Open an existing document", "Open  Ctrl+O"},
        {32914, "Replace selection with code for the [\"] character and put it on the clipboard", ""},
        {32926, "CSS web reference", "HTMLWeb Reference - Help"},
        {57644, "Redo the previous Undo action", "Redo Ctrl+Y"},
        {32842, "Scroll to and hilight the requested line (1-based) ", "Go To Line"},
        {32921, "Format and decompress the selected text or the entire CSS document", "CSS Format "},
        {32845, "Remove marked text", ""},
        {32918, "Enter na HTML character code at the I-Beam cursor", "HTML Char Codes"},
        {57665, "Quit Tagloom; prompts to save the document", "Exit - Alt+F4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(commandPrompt(c.id), c.prompt) << c.id;
        EXPECT_EQ(commandTooltip(c.id), c.tooltip) << c.id;
    }
}

TEST(StringTable, holdsTheFixedTexts) {
    EXPECT_EQ(stringResource(57344), "Tagloom");
    EXPECT_EQ(stringResource(57345), "Ready");
    for (int id = 57616; id <= 57631; ++id) EXPECT_EQ(stringResource(id), "Open this document") << id;
}

TEST(StringTable, answersEmptyForAnIdItDoesNotHold) {
    for (int id : {0, -1, 1, 32775, 57615, 57632, 70000}) {
        EXPECT_TRUE(stringResource(id).empty()) << id;
        EXPECT_TRUE(commandPrompt(id).empty()) << id;
        EXPECT_TRUE(commandTooltip(id).empty()) << id;
    }
}

void collectCommands(const MenuItem& item, std::set<int>& ids) {
    if (item.kind == MenuItem::Kind::Command) ids.insert(item.id);
    for (const MenuItem& child : item.items) collectCommands(child, ids);
}

TEST(StringTable, coversEveryCommandOfTheMenusToolbarsAndKeys) {
    std::set<int> commands;
    for (const MenuItem& menu : mainMenu()) collectCommands(menu, commands);
    collectCommands(viewContextMenu(), commands);
    collectCommands(insertTagsMenu(), commands);
    for (const ToolbarSpec& bar : toolbars()) {
        commands.insert(bar.switchCommand);
        for (int button : bar.buttons)
            if (button != 0) commands.insert(button);
    }
    for (const auto* table : {&mainAccelerators(), &previewAccelerators()})
        for (const Accelerator& a : *table) commands.insert(a.command);

    // The print preview's page and close keys have no documented prompt.
    const std::set<int> knownWithoutString = {58112, 58114, 58115};
    std::set<int> withoutString;
    for (int id : commands)
        if (stringResource(id).empty()) withoutString.insert(id);
    EXPECT_EQ(withoutString, knownWithoutString);
}

TEST(StringTable, givesEveryToolbarButtonATooltip) {
    for (const ToolbarSpec& bar : toolbars())
        for (int button : bar.buttons)
            if (button != 0) {
                EXPECT_FALSE(commandTooltip(button).empty()) << bar.name << " button " << button;
            }
}

}  // namespace
}  // namespace tagloom::res
