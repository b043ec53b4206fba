#pragma once
// The census of the opening tags of a formatted document, and the depth
// effect of every tag.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "html/TagScan.h"
#include "platform/Prompter.h"

namespace tagloom {

struct TagCount {
    std::string name;
    int count = 0;
    bool operator==(const TagCount&) const = default;
};

struct TagCensus {
    // Distinct opening-tag names (comments under "!--" or "!--" and their
    // first word), in order of first appearance.
    std::vector<TagCount> tags;
    int comments = 0;

    // "Found %d unique tags and %d comments.\n"
    std::string header() const;
    // One "%d\t<%s>" line per name, each ended by lineEnd.
    std::string listing(std::string_view lineEnd) const;
    // The question shown after formatting; nothing when no opening tag was found.
    std::optional<Message> report() const;
    // What Yes to that question puts on the clipboard: the whole list, CR LF line ends.
    std::string clipboardText() const;
};

// A tag's name: the bytes after its '<' up to the first TAB, CR, LF, space or
// '>', or up to a quoted value or PHP block in the tag, which it never enters.
std::string_view tagName(std::string_view text, const TagSpan& tag);

// Counts the opening tags of text into the census and fills in every tag's
// depth effect: -1 for a closing tag; +1 for an opening tag when '/' + name +
// '>' occurs after its name, with a '>' that ends a tag or stands in a
// comment (not one in a quoted value, a PHP block or script, style, textarea
// or pre content), and for the opening tag of such content when a closing
// tag ends it; 0 otherwise. One linear pass.
TagCensus takeCensus(std::string_view text, std::vector<TagSpan>& tags, int comments);

}  // namespace tagloom
