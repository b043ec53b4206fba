// Remove Whitespace and CSS Format on a random text and selection: the
// result replaces what the tool was run on and its selection lies inside the
// new text; removing white space only drops bytes, formatting only adds them.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "html/TextTools.h"

using namespace tagloom;

namespace {

// Whether every byte of `part` appears in `whole`, in order.
bool isSubsequence(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (const char c : whole)
        if (at < part.size() && part[at] == c) ++at;
    return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const TextTool tool = static_cast<TextTool>(input.ConsumeIntegralInRange(0, 2));
    const int start = input.ConsumeIntegral<int>() % 3000;
    const int end = input.ConsumeIntegral<int>() % 3000;
    const std::string document = input.ConsumeRemainingBytesAsString();
    const Selection selection = clampedSelection({start, end}, document);

    const TextToolResult result = runTextTool(tool, document, selection);
    const std::string_view rewritten =
        selection.empty() ? std::string_view(document) : std::string_view(document).substr(selection.start, selection.length());
    switch (result.kind) {
        case TextToolResult::Kind::Unchanged:
            FUZZ_CHECK(document.empty());
            break;
        case TextToolResult::Kind::ReplaceSelection: {
            FUZZ_CHECK(!selection.empty());
            const int newLength = static_cast<int>(document.size()) - selection.length() + static_cast<int>(result.text.size());
            FUZZ_CHECK(0 <= result.selection.start && result.selection.start <= result.selection.end);
            FUZZ_CHECK(result.selection.end <= newLength);
            break;
        }
        case TextToolResult::Kind::ReplaceDocument:
            FUZZ_CHECK(selection.empty() && !document.empty());
            break;
        case TextToolResult::Kind::OutOfMemory:
            FUZZ_CHECK(result.message);
            return 0;
    }
    if (result.kind == TextToolResult::Kind::Unchanged) return 0;
    if (tool == TextTool::CssFormat)
        FUZZ_CHECK(isSubsequence(rewritten, result.text));
    else if (tool == TextTool::HtmlRemoveWhitespace)
        FUZZ_CHECK(isSubsequence(result.text, rewritten));
    else
        FUZZ_CHECK(isSubsequence(result.text, std::string(rewritten) + "\r\n"));
    return 0;
}
