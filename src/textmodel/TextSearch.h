#pragma once
// The search step of the editor: a literal text looked for forwards or
// backwards from the selection, never wrapping around.
#include <optional>
#include <string_view>

#include "textmodel/Selection.h"

namespace tagloom {

// Where a forward search for what starts: at the selection start, or one
// byte later when the selected text is itself an occurrence, so that a found
// text is not found again.
std::size_t forwardSearchStart(std::string_view text, Selection selection, std::string_view what, bool bMatchCase);

// Where the next (bForward) or previous occurrence of what starts, or nothing.
//
// Forwards, the search starts at forwardSearchStart. Backwards, it starts
// with the occurrence that begins just before the selection start. Without
// bMatchCase, ASCII letters match either case. An empty text is never found.
// The caller selects the hit (start, start + size).
std::optional<int> SearchFromSelection(std::string_view text, Selection selection, std::string_view what, bool bForward,
                                       bool bMatchCase);

}  // namespace tagloom
