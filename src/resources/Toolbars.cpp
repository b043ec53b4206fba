// The four dockable toolbars: their window and resource ids, the View >
// Toolbars command that switches each one, and their buttons in order.
#include "resources/CommandIds.h"
#include "resources/Resources.h"

namespace tagloom::res {
namespace {

constexpr int kSeparator = 0;

}  // namespace

const std::vector<ToolbarSpec>& toolbars() {
    static const std::vector<ToolbarSpec> bars = {
        {"Edit", wnd::EditToolbar, 128, cmd::EditToolbar,
         {cmd::New, kSeparator, cmd::Open, cmd::Save, kSeparator, cmd::Cut, cmd::Copy, cmd::Paste,
          cmd::PasteFromLifo, cmd::Undo, cmd::Redo, kSeparator, cmd::Print, cmd::PrintPreview, cmd::About}},
        {"HTML", wnd::HtmlToolbar, 153, cmd::HtmlToolbar,
         {cmd::OpenInBrowser, cmd::HtmlFormat, cmd::HtmlTags, cmd::SelectMatchingTags, cmd::FindNextTag,
          cmd::FindPreviousTag, cmd::FindNextUntagged, cmd::FindPreviousUntagged, cmd::HtmlCharCodes}},
        {"Display", wnd::DisplayToolbar, 155, cmd::DisplayToolbar,
         {cmd::ReadOnly, cmd::MarkHighlight, cmd::WordWrap, cmd::LineNumbers, cmd::ColumnGuide, cmd::LineGuide}},
        {"Locate", wnd::LocateToolbar, 157, cmd::LocateToolbar,
         {cmd::ToggleBookmark, cmd::NextBookmark, cmd::PreviousBookmark, cmd::ClearBookmarks, kSeparator,
          cmd::FindAndMark, cmd::FindInFiles}},
    };
    return bars;
}

}  // namespace tagloom::res
