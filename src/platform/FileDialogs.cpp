#include "platform/FileDialogs.h"

namespace tagloom {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::vector<FileFilter> parseFilterList(const std::string& list) {
    std::vector<FileFilter> filters;
    const auto fields = split(list, '|');
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty()) break;  // "||" ends the list
        FileFilter filter{fields[i], {}};
        for (auto& pattern : split(fields[i + 1], ';'))
            if (!pattern.empty()) filter.patterns.push_back(pattern);
        filters.push_back(std::move(filter));
    }
    return filters;
}

}  // namespace tagloom
