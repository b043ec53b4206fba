// Key bindings: the main table and the print preview's own table. Letters
// are bound by their ASCII capitals.
#include "resources/CommandIds.h"
#include "resources/Resources.h"

namespace tagloom::res {

const std::vector<Accelerator>& mainAccelerators() {
    static const std::vector<Accelerator> table = {
        {'A', kCtrl, cmd::SelectAll},
        {'B', kCtrl, cmd::ToggleBookmark},
        {'C', kCtrl, cmd::Copy},
        {VK_INSERT, kCtrl, cmd::Copy},
        {'F', kCtrl, cmd::FindAndMark},
        {'H', kCtrl, cmd::Replace},
        {'N', kCtrl, cmd::New},
        {'O', kCtrl, cmd::Open},
        {'R', kCtrl, cmd::ReOpen},
        {'S', kCtrl, cmd::Save},
        {'V', kCtrl, cmd::Paste},
        {VK_INSERT, kShift, cmd::Paste},
        {'V', kCtrl | kShift, cmd::PasteFromLifo},
        {'Z', kCtrl, cmd::Undo},
        {VK_BACK, kAlt, cmd::Undo},
        {'Y', kCtrl, cmd::Redo},
        {'X', kCtrl, cmd::Cut},
        {VK_DELETE, kShift, cmd::Cut},
        {VK_DELETE, kCtrl, cmd::DeleteFile},
        {VK_ESCAPE, kNoModifier, cmd::RemoveMarkedText},
        {VK_F1, kNoModifier, cmd::Documentation},
        {VK_F2, kNoModifier, cmd::FindNextTag},
        {VK_F3, kNoModifier, cmd::FindPreviousTag},
        {VK_F4, kNoModifier, cmd::FindNextUntagged},
        {VK_F5, kNoModifier, cmd::FindPreviousUntagged},
        {VK_F6, kNoModifier, cmd::SelectMatchingTags},
        {VK_F6, kShift, cmd::PreviousPane},
        {VK_F7, kNoModifier, cmd::HtmlFormat},
        {VK_INSERT, kNoModifier, cmd::HtmlTags},
        {VK_LEFT, kCtrl, cmd::PreviousBookmark},
        {VK_RIGHT, kCtrl, cmd::NextBookmark},
        {VK_F4, kAlt, cmd::Exit},
        // The keys the menu captions name, beside the ones above.
        {VK_LEFT, kAlt, cmd::PreviousBookmark},
        {VK_RIGHT, kAlt, cmd::NextBookmark},
        {'P', kCtrl, cmd::Print},
    };
    return table;
}

const std::vector<Accelerator>& previewAccelerators() {
    static const std::vector<Accelerator> table = {
        {VK_NEXT, kNoModifier, cmd::PreviewNextPage},
        {VK_PRIOR, kNoModifier, cmd::PreviewPreviousPage},
        {VK_ESCAPE, kNoModifier, cmd::PreviewClose},
    };
    return table;
}

}  // namespace tagloom::res
