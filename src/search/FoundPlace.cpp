// Go To in the Find in Files results: reads back the offset, the file and
// the find text's length from the results text.
#include <cctype>
#include <climits>
#include <string_view>

#include "search/FindInFiles.h"

namespace tagloom {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kLookingFor = "Looking For: ";
constexpr std::string_view kOffsetsStart = "  --  ";
constexpr std::string_view kFileIndent = "  ";

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Line {
    std::size_t start = 0;
    std::string_view text;  // without its line break
};

Line lineAround(std::string_view text, std::size_t at) {
    const std::size_t lf = at == 0 ? std::string_view::npos : text.rfind('\n', at - 1);
    const std::size_t start = lf == std::string_view::npos ? 0 : lf + 1;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    return Line{start, text.substr(start, end - start)};
}

// The decimal number of `digits` when it fits an int.
std::optional<int> numberOf(std::string_view digits) {
    long long value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace

// Only an offset after the "  --  " of a file line is taken: a number on the
// header, on the "Looking For:" line, on a folder line or in a file name is
// refused. The offsets are the last thing on a file line, so the last
// "  --  " of the line ends the name, even a name that holds "  --  " itself.
std::optional<FoundPlace> foundPlaceAt(std::string_view results, int at) {
    if (at < 0 || static_cast<std::size_t>(at) > results.size()) return std::nullopt;
    const auto charAt = [&](std::size_t i) { return i < results.size() ? results[i] : '\0'; };

    std::size_t from = static_cast<std::size_t>(at);
    while (from > 0 && charAt(from) != '\n' && charAt(from) != ' ') --from;
    while (from < results.size() && isBlank(results[from])) ++from;
    std::size_t digitsEnd = from;
    while (digitsEnd < results.size() && isDigit(results[digitsEnd])) ++digitsEnd;
    const std::optional<int> offset = numberOf(results.substr(from, digitsEnd - from));
    if (digitsEnd == from || !offset) return std::nullopt;

    const Line fileLine = lineAround(results, from);
    const std::size_t offsetsStart = fileLine.text.rfind(kOffsetsStart);
    if (!fileLine.text.starts_with(kFileIndent) || offsetsStart == std::string_view::npos ||
        offsetsStart <= kFileIndent.size() || from < fileLine.start + offsetsStart + kOffsetsStart.size())
        return std::nullopt;

    Line folderLine = fileLine;
    while (folderLine.text.starts_with(' ') && folderLine.start > 0)
        folderLine = lineAround(results, folderLine.start - 1);
    const std::size_t lookingFor = results.find(kLookingFor);
    if (folderLine.text.empty() || folderLine.text.starts_with(' ') || lookingFor == std::string_view::npos ||
        folderLine.start <= lookingFor)
        return std::nullopt;

    const std::size_t findStart = lookingFor + kLookingFor.size();
    const std::size_t findEnd = results.find(kLineBreak, findStart);
    if (findEnd == std::string_view::npos || findEnd - findStart > static_cast<std::size_t>(INT_MAX - *offset))
        return std::nullopt;

    FoundPlace place;
    place.path = std::string(folderLine.text);
    place.path += fileLine.text.substr(kFileIndent.size(), offsetsStart - kFileIndent.size());
    place.start = *offset;
    place.end = *offset + static_cast<int>(findEnd - findStart);
    return place;
}

}  // namespace tagloom
