#pragma once
// Searches the edit control's text without making it contiguous. Where the
// text already lies in one block the matcher runs over it; otherwise it runs
// over windows of the control's text, which double in size as the search
// goes on, up to a megabyte, so a search costs about what it passes over, not
// the size of the text. That keeps a Replace All, which edits between its
// searches, linear. A window that lies in one piece of the text is read
// where it lies; one across pieces is copied, so a search of a gigabyte
// holds at most a megabyte more.
#include <functional>
#include <optional>

#include "search/TextMatcher.h"

namespace tagloom {

class EditControl;

// The first occurrence that starts at or after `from`.
std::optional<TextMatch> findForward(EditControl& control, const TextMatcher& matcher, int from);
// The last occurrence that starts at or before `from` (nothing when from < 0).
std::optional<TextMatch> findBackward(EditControl& control, const TextMatcher& matcher, int from);
// Every occurrence, overlapping ones too, in the order they start.
void forEachMatch(EditControl& control, const TextMatcher& matcher, const std::function<void(const TextMatch&)>& onMatch);

}  // namespace tagloom
