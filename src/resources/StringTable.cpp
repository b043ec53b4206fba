// The string table: each command's status-bar prompt and tooltip, joined by
// a newline, the application's fixed texts and the status-bar sizing texts.
// The table is kept in id order so a lookup is a binary search.
#include <algorithm>
#include <array>

#include "resources/CommandIds.h"
#include "resources/Resources.h"

namespace tagloom::res {
namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

constexpr std::string_view kOpenRecentFile = "Open this document";

constexpr auto kStrings = std::to_array<StringEntry>({
    {32774, "Toggle Read Only\nToggle Read Only"},
    {32782, "Show line numbers at left screen edge\nToggle Line Numbers"},
    {32783, "Get the Hex number values of the selected characters\nGet Selected Hex"},
    {32784, "Insert a single HEX character at the cursor position\nInsert a HEX Char"},
    {32786, "Find and Replace text in the document\nReplace"},
    {32787, "Find and Mark text in the document\nFind and Mark  Ctrl+F"},
    {32791, "Toggle word wrapping\nToggle Word Wrap"},
    {32794, "Hilight everything between the opening and closing of a tag\nSelect Matching Tags  F6"},
    {32804, "Open the current document in a helper application  HTML Browser\nOpen in Browser"},
    {32807, "Open an existing document\nOpen  Ctrl+O"},
    {32808, "Save the document with a new name\nSave As"},
    {32809, "Save the document\nSave  Ctrl+S"},
    {32810, "Create a new document\nNew  Ctrl+N"},
    {32817, "Format a HTML document by iindentation\nHTML Format  F7"},
    {32819, "Delete the disc file for the document\nDelete File  Ctrl+Delete"},
    {32821, "Reopen the current document and loose all changes\nReopen  Ctrl+R"},
    {32827, "Hilight the next HTML tag in the document\nFind Next Tag  F2"},
    {32829, "Hilight the previous HTML tag in the document\nFind PreviousTag  F3"},
    {32834, "Hilight the next text outside of tags\nFind Next Untagged Text  F4"},
    {32835, "Hilight the previous text outside of tags\nFind Previous Untagged Text  F5"},
    {32842, "Scroll to and hilight the requested line (1-based) \nGo To Line"},
    {32845, "Remove marked text"},
    {32851, "Select all text\nSelect All"},
    {32861, "Change settings for editor\nSettings"},
    {32863, "Hilight marked words\nToggle Hilight Marked Text"},
    {32864, "Displays the current font's Characteristics\nFont Characteristics"},
    {32867, "Close the current document\nClose"},
    {32870, "Staet a new Tagloom and optionally load the selected text file\nStart New Editor"},
    {32872, "Go to Next Bookmark\nNext Bookmark  Alt+Right"},
    {32873, "Go to Previous Bookmark\nPrevious Bookmark  Alt+Left"},
    {32874, "Clear all Bookmarks\nClear All Bookmarks"},
    {32876, "Toggle Bookmark\nBookmark Toggle  Ctrl+B"},
    {32878, "Bring text at the cursor to screen center\nScroll to Cursor"},
    {32880, "Insert table tracing code at the I beam cursor (Place in HTML Body)\nInsert Table Trace Code"},
    {32884, "Make selected text upper case\nUpperCase"},
    {32885, "Make selected text lower case\nLOwerCase"},
    {32886, "Invert the case of selected text\nInvert Text"},
    {32888, "Delete the selected text (will not be not pastable)\nDelete"},
    {32892, "Compare this document to another on disk in a helper application\nCompare to Another File"},
    {32893, "Scroll to and Hilight the requested offset (0-based)\nGo to Offset"},
    {32894, "Delete all open temporary breowser HTML files\nDelete Open Browser Files"},
    {32895, "Insert a HTML tag before and after the selection\nInsert HTML Tags  [insert]"},
    {32897, "Paste from the LIFO clip board buffer\nPaste From LIFO  Ctrl+Shift+V"},
    {32899, "Put the color # at the mouse click on the clipboard\nGet Color #"},
    {32900, "Opne the selected graphics file in a helper application\nOpen Graphics File"},
    {32903, "Show the current document in Explorer and put the path on the clipboard\nShow in Explorer"},
    {32907, "Insert a skeleton  XHTML transitional document\nXHTML Transitional"},
    {32908, "Insert a skeleton  XHTML strict document\nXHTML strict"},
    {32910, "Toggle column guide line\nToggle Column Guide"},
    {32912, "Flash the background color in the status bar\nColor from #"},
    {32913, "Replace selection with code for the [&] character and put it on the clipboard"},
    {32914, "Replace selection with code for the [\"] character and put it on the clipboard"},
    {32915, "Replace selection with code for the [<] character and put it on the clipboard"},
    {32916, "Replace selection with code for the [>] character and put it on the clipboard"},
    {32917, "Replace selection with non breaking [Space] character code and put it on the clipboard"},
    {32918, "Enter na HTML character code at the I-Beam cursor\nHTML Char Codes"},
    {32920, "Samples of dummy text\nLorem Ipsum"},
    {32921, "Format and decompress the selected text or the entire CSS document\nCSS Format "},
    {32923, "Compress selected text or the entire document by removing all CR, LF, Tab, and consecutive Space "
            "characters\nCSS Remove Whitespace"},
    {32924, "Compress selected text or an entire file or by removing all CR, Tab, and consecutive Space "
            "characters\nHTML Remove Whitespace"},
    {32925, "CSS web reference\nCSS Web Reference - Help"},
    {32926, "CSS web reference\nHTMLWeb Reference - Help"},
    {32927, "ASCII character codes\nASCII Codes"},
    {32929, "Find  a string in files\nFind in Files"},
    {32930, "Check entire document for ASCII compatibility, \nCheck ASCII Compatibility"},
    {32931, "Insert a tagged <script> block\nInsert Script Block"},
    {32932, "Insert a tagged <style> block\nInsert Style Block"},
    {32942, "Toggle line guide line\nToggle Line Guide"},
    {32944, "Increase Font size (Ctrl + mouse wheel)\nZoom In  Ctrl + [+]"},
    {32945, "Decrease font size (Ctrl + mouse wheel)\nZoom Out  Ctrl + [-]"},
    {32946, "Help documentation in .pdf format\nDocumentation"},
    {32947, "Insert a basic CSS Style block\nCSS Basic Block"},
    {32957, "Show or hide the HTML toolbar\nToggle HTML ToolBar"},
    {32964, "Show or hide the Display toolbar\nToggle Display ToolBar"},
    {32971, "Show or hide the Locate toolbar\nToggle Locate ToolBar"},
    {32974, "PHP web reference\nPHP Web Reference - Help"},
    {32975, "Insert a comment block\nInsert Comment Blosk"},
    {32977, "Insert PHP basic block\nPHP Basic Block"},
    {32978, "Insert PHP Echo block\nPHP Echo Block"},
    {32980, "Count the number of hilighted characters\nCount Marked"},
    {32990, "Colour tags, attributes, scripts, style sheets and server code\nSyntax Colouring"},
    {32991, "Write the document as a coloured HTML page\nExport as HTML"},
    {57344, "Tagloom"},
    {57345, "Ready"},
    {57605, "Change the page description options\nPage Setup"},
    {57606, "Change the printer and printing options\nPrint Setup"},
    {57607, "Print the document\nPrint  Ctrl+P"},
    {57609, "Display pages to be printed\nPrint Preview"},
    {57612, "Send the document as an attachment through electronic mail\nSend Mail"},
    {57616, kOpenRecentFile},
    {57617, kOpenRecentFile},
    {57618, kOpenRecentFile},
    {57619, kOpenRecentFile},
    {57620, kOpenRecentFile},
    {57621, kOpenRecentFile},
    {57622, kOpenRecentFile},
    {57623, kOpenRecentFile},
    {57624, kOpenRecentFile},
    {57625, kOpenRecentFile},
    {57626, kOpenRecentFile},
    {57627, kOpenRecentFile},
    {57628, kOpenRecentFile},
    {57629, kOpenRecentFile},
    {57630, kOpenRecentFile},
    {57631, kOpenRecentFile},
    {57634, "Copy the selected text and put it on the Clipboard\nCopy  Ctrl+C"},
    {57635, "Cut the selected text and put it on the Clipboard\nCut  Ctrl+X"},
    {57637, "Insert Clipboard contents\nPaste  Ctrl+V"},
    {57643, "Undo the last action\nUndo  Ctrl+Z"},
    {57644, "Redo the previous Undo action\nRedo Ctrl+Y"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit Tagloom; prompts to save the document\nExit - Alt+F4"},
    {57681, "Switch back to the previous window pane\nPrevious Pane"},
    {59137, "CAP"},
    {59138, "NUM"},
    {59142, " Ln 123456, Col 334 "},
    {59143, " 1000000 Bytes "},
    {59144, " 10000 Lines "},
    {59145, " UNIX "},
    {59146, " 99 BM "},
    {59147, "  COLOR  "},
    {59392, "Show or hide the Edit toolbar\nToggle Edit ToolBar"},
    {59393, "Show or hide the status bar\nToggle StatusBar"},
});

static_assert(std::ranges::adjacent_find(kStrings, [](const StringEntry& a, const StringEntry& b) {
                  return a.id >= b.id;
              }) == kStrings.end(),
              "the string table must stay in strictly ascending id order");

}  // namespace

std::string_view stringResource(int id) {
    const auto* entry = std::ranges::lower_bound(kStrings, id, {}, &StringEntry::id);
    return entry != kStrings.end() && entry->id == id ? entry->text : std::string_view{};
}

std::string_view commandPrompt(int id) {
    const std::string_view text = stringResource(id);
    return text.substr(0, text.find('\n'));
}

std::string_view commandTooltip(int id) {
    const std::string_view text = stringResource(id);
    const auto newline = text.find('\n');
    return newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
}

// Each indicator pane is as wide as its string in the table above.
const std::vector<StatusPane>& statusPanes() {
    static const std::vector<StatusPane> panes = [] {
        constexpr int kMessagePane = 0;
        constexpr std::array kLeftToRight = {
            kMessagePane,   str::PaneColor,  str::PaneLineEnds,  str::PaneLines, str::PaneBytes,
            str::PaneLnCol, str::PaneBookmarks, str::PaneCaps,   str::PaneNum,
        };
        std::vector<StatusPane> result;
        for (int id : kLeftToRight) result.push_back({id, stringResource(id)});
        return result;
    }();
    return panes;
}

}  // namespace tagloom::res
