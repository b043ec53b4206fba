#pragma once
// Where the marked text occurs, for the yellow highlighting of Mark All.
#include <string_view>
#include <vector>

namespace tagloom {

// The starts of the occurrences of `mark` that lie completely inside `text`,
// found from its start: exactly when matchCase, else ignoring the case of
// ASCII letters; with wholeWord an occurrence next to a word character is
// refused. After an occurrence the search goes on behind it. `before` and
// `after` are the characters just outside `text` ('\0' when none), which the
// whole-word test looks at.
std::vector<int> findMarks(std::string_view text, std::string_view mark, bool matchCase, bool wholeWord,
                           char before = '\0', char after = '\0');

}  // namespace tagloom
