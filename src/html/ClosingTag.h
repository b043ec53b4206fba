#pragma once
// The closing tag a hand-coder is about to type: after "<" and a typed "/"
// in mark-up (not in a script, style, comment, quoted value or server code),
// the element still open nearest before, written as its opening tag wrote
// its name. Void elements and tags closed by "/>" open none; a closing tag
// closes its element and every element opened inside it and still open.
#include <optional>
#include <string>
#include <string_view>

namespace tagloom {

// How far back the search for the open element looks.
inline constexpr std::size_t kClosingTagReach = std::size_t{1} << 20;

// `before` is the text up to the caret, at most kClosingTagReach of it,
// ending with the '<' just typed; the name to complete, or nothing.
std::optional<std::string> elementToClose(std::string_view before);

// Whether an element of this name never has content or a closing tag.
bool isVoidElement(std::string_view name);

}  // namespace tagloom
