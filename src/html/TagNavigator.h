#pragma once
// Tag-to-tag navigation in an HTML document: the HTML-document test with its
// cache, Find Next / Previous Tag, Find Next / Previous Untagged and Select
// Matching Tags.
//
// Tags are read from the start of the text as readTags finds them: a tag runs
// from its '<' to its '>', a comment or a PHP block is one tag, and quoted
// values, PHP blocks and script, style, textarea and pre content hold no
// tags. Every command takes the locked text and the current selection and
// returns what the view does next, so the view stays a thin shell and tests
// can check the exact outcome.
#include <optional>
#include <string_view>

#include "textmodel/AsciiText.h"
#include "textmodel/Selection.h"
#include "platform/Prompter.h"

namespace tagloom {

// The four tag searches, for a result that says which one goes on.
enum class TagSearch { NextTag, PreviousTag, NextUntagged, PreviousUntagged };

// What a Find command asks when its search ran off one end of the text.
struct WrapAround {
    int caret = 0;  // put the caret here, scroll it into view and repaint the margin, then ask
    Message question;
    int caretOnYes = 0;                    // on Yes the caret goes here and is scrolled into view,
    TagSearch search = TagSearch::NextTag;  // then this search runs again:
    bool post = true;                       // posted to the view's own queue, or else called at once
};

struct TagSearchResult {
    enum class Kind {
        Found,      // select `selection` in the usual three steps
        SearchOn,   // set `selection` as it stands, then post `search` to the view's queue
        EndOfText,  // run `wrap` (the selection is then the caret it names)
    };
    Kind kind = Kind::Found;
    Selection selection;
    TagSearch search = TagSearch::NextTag;
    WrapAround wrap;
};

struct MatchingTagsResult {
    bool beep = false;
    // Selected in the usual three steps (after the beep, when both are set).
    std::optional<Selection> selection;
};

class TagNavigator {
public:
    // Whether the text holds "<HTML" and "/HTML>", ASCII case ignored. Texts
    // under 12 bytes never do. The places last found are kept, so the common
    // case costs two short comparisons.
    bool IsHtmlDocument(std::string_view text);
    // The first step of that test alone: whether the places last found still
    // hold the two markers in a text of `length` bytes, read through
    // `bytesAt(offset, count)`, where the whole test would accept them. Lets
    // a caller that has no contiguous text answer the common case.
    template <class BytesAt>
    bool cacheHolds(std::size_t length, BytesAt&& bytesAt) const {
        return length >= kShortestHtmlDocument && nHtmlStart + kHtmlClose.size() <= length && nHtmlEndBack < length &&
               equalsIgnoringAsciiCase(bytesAt(nHtmlStart, kHtmlOpen.size()), kHtmlOpen) &&
               equalsIgnoringAsciiCase(bytesAt(length - nHtmlEndBack, kHtmlClose.size()), kHtmlClose);
    }
    // The test without the cache check: "<HTML" at or before the sixth byte
    // from the end and "/HTML>" anywhere. Keeps the places found.
    bool findHtmlMarkers(std::string_view text);
    // Whether a stretch of text holds either marker whole, ASCII case ignored.
    static bool holdsMarker(std::string_view text);

    TagSearchResult findNextTag(std::string_view text, Selection selection) const;
    TagSearchResult findPreviousTag(std::string_view text, Selection selection) const;
    // The text between two tags, without the TABs and line breaks at its ends;
    // a stretch of nothing but blanks is passed over.
    TagSearchResult findNextUntagged(std::string_view text, Selection selection) const;
    TagSearchResult findPreviousUntagged(std::string_view text, Selection selection) const;
    // The element around the caret or the selection, from its opening tag to
    // its matching closing tag.
    MatchingTagsResult selectMatchingTags(std::string_view text, Selection selection) const;

    static constexpr std::string_view kHtmlOpen = "<HTML";
    static constexpr std::string_view kHtmlClose = "/HTML>";
    // Texts shorter than this are never HTML documents.
    static constexpr std::size_t kShortestHtmlDocument = 12;

    // Where "<HTML" was found, and the distance from the end of the text to
    // where "/HTML>" was found, which edits in front of the closing tag leave
    // unchanged. Whoever edits the text moves them for the other edits.
    unsigned nHtmlStart = 0;
    unsigned nHtmlEndBack = 0;
};

}  // namespace tagloom
