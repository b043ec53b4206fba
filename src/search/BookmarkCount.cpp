#include "search/BookmarkCount.h"

#include <algorithm>
#include <string>

#include "textmodel/ByteScan.h"

namespace tagloom {

BookmarkCount::BookmarkCount(EditControl& control) : control_(control) {
    control_.addObserver(*this);
    onTextReset();
}

BookmarkCount::~BookmarkCount() { control_.removeObserver(*this); }

// The LFs from the third byte of middle on have both bytes in middle, and
// are tested in runs of fixed length, which the compiler turns into vector
// code.
int BookmarkCount::countAround(std::string_view before, std::string_view middle) {
    int bookmarks = 0;
    const auto at = [&](std::ptrdiff_t i) -> char {
        return i < 0 ? before[before.size() + i] : middle[static_cast<std::size_t>(i)];
    };
    const std::size_t head = std::min<std::size_t>(2, middle.size());
    for (std::size_t i = 0; i < head; ++i)
        if (middle[i] == '\n' && i + before.size() >= 2 && at(static_cast<std::ptrdiff_t>(i) - 2) == '\r') ++bookmarks;
    const char* data = middle.data();
    std::size_t i = 2;
    for (; i + bytescan::kRun <= middle.size(); i += bytescan::kRun) {
        unsigned run = 0;
        const char* run0 = data + i;
        const char* twoBefore = run0 - 2;
        for (std::size_t j = 0; j < bytescan::kRun; ++j) run += (run0[j] == '\n') & (twoBefore[j] == '\r');
        bookmarks += static_cast<int>(run);
    }
    for (; i < middle.size(); ++i)
        if (data[i] == '\n' && data[i - 2] == '\r') ++bookmarks;
    return bookmarks;
}

// The up to two bytes that end `before` followed by `more`.
std::string BookmarkCount::lastTwo(std::string_view before, std::string_view more) {
    std::string joined = std::string(before.substr(before.size() - std::min<std::size_t>(before.size(), 2)));
    joined += more.substr(more.size() - std::min<std::size_t>(more.size(), 2));
    return joined.substr(joined.size() - std::min<std::size_t>(joined.size(), 2));
}

void BookmarkCount::onTextReset() {
    bookmarks_ = 0;
    std::string before;
    control_.forEachSpan(0, control_.length(), [&](const char* data, int length) {
        const std::string_view piece(data, static_cast<std::size_t>(length));
        bookmarks_ += countAround(before, piece);
        before = lastTwo(before, piece);
    });
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

    const int withEditCount = countAround(before, change.text) + countAround(lastTwo(before, change.text), after);
    const int withoutEditCount = countAround(before, after);
    bookmarks_ += inserted ? withEditCount - withoutEditCount : withoutEditCount - withEditCount;
}

}  // namespace tagloom
