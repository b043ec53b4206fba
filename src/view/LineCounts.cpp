#include "view/LineCounts.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tagloom {

LineCounts::Counts LineCounts::countAround(std::string_view before, std::string_view middle) {
    Counts counts;
    if (middle.empty()) return counts;
    const auto at = [&](std::ptrdiff_t i) -> char {
        return i < 0 ? before[before.size() + i] : middle[static_cast<std::size_t>(i)];
    };
    const char* data = middle.data();
    const char* end = data + middle.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr; ++p) {
        ++counts.lineFeeds;
        const std::ptrdiff_t i = p - data;
        if (i - 2 >= -static_cast<std::ptrdiff_t>(before.size()) && at(i - 2) == '\r') ++counts.bookmarks;
    }
    return counts;
}

void LineCounts::reset(std::string_view text) {
    const Counts counts = countAround({}, text);
    lineFeeds_ = counts.lineFeeds;
    bookmarks_ = counts.bookmarks;
}

std::string_view LineCounts::contextBefore(int offset, const CharAt& charAt, char (&buffer)[2]) {
    const int n = std::min(offset, 2);
    for (int i = 0; i < n; ++i) buffer[i] = charAt(offset - n + i);
    return {buffer, static_cast<std::size_t>(n)};
}

// An edit changes the LFs it inserts or removes, and the bookmark test of the
// up to two LFs just after it, whose characters two places before may have
// changed. Those are counted before and after the edit.
void LineCounts::inserted(int offset, std::string_view text, int length, const CharAt& charAt) {
    const int insertedEnd = offset + static_cast<int>(text.size());
    char beforeBuffer[2];
    const std::string_view before = contextBefore(offset, charAt, beforeBuffer);
    std::string after;
    for (int i = insertedEnd; i < std::min(length, insertedEnd + 2); ++i) after += charAt(i);

    const Counts old = countAround(before, after);
    std::string now;
    now.reserve(text.size() + after.size());
    now.append(text).append(after);
    const Counts current = countAround(before, now);
    lineFeeds_ += current.lineFeeds - old.lineFeeds;
    bookmarks_ += current.bookmarks - old.bookmarks;
}

void LineCounts::removed(int offset, std::string_view text, int length, const CharAt& charAt) {
    char beforeBuffer[2];
    const std::string_view before = contextBefore(offset, charAt, beforeBuffer);
    std::string after;
    for (int i = offset; i < std::min(length, offset + 2); ++i) after += charAt(i);

    std::string old;
    old.reserve(text.size() + after.size());
    old.append(text).append(after);
    const Counts previous = countAround(before, old);
    const Counts current = countAround(before, after);
    lineFeeds_ += current.lineFeeds - previous.lineFeeds;
    bookmarks_ += current.bookmarks - previous.bookmarks;
}

}  // namespace tagloom
