#include "search/BookmarkCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "resources/CommandIds.h"
#include "search/Bookmarks.h"
#include "search/ControlSearch.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextSearch.h"

namespace tagloom {

namespace {

constexpr std::string_view kMark = "\r\r";

}  // namespace

BookmarkCommands::BookmarkCommands(EditorView& view, CommandRouter& router, Bookmarks& bookmarks)
    : view_(view), bookmarks_(bookmarks) {
    const auto anyBookmarks = [this](CommandState& s) { s.enabled = bookmarks_.nBookmarks != 0; };
    router.add(cmd::ToggleBookmark, [this] { ToggleBookmark(); });
    router.add(cmd::ClearBookmarks, [this] { ClearBookmarks(); }, anyBookmarks);
    router.add(cmd::NextBookmark, [this] { NextBookmark(); }, anyBookmarks);
    router.add(cmd::PreviousBookmark, [this] { PreviousBookmark(); }, anyBookmarks);
}

void BookmarkCommands::scrollBackTo(int x) {
    EditControl& control = view_.control();
    const int charWidth = control.fontMetrics().averageCharWidth();
    control.lineScroll(charWidth > 0 ? (x - control.horizontalScroll()) / charWidth : 0, 0);
}

// The mark is one CR in front of the line's CR LF: toggling adds or removes
// exactly that byte. The last line, without a line end, gets CR CR LF.
void BookmarkCommands::ToggleBookmark() {
    EditControl& control = view_.control();
    const int x = control.horizontalScroll();
    const Selection selection = control.selection();
    const std::string_view text = view_.text();
    const std::size_t q = text.find('\n', static_cast<std::size_t>(selection.start));
    if (q == std::string_view::npos) {
        control.setSel(control.length(), control.length());
        control.replaceSel("\r\r\n");
    } else if (q >= 2 && text[q - 2] == '\r') {
        control.setSel(static_cast<int>(q) - 1, static_cast<int>(q));
        control.replaceSel("");
    } else if (q >= 1) {
        control.setSel(static_cast<int>(q) - 1, static_cast<int>(q) - 1);
        control.replaceSel("\r");
    }
    bookmarks_.mayHaveAdded();
    control.setSel(selection.start, selection.end);
    scrollBackTo(x);
    view_.postRepaint();
}

// Every run of CRs shrinks to one CR, also where it does not end a line.
void BookmarkCommands::ClearBookmarks() {
    EditControl& control = view_.control();
    const int top = control.firstVisibleLine();
    const int x = control.horizontalScroll();
    auto [s, e] = control.selection();
    const TextMatcher mark(kMark, true, control.encoding());
    for (auto found = findForward(control, mark, 0); found; found = findForward(control, mark, static_cast<int>(found->start))) {
        const int k = static_cast<int>(found->start);
        control.setSel(k, k + 1);
        control.replaceSel("");
        if (k < s) --s, --e;
    }
    control.setSel(s, e);
    scrollBackTo(x);
    control.lineScroll(0, top - control.firstVisibleLine());
    view_.postRepaint();
}

// Without a mark the selection goes back silently.
void BookmarkCommands::goToMarkedLine(std::optional<int> mark, Selection saved) {
    EditControl& control = view_.control();
    if (!mark) {
        control.setSel(saved.start, saved.end);
        control.scrollCaret();
        return;
    }
    control.setSel(*mark, *mark + static_cast<int>(kMark.size()));
    const std::optional<int> lineFeed = SearchFromSelection(view_.text(), control.selection(), "\n", false, true);
    const int caret = lineFeed ? *lineFeed + 1 : 0;
    control.setSel(caret, caret);
    control.scrollCaret();
    view_.CenterCaretLine();
    view_.UpdateLnCol();
}

void BookmarkCommands::NextBookmark() {
    EditControl& control = view_.control();
    const Selection saved = control.selection();
    // The line feed that ends the caret's line stays selected, so the search
    // for a mark starts behind that line's own mark.
    if (const auto lineFeed = SearchFromSelection(view_.text(), saved, "\n", true, true)) {
        control.setSel(*lineFeed, *lineFeed + 1);
    } else {
        control.setSel(0, 0);
        control.scrollCaret();
    }
    std::optional<int> found = SearchFromSelection(view_.text(), control.selection(), kMark, true, true);
    if (!found) {
        control.setSel(0, 0);
        control.scrollCaret();
        found = SearchFromSelection(view_.text(), control.selection(), kMark, true, true);
    }
    goToMarkedLine(found, saved);
}

void BookmarkCommands::PreviousBookmark() {
    EditControl& control = view_.control();
    const Selection saved = control.selection();
    std::optional<int> found = SearchFromSelection(view_.text(), saved, kMark, false, true);
    if (!found) {
        control.setSel(control.length(), control.length());
        control.scrollCaret();
        found = SearchFromSelection(view_.text(), control.selection(), kMark, false, true);
    }
    goToMarkedLine(found, saved);
}

}  // namespace tagloom
