// Toolbars, key tables and status-bar panes against their documented tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/Resources.h"

namespace tagloom::res {
namespace {

TEST(Toolbars, holdTheDocumentedButtonsInOrder) {
    struct Expected {
        std::string_view name;
        int windowId, resourceId, switchCommand;
        std::vector<int> buttons;
    };
    const std::vector<Expected> expected = {
        {"Edit", 59392, 128, 59392,
         {32810, 0, 32807, 32809, 0, 57635, 57634, 57637, 32897, 57643, 57644, 0, 57607, 57609, 57664}},
        {"HTML", 101, 153, 32957, {32804, 32817, 32895, 32794, 32827, 32829, 32834, 32835, 32918}},
        {"Display", 102, 155, 32964, {32774, 32863, 32791, 32782, 32910, 32942}},
        {"Locate", 103, 157, 32971, {32876, 32872, 32873, 32874, 0, 32787, 32929}},
    };
    const std::vector<ToolbarSpec>& bars = toolbars();
    ASSERT_EQ(bars.size(), expected.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(std::string(expected[i].name));
        EXPECT_EQ(bars[i].name, expected[i].name);
        EXPECT_EQ(bars[i].windowId, expected[i].windowId);
        EXPECT_EQ(bars[i].resourceId, expected[i].resourceId);
        EXPECT_EQ(bars[i].switchCommand, expected[i].switchCommand);
        EXPECT_EQ(bars[i].buttons, expected[i].buttons);
    }
}

// "Ctrl+Shift+V", "Alt+F4", "Page Down": modifiers joined by '+', then the key.
Accelerator parseBinding(std::string_view binding, int command) {
    static const std::map<std::string_view, int> kModifiers = {{"Ctrl", kCtrl}, {"Shift", kShift}, {"Alt", kAlt}};
    static const std::map<std::string_view, int> kNamedKeys = {
        {"Insert", VK_INSERT}, {"Delete", VK_DELETE}, {"Backspace", VK_BACK},   {"Esc", VK_ESCAPE},
        {"Left", VK_LEFT},     {"Right", VK_RIGHT},   {"Page Down", VK_NEXT},   {"Page Up", VK_PRIOR},
        {"F1", VK_F1},         {"F2", VK_F2},         {"F3", VK_F3},            {"F4", VK_F4},
        {"F5", VK_F5},         {"F6", VK_F6},         {"F7", VK_F7}};
    Accelerator result{0, kNoModifier, command};
    for (std::size_t plus; (plus = binding.find('+')) != std::string_view::npos; binding.remove_prefix(plus + 1))
        result.modifiers |= kModifiers.at(binding.substr(0, plus));
    result.key = binding.size() == 1 ? binding[0] : kNamedKeys.at(binding);
    return result;
}

void expectTable(const std::vector<Accelerator>& actual,
                 const std::vector<std::pair<std::string_view, int>>& documented) {
    ASSERT_EQ(actual.size(), documented.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const Accelerator expected = parseBinding(documented[i].first, documented[i].second);
        SCOPED_TRACE(std::string(documented[i].first));
        EXPECT_EQ(actual[i].key, expected.key);
        EXPECT_EQ(actual[i].modifiers, expected.modifiers);
        EXPECT_EQ(actual[i].command, expected.command);
    }
}

TEST(Accelerators, mainTableBindsTheDocumentedKeys) {
    expectTable(mainAccelerators(), {
        {"Ctrl+A", 32851},         // Select All
        {"Ctrl+B", 32876},         // Toggle Bookmark
        {"Ctrl+C", 57634},         // Copy
        {"Ctrl+Insert", 57634},    // Copy
        {"Ctrl+F", 32787},         // Find and Mark
        {"Ctrl+H", 32786},         // Replace
        {"Ctrl+N", 32810},         // New
        {"Ctrl+O", 32807},         // Open
        {"Ctrl+R", 32821},         // ReOpen
        {"Ctrl+S", 32809},         // Save
        {"Ctrl+V", 57637},         // Paste
        {"Shift+Insert", 57637},   // Paste
        {"Ctrl+Shift+V", 32897},   // Paste From LIFO
        {"Ctrl+Z", 57643},         // Undo
        {"Alt+Backspace", 57643},  // Undo
        {"Ctrl+Y", 57644},         // Redo
        {"Ctrl+X", 57635},         // Cut
        {"Shift+Delete", 57635},   // Cut
        {"Ctrl+Delete", 32819},    // Delete (the file)
        {"Esc", 32845},            // Remove marked text
        {"F1", 32946},             // Documentation
        {"F2", 32827},             // Find Next Tag
        {"F3", 32829},             // Find Previous Tag
        {"F4", 32834},             // Find Next Untagged
        {"F5", 32835},             // Find Previous Untagged
        {"F6", 32794},             // Select Matching Tags
        {"Shift+F6", 57681},       // Previous Pane
        {"F7", 32817},             // HTML Format
        {"Insert", 32895},         // HTML Tags
        {"Ctrl+Left", 32873},      // Previous Bookmark
        {"Ctrl+Right", 32872},     // Next Bookmark
        {"Alt+F4", 57665},         // Exit
        {"Alt+Left", 32873},       // Previous Bookmark, as its caption says
        {"Alt+Right", 32872},      // Next Bookmark, as its caption says
        {"Ctrl+P", 57607},         // Print, as its caption says
    });
}

void collectCaptionKeys(const std::vector<MenuItem>& items, std::vector<std::pair<std::string_view, int>>& keys) {
    for (const MenuItem& item : items) {
        collectCaptionKeys(item.items, keys);
        const std::size_t tab = item.text.find('\t');
        if (item.kind != MenuItem::Kind::Command || tab == std::string_view::npos) continue;
        std::string_view key = item.text.substr(tab + 1);
        while (key.starts_with(' ')) key.remove_prefix(1);
        keys.emplace_back(key, item.id);
    }
}

// A key in brackets ("[delete]", "Ctrl + [+]") is one the text widget or the
// view handles itself; every other key a caption names runs its command.
TEST(Accelerators, everyKeyAMenuCaptionNamesRunsItsCommand) {
    std::vector<std::pair<std::string_view, int>> captions;
    collectCaptionKeys(mainMenu(), captions);
    collectCaptionKeys(viewContextMenu().items, captions);
    int checked = 0;
    for (const auto& [key, command] : captions) {
        if (key.find('[') != std::string_view::npos) continue;
        const Accelerator wanted = parseBinding(key, command);
        const auto& table = mainAccelerators();
        EXPECT_TRUE(std::any_of(table.begin(), table.end(), [&](const Accelerator& a) {
            return a.key == wanted.key && a.modifiers == wanted.modifiers && a.command == wanted.command;
        })) << key << " for command " << command;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(Accelerators, previewTableTurnsPagesAndCloses) {
    expectTable(previewAccelerators(), {{"Page Down", 58114}, {"Page Up", 58115}, {"Esc", 58112}});
}

TEST(Accelerators, noKeyIsBoundTwiceInATable) {
    for (const auto* table : {&mainAccelerators(), &previewAccelerators()}) {
        std::set<std::pair<int, int>> seen;
        for (const Accelerator& a : *table)
            EXPECT_TRUE(seen.insert({a.key, a.modifiers}).second)
                << "key " << a.key << " with modifiers " << a.modifiers << " is bound twice";
    }
}

TEST(StatusPanes, runLeftToRightWithTheirSizingStrings) {
    const std::vector<std::pair<int, std::string_view>> expected = {
        {0, ""},
        {59147, "  COLOR  "},
        {59145, " UNIX "},
        {59144, " 10000 Lines "},
        {59143, " 1000000 Bytes "},
        {59142, " Ln 123456, Col 334 "},
        {59146, " 99 BM "},
        {59137, "CAP"},
        {59138, "NUM"},
    };
    const std::vector<StatusPane>& panes = statusPanes();
    ASSERT_EQ(panes.size(), expected.size());
    for (std::size_t i = 0; i < panes.size(); ++i) {
        EXPECT_EQ(panes[i].id, expected[i].first);
        EXPECT_EQ(panes[i].sizing, expected[i].second) << "pane " << expected[i].first;
        EXPECT_EQ(stringResource(panes[i].id), expected[i].second) << "string " << expected[i].first;
    }
}

}  // namespace
}  // namespace tagloom::res
