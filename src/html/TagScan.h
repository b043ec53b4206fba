#pragma once
// The formatter's tag scan: every tag of a text from its '<' to its '>', in
// order, as readTags finds them (comments, PHP blocks, quoted values and
// script, style, textarea and pre content hold no tags); and the stretch of
// the document to show when a delimiter is missing.
#include <optional>
#include <string_view>
#include <vector>

#include "textmodel/Selection.h"
#include "html/MarkupReader.h"

namespace tagloom {

struct TagSpan {
    using Kind = MarkupTag::Kind;
    int start = 0;    // offset of the '<'
    int end = 0;      // offset of the '>' (the last byte of a PHP block left open at the end of the text)
    int nameEnd = 0;  // the name runs from start + 1 to here
    Kind kind = Kind::Element;
    bool closed = true;                             // false for a PHP block left open
    ElementContent content = ElementContent::None;  // what the text after the tag is
    // +1 for an opening tag whose closing text comes later (or whose content
    // a closing tag ends), -1 for a closing tag, 0 for every other tag.
    signed char depthEffect = 0;
};

// A '<' inside a tag, or a text that ends inside a tag (server code may stay
// open to the end), with the stretch to show: for a tag never closed, its
// '<' through the next '<'; for a text that ends inside a tag, its '<'
// through the end. A '>' outside a tag is text.
struct DelimiterError {
    char missing = '>';
    int firstBracket = -1;  // offset of the stretch's first bracket; -1: the stretch starts the text
    int lastBracket = -1;   // offset of its last bracket; -1: the stretch runs to the end
};

struct TagScanResult {
    std::vector<TagSpan> tags;
    int comments = 0;
    std::optional<DelimiterError> error;
};

TagScanResult scanTags(std::string_view text);

// The error's stretch in the document that the scanned text was normalised
// from. Normalising moves the brackets but never adds or drops one, so the
// n-th '<' (or '>') of the one is the n-th of the other.
Selection delimiterErrorSelection(std::string_view document, std::string_view scanned, const DelimiterError& error);

}  // namespace tagloom
