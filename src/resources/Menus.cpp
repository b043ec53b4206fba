// The main menu bar, the editor's context menu and the character-code popup,
// item by item with their exact texts.
#include "resources/CommandIds.h"
#include "resources/Resources.h"

namespace tagloom::res {
namespace {

MenuItem command(std::string_view text, int id) { return {MenuItem::Kind::Command, text, id, {}}; }

MenuItem separator() { return {MenuItem::Kind::Separator, {}, 0, {}}; }

MenuItem popup(std::string_view text, std::vector<MenuItem> items) {
    return {MenuItem::Kind::Popup, text, 0, std::move(items)};
}

// The five HTML character entities; Format > Character Codes and the HTML
// toolbar's popup list them in the same order.
std::vector<MenuItem> characterCodeItems() {
    return {
        command("&&amp;\t[&&]", cmd::CharAmp),
        command("&&quot;\t[\"]", cmd::CharQuot),
        command("&&lt;\t[<]", cmd::CharLt),
        command("&&gt;\t[>]", cmd::CharGt),
        command("&&nbsp;\t[Space]", cmd::CharNbsp),
    };
}

std::vector<MenuItem> buildMainMenu() {
    return {
        popup("&File",
              {
                  command("&New\tCtrl+N", cmd::New),
                  command("&Open...\tCtrl+O", cmd::Open),
                  command("&ReOpen\tCtrl+R", cmd::ReOpen),
                  command("&Delete\tCtrl+Delete", cmd::DeleteFile),
                  command("&Save\tCtrl+S", cmd::Save),
                  command("Save &As...", cmd::SaveAs),
                  command("Export as &HTML...", cmd::ExportHtml),
                  command("Close", cmd::Close),
                  separator(),
                  command("Open in &Browser", cmd::OpenInBrowser),
                  command("Delete Open Breowser Files", cmd::DeleteBrowserFiles),
                  separator(),
                  command("Start New Editor", cmd::StartNewEditor),
                  command("Show in Explorer", cmd::ShowInExplorer),
                  command("Compare to Another File", cmd::CompareToAnotherFile),
                  command("Open Graphics File", cmd::OpenGraphicsFile),
                  separator(),
                  command("&Print...\tCtrl+P", cmd::Print),
                  command("Print Pre&view", cmd::PrintPreview),
                  command("Print S&etup...", cmd::PrintSetup),
                  command("Page Set&up...", cmd::PageSetup),
                  separator(),
                  command("Sen&d...", cmd::Send),
                  separator(),
                  // Placeholder the front end replaces with the recent-file entries.
                  command("Recent File", cmd::RecentFileFirst),
                  separator(),
                  command("E&xit\tAlt+F4", cmd::Exit),
              }),
        popup("&Edit",
              {
                  command("&Undo\tCtrl+Z", cmd::Undo),
                  command("Redo\tCtrl+Y", cmd::Redo),
                  separator(),
                  command("Cu&t\tCtrl+X", cmd::Cut),
                  command("&Copy\tCtrl+C", cmd::Copy),
                  command("&Paste\tCtrl+V", cmd::Paste),
                  command("Delete\t[delete]", cmd::Delete),
                  separator(),
                  command("Select All\tCtrl+A", cmd::SelectAll),
                  command("Paste From LIFO\tCtrl+Shift+V", cmd::PasteFromLifo),
                  separator(),
                  command("Find and Mark...\tCtrl+F", cmd::FindAndMark),
                  command("Replcce...\tCtrl+H", cmd::Replace),
                  command("Find in Files...", cmd::FindInFiles),
                  separator(),
                  popup("Bookmarks",
                        {
                            command("Toggle Bookmark\tCtrl+B", cmd::ToggleBookmark),
                            command("Clear Bookmarks", cmd::ClearBookmarks),
                        }),
                  separator(),
                  command("He&x of Selected Text...", cmd::HexOfSelectedText),
                  command("&Insert a HEX Char...", cmd::InsertHexChar),
                  separator(),
                  command("Count Marked...", cmd::CountMarked),
              }),
        popup("&View",
              {
                  popup("Toolbars",
                        {
                            command("Edit Toolbar", cmd::EditToolbar),
                            command("HTML Toolbar", cmd::HtmlToolbar),
                            command("Display Toolbar", cmd::DisplayToolbar),
                            command("Locate Toolbar", cmd::LocateToolbar),
                        }),
                  command("&Status Bar", cmd::StatusBar),
                  command("Line Numbers", cmd::LineNumbers),
                  command("Column Guide", cmd::ColumnGuide),
                  command("Line Guide", cmd::LineGuide),
                  separator(),
                  command("Read Only", cmd::ReadOnly),
                  command("Mark Highlight", cmd::MarkHighlight),
                  command("Word Wrap", cmd::WordWrap),
                  command("Syntax Colouring", cmd::SyntaxColouring),
                  separator(),
                  command("Zoom In\tCtrl + [+]", cmd::ZoomIn),
                  command("Zoom Out\tCtrl + [-]", cmd::ZoomOut),
                  separator(),
                  command("Next Bookmark\tAlt+Right", cmd::NextBookmark),
                  command("Previous Bookmark\tAlt+Left", cmd::PreviousBookmark),
                  separator(),
                  command("Go to Line...", cmd::GoToLine),
                  command("Go to Offset...", cmd::GoToOffset),
                  command("Scroll to Cursor", cmd::ScrollToCursor),
                  command("Color Picker", cmd::ColorPicker),
                  command("Color from Text", cmd::ColorFromText),
                  separator(),
                  popup("References",
                        {
                            command("HTML Web Reference - Help...", cmd::HtmlWebReference),
                            command("CSS Web Reference - Help...", cmd::CssWebReference),
                            command("PHP Web Reference - Help...", cmd::PhpWebReference),
                            command("ASCII Codes...", cmd::AsciiCodes),
                            command("Lorem Ipsum text...", cmd::LoremIpsum),
                        }),
                  separator(),
                  command("Font Characteristics...", cmd::FontCharacteristics),
                  command("Settings...", cmd::Settings),
              }),
        popup("Format",
              {
                  popup("HTML Operations",
                        {
                            popup("New HTML Document",
                                  {
                                      command("XHTML Strict", cmd::XhtmlStrict),
                                      command("XHTML Transitional", cmd::XhtmlTransitional),
                                  }),
                            command("&HTML Format\t F7", cmd::HtmlFormat),
                            command("HTML Remove Whitespace", cmd::HtmlRemoveWhitespace),
                            command("Insert Table Trace Code", cmd::InsertTableTraceCode),
                            popup("Insert Block",
                                  {
                                      command("HTML Tags\t[insert]", cmd::HtmlTags),
                                      command("Script Block", cmd::ScriptBlock),
                                      command("Style Block", cmd::StyleBlock),
                                      command("Comment Block", cmd::CommentBlock),
                                  }),
                            separator(),
                            command("Find Next Tag\tF2", cmd::FindNextTag),
                            command("Find Previous Tag\tF3", cmd::FindPreviousTag),
                            command("Find Next Untagged\tF4", cmd::FindNextUntagged),
                            command("Find Previous Untagged\tF5", cmd::FindPreviousUntagged),
                            command("Select Matching Tags\tF6", cmd::SelectMatchingTags),
                            command("ASCII Compatibility...", cmd::AsciiCompatibility),
                        }),
                  popup("CSS Operations",
                        {
                            command("CSS Basic Block", cmd::CssBasicBlock),
                            command("CSS Format", cmd::CssFormat),
                            command("CSS Remove Whitespace", cmd::CssRemoveWhitespace),
                        }),
                  popup("PHP Operations",
                        {
                            command("PHP Basic Block", cmd::PhpBasicBlock),
                            command("PHP Echo Block", cmd::PhpEchoBlock),
                        }),
                  popup("Character Codes", characterCodeItems()),
                  popup("Change Case",
                        {
                            command("Upper Case", cmd::UpperCase),
                            command("Lower Case ", cmd::LowerCase),
                            command("Invert Case", cmd::InvertCase),
                        }),
              }),
        popup("&Help",
              {
                  command("&About Tagloom...", cmd::About),
                  command("Documentation...\tF1", cmd::Documentation),
              }),
    };
}

// The context menu is shown without a title, so its popup has none.
MenuItem buildViewContextMenu() {
    return popup({},
                 {
                     command("&Undo\tCtrl+Z", cmd::Undo),
                     command("Redo\tCtrl+Y", cmd::Redo),
                     separator(),
                     command("Cu&t\tCtrl+X", cmd::Cut),
                     command("&Copy\tCtrl+C", cmd::Copy),
                     command("&Paste\tCtrl+V", cmd::Paste),
                     command("Delete\t[delete]", cmd::Delete),
                     separator(),
                     command("Select All\tCtrl+A", cmd::SelectAll),
                     command("Paste From LIFO\tCtrl+Shift+V", cmd::PasteFromLifo),
                     separator(),
                     command("Upper Case", cmd::UpperCase),
                     command("Lower Case ", cmd::LowerCase),
                     command("Invert Case", cmd::InvertCase),
                     separator(),
                     command("He&x of Selected Text...", cmd::HexOfSelectedText),
                     command("&Insert a HEX Char...", cmd::InsertHexChar),
                     separator(),
                     command("Go to Line...", cmd::GoToLine),
                     command("Go to Offset...", cmd::GoToOffset),
                     command("Scroll to Cursor", cmd::ScrollToCursor),
                     command("Color Picker", cmd::ColorPicker),
                     command("Color from Text", cmd::ColorFromText),
                     command("Column Guide", cmd::ColumnGuide),
                 });
}

}  // namespace

const std::vector<MenuItem>& mainMenu() {
    static const std::vector<MenuItem> menu = buildMainMenu();
    return menu;
}

const MenuItem& viewContextMenu() {
    static const MenuItem menu = buildViewContextMenu();
    return menu;
}

const MenuItem& insertTagsMenu() {
    static const MenuItem menu = popup("html_codes", characterCodeItems());
    return menu;
}

}  // namespace tagloom::res
