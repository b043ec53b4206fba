#pragma once
// What the editor adds to what the user types, each as one undo step with
// the typed key: after Enter, the blanks that begin the line (setting
// bAutoIndent); after "<" and a typed "/", the name of the element still
// open and its '>' (setting bAutoCloseTag).
#include <string_view>

namespace tagloom {

class EditControl;
struct EditorSettings;

class TypingAssists {
public:
    TypingAssists(EditControl& control, const EditorSettings& settings) : control_(control), settings_(settings) {}

    // Enter: true when it typed the line break with the indentation.
    bool enterTyped();
    // Typed text: true when it typed it with what completes it.
    bool textTyped(std::string_view text);

private:
    EditControl& control_;
    const EditorSettings& settings_;
};

}  // namespace tagloom
