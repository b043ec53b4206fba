#pragma once
// The view's bookmark state: nBookmarks, the count of bookmarked lines as the
// status bar last took it. Commands that may add a bookmark raise it before
// the next recount, so the questions that warn about bookmarks ask in time.
#include "search/BookmarkCount.h"

namespace tagloom {

class Bookmarks {
public:
    explicit Bookmarks(EditControl& control) : counted_(control) {}

    // The status bar's recount: nBookmarks becomes the true count.
    void recount() { nBookmarks = counted_.bookmarks(); }
    // Text that may hold a bookmark went in (a paste): at least one.
    void mayHaveAdded() {
        if (nBookmarks == 0) nBookmarks = 1;
    }
    // Undo or Redo put back a bookmarked line end.
    void putBack() { ++nBookmarks; }

    int nBookmarks = 0;

private:
    BookmarkCount counted_;
};

}  // namespace tagloom
