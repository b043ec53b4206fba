// Find in Files' results as Go To reads them, from any text and offset: a
// place found has a path and a forward selection. The file name wildcards,
// on ASCII names, agree with a plain recursive matcher.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "search/FindInFiles.h"

using namespace tagloom;

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// '*' any run, '?' one character, and from `optionalFrom` on a '?' may also
// match nothing; letters in either case.
bool referenceMatch(std::string_view name, std::string_view pattern, std::size_t optionalFrom, std::size_t at = 0,
                    std::size_t next = 0) {
    if (next == pattern.size()) return at == name.size();
    if (pattern[next] == '*')
        return referenceMatch(name, pattern, optionalFrom, at, next + 1) ||
               (at < name.size() && referenceMatch(name, pattern, optionalFrom, at + 1, next));
    if (pattern[next] == '?')
        return (at < name.size() && referenceMatch(name, pattern, optionalFrom, at + 1, next + 1)) ||
               (next >= optionalFrom && referenceMatch(name, pattern, optionalFrom, at, next + 1));
    return at < name.size() && lower(name[at]) == lower(pattern[next]) &&
           referenceMatch(name, pattern, optionalFrom, at + 1, next + 1);
}

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(12);
    const std::string name = input.ConsumeRandomLengthString(16);
    const int at = input.ConsumeIntegral<int>();
    const std::string results = input.ConsumeRemainingBytesAsString();

    const bool matches = matchesFileSpec(name, pattern);
    if (isAscii(name) && std::count(pattern.begin(), pattern.end(), '*') <= 4)
        FUZZ_CHECK(matches == referenceMatch(name, pattern, pattern.find_last_not_of('?') + 1));

    for (const int offset : {at, at % (static_cast<int>(results.size()) + 1)}) {
        if (const auto place = foundPlaceAt(results, offset)) {
            FUZZ_CHECK(!place->path.empty());
            FUZZ_CHECK(0 <= place->start && place->start <= place->end);
        }
    }
    return 0;
}
