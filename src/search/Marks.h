#pragma once
// Where the marked text occurs, for the yellow highlighting of Mark All.
#include <string_view>
#include <vector>

#include "search/TextMatcher.h"

namespace tagloom {

// The occurrences of the marked text that lie completely inside `text`,
// found from its start as the matcher compares; with wholeWord an occurrence
// next to a word character is refused. After an occurrence the search goes
// on behind it. `before` and `after` are the characters just outside `text`
// ('\0' when none), which the whole-word test looks at.
std::vector<TextMatch> findMarks(std::string_view text, const TextMatcher& mark, bool wholeWord, char before = '\0',
                                 char after = '\0');

}  // namespace tagloom
