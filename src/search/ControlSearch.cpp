#include "search/ControlSearch.h"

#include <algorithm>
#include <string>

#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr std::size_t kFirstWindow = 256;
constexpr std::size_t kLargestWindow = std::size_t{1} << 20;

std::string_view wholeText(EditControl& control) {
    return {control.lock(), static_cast<std::size_t>(control.length())};
}

std::size_t nextWindow(std::size_t window) { return std::min(window * 2, kLargestWindow); }

}  // namespace

std::optional<TextMatch> findForward(EditControl& control, const TextMatcher& matcher, int from) {
    const auto length = static_cast<std::size_t>(control.length());
    auto at = static_cast<std::size_t>(std::max(from, 0));
    if (matcher.empty() || at >= length) return std::nullopt;
    if (control.isLockFree()) return matcher.findFirst(wholeText(control), at, length - 1);
    std::string scratch;
    for (std::size_t window = kFirstWindow; at < length; window = nextWindow(window)) {
        const std::size_t end = std::min(length, at + window);  // starts looked at: [at, end)
        const std::string_view part = control.viewRange(
            static_cast<int>(at), static_cast<int>(std::min(length, end + matcher.longestMatch())), scratch);
        if (const auto found = matcher.findFirst(part, 0, end - at - 1))
            return TextMatch{at + found->start, found->length};
        at = end;
    }
    return std::nullopt;
}

std::optional<TextMatch> findBackward(EditControl& control, const TextMatcher& matcher, int from) {
    const auto length = static_cast<std::size_t>(control.length());
    if (matcher.empty() || from < 0 || length == 0) return std::nullopt;
    std::size_t last = std::min(static_cast<std::size_t>(from), length - 1);  // the highest start looked at
    if (control.isLockFree()) return matcher.findLast(wholeText(control), last);
    std::string scratch;
    for (std::size_t window = kFirstWindow;; window = nextWindow(window)) {
        const std::size_t first = last + 1 > window ? last + 1 - window : 0;
        const std::string_view part = control.viewRange(
            static_cast<int>(first), static_cast<int>(std::min(length, last + 1 + matcher.longestMatch())), scratch);
        if (const auto found = matcher.findLast(part, last - first))
            return TextMatch{first + found->start, found->length};
        if (first == 0) return std::nullopt;
        last = first - 1;
    }
}

void forEachMatch(EditControl& control, const TextMatcher& matcher,
                  const std::function<void(const TextMatch&)>& onMatch) {
    const auto length = static_cast<std::size_t>(control.length());
    if (control.isLockFree()) return matcher.forEach(wholeText(control), onMatch);
    std::string scratch;
    for (std::size_t at = 0; at < length;) {
        const std::size_t end = std::min(length, at + kLargestWindow);  // starts looked at: [at, end)
        const std::string_view part = control.viewRange(
            static_cast<int>(at), static_cast<int>(std::min(length, end + matcher.longestMatch())), scratch);
        matcher.forEach(part, [&](const TextMatch& found) {
            if (found.start < end - at) onMatch(TextMatch{at + found.start, found.length});
        });
        at = end;
    }
}

}  // namespace tagloom
