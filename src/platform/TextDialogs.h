#pragma once
// Two small dialogs the editor's commands share: a one-line entry that asks
// for a value, and a window that shows a text to read (a hexadecimal dump or a
// reference table) until it is closed.
#include <optional>
#include <string>

namespace tagloom {

struct ValueEntry {
    std::string title;
    std::string value;        // what the box shows when it opens
    bool digitsOnly = false;  // only the digits 0 to 9 can be typed
};

enum class TextView {
    HexDump,    // fixed pitch, lines kept whole (scrolled sideways)
    Reference,  // proportional, lines wrapped to the width
};

class TextDialogs {
public:
    virtual ~TextDialogs() = default;
    // The value the user confirmed with OK; nothing on Cancel.
    virtual std::optional<std::string> enterValue(const ValueEntry& entry) = 0;
    // Shows the text (UTF-8) until the user closes the window.
    virtual void showText(TextView kind, const std::string& title, const std::string& text) = 0;
};

}  // namespace tagloom
