#include "html/TagNavigator.h"

#include <algorithm>
#include <string>

#include "textmodel/AsciiText.h"
#include "textmodel/TextSearch.h"

namespace tagloom {

namespace {

// The matching patterns hold at most 99 bytes: '<' or "</", the name, and ' ' or '>'.
constexpr std::size_t kLongestTagName = 96;

int lengthOf(std::string_view text) { return static_cast<int>(text.size()); }

std::optional<int> searchOne(std::string_view text, Selection selection, char c, bool bForward) {
    return SearchFromSelection(text, selection, std::string_view(&c, 1), bForward, true);
}

Selection oneByteAt(int offset) { return {offset, offset + 1}; }

TagSearchResult found(Selection selection) {
    TagSearchResult result;
    result.selection = selection;
    return result;
}

TagSearchResult searchOn(Selection selection, TagSearch search) {
    TagSearchResult result;
    result.kind = TagSearchResult::Kind::SearchOn;
    result.selection = selection;
    result.search = search;
    return result;
}

TagSearchResult endOfText(int caret, std::string_view question, std::string_view title, int caretOnYes, TagSearch search,
                          bool post) {
    TagSearchResult result;
    result.kind = TagSearchResult::Kind::EndOfText;
    result.wrap.caret = caret;
    result.wrap.question = Message{std::string(question), std::string(title), Buttons::YesNoCancel, Icon::Question, 0};
    result.wrap.caretOnYes = caretOnYes;
    result.wrap.search = search;
    result.wrap.post = post;
    return result;
}

// The stretch between two tags, a to b, without the TABs, CRs and LFs at its
// ends; empty when it holds nothing else.
Selection trimmedStretch(std::string_view text, int a, int b) {
    while (a < b && isTabOrLineBreak(text[a])) ++a;
    if (a < b)
        while (b > a && isTabOrLineBreak(text[b - 1])) --b;
    return {a, b};
}

// The result of an untagged search that found the stretch between a '>' at
// gt and a '<' at lt.
TagSearchResult untaggedStretch(std::string_view text, int gt, int lt, TagSearch search) {
    const Selection between{gt + 1, lt};
    const Selection trimmed = trimmedStretch(text, between.start, between.end);
    if (trimmed.start >= trimmed.end) return searchOn(between, search);
    return found(trimmed);
}

bool isTagDelimiter(char c) { return c == '<' || c == '>'; }

// The tag that Select Matching Tags works on, from its '<' to one past its
// '>': found by probing outwards from the selection; nothing when the probe
// finds no tag, an empty one or an empty closing tag.
std::optional<Selection> probeTag(std::string_view text, Selection sel) {
    const int len = lengthOf(text);
    // The byte at an offset, with the terminator standing beyond the end.
    auto at = [&](int offset) { return offset >= 0 && offset < len ? text[static_cast<std::size_t>(offset)] : '\0'; };
    int back = sel.empty() ? sel.start - 1 : (at(sel.start) == '<' ? sel.start : sel.end - 2);
    int fwd = sel.empty() ? sel.start : (at(sel.end - 1) == '>' ? sel.end - 1 : sel.start + 1);
    fwd = std::max(fwd, 0);
    back = std::min(back, len);
    while (fwd < len && !isTagDelimiter(at(fwd))) ++fwd;
    while (back > 0 && !isTagDelimiter(at(back))) --back;
    const bool isTag =
        back >= 0 && at(back) == '<' && at(fwd) == '>' && fwd - back >= 2 && !(fwd - back == 2 && at(back + 1) == '/');
    if (!isTag) return std::nullopt;
    return Selection{back, fwd + 1};
}

// The texts that open and close elements of one name, ASCII case ignored.
struct MatchPatterns {
    std::string close;               // "</" name '>'
    std::string openWithAttributes;  // '<' name ' '
    std::string bareOpen;            // '<' name '>'

    // For a tag's text: a closing tag's name is everything between "</" and
    // '>', an opening tag's runs up to the first TAB, CR, LF, space or '>'.
    // Nothing for a name too long for the patterns.
    static std::optional<MatchPatterns> forTag(std::string_view tag) {
        const bool closing = tag[1] == '/';
        std::string_view name = tag.substr(closing ? 2 : 1, tag.size() - (closing ? 3 : 2));
        if (!closing)
            name = name.substr(
                0, static_cast<std::size_t>(std::find_if(name.begin(), name.end(), endsTagName) - name.begin()));
        if (name.size() > kLongestTagName) return std::nullopt;
        const std::string n(name);
        return MatchPatterns{"</" + n + ">", "<" + n + " ", "<" + n + ">"};
    }

