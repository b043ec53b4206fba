#include "search/ControlSearch.h"

#include <algorithm>
#include <string>

#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr std::size_t kFirstWindow = 256;

std::string_view wholeText(EditControl& control) {
    return {control.lock(), static_cast<std::size_t>(control.length())};
}

}  // namespace

std::optional<TextMatch> findForward(EditControl& control, const TextMatcher& matcher, int from) {
    const auto length = static_cast<std::size_t>(control.length());
    auto at = static_cast<std::size_t>(std::max(from, 0));
    if (matcher.empty() || at >= length) return std::nullopt;
    if (control.isLockFree()) return matcher.findFirst(wholeText(control), at, length - 1);
    for (std::size_t window = kFirstWindow; at < length; window *= 2) {
        const std::size_t end = std::min(length, at + window);  // starts looked at: [at, end)
        const std::string part =
            control.copyRange(static_cast<int>(at), static_cast<int>(std::min(length, end + matcher.longestMatch())));
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
    for (std::size_t window = kFirstWindow;; window *= 2) {
        const std::size_t first = last + 1 > window ? last + 1 - window : 0;
        const std::string part = control.copyRange(static_cast<int>(first),
                                                   static_cast<int>(std::min(length, last + 1 + matcher.longestMatch())));
        if (const auto found = matcher.findLast(part, last - first))
            return TextMatch{first + found->start, found->length};
        if (first == 0) return std::nullopt;
        last = first - 1;
    }
}

}  // namespace tagloom
