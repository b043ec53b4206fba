#pragma once
// A selection in the editor's text: byte offsets, start <= end; start == end is the caret.
#include <string_view>

namespace tagloom {

struct Selection {
    int start = 0;
    int end = 0;

    bool empty() const { return start == end; }
    int length() const { return end - start; }
    bool operator==(const Selection&) const = default;
};

// The selection brought inside [0, length] with start <= end.
inline Selection clampedSelection(Selection selection, std::string_view text) {
    const int length = static_cast<int>(text.size());
    auto clamp = [length](int offset) { return offset < 0 ? 0 : (offset > length ? length : offset); };
    Selection clamped{clamp(selection.start), clamp(selection.end)};
    if (clamped.start > clamped.end) clamped = {clamped.end, clamped.start};
    return clamped;
}

}  // namespace tagloom
