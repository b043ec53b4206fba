#include "html/TagNavigator.h"

#include <algorithm>
#include <string>
#include <vector>

#include "textmodel/AsciiText.h"
#include "html/MarkupReader.h"
#include "textmodel/TextSearch.h"

namespace tagloom {

namespace {

// The matching patterns hold at most 99 bytes: '<' or "</", the name, and ' ' or '>'.
constexpr std::size_t kLongestTagName = 96;

int lengthOf(std::string_view text) { return static_cast<int>(text.size()); }

int offsetOf(std::size_t offset) { return static_cast<int>(offset); }

// The offset of a closed tag's '>'.
int closingBracket(const MarkupTag& tag) { return offsetOf(tag.end) - 1; }

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
// ends.
Selection trimmedStretch(std::string_view text, int a, int b) {
    while (a < b && isTabOrLineBreak(text[a])) ++a;
    if (a < b)
        while (b > a && isTabOrLineBreak(text[b - 1])) --b;
    return {a, b};
}

// The result of an untagged search that found the stretch between a '>' at
// gt and a '<' at lt: searched on past it when it holds only blanks.
TagSearchResult untaggedStretch(std::string_view text, int gt, int lt, TagSearch search) {
    const Selection between{gt + 1, lt};
    const std::string_view stretch =
        text.substr(static_cast<std::size_t>(between.start), static_cast<std::size_t>(between.end - between.start));
    if (std::all_of(stretch.begin(), stretch.end(), isAsciiBlank)) return searchOn(between, search);
    return found(trimmedStretch(text, between.start, between.end));
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

// Select Matching Tags as one walk over the tags. The probe runs back from
// one offset and forward from another to the nearest tag bracket: both must
// lie in closed tags, the back one before its '>', the forward one after its
// '<'; together they make the tag worked on, which must not be empty nor an
// empty closing tag. From an opening tag the walk goes on over the tags after
// it; for a closing tag, the tags before it are looked at from the nearest
// back, until the nesting counter comes back to 0.
class MatchingSearch {
public:
    MatchingSearch(std::string_view text, Selection sel) : text_(text), sel_(sel) {
        const int len = lengthOf(text);
        back_ = std::min(sel.empty() ? sel.start - 1 : (byteAt(sel.start) == '<' ? sel.start : sel.end - 2), len);
        fwd_ = std::max(sel.empty() ? sel.start : (byteAt(sel.end - 1) == '>' ? sel.end - 1 : sel.start + 1), 0);
    }

    // For readTags: false once the walk may stop.
    bool onTag(const MarkupTag& tag) {
        const int start = offsetOf(tag.start);
        if (!probed_) {
            if (start <= std::max(back_, fwd_)) {
                probe(tag);
                return true;
            }
            if (!finishProbe() || closing_) return false;
        }
        counter_ += patterns_->nesting(text_, tag.start);
        if (counter_ != 0) return true;
        element_ = Selection{tag_.start, start + offsetOf(patterns_->close.size())};
        return false;
    }

    MatchingTagsResult result() {
        if (!probed_) finishProbe();
        if (!patterns_) return {true, std::nullopt};
        if (!closing_) return {false, element_.value_or(tag_)};
        for (auto start = startsBefore_.rbegin(); start != startsBefore_.rend(); ++start) {
            counter_ += patterns_->nesting(text_, static_cast<std::size_t>(*start));
            if (counter_ == 0) return {false, Selection{*start, tag_.end}};
        }
        return {true, sel_};
    }

private:
    char byteAt(int offset) const {
        return offset >= 0 && offset < lengthOf(text_) ? text_[static_cast<std::size_t>(offset)] : '\0';
    }

    void probe(const MarkupTag& tag) {
        const int start = offsetOf(tag.start);
        const int gt = closingBracket(tag);
        if (tag.closed && start <= back_ && back_ < gt) tagStart_ = start;
        if (tag.closed && start < fwd_ && fwd_ <= gt) tagEnd_ = gt;
        if (!tagStart_) startsBefore_.push_back(start);
    }

    // Whether the probe found a tag to work on; its patterns are then set.
    bool finishProbe() {
        probed_ = true;
        if (!tagStart_ || !tagEnd_) return false;
        const int lt = *tagStart_;
        const int gt = *tagEnd_;
        if (gt - lt < 2 || (gt - lt == 2 && byteAt(lt + 1) == '/')) return false;
        tag_ = {lt, gt + 1};
        closing_ = byteAt(lt + 1) == '/';
        counter_ = closing_ ? -1 : 1;
        patterns_ =
            MatchPatterns::forTag(text_.substr(static_cast<std::size_t>(lt), static_cast<std::size_t>(tag_.end - lt)));
        return patterns_.has_value();
    }

    std::string_view text_;
    Selection sel_;
    int back_ = 0;
    int fwd_ = 0;
    bool probed_ = false;
    std::optional<int> tagStart_;
    std::optional<int> tagEnd_;
    std::vector<int> startsBefore_;  // the starts of the tags before the one worked on
    Selection tag_;
    bool closing_ = false;
    std::optional<MatchPatterns> patterns_;
    int counter_ = 0;
    std::optional<Selection> element_;
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
    // A tag (or a template marker) that is already selected is not found again.
    if (sel.end > sel.start && ((text[sel.start] == '<' && text[sel.end - 1] == '>') ||
                                (text[sel.start] == '{' && text[sel.end - 1] == '}')))
        ++sel.start;
    const int from = offsetOf(forwardSearchStart(text, sel, "<", true));
    std::optional<Selection> next;
    readTags(text, [&](const MarkupTag& tag) {
        if (tag.closed && offsetOf(tag.start) >= from) next = Selection{offsetOf(tag.start), offsetOf(tag.end)};
        return !next;
    });
    if (next) return found(*next);
    return endOfText(lengthOf(text), "No more HTML tags!\nContinue from top?", "Find Next Tag", 0, TagSearch::NextTag,
                     true);
}

TagSearchResult TagNavigator::findPreviousTag(std::string_view text, Selection selection) const {
    // The search looks for a '>' before the selection, so a selected tag is not found again.
    const Selection sel = clampedSelection(selection, text);
    std::optional<Selection> previous;
    readTags(text, [&](const MarkupTag& tag) {
        if (closingBracket(tag) >= sel.start) return false;
        if (tag.closed) previous = Selection{offsetOf(tag.start), offsetOf(tag.end)};
        return true;
    });
    if (previous) return found(*previous);
    return endOfText(0, "No more HTML tags!\nContinue from bottom?", "Find Previous Tag", lengthOf(text),
                     TagSearch::PreviousTag, false);
}

TagSearchResult TagNavigator::findNextUntagged(std::string_view text, Selection selection) const {
    const Selection sel = clampedSelection(selection, text);
    const int from = offsetOf(forwardSearchStart(text, sel, ">", true));
    std::optional<int> gt;  // the first tag end at or after `from`
    std::optional<int> lt;  // the start of the tag after it
    readTags(text, [&](const MarkupTag& tag) {
        if (gt)
            lt = offsetOf(tag.start);
        else if (tag.closed && closingBracket(tag) >= from)
            gt = closingBracket(tag);
        return !lt;
    });
    if (lt) return untaggedStretch(text, *gt, *lt, TagSearch::NextUntagged);
    return endOfText(lengthOf(text), "No more Text!\nContinue from top?", "Find Next Untaged Text", 0,
                     TagSearch::NextUntagged, true);
}

TagSearchResult TagNavigator::findPreviousUntagged(std::string_view text, Selection selection) const {
    const Selection sel = clampedSelection(selection, text);
    std::optional<int> lt;       // the start of the last tag that starts before the selection
    std::optional<int> gt;       // the end of the last closed tag before that one
    std::optional<int> lastEnd;  // the end of that last tag, when it is closed
    readTags(text, [&](const MarkupTag& tag) {
        if (offsetOf(tag.start) >= sel.start) return false;
        if (lastEnd) gt = lastEnd;
        lt = offsetOf(tag.start);
        lastEnd = tag.closed ? std::optional<int>(closingBracket(tag)) : std::nullopt;
        return true;
    });
    if (lt && gt) return untaggedStretch(text, *gt, *lt, TagSearch::PreviousUntagged);
    return endOfText(0, "No more Text!\nContinue from bottom?", "Find Previous Untaged Text", lengthOf(text),
                     TagSearch::PreviousUntagged, true);
}

MatchingTagsResult TagNavigator::selectMatchingTags(std::string_view text, Selection selection) const {
    MatchingSearch search(text, clampedSelection(selection, text));
    readTags(text, [&search](const MarkupTag& tag) { return search.onTag(tag); });
    return search.result();
}

}  // namespace tagloom
