#pragma once
// The white-space passes of the HTML formatter. Each is one linear walk over
// the working copy that writes behind its read position.
#include <string>
#include <string_view>

namespace tagloom {

// The document's normalised copy:
//  - every CR directly followed by another CR is dropped (a bookmarked line
//    end CR CR LF becomes CR LF, so bookmarks go);
//  - inside tags, every CR LF is deleted; one between two bytes that are
//    not blanks becomes a space, unless the second is the tag's '>', so no
//    name and attribute join;
//  - in mark-up, TABs become spaces and each run of spaces keeps one;
//  - in mark-up and comments, "> " before CR LF and " <" after CR LF lose
//    their space.
// Mark-up is text and tags outside the stretches readMarkup names:
// comments come through unchanged apart from the last rule, PHP blocks,
// quoted values and script, style, textarea and pre content unchanged.
// Throws std::bad_alloc when the copy does not fit in memory.
std::string normalizedHtmlCopy(std::string_view document);

}  // namespace tagloom
