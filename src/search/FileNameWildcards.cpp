// The wildcards of Find in Files' file names, as the desktop's file dialogs
// read them. A name is matched by trying each extension of the last '*' in
// turn, so it takes at most (name length) x (pattern length) steps, whatever
// the pattern.
#include <algorithm>
#include <string_view>

#include "search/FindInFiles.h"
#include "textmodel/AsciiText.h"
#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

// The bytes of the character at `at`: a valid UTF-8 sequence is one
// character, any other byte is one on its own.
std::size_t characterLength(std::string_view name, std::size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.data()) + at;
    const auto available = static_cast<int>(std::min<std::size_t>(name.size() - at, 4));
    return static_cast<std::size_t>(decodeUnit(bytes, available).length);
}

}  // namespace

bool matchesFileSpec(std::string_view name, std::string_view pattern) {
    // The run of '?' that ends the pattern may match fewer characters.
    const std::size_t optionalFrom = pattern.find_last_not_of('?') + 1;
    constexpr std::size_t kNoStar = std::string_view::npos;
    std::size_t at = 0, next = 0;
    std::size_t star = kNoStar, starAt = 0;  // the last '*' seen, and where its run ends
    while (at < name.size()) {
        if (next < pattern.size() && pattern[next] == '*') {
            star = next++;
            starAt = at;
        } else if (next < pattern.size() && pattern[next] == '?') {
            ++next;
            at += characterLength(name, at);
        } else if (next < pattern.size() && toLowerAscii(pattern[next]) == toLowerAscii(name[at])) {
            ++next;
            ++at;
        } else if (star != kNoStar) {
            next = star + 1;
            starAt += characterLength(name, starAt);
            at = starAt;
        } else {
            return false;
        }
    }
    while (next < pattern.size() && pattern[next] == '*') ++next;
    return next >= optionalFrom;
}

}  // namespace tagloom
