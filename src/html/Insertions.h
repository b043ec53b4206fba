#pragma once
// The texts the insertion commands put into a page, and the rules for the
// tag name typed into Insert HTML Tags. Line breaks are CR LF.
#include <optional>
#include <string>
#include <string_view>

namespace tagloom {

// The block a command puts in place of the selection, the caret after it:
// Script, Style and Comment Block, PHP Basic and Echo Block, CSS Basic Block.
std::optional<std::string_view> fixedBlockText(int commandId);
// The style sheet that outlines tables and cells by nesting depth; it is
// selected once inserted.
std::string_view tableTraceCode();
// XHTML Transitional or XHTML Strict: a whole page skeleton.
std::optional<std::string_view> xhtmlSkeleton(int commandId);
// The HTML character entity of one of the five character-code commands.
std::optional<std::string_view> characterCode(int commandId);

// What Insert HTML Tags makes of the value typed: trimmed, in small letters,
// without one '<' before and one '>' after.
struct TagEntry {
    std::string value;  // the value so changed, shown when the dialog opens again
    // The tag name, when usable: nothing left beeps once; a character that is
    // not an ASCII letter beeps twice.
    int beeps = 0;
};
TagEntry readTagEntry(std::string_view typed);

}  // namespace tagloom
