#pragma once
// The desktop clipboard, plain text only. Text is passed as the editor's
// bytes; the implementation converts to and from the desktop's encoding, and
// gives back a text the editor put there byte for byte.
#include <optional>
#include <string>

namespace tagloom {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard contents; false when the clipboard cannot be used.
    virtual bool setText(const std::string& text) = 0;
    // The clipboard's text, or nothing when it holds no text.
    virtual std::optional<std::string> text() const = 0;
    // Whether it holds text, without fetching the text.
    virtual bool hasText() const = 0;
};

}  // namespace tagloom
