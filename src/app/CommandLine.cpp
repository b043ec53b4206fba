#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

#include "document/LineEnds.h"

namespace tagloom {

namespace {

constexpr std::string_view kStartSwitch = "/iss";
constexpr std::string_view kEndSwitch = "/isa";
constexpr std::string_view kRecoverSwitch = "--recover";

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    return text;
}

// A decimal number at the start of text, read as "%d" reads it: blanks and a
// sign may come first, anything after the digits is ignored. None when there
// are no digits or the number does not fit.
std::optional<int> readNumber(std::string_view text) {
    text = skipBlanks(text);
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-')) return std::nullopt;
    int value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) return std::nullopt;
    return value;
}

// The number of the first argument that begins with name, after the path:
// attached to it, or in the following argument when nothing but blanks follows
// the name. None when the switch is missing or its number unreadable.
std::optional<int> switchValue(const std::vector<std::string>& arguments, std::string_view name) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with(name)) continue;
        const std::string_view attached = argument.substr(name.size());
        if (!skipBlanks(attached).empty()) return readNumber(attached);
        if (i + 1 < arguments.size()) return readNumber(arguments[i + 1]);
        return std::nullopt;
    }
    return std::nullopt;
}

// A path given in double quotes loses them; a quote inside an unquoted name
// is part of the name.
std::string unquoted(std::string_view argument) {
    if (!argument.starts_with('"')) return std::string(argument);
    argument.remove_prefix(1);
    const auto lastQuote = argument.rfind('"');
    return std::string(argument.substr(0, lastQuote));
}

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    if (arguments.empty()) return commandLine;
    if (arguments.size() == 2 && arguments.front() == kRecoverSwitch) {
        commandLine.recoverJournal = arguments.back();
        return commandLine;
    }
    const std::string path = unquoted(arguments.front());
    if (path.empty()) return commandLine;
    commandLine.path = absolutePath(path);

    const auto start = switchValue(arguments, kStartSwitch);
    const auto end = switchValue(arguments, kEndSwitch);
    if (start && end && *start <= *end) {
        commandLine.nInitSelStart = *start;
        commandLine.nInitSelEnd = *end;
    }
    return commandLine;
}

std::vector<std::string> commandLineArguments(const std::string& path, int nInitSelStart, int nInitSelEnd) {
    return {path, std::string(kStartSwitch) + std::to_string(nInitSelStart),
            std::string(kEndSwitch) + std::to_string(nInitSelEnd)};
}

std::vector<std::string> recoverArguments(const std::string& journal) { return {std::string(kRecoverSwitch), journal}; }

}  // namespace tagloom
