#include "html/HtmlCommands.h"

#include <algorithm>

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"

namespace tagloom {

namespace {

// A marker that shares a byte with an edit lies within this many bytes of it.
constexpr int kMarkerReach = static_cast<int>(TagNavigator::kHtmlClose.size()) - 1;

// Below this length the whole test costs no more than the bookkeeping.
constexpr int kAlwaysRetestBelow = 4 * static_cast<int>(TagNavigator::kShortestHtmlDocument);

using Search = TagSearchResult (TagNavigator::*)(std::string_view, Selection) const;

struct SearchCommand {
    TagSearch search;
    int command;
    Search run;
};

constexpr SearchCommand kSearchCommands[] = {
    {TagSearch::NextTag, cmd::FindNextTag, &TagNavigator::findNextTag},
    {TagSearch::PreviousTag, cmd::FindPreviousTag, &TagNavigator::findPreviousTag},
    {TagSearch::NextUntagged, cmd::FindNextUntagged, &TagNavigator::findNextUntagged},
    {TagSearch::PreviousUntagged, cmd::FindPreviousUntagged, &TagNavigator::findPreviousUntagged},
};

const SearchCommand& searchCommand(TagSearch search) {
    for (const SearchCommand& c : kSearchCommands)
        if (c.search == search) return c;
    return kSearchCommands[0];
}

}  // namespace

// --- the HTML-document test ----------------------------------------------------

HtmlDocumentTest::HtmlDocumentTest(EditControl& control, TagNavigator& navigator)
    : control_(control), navigator_(navigator) {
    control_.addObserver(*this);
}

HtmlDocumentTest::~HtmlDocumentTest() { control_.removeObserver(*this); }

bool HtmlDocumentTest::IsHtmlDocument() {
    if (!known_) {
        answer_ = navigator_.findHtmlMarkers(std::string_view(control_.lock(), control_.length()));
        known_ = true;
    }
    return answer_;
}

void HtmlDocumentTest::onChange(const TextChange& change) {
    if (!known_) return;
    const EditControl& control = control_;
    const int length = control.length();
    const bool inserted = change.kind == TextChange::Kind::Insertion;
    // A short text may hold both markers and still be no document for being short.
    const int lengthBefore = inserted ? length - change.length : length + change.length;
    if (std::min(length, lengthBefore) < kAlwaysRetestBelow) {
        known_ = false;
    } else if (answer_) {
        // An edit in front of the opening marker moves it along: typing in a
        // doctype or a script header keeps the document a document.
        const unsigned start = navigator_.nHtmlStart;
        const auto position = static_cast<unsigned>(change.position);
        const auto edited = static_cast<unsigned>(change.length);
        if (inserted && position <= start) navigator_.nHtmlStart = start + edited;
        if (!inserted && position + edited <= start) navigator_.nHtmlStart = start - edited;
        // An edit behind the closing marker leaves it where it was, counted
        // from the start: typing after "</html>" needs no new search.
        const unsigned end = static_cast<unsigned>(lengthBefore) - navigator_.nHtmlEndBack;
        if (position >= end + TagNavigator::kHtmlClose.size())
            navigator_.nHtmlEndBack = static_cast<unsigned>(length) - end;
        known_ = navigator_.cacheHolds(static_cast<std::size_t>(length), [&control](std::size_t offset,
                                                                                    std::size_t count) {
            return control.copyRange(static_cast<int>(offset), static_cast<int>(offset + count));
        });
    } else {
        const int edited = inserted ? change.length : 0;
        const int from = std::max(0, change.position - kMarkerReach);
        const int to = std::min(length, change.position + edited + kMarkerReach);
        known_ = !TagNavigator::holdsMarker(control.copyRange(from, to));
    }
}

// --- the commands --------------------------------------------------------------

HtmlCommands::HtmlCommands(EditorView& view, const EditorSettings& settings, Platform& platform,
                           CommandRouter& router)
    : view_(view),
      settings_(settings),
      platform_(platform),
      router_(router),
      test_(view.control(), navigator_),
      tags_(view.control()) {
    const auto enabledInHtml = [this](CommandState& s) { s.enabled = IsHtmlDocument(); };
    for (const SearchCommand& c : kSearchCommands)
        router_.add(c.command, [this, search = c.search] { runSearch(search); }, enabledInHtml);
    router_.add(cmd::SelectMatchingTags, [this] { SelectMatchingTags(); }, enabledInHtml);
    router_.add(cmd::HtmlFormat, [this] { HtmlFormat(); },
                [this](CommandState& s) { s.enabled = IsHtmlDocument() && !view_.IsReadOnly(); });
}

EditControl& HtmlCommands::control() { return view_.control(); }

bool HtmlCommands::IsHtmlDocument() {
    return test_.IsHtmlDocument() || (settings_.bHtmlToolsAnyText && tags_.holdsTag());
}

void HtmlCommands::runSearch(TagSearch search) {
    const Selection selection = control().selection();
    TagSearchResult result;
    {
        BusyCursor busy(platform_.desktop);
        result = (navigator_.*searchCommand(search).run)(view_.text(), selection);
    }
    showSearchResult(result);
}

void HtmlCommands::selectFound(Selection selection) {
    control().setSel(selection.start, selection.end);
    view_.RevealSelection();
    view_.CenterCaretLine();
    view_.UpdateLnCol();
}

void HtmlCommands::showSearchResult(const TagSearchResult& result) {
    switch (result.kind) {
    case TagSearchResult::Kind::Found: selectFound(result.selection); return;
    case TagSearchResult::Kind::SearchOn:
        control().setSel(result.selection.start, result.selection.end);
        postSearch(result.search);
        return;
    case TagSearchResult::Kind::EndOfText: askToWrapAround(result.wrap); return;
    }
}

void HtmlCommands::askToWrapAround(const WrapAround& wrap) {
    control().setSel(wrap.caret, wrap.caret);
    control().scrollCaret();
    view_.UpdateLnCol();
    view_.postRepaint();
    if (platform_.prompter.ask(wrap.question) != Answer::Yes) return;
    control().setSel(wrap.caretOnYes, wrap.caretOnYes);
    control().scrollCaret();
    view_.UpdateLnCol();
    if (wrap.post)
        postSearch(wrap.search);
    else
        router_.run(searchCommand(wrap.search).command);
}

// A search goes on as its command, so it is refused once the text is no HTML document.
void HtmlCommands::postSearch(TagSearch search) {
    platform_.uiQueue.post([this, command = searchCommand(search).command] { router_.run(command); });
}

void HtmlCommands::SelectMatchingTags() {
    const MatchingTagsResult result = navigator_.selectMatchingTags(view_.text(), control().selection());
    if (result.beep) platform_.desktop.beep();
    if (result.selection) selectFound(*result.selection);
}

void HtmlCommands::HtmlFormat() {
    if (const auto warning = HtmlFormatter::bookmarkWarning(settings_.bConfirm != 0, view_.bookmarkCount()))
        if (platform_.prompter.ask(*warning) != Answer::Ok) return;
    BusyCursor busy(platform_.desktop);
    HtmlFormatResult result = formatter_.format(view_.text());
    switch (result.outcome) {
    case HtmlFormatResult::Outcome::OutOfMemory:
        if (result.message) platform_.prompter.ask(*result.message);
        return;
    case HtmlFormatResult::Outcome::MissingDelimiter:
        control().setSel(result.selection.start, result.selection.start);
        control().scrollCaret();
        view_.CenterCaretLine();
        control().setSel(result.selection.start, result.selection.end);
        view_.UpdateLnCol();
        if (result.message) platform_.prompter.ask(*result.message);
        return;
    case HtmlFormatResult::Outcome::Formatted:
        view_.ReplaceWholeText(std::move(result.text));
        offerCensus(result.census);
        return;
    }
}

void HtmlCommands::offerCensus(const TagCensus& census) {
    const auto question = census.report();
    if (question && platform_.prompter.ask(*question) == Answer::Yes) platform_.clipboard.setText(census.clipboardText());
}

}  // namespace tagloom
