#pragma once
// The desktop clipboard, plain text only. The editor hands over and takes
// back its own bytes, in the encoding of the document they belong to; the
// implementation gives the desktop plain text with the desktop's line ends,
// and gives a text the editor put there back byte for byte to a document in
// the same encoding.
#include <optional>
#include <string>
#include <string_view>

#include "textmodel/TextEncoding.h"

namespace tagloom {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard contents; false when the clipboard cannot be used.
    virtual bool setText(const std::string& text, TextEncoding encoding) = 0;
    // An ASCII or UTF-8 text: a path, a colour, a report.
    bool setText(const std::string& text) { return setText(text, TextEncoding::Utf8); }
    // The clipboard's text for a document in `encoding`, with CR LF line
    // breaks; nothing when it holds no text, or a character has no byte in
    // that encoding.
    virtual std::optional<std::string> text(TextEncoding encoding) const = 0;
    // Whether it holds text, without fetching the text.
    virtual bool hasText() const = 0;
};

// The desktop's form of an editor text: LF line ends (CR LF on Windows), and
// no other CR, as the text is saved.
std::string toDesktopLineEnds(std::string_view text);
// The editor's form of a desktop text: every LF not already preceded by a CR
// gets one.
std::string toEditorLineEnds(std::string_view text);

}  // namespace tagloom
