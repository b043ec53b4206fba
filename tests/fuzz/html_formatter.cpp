// HTML Format on any text: it formats and its census reports, or it refuses
// with a message and, for a missing delimiter, a selection inside the text.
#include <string_view>

#include "FuzzCheck.h"
#include "html/HtmlFormatter.h"

using namespace tagloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    // A small limit keeps deep nesting from taking the fuzzer's memory.
    const HtmlFormatter formatter(std::size_t{1} << 22);
    const HtmlFormatResult result = formatter.format(document);
    switch (result.outcome) {
        case HtmlFormatResult::Outcome::Formatted:
            FUZZ_CHECK(!result.message);
            result.census.report();
            break;
        case HtmlFormatResult::Outcome::MissingDelimiter:
            FUZZ_CHECK(result.message);
            FUZZ_CHECK(0 <= result.selection.start && result.selection.start <= result.selection.end);
            FUZZ_CHECK(result.selection.end <= static_cast<int>(document.size()));
            break;
        case HtmlFormatResult::Outcome::OutOfMemory:
            FUZZ_CHECK(result.message);
            break;
    }
    return 0;
}
