#include "syntax/StyleRun.h"

#include <array>

namespace tagloom {

std::string_view styleClassName(StyleClass style) {
    static constexpr std::array<std::string_view, kStyleClassCount> kNames = {
        "",        "tag",     "attr",     "value",  "comment", "doctype",  "entity",
        "php",     "keyword", "variable", "string", "number",  "property", "regex",
    };
    return kNames[static_cast<int>(style)];
}

}  // namespace tagloom
