#include "view/ViewRules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <utility>

#include "textmodel/AsciiText.h"

namespace tagloom {

std::optional<int> zoomInSize(int pointSize) {
    for (int size : ZoomSizes)
        if (size > pointSize) return size;
    return std::nullopt;
}

std::optional<int> zoomOutSize(int pointSize) {
    for (auto it = std::rbegin(ZoomSizes); it != std::rend(ZoomSizes); ++it)
        if (*it < pointSize) return *it;
    return std::nullopt;
}

namespace {

constexpr std::pair<std::string_view, std::string_view> kColorNames[] = {
    {"red", "#ff0000"},    {"lime", "#00ff00"},   {"orange", "#ff6600"}, {"maroon", "#800000"},
    {"yellow", "#ffff00"}, {"navy", "#000080"},   {"green", "#008000"},  {"olive", "#808000"},
    {"blue", "#0000ff"},   {"purple", "#800080"}, {"aqua", "#00ffff"},   {"silver", "#c0c0c0"},
    {"black", "#000000"},  {"teal", "#008080"},   {"fuchsia", "#ff00ff"}, {"white", "#ffffff"},
    {"gray", "#808080"},
};

bool readThree(const std::string& text, const char* format, unsigned (&values)[3]) {
    char tail = 0;
    // The trailing %c tells "all three read" from a text that merely starts alike;
    // whatever follows the last value does not matter.
    const int read = std::sscanf(text.c_str(), format, &values[0], &values[1], &values[2], &tail);
    return read >= 3;
}

}  // namespace

std::optional<Rgb> colorFromText(std::string_view selected) {
    std::string text;
    for (char c : selected) text += toLowerAscii(c);
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    for (const auto& [name, value] : kColorNames)
        if (text == name) text = value;

    unsigned v[3] = {0, 0, 0};
    bool ok = false;
    if (text.size() == 7) {
        ok = readThree(text, "#%02x%02x%02x%c", v);
    } else if (text.size() == 4 && readThree(text, "#%1x%1x%1x%c", v)) {
        for (unsigned& value : v) value *= 17;
        ok = true;
    }
    if (!ok && readThree(text, "rgb( %u%%, %u%%, %u%%)%c", v)) {
        // Above 100 % a value would pass 255 anyway; refusing it first keeps the product in range.
        if (v[0] > 100 || v[1] > 100 || v[2] > 100) return std::nullopt;
        for (unsigned& value : v) value = value * 255 / 100;
        ok = true;
    }
    if (!ok) ok = readThree(text, "rgb( %u, %u, %u)%c", v);
    if (!ok || v[0] > 255 || v[1] > 255 || v[2] > 255) return std::nullopt;
    return Rgb{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
}

std::string colorText(const Rgb& color) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red, color.green, color.blue);
    return text;
}

std::string lnColText(int line, int column) {
    char text[48];
    std::snprintf(text, sizeof text, "\tLn %d, Col %d", line, column);
    return text;
}

}  // namespace tagloom
