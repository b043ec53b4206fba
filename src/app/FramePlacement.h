#pragma once
// What the main frame keeps in the settings store: the window placement
// ("Main Window") and the page-setup values ("printer").
#include <array>
#include <optional>
#include <string>

#include "platform/PrintDialogs.h"

namespace tagloom {

class SettingsStore;

struct FrameRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const FrameRect&) const = default;
};

struct WindowPlacement {
    FrameRect normal;        // the rectangle of the normal (restored) window
    bool maximized = false;  // "max": shown, or restored, maximised
    bool minimized = false;  // "icon"
    bool operator==(const WindowPlacement&) const = default;
};

// "%04d %04d %04d %04d": left, top, right, bottom.
std::string formatRect(const FrameRect& rect);
// Four decimal integers separated by blanks; nothing when the text does not hold them.
std::optional<FrameRect> parseRect(const std::string& text);

void writePlacement(SettingsStore& store, const WindowPlacement& placement);
// Nothing when "Rect" is missing or unusable: the window then opens where the desktop puts it.
std::optional<WindowPlacement> readPlacement(const SettingsStore& store);

// "%6d%6d%6d%6d": left, top, right, bottom margins.
std::string formatMargins(const std::array<int, 4>& margins);
// Each six-character field read as a decimal integer after optional blanks; a
// field that is missing or not a number keeps the value in `margins`.
void parseMargins(const std::string& text, std::array<int, 4>& margins);

PageValues readPageValues(const SettingsStore& store);
void writePageValues(SettingsStore& store, const PageValues& values);

}  // namespace tagloom
