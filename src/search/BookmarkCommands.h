#pragma once
// Toggle, Clear, Next and Previous Bookmark. A bookmark is kept in the text
// itself: a bookmarked line ends CR CR LF instead of CR LF, so it moves with
// every edit, comes back with Undo and travels with copied text.
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
    // The caret to the start of the bookmarked line whose CR CR is selected.
    void goToMarkedLine();
    // Scrolls horizontally back to x, in whole columns.
    void scrollBackTo(int x);

    EditorView& view_;
    Bookmarks& bookmarks_;
};

}  // namespace tagloom
