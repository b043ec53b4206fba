#pragma once
// The number of bookmarked lines in the edit control's text, kept up to date
// edit by edit. It equals what a walk over the whole text gives: one bookmark
// for every LF whose character two places before is a CR (a line that ends
// CR CR LF).
#include <string>
#include <string_view>

#include "textmodel/EditControl.h"

namespace tagloom {

class BookmarkCount : private EditObserver {
public:
    explicit BookmarkCount(EditControl& control);
    ~BookmarkCount() override;
    BookmarkCount(const BookmarkCount&) = delete;
    BookmarkCount& operator=(const BookmarkCount&) = delete;

    int bookmarks() const { return bookmarks_; }

private:
    void onChange(const TextChange& change) override;
    void onTextReset() override;

    // The bookmarks among the LFs of `middle`, with `before` the up to two
    // characters that precede it in the text.
    static int countAround(std::string_view before, std::string_view middle);
    static std::string lastTwo(std::string_view before, std::string_view more);

    EditControl& control_;
    int bookmarks_ = 0;
};

}  // namespace tagloom