    // The nesting step of the tag at pos: -1 for a closing tag of the name,
    // +1 for an opening one, else 0.
    int nesting(std::string_view text, std::size_t pos) const {
        if (matchesAtIgnoringCase(text, pos, close)) return -1;
        if (matchesAtIgnoringCase(text, pos, openWithAttributes) || matchesAtIgnoringCase(text, pos, bareOpen))
            return 1;
        return 0;
    }
};

}  // namespace

bool TagNavigator::IsHtmlDocument(std::string_view text) {
    const std::size_t len = text.size();
    return cacheHolds(len, [text](std::size_t offset, std::size_t count) { return text.substr(offset, count); }) ||
           findHtmlMarkers(text);
}

bool TagNavigator::findHtmlMarkers(std::string_view text) {
    const std::size_t len = text.size();
    if (len < kShortestHtmlDocument) return false;

    const std::size_t last = len - kHtmlClose.size();
    std::size_t start = std::string_view::npos;
    for (std::size_t at = text.find('<'); at != std::string_view::npos && at <= last; at = text.find('<', at + 1))
        if (matchesAtIgnoringCase(text, at, kHtmlOpen)) {
            start = at;
            break;
        }
    if (start == std::string_view::npos) return false;
    nHtmlStart = static_cast<unsigned>(start);

    for (std::size_t below = last + 1; below > 0;) {
        const std::size_t at = text.rfind('/', below - 1);
        if (at == std::string_view::npos) break;
        if (matchesAtIgnoringCase(text, at, kHtmlClose)) {
            nHtmlEndBack = static_cast<unsigned>(len - at);
            return true;
        }
        below = at;
    }
    return false;
}

bool TagNavigator::holdsMarker(std::string_view text) {
    for (std::size_t at = text.find_first_of("</"); at != std::string_view::npos; at = text.find_first_of("</", at + 1))
        if (matchesAtIgnoringCase(text, at, text[at] == '<' ? kHtmlOpen : kHtmlClose)) return true;
    return false;
}

TagSearchResult TagNavigator::findNextTag(std::string_view text, Selection selection) const {
    Selection sel = clampedSelection(selection, text);
    // A tag that is already selected is not found again.
    if (sel.end > sel.start && text[sel.start] == '<' && text[sel.end - 1] == '>') ++sel.start;
    if (const auto lt = searchOne(text, sel, '<', true))
        if (const auto gt = searchOne(text, oneByteAt(*lt), '>', true)) return found({*lt, *gt + 1});
    return endOfText(lengthOf(text), "No more HTML tags!\nContinue from top?", "Find Next Tag", 0, TagSearch::NextTag,
                     true);
}

TagSearchResult TagNavigator::findPreviousTag(std::string_view text, Selection selection) const {
    // The backward search starts before the selection, so a selected tag is not found again.
    const Selection sel = clampedSelection(selection, text);
    if (const auto gt = searchOne(text, sel, '>', false))
        if (const auto lt = searchOne(text, oneByteAt(*gt), '<', false)) return found({*lt, *gt + 1});
    return endOfText(0, "No more HTML tags!\nContinue from bottom?", "Find Previous Tag", lengthOf(text),
                     TagSearch::PreviousTag, false);
}

TagSearchResult TagNavigator::findNextUntagged(std::string_view text, Selection selection) const {
    const Selection sel = clampedSelection(selection, text);
    if (const auto gt = searchOne(text, sel, '>', true))
        if (const auto lt = searchOne(text, oneByteAt(*gt), '<', true))
            return untaggedStretch(text, *gt, *lt, TagSearch::NextUntagged);
    return endOfText(lengthOf(text), "No more Text!\nContinue from top?", "Find Next Untaged Text", 0,
                     TagSearch::NextUntagged, true);
}

TagSearchResult TagNavigator::findPreviousUntagged(std::string_view text, Selection selection) const {
    const Selection sel = clampedSelection(selection, text);
    if (const auto lt = searchOne(text, sel, '<', false))
        if (const auto gt = searchOne(text, oneByteAt(*lt), '>', false))
            return untaggedStretch(text, *gt, *lt, TagSearch::PreviousUntagged);
    return endOfText(0, "No more Text!\nContinue from bottom?", "Find Previous Untaged Text", lengthOf(text),
                     TagSearch::PreviousUntagged, true);
}

MatchingTagsResult TagNavigator::selectMatchingTags(std::string_view text, Selection selection) const {
    const Selection sel = clampedSelection(selection, text);
    const std::optional<Selection> tag = probeTag(text, sel);
    if (!tag) return {true, std::nullopt};
    const int back = tag->start;
    const int fwd = tag->end - 1;
    const bool closing = text[static_cast<std::size_t>(back) + 1] == '/';
    const std::optional<MatchPatterns> patterns =
        MatchPatterns::forTag(text.substr(static_cast<std::size_t>(back), static_cast<std::size_t>(tag->end - back)));
    if (!patterns) return {true, std::nullopt};

    const int len = lengthOf(text);
    if (!closing) {
        int counter = 1;
        int pos = fwd;
        while (pos < len && counter > 0) {
            const std::size_t next = text.find('<', static_cast<std::size_t>(pos) + 1);
            pos = next == std::string_view::npos ? len : static_cast<int>(next);
            counter += patterns->nesting(text, static_cast<std::size_t>(pos));
        }
        if (counter == 0) return {false, Selection{back, pos + static_cast<int>(patterns->close.size())}};
        return {false, *tag};
    }

    int counter = -1;
    int pos = back;
    while (pos > 0 && counter < 0) {
        const std::size_t previous = text.rfind('<', static_cast<std::size_t>(pos) - 1);
        pos = previous == std::string_view::npos ? 0 : static_cast<int>(previous);
        counter += patterns->nesting(text, static_cast<std::size_t>(pos));
    }
    if (counter == 0) return {false, Selection{pos, fwd + 1}};
    return {true, sel};
}

}  // namespace tagloom
