#pragma once
// Toggle, Clear, Next and Previous Bookmark. A bookmark is kept in the text
// itself: a bookmarked line ends CR CR LF instead of CR LF, so it moves with
// every edit, comes back with Undo and travels with copied text.
#include <optional>

#include "textmodel/Selection.h"

namespace tagloom {

class Bookmarks;
class CommandRouter;
class EditorView;

class BookmarkCommands {
public:
    BookmarkCommands(EditorView& view, CommandRouter& router, Bookmarks& bookmarks);
    BookmarkCommands(const BookmarkCommands&) = delete;
    BookmarkCommands& operator=(const BookmarkCommands&) = delete;

    void ToggleBookmark();
    void ClearBookmarks();
    void NextBookmark();
    void PreviousBookmark();

private:
    // The caret to the start of the line that holds the mark (its CR CR) at
    // `mark`; with none, the selection back to `saved`.
    void goToMarkedLine(std::optional<int> mark, Selection saved);
    // Scrolls horizontally back to x, in whole columns.
    void scrollBackTo(int x);

    EditorView& view_;
    Bookmarks& bookmarks_;
};

}  // namespace tagloom
