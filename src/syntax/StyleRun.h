#pragma once
// What the lexer says of the bytes of a line: runs of one style class each.
#include <algorithm>
#include <string_view>
#include <vector>

namespace tagloom {

enum class StyleClass : unsigned char {
    Plain,  // text that has no class: drawn uncoloured
    Tag,
    Attr,
    Value,
    Comment,
    Doctype,
    Entity,
    Php,  // PHP delimiters and template markers: server code
    Keyword,
    Variable,
    String,
    Number,
    Property,
    Regex,
};

inline constexpr int kStyleClassCount = static_cast<int>(StyleClass::Regex) + 1;

// The class's name as style sheets and exports write it ("tag", "attr", ...);
// empty for plain text.
std::string_view styleClassName(StyleClass style);

// Bytes [start, start + length) of the text, all of one class.
struct StyleRun {
    int start = 0;
    int length = 0;
    StyleClass style = StyleClass::Plain;

    int end() const { return start + length; }
    bool operator==(const StyleRun&) const = default;
};

// Collects the runs the lexer hands out for one line into a list: offsets
// become text offsets (the line's first byte at lineStart), only the part
// inside [from, to) is kept, and neighbours of one class join, so the runs
// tile that part in order.
class RunCollector {
public:
    RunCollector(std::vector<StyleRun>& out, int lineStart, int from, int to)
        : out_(out), lineStart_(lineStart), from_(from), to_(to) {}

    // Bytes [begin, end) of the line, both relative to its start.
    void add(std::size_t begin, std::size_t end, StyleClass style) {
        const int b = std::max(from_, lineStart_ + static_cast<int>(begin));
        const int e = std::min(to_, lineStart_ + static_cast<int>(end));
        if (b >= e) return;
        if (!out_.empty() && out_.back().style == style && out_.back().end() == b) {
            out_.back().length += e - b;
        } else {
            out_.push_back({b, e - b, style});
        }
    }

private:
    std::vector<StyleRun>& out_;
    int lineStart_;
    int from_;
    int to_;
};

}  // namespace tagloom
