#include "view/HtmlCommands.h"

#include <algorithm>

#include "app/CommandRouter.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "view/CHemlowHTMLView.h"
#include "view/EditControl.h"

namespace tagloom {

namespace {

// A marker that shares a byte with an edit lies within this many bytes of it.
constexpr int kMarkerReach = static_cast<int>(TagNavigator::kHtmlClose.size()) - 1;

// Below this length the whole test costs no more than the bookkeeping.
constexpr int kAlwaysRetestBelow = 4 * static_cast<int>(TagNavigator::kShortestHtmlDocument);

}  // namespace

// --- the HTML-document test ----------------------------------------------------

bool HtmlDocumentTest::IsHtmlDocument(EditControl& control) {
    if (!known_) {
        answer_ = navigator_.findHtmlMarkers(std::string_view(control.lock(), control.length()));
        known_ = true;
    }
    return answer_;
}

void HtmlDocumentTest::changed(const EditControl& control, const TextChange& change) {
    if (!known_) return;
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

HtmlCommands::HtmlCommands(CHemlowHTMLView& view, Platform& platform, CommandRouter& router)
    : view_(view), platform_(platform), router_(router) {
    const auto enabledInHtml = [this](CommandState& s) { s.enabled = IsHtmlDocument(); };
    using Search = TagSearchResult (TagNavigator::*)(std::string_view, Selection) const;
    const std::pair<int, Search> searches[] = {
        {cmd::FindNextTag, &TagNavigator::findNextTag},
        {cmd::FindPreviousTag, &TagNavigator::findPreviousTag},
        {cmd::FindNextUntagged, &TagNavigator::findNextUntagged},
        {cmd::FindPreviousUntagged, &TagNavigator::findPreviousUntagged},
    };
    for (const auto& [id, search] : searches)
        router_.add(id,
                    [this, search] {
                        int start = 0, end = 0;
                        control().getSel(start, end);
                        TagSearchResult result;
                        {
                            BusyCursor busy(platform_.desktop);
                            result = (navigator_.*search)(lockedText(), Selection{start, end});
                        }
                        showSearchResult(result);
                    },
                    enabledInHtml);
    router_.add(cmd::SelectMatchingTags, [this] { SelectMatchingTags(); }, enabledInHtml);
    router_.add(cmd::HtmlFormat, [this] { HtmlFormat(); },
                [this](CommandState& s) { HtmlFormatter::OnUpdateHtmlFormat(s, IsHtmlDocument(), view_.IsReadOnly()); });
}

EditControl& HtmlCommands::control() { return view_.control(); }

std::string_view HtmlCommands::lockedText() { return view_.text(); }

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
        postCommand(result.command);
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
        postCommand(wrap.command);
    else
        router_.run(wrap.command);
}

void HtmlCommands::postCommand(int command) {
    platform_.uiQueue.post([this, command] { router_.run(command); });
}

void HtmlCommands::SelectMatchingTags() {
    int start = 0, end = 0;
    control().getSel(start, end);
    const MatchingTagsResult result = navigator_.selectMatchingTags(lockedText(), Selection{start, end});
    if (result.beep) platform_.desktop.beep();
    if (result.selection) selectFound(*result.selection);
}

void HtmlCommands::HtmlFormat() {
    if (const auto warning = HtmlFormatter::bookmarkWarning(view_.settings.bConfirm != 0, view_.nBookmarks))
        if (platform_.prompter.ask(*warning) != Answer::Ok) return;
    BusyCursor busy(platform_.desktop);
    HtmlFormatResult result = formatter_.format(lockedText());
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
