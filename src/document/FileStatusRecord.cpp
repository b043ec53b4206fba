#include "document/FileStatusRecord.h"

#include <algorithm>
#include <charconv>

namespace tagloom {

namespace {

// The numbers of a record before its bookmarks.
constexpr std::size_t kValueCount = 10;

// What separates the numbers: any white space a line can hold.
constexpr std::string_view kBlanks = " \t\v\f\r";

bool isBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}

bool isIntegerToken(std::string_view token) {
    if (!token.empty() && (token.front() == '+' || token.front() == '-')) token.remove_prefix(1);
    return !token.empty() && std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of an integer token, none when it does not fit an int.
std::optional<int> intValue(std::string_view token) {
    if (token.front() == '+') token.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
    return value;
}

// The numbers after the path, read until one does not fit an int; none when
// the line is not a record of the path.
std::optional<std::vector<int>> numbersAfterPath(std::string_view line, std::string_view path) {
    if (path.empty() || !line.starts_with(path)) return std::nullopt;
    const std::string_view rest = line.substr(path.size());
    if (rest.size() < 2 || rest[0] != ' ' || isBlank(rest[1])) return std::nullopt;

    std::vector<int> numbers;
    bool readable = true;
    std::size_t at = 0;
    while (true) {
        const std::size_t start = rest.find_first_not_of(kBlanks, at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(rest.find_first_of(kBlanks, start), rest.size());
        const std::string_view token = rest.substr(start, end - start);
        if (!isIntegerToken(token)) return std::nullopt;
        if (readable) {
            const auto value = intValue(token);
            if (value)
                numbers.push_back(*value);
            else
                readable = false;
        }
        at = end;
    }
    return numbers;
}

}  // namespace

std::string formatFileStatusRecord(const FileStatusRecord& record) {
    const int values[kValueCount] = {
        record.bWrap,     record.bShowLineNum, record.nFirstVisibleLine, record.nHScrollChars, record.nSelStart,
        record.nSelEnd,   record.bReadOnly,    record.nColumnGuide,      record.bLineGuide,    0,
    };
    std::string line = record.path;
    line.reserve(line.size() + (kValueCount + record.bookmarks.size()) * 8);
    const auto append = [&line](int value) {
        line += ' ';
        line += std::to_string(value);
    };
    for (const int value : values) append(value);
    for (const int bookmark : record.bookmarks) append(bookmark);
    return line;
}

bool isFileStatusRecordOf(std::string_view line, std::string_view path) {
    return numbersAfterPath(line, path).has_value();
}

bool hasFileStatusRecordForm(std::string_view line) {
    // Walks the integers back from the line's end until ten of them follow a
    // single blank that has a path before it.
    for (std::size_t tokens = 1;; ++tokens) {
        const std::size_t last = line.find_last_not_of(kBlanks);
        if (last == std::string_view::npos) return false;
        const std::size_t blank = line.find_last_of(kBlanks, last);
        const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
        if (!isIntegerToken(line.substr(start, last + 1 - start))) return false;
        if (tokens >= kValueCount && start >= 2 && line[start - 1] == ' ') return true;
        line = line.substr(0, start);
    }
}

std::optional<FileStatusRecord> parseFileStatusRecord(std::string_view line, std::string_view path) {
    const auto numbers = numbersAfterPath(line, path);
    if (!numbers || numbers->size() < kValueCount) return std::nullopt;
    const std::vector<int>& n = *numbers;
    // A negative position cannot come from a view; the record is damaged.
    if (std::any_of(n.begin() + 2, n.begin() + 6, [](int value) { return value < 0; })) return std::nullopt;

    FileStatusRecord record;
    record.path = path;
    record.bWrap = n[0] != 0;
    record.bShowLineNum = n[1] != 0;
    record.nFirstVisibleLine = n[2];
    record.nHScrollChars = n[3];
    record.nSelStart = n[4];
    record.nSelEnd = n[5];
    record.bReadOnly = n[6] != 0;
    record.nColumnGuide = n[7];
    record.bLineGuide = n[8] != 0;
    record.bookmarks.assign(n.begin() + kValueCount, n.end());
    return record;
}

std::vector<int> bookmarkedLines(std::string_view text) {
    std::vector<int> lines;
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            ++line;
        else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\r')
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::size_t> bookmarkInsertOffsets(std::string_view text, std::vector<int> lines) {
    std::sort(lines.begin(), lines.end());
    std::vector<std::size_t> offsets;
    offsets.reserve(lines.size());
    auto wanted = std::lower_bound(lines.begin(), lines.end(), 1);
    int line = 1;
    std::size_t lf = text.find('\n');
    while (wanted != lines.end() && lf != std::string_view::npos) {
        if (*wanted == line) {
            offsets.push_back(lf + offsets.size());
            ++wanted;
        } else {
            ++line;
            lf = text.find('\n', lf + 1);
        }
    }
    return offsets;
}

}  // namespace tagloom
