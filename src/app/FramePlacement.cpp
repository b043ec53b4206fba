#include "app/FramePlacement.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/SettingsStore.h"

namespace tagloom {

namespace {

const std::string kMainWindow = "Main Window";
const std::string kPrinter = "printer";
constexpr int kLargestMargin = 20000;  // twenty inches, in thousandths

// Reads a decimal integer after optional blanks, as "%d" does, but refuses
// values outside int instead of wrapping them.
bool readInt(const char*& cursor, int& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(cursor, &end, 10);
    if (end == cursor || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
    value = static_cast<int>(parsed);
    cursor = end;
    return true;
}

}  // namespace

std::string formatRect(const FrameRect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d %04d %04d %04d", r.left, r.top, r.right, r.bottom);
    return text;
}

std::optional<FrameRect> parseRect(const std::string& text) {
    FrameRect r;
    const char* cursor = text.c_str();
    if (readInt(cursor, r.left) && readInt(cursor, r.top) && readInt(cursor, r.right) &&
        readInt(cursor, r.bottom))
        return r;
    return std::nullopt;
}

void writePlacement(SettingsStore& store, const WindowPlacement& placement) {
    store.setString(kMainWindow, "Rect", formatRect(placement.normal));
    store.setInt(kMainWindow, "icon", placement.minimized ? 1 : 0);
    store.setInt(kMainWindow, "max", placement.maximized ? 1 : 0);
}

std::optional<WindowPlacement> readPlacement(const SettingsStore& store) {
    const auto rect = parseRect(store.getString(kMainWindow, "Rect", ""));
    if (!rect) return std::nullopt;
    WindowPlacement placement;
    placement.normal = *rect;
    placement.maximized = store.getInt(kMainWindow, "max", 0) != 0;
    placement.minimized = store.getInt(kMainWindow, "icon", 0) != 0;
    return placement;
}

std::string formatMargins(const std::array<int, 4>& m) {
    char text[64];
    std::snprintf(text, sizeof text, "%6d%6d%6d%6d", m[0], m[1], m[2], m[3]);
    return text;
}

void parseMargins(const std::string& text, std::array<int, 4>& margins) {
    constexpr std::size_t kFieldWidth = 6;
    for (std::size_t i = 0; i < margins.size(); ++i) {
        const std::size_t start = i * kFieldWidth;
        if (start >= text.size()) return;
        const std::string field = text.substr(start, kFieldWidth);
        const char* cursor = field.c_str();
        int value = 0;
        if (readInt(cursor, value) && value >= 0 && value <= kLargestMargin) margins[i] = value;
    }
}

PageValues readPageValues(const SettingsStore& store) {
    PageValues values;
    const int orientation = store.getInt(kPrinter, "orientation", values.orientation);
    if (orientation == kOrientationPortrait || orientation == kOrientationLandscape)
        values.orientation = orientation;
    const int paperSize = store.getInt(kPrinter, "paperSize", values.paperSize);
    if (paperSize > 0) values.paperSize = paperSize;
    parseMargins(store.getString(kPrinter, "margins", ""), values.margins);
    return values;
}

void writePageValues(SettingsStore& store, const PageValues& values) {
    store.setInt(kPrinter, "orientation", values.orientation);
    store.setInt(kPrinter, "paperSize", values.paperSize);
    store.setString(kPrinter, "margins", formatMargins(values.margins));
}

}  // namespace tagloom
