// The tag navigation commands on a random text from a random selection, in a
// random sequence, each result carried out as the view carries it out: every
// selection stays inside the text. Between commands the text may be edited,
// and the HTML-document test with its cache must answer as a fresh one does.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "html/TagNavigator.h"

using namespace tagloom;

namespace {

enum class Command { NextTag, PreviousTag, NextUntagged, PreviousUntagged, MatchingTags, Edit, kMaxValue = Edit };

void checkInside(Selection selection, const std::string& text) {
    FUZZ_CHECK(0 <= selection.start && selection.start <= selection.end);
    FUZZ_CHECK(selection.end <= static_cast<int>(text.size()));
}

TagSearchResult search(const TagNavigator& navigator, TagSearch which, const std::string& text, Selection selection) {
    switch (which) {
        case TagSearch::NextTag: return navigator.findNextTag(text, selection);
        case TagSearch::PreviousTag: return navigator.findPreviousTag(text, selection);
        case TagSearch::NextUntagged: return navigator.findNextUntagged(text, selection);
        case TagSearch::PreviousUntagged: return navigator.findPreviousUntagged(text, selection);
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::string text = input.ConsumeRandomLengthString(4096);
    Selection selection = clampedSelection({input.ConsumeIntegral<int>() % 5000, input.ConsumeIntegral<int>() % 5000}, text);
    TagNavigator navigator;
    for (int step = 0; step < 32 && input.remaining_bytes() > 0; ++step) {
        FUZZ_CHECK(navigator.IsHtmlDocument(text) == TagNavigator().IsHtmlDocument(text));
        const Command command = input.ConsumeEnum<Command>();
        if (command == Command::Edit) {
            const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(0, text.size());
            const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, text.size() - at);
            text.replace(at, length, input.ConsumeRandomLengthString(32));
            selection = clampedSelection(selection, text);
            continue;
        }
        if (command == Command::MatchingTags) {
            const MatchingTagsResult result = navigator.selectMatchingTags(text, selection);
            if (result.selection) {
                checkInside(*result.selection, text);
                selection = *result.selection;
            }
            continue;
        }
        // Follows the result as the view does; a wrap-around is answered Yes
        // or No at random, and a search that goes on runs again at most a
        // few times (the view posts it, so it cannot loop within one call).
        TagSearch which = static_cast<TagSearch>(static_cast<int>(command));
        for (int rerun = 0; rerun < 4; ++rerun) {
            const TagSearchResult result = search(navigator, which, text, selection);
            if (result.kind == TagSearchResult::Kind::Found) {
                checkInside(result.selection, text);
                selection = result.selection;
                break;
            }
            if (result.kind == TagSearchResult::Kind::SearchOn) {
                checkInside(result.selection, text);
                selection = result.selection;
                which = result.search;
                continue;
            }
            const WrapAround& wrap = result.wrap;
            checkInside({wrap.caret, wrap.caret}, text);
            selection = {wrap.caret, wrap.caret};
            if (!input.ConsumeBool()) break;
            checkInside({wrap.caretOnYes, wrap.caretOnYes}, text);
            selection = {wrap.caretOnYes, wrap.caretOnYes};
            which = wrap.search;
        }
    }
    return 0;
}
