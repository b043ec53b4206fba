// The menus against their documented layout: every item's kind, text and id
// in order, popups included, written out here independently of the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "resources/Resources.h"

namespace tagloom::res {
namespace {

using Kind = MenuItem::Kind;
constexpr Kind kCommand = Kind::Command;
constexpr Kind kSeparator = Kind::Separator;
constexpr Kind kPopup = Kind::Popup;

// One menu item in outline form: its nesting depth below the menu bar.
struct Row {
    int depth;
    Kind kind;
    std::string_view text = {};
    int id = 0;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* os) {
    static constexpr const char* kKindNames[] = {"command", "separator", "popup"};
    std::string text(row.text);
    for (std::size_t pos = 0; (pos = text.find('\t', pos)) != std::string::npos;) text.replace(pos, 1, "\\t");
    *os << "{depth " << row.depth << ", " << kKindNames[static_cast<int>(row.kind)] << ", \"" << text << "\", "
        << row.id << "}";
}

void flatten(const std::vector<MenuItem>& items, int depth, std::vector<Row>& rows) {
    for (const MenuItem& item : items) {
        rows.push_back({depth, item.kind, item.text, item.id});
        flatten(item.items, depth + 1, rows);
    }
}

std::vector<Row> outline(const std::vector<MenuItem>& items) {
    std::vector<Row> rows;
    flatten(items, 0, rows);
    return rows;
}

void expectSameRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "at row " << i;
    EXPECT_EQ(actual.size(), expected.size());
}

const std::vector<Row> kMainMenu = {
    {0, kPopup, "&File"},
    {1, kCommand, "&New\tCtrl+N", 32810},
    {1, kCommand, "&Open...\tCtrl+O", 32807},
    {1, kCommand, "&ReOpen\tCtrl+R", 32821},
    {1, kCommand, "&Delete\tCtrl+Delete", 32819},
    {1, kCommand, "&Save\tCtrl+S", 32809},
    {1, kCommand, "Save &As...", 32808},
    {1, kCommand, "Export as &HTML...", 32991},
    {1, kCommand, "Close", 32867},
    {1, kSeparator},
    {1, kCommand, "Open in &Browser", 32804},
    {1, kCommand, "Delete Open Breowser Files", 32894},
    {1, kSeparator},
    {1, kCommand, "Start New Editor", 32870},
    {1, kCommand, "Show in Explorer", 32903},
    {1, kCommand, "Compare to Another File", 32892},
    {1, kCommand, "Open Graphics File", 32900},
    {1, kSeparator},
    {1, kCommand, "&Print...\tCtrl+P", 57607},
    {1, kCommand, "Print Pre&view", 57609},
    {1, kCommand, "Print S&etup...", 57606},
    {1, kCommand, "Page Set&up...", 57605},
    {1, kSeparator},
    {1, kCommand, "Sen&d...", 57612},
    {1, kSeparator},
    {1, kCommand, "Recent File", 57616},
    {1, kSeparator},
    {1, kCommand, "E&xit\tAlt+F4", 57665},
    {0, kPopup, "&Edit"},
    {1, kCommand, "&Undo\tCtrl+Z", 57643},
    {1, kCommand, "Redo\tCtrl+Y", 57644},
    {1, kSeparator},
    {1, kCommand, "Cu&t\tCtrl+X", 57635},
    {1, kCommand, "&Copy\tCtrl+C", 57634},
    {1, kCommand, "&Paste\tCtrl+V", 57637},
    {1, kCommand, "Delete\t[delete]", 32888},
    {1, kSeparator},
    {1, kCommand, "Select All\tCtrl+A", 32851},
    {1, kCommand, "Paste From LIFO\tCtrl+Shift+V", 32897},
    {1, kSeparator},
    {1, kCommand, "Find and Mark...\tCtrl+F", 32787},
    {1, kCommand, "Replcce...\tCtrl+H", 32786},
    {1, kCommand, "Find in Files...", 32929},
    {1, kSeparator},
    {1, kPopup, "Bookmarks"},
    {2, kCommand, "Toggle Bookmark\tCtrl+B", 32876},
    {2, kCommand, "Clear Bookmarks", 32874},
    {1, kSeparator},
    {1, kCommand, "He&x of Selected Text...", 32783},
    {1, kCommand, "&Insert a HEX Char...", 32784},
    {1, kSeparator},
    {1, kCommand, "Count Marked...", 32980},
    {0, kPopup, "&View"},
    {1, kPopup, "Toolbars"},
    {2, kCommand, "Edit Toolbar", 59392},
    {2, kCommand, "HTML Toolbar", 32957},
    {2, kCommand, "Display Toolbar", 32964},
    {2, kCommand, "Locate Toolbar", 32971},
    {1, kCommand, "&Status Bar", 59393},
    {1, kCommand, "Line Numbers", 32782},
    {1, kCommand, "Column Guide", 32910},
    {1, kCommand, "Line Guide", 32942},
    {1, kSeparator},
    {1, kCommand, "Read Only", 32774},
    {1, kCommand, "Mark Highlight", 32863},
    {1, kCommand, "Word Wrap", 32791},
    {1, kCommand, "Syntax Colouring", 32990},
    {1, kSeparator},
    {1, kCommand, "Zoom In\tCtrl + [+]", 32944},
    {1, kCommand, "Zoom Out\tCtrl + [-]", 32945},
    {1, kSeparator},
    {1, kCommand, "Next Bookmark\tAlt+Right", 32872},
    {1, kCommand, "Previous Bookmark\tAlt+Left", 32873},
    {1, kSeparator},
    {1, kCommand, "Go to Line...", 32842},
    {1, kCommand, "Go to Offset...", 32893},
    {1, kCommand, "Scroll to Cursor", 32878},
    {1, kCommand, "Color Picker", 32899},
    {1, kCommand, "Color from Text", 32912},
    {1, kSeparator},
    {1, kPopup, "References"},
    {2, kCommand, "HTML Web Reference - Help...", 32926},
    {2, kCommand, "CSS Web Reference - Help...", 32925},
    {2, kCommand, "PHP Web Reference - Help...", 32974},
    {2, kCommand, "ASCII Codes...", 32927},
    {2, kCommand, "Lorem Ipsum text...", 32920},
    {1, kSeparator},
    {1, kCommand, "Font Characteristics...", 32864},
    {1, kCommand, "Settings...", 32861},
    {0, kPopup, "Format"},
    {1, kPopup, "HTML Operations"},
    {2, kPopup, "New HTML Document"},
    {3, kCommand, "XHTML Strict", 32908},
    {3, kCommand, "XHTML Transitional", 32907},
    {2, kCommand, "&HTML Format\t F7", 32817},
    {2, kCommand, "HTML Remove Whitespace", 32924},
    {2, kCommand, "Insert Table Trace Code", 32880},
    {2, kPopup, "Insert Block"},
    {3, kCommand, "HTML Tags\t[insert]", 32895},
    {3, kCommand, "Script Block", 32931},
    {3, kCommand, "Style Block", 32932},
    {3, kCommand, "Comment Block", 32975},
    {2, kSeparator},
    {2, kCommand, "Find Next Tag\tF2", 32827},
    {2, kCommand, "Find Previous Tag\tF3", 32829},
    {2, kCommand, "Find Next Untagged\tF4", 32834},
    {2, kCommand, "Find Previous Untagged\tF5", 32835},
    {2, kCommand, "Select Matching Tags\tF6", 32794},
    {2, kCommand, "ASCII Compatibility...", 32930},
    {1, kPopup, "CSS Operations"},
    {2, kCommand, "CSS Basic Block", 32947},
    {2, kCommand, "CSS Format", 32921},
    {2, kCommand, "CSS Remove Whitespace", 32923},
    {1, kPopup, "PHP Operations"},
    {2, kCommand, "PHP Basic Block", 32977},
    {2, kCommand, "PHP Echo Block", 32978},
    {1, kPopup, "Character Codes"},
    {2, kCommand, "&&amp;\t[&&]", 32913},
    {2, kCommand, "&&quot;\t[\"]", 32914},
    {2, kCommand, "&&lt;\t[<]", 32915},
    {2, kCommand, "&&gt;\t[>]", 32916},
    {2, kCommand, "&&nbsp;\t[Space]", 32917},
    {1, kPopup, "Change Case"},
    {2, kCommand, "Upper Case", 32884},
    {2, kCommand, "Lower Case ", 32885},
    {2, kCommand, "Invert Case", 32886},
    {0, kPopup, "&Help"},
    {1, kCommand, "&About Tagloom...", 57664},
    {1, kCommand, "Documentation...\tF1", 32946},
};

std::vector<Row> expectedRowsOf(std::string_view popupText) {
    const auto popup = std::ranges::find_if(kMainMenu, [&](const Row& row) { return row.text == popupText; });
    std::vector<Row> rows;
    for (auto it = popup + 1; it != kMainMenu.end() && it->depth > popup->depth; ++it)
        rows.push_back({it->depth - popup->depth - 1, it->kind, it->text, it->id});
    return rows;
}

int mainMenuIdOf(std::string_view text) {
    const auto row = std::ranges::find_if(kMainMenu, [&](const Row& r) { return r.kind == kCommand && r.text == text; });
    return row == kMainMenu.end() ? -1 : row->id;
}

TEST(MainMenu, matchesTheDocumentedMenuItemByItem) { expectSameRows(outline(mainMenu()), kMainMenu); }

TEST(MainMenu, givesEveryCommandItsOwnId) {
    std::multiset<int> ids;
    for (const Row& row : outline(mainMenu()))
        if (row.kind == kCommand) ids.insert(row.id);
    for (int id : ids) EXPECT_EQ(ids.count(id), 1u) << "command " << id << " is in the menu more than once";
}

TEST(MainMenu, separatorsAndPopupsCarryNoId) {
    for (const Row& row : outline(mainMenu())) {
        if (row.kind == kCommand) continue;
        EXPECT_EQ(row.id, 0) << row.text;
        if (row.kind == kSeparator) {
            EXPECT_TRUE(row.text.empty());
        }
    }
}

TEST(ViewContextMenu, listsTheDocumentedItemsUnderTheMainMenusIds) {
    constexpr std::string_view kSeparatorText = {};
    const std::vector<std::string_view> texts = {
        "&Undo\tCtrl+Z",
        "Redo\tCtrl+Y",
        kSeparatorText,
        "Cu&t\tCtrl+X",
        "&Copy\tCtrl+C",
        "&Paste\tCtrl+V",
        "Delete\t[delete]",
        kSeparatorText,
        "Select All\tCtrl+A",
        "Paste From LIFO\tCtrl+Shift+V",
        kSeparatorText,
        "Upper Case",
        "Lower Case ",
        "Invert Case",
        kSeparatorText,
        "He&x of Selected Text...",
        "&Insert a HEX Char...",
        kSeparatorText,
        "Go to Line...",
        "Go to Offset...",
        "Scroll to Cursor",
        "Color Picker",
        "Color from Text",
        "Column Guide",
    };
    std::vector<Row> expected = {{0, kPopup}};
    for (std::string_view text : texts)
        expected.push_back(text.empty() ? Row{1, kSeparator} : Row{1, kCommand, text, mainMenuIdOf(text)});
    expectSameRows(outline({viewContextMenu()}), expected);
}

TEST(InsertTagsMenu, isTheHtmlCodesPopupWithTheCharacterCodesOfTheFormatMenu) {
    std::vector<Row> expected = {{0, kPopup, "html_codes"}};
    for (const Row& row : expectedRowsOf("Character Codes")) expected.push_back({row.depth + 1, row.kind, row.text, row.id});
    expectSameRows(outline({insertTagsMenu()}), expected);
}

}  // namespace
}  // namespace tagloom::res
