// The find engine: Replace All run windowlessly on a random text with a
// random find text, options and direction, and the text matcher under it.
// A case-sensitive ASCII search down the text must replace exactly what a
// plain left-to-right replacement of non-overlapping occurrences replaces;
// the matcher's searches agree with its own list of occurrences.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "search/BatchReplace.h"
#include "search/TextMatcher.h"

using namespace tagloom;

namespace {

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Replaces every non-overlapping occurrence, left to right.
std::pair<std::string, int> plainReplaceAll(std::string text, const std::string& what, const std::string& with) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
        ++count;
    }
    return {text, count};
}

void checkMatcher(const std::string& text, const std::string& what, bool matchCase, TextEncoding encoding) {
    const TextMatcher matcher(what, matchCase, encoding);
    std::vector<TextMatch> all;
    matcher.forEach(text, [&](const TextMatch& match) { all.push_back(match); });
    for (std::size_t i = 0; i < all.size(); ++i) {
        FUZZ_CHECK(all[i].length > 0 && all[i].start + all[i].length <= text.size());
        FUZZ_CHECK(all[i].length <= matcher.longestMatch());
        FUZZ_CHECK(matcher.matchAt(text, all[i].start) == all[i].length);
        FUZZ_CHECK(i == 0 || all[i - 1].start < all[i].start);
    }
    const auto first = matcher.findFirst(text, 0, text.size());
    FUZZ_CHECK(all.empty() ? !first : first && *first == all.front());
    const auto last = matcher.findLast(text, text.size());
    FUZZ_CHECK(all.empty() ? !last : last && *last == all.back());
    if (matchCase && !what.empty()) {
        std::size_t count = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
        FUZZ_CHECK(count == all.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    ReplaceOrder order;
    order.findText = input.ConsumeRandomLengthString(8);
    order.replaceText = input.ConsumeRandomLengthString(8);
    order.matchCase = input.ConsumeBool();
    order.wholeWord = input.ConsumeBool();
    order.up = input.ConsumeBool();
    const TextEncoding encoding = input.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    const std::string text = input.ConsumeRemainingBytesAsString();

    checkMatcher(text, order.findText, order.matchCase, encoding);
    if (order.findText.empty()) return 0;

    const ReplaceOutcome outcome = replaceAllInText(text, order);
    FUZZ_CHECK(outcome.replacements >= 0);
    if (outcome.kind == ReplaceOutcome::Kind::Unencodable) {
        FUZZ_CHECK(outcome.text == text && outcome.replacements == 0);
        return 0;
    }
    if (outcome.replacements == 0) FUZZ_CHECK(outcome.text == text);
    if (order.matchCase && !order.wholeWord && !order.up && isAscii(order.findText) && isAscii(order.replaceText)) {
        const auto [expected, count] = plainReplaceAll(text, order.findText, order.replaceText);
        FUZZ_CHECK(outcome.replacements == count);
        FUZZ_CHECK(outcome.text == expected);
    }
    return 0;
}
