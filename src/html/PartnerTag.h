#pragma once
// The tag whose name the caret stands in, and its partner: the closing tag
// of an opening one, or the opening tag of a closing one, as Select
// Matching Tags pairs them. The editor frames both while the caret is there.
#include <cstddef>
#include <optional>
#include <string_view>

#include "textmodel/Selection.h"

namespace tagloom {

// How far on either side of the caret the partner is looked for.
inline constexpr std::size_t kPartnerReach = std::size_t{1} << 20;

struct TagPair {
    Selection tag;      // the tag the caret stands in, '<' through '>'
    Selection partner;  // its partner

    bool operator==(const TagPair&) const = default;
};

// Whether the caret at `caret` may stand in a tag's name: a '<' (or "</")
// and name bytes lead back to it, and a name byte stands on one side of it.
// Cheap enough for every caret move.
bool mayStandInTagName(std::string_view text, std::size_t caret);

// The pair, in the offsets of text; nothing when the caret stands in no
// tag's name, or the tag has no partner.
std::optional<TagPair> partnerTags(std::string_view text, std::size_t caret);

}  // namespace tagloom
