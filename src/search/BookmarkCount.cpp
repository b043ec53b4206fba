#include "search/BookmarkCount.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tagloom {

BookmarkCount::BookmarkCount(EditControl& control) : control_(control) {
    control_.addObserver(*this);
    onTextReset();
}

BookmarkCount::~BookmarkCount() { control_.removeObserver(*this); }

int BookmarkCount::countAround(std::string_view before, std::string_view middle) {
    int bookmarks = 0;
    if (middle.empty()) return bookmarks;
    const auto at = [&](std::ptrdiff_t i) -> char {
        return i < 0 ? before[before.size() + i] : middle[static_cast<std::size_t>(i)];
    };
    const char* data = middle.data();
    const char* end = data + middle.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr; ++p) {
        const std::ptrdiff_t i = p - data;
        if (i - 2 >= -static_cast<std::ptrdiff_t>(before.size()) && at(i - 2) == '\r') ++bookmarks;
    }
    return bookmarks;
}

void BookmarkCount::onTextReset() {
    bookmarks_ = countAround({}, std::string_view(control_.lock(), static_cast<std::size_t>(control_.length())));
}

// An edit changes the LFs it inserts or removes, and the bookmark test of the
// up to two LFs just after it, whose characters two places before may have
// changed. Those are counted before and after the edit.
void BookmarkCount::onChange(const TextChange& change) {
    const bool inserted = change.kind == TextChange::Kind::Insertion;
    const int afterFrom = inserted ? change.position + change.length : change.position;
    // The up to two characters on either side of the edit, read in two short copies.
    const std::string before = control_.copyRange(change.position - 2, change.position);
    const std::string after = control_.copyRange(afterFrom, afterFrom + 2);

    std::string withEdit;
    withEdit.reserve(change.text.size() + after.size());
    withEdit.append(change.text).append(after);
    const int withEditCount = countAround(before, withEdit);
    const int withoutEditCount = countAround(before, after);
    bookmarks_ += inserted ? withEditCount - withoutEditCount : withoutEditCount - withEditCount;
}

}  // namespace tagloom
