#include "html/TagPresence.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

bool startsTag(std::string_view text, std::size_t lt) {
    if (lt + 1 >= text.size() || text[lt] != '<') return false;
    const char next = text[lt + 1];
    return isAsciiLetter(next) || next == '/' || next == '!' || next == '?';
}

constexpr int kFirstWindow = 4096;

}  // namespace

std::optional<std::size_t> firstTag(std::string_view text, std::size_t from) {
    for (std::size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1))
        if (startsTag(text, at)) return at;
    return std::nullopt;
}

TagPresenceTest::TagPresenceTest(EditControl& control) : control_(control) { control_.addObserver(*this); }

TagPresenceTest::~TagPresenceTest() { control_.removeObserver(*this); }

// Read in windows that double, each sharing its first byte with the last of
// the window before, so that a page's first tag costs a few kilobytes.
bool TagPresenceTest::holdsTag() {
    if (known_) return first_.has_value();
    first_.reset();
    const int length = control_.length();
    std::string scratch;
    std::int64_t window = kFirstWindow;
    for (int from = 0; from < length; window *= 2) {
        const int to = static_cast<int>(std::min<std::int64_t>(length, from + window));
        const std::string_view part = control_.viewRange(from, std::min(length, to + 1), scratch);
        if (const auto at = firstTag(part)) {
            first_ = from + static_cast<int>(*at);
            break;
        }
        from = to;
    }
    known_ = true;
    return first_.has_value();
}

// A tag the edit left whole only moves; a new one can only stand where the
// edit was, with one byte on either side.
void TagPresenceTest::onChange(const TextChange& change) {
    if (!known_) return;
    const bool inserted = change.kind == TextChange::Kind::Insertion;
    const int position = change.position;
    if (first_) {
        const int lt = *first_;
        if (inserted && position <= lt)
            first_ = lt + change.length;
        else if (!inserted && position + change.length <= lt)
            first_ = lt - change.length;
        else if (position <= lt + 1)
            known_ = false;
        return;
    }
    const int from = std::max(0, position - 1);
    const int to = std::min(control_.length(), position + (inserted ? change.length : 0) + 1);
    if (const auto at = firstTag(control_.copyRange(from, to))) first_ = from + static_cast<int>(*at);
}

}  // namespace tagloom
