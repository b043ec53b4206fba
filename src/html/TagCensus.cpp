#include "html/TagCensus.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

constexpr std::size_t kMostTagsListed = 30;

// A hash of a byte string that can be grown at its front in constant time:
// hash(c + s) = (c + 1) * B^size(s) + hash(s), modulo 2^64.
struct FrontGrowingHash {
    static constexpr std::uint64_t kBase = 0x100000001B3ULL;
    std::uint64_t value = 0;
    std::uint64_t power = 1;
    std::size_t size = 0;

    void prepend(char c) {
        value += (static_cast<std::uint64_t>(static_cast<unsigned char>(c)) + 1) * power;
        power *= kBase;
        ++size;
    }
    std::uint64_t key() const { return value ^ (static_cast<std::uint64_t>(size) * 0x9E3779B97F4A7C15ULL); }

    static std::uint64_t keyOf(std::string_view s) {
        FrontGrowingHash hash;
        for (std::size_t i = s.size(); i-- > 0;) hash.prepend(s[i]);
        return hash.key();
    }
};

// The '>' bytes that may end a closing text, from the last to the first: the
// end of every element's tag and every '>' of a comment. Those in PHP
// blocks, quoted values and script, style, textarea and pre content are not.
class ClosingBrackets {
public:
    ClosingBrackets(std::string_view text, const std::vector<TagSpan>& tags)
        : text_(text), tags_(tags), tag_(tags.size()) {}

    // The next '>' back, or npos when there is none.
    std::size_t next() {
        while (true) {
            if (inComment_ > commentStart_) {
                const std::size_t gt = text_.rfind('>', inComment_ - 1);
                inComment_ = gt == std::string_view::npos || gt <= commentStart_ ? 0 : gt;
                if (inComment_ > 0) return gt;
            }
            if (tag_ == 0) return std::string_view::npos;
            const TagSpan& tag = tags_[--tag_];
            const std::size_t end = static_cast<std::size_t>(tag.end);
            if (tag.kind == TagSpan::Kind::Comment) {
                commentStart_ = static_cast<std::size_t>(tag.start);
                inComment_ = end;
            }
            if (tag.kind != TagSpan::Kind::Processing) return end;
        }
    }

private:
    std::string_view text_;
    const std::vector<TagSpan>& tags_;
    std::size_t tag_;               // the tags before this one are still to come
    std::size_t commentStart_ = 0;  // the comment being looked through, when inComment_ > it
    std::size_t inComment_ = 0;     // the '>' inside it already returned
};

// For each name, the offset where the last '/' + name + '>' of text begins,
// or -1, counting only the '>' that ClosingBrackets names. From each of
// them, the bytes before it are walked back to the previous TAB, CR, LF,
// space or '>' (a name holds none of them), so no byte is walked twice; each
// '/' on the way ends a candidate name, looked up by its hash. A name stops
// being looked for once found, so each is compared in full only once.
std::vector<int> lastClosingTexts(std::string_view text, const std::vector<TagSpan>& tags,
                                  const std::vector<std::string_view>& names) {
    std::vector<int> last(names.size(), -1);
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byKey;
    for (std::size_t i = 0; i < names.size(); ++i) byKey[FrontGrowingHash::keyOf(names[i])].push_back(i);

    std::size_t unresolved = names.size();
    ClosingBrackets brackets(text, tags);
    for (std::size_t gt = brackets.next(); unresolved > 0 && gt != std::string_view::npos; gt = brackets.next()) {
        FrontGrowingHash candidate;
        for (std::size_t p = gt; p-- > 0;) {
            const char c = text[p];
            if (c == '/') {
                const auto bucket = byKey.find(candidate.key());
                if (bucket != byKey.end())
                    for (const std::size_t i : bucket->second)
                        if (last[i] < 0 && text.substr(p + 1, candidate.size) == names[i]) {
                            last[i] = static_cast<int>(p);
                            --unresolved;
                        }
            }
            if (endsTagName(c)) break;
            candidate.prepend(c);
        }
    }
    return last;
}

}  // namespace

std::string_view tagName(std::string_view text, const TagSpan& tag) {
    const std::size_t from = static_cast<std::size_t>(tag.start) + 1;
    return text.substr(from, static_cast<std::size_t>(tag.nameEnd) - from);
}

namespace {

// A closing tag, or a template marker in braces: neither counts, and
// neither opens an element.
bool opensNoElement(std::string_view text, const TagSpan& tag) {
    const auto start = static_cast<std::size_t>(tag.start);
    return text[start + 1] == '/' || text[start] == '{';
}

}  // namespace

TagCensus takeCensus(std::string_view text, std::vector<TagSpan>& tags, int comments) {
    TagCensus census;
    census.comments = comments;
    std::vector<std::string_view> names;
    std::unordered_map<std::string_view, std::size_t> indexOf;
    std::vector<std::size_t> nameOfTag(tags.size());
    for (std::size_t t = 0; t < tags.size(); ++t) {
        if (opensNoElement(text, tags[t])) continue;
        const std::string_view name = tagName(text, tags[t]);
        const auto [entry, added] = indexOf.try_emplace(name, names.size());
        if (added) {
            names.push_back(name);
            census.tags.push_back({std::string(name), 0});
        }
        ++census.tags[entry->second].count;
        nameOfTag[t] = entry->second;
    }

    const std::vector<int> lastClosing = lastClosingTexts(text, tags, names);
    for (std::size_t t = 0; t < tags.size(); ++t) {
        TagSpan& tag = tags[t];
        if (opensNoElement(text, tag)) {
            tag.depthEffect = text[static_cast<std::size_t>(tag.start) + 1] == '/' ? -1 : 0;
            continue;
        }
        // The content of script, style, textarea and pre ends at its closing
        // tag, which is the next tag ("</pre >" included). The search for the
        // closing text starts after the byte that ends the name.
        const bool closedContent = tag.content != ElementContent::None && t + 1 < tags.size();
        const int searchFrom = tag.start + 1 + static_cast<int>(names[nameOfTag[t]].size()) + 1;
        tag.depthEffect = closedContent || lastClosing[nameOfTag[t]] >= searchFrom ? 1 : 0;
    }
    return census;
}

std::string TagCensus::header() const {
    return "Found " + std::to_string(tags.size()) + " unique tags and " + std::to_string(comments) + " comments.\n";
}

std::string TagCensus::listing(std::string_view lineEnd) const {
    std::string list;
    for (const TagCount& tag : tags) {
        list += std::to_string(tag.count);
        list += "\t<";
        list += tag.name;
        list += '>';
        list += lineEnd;
    }
    return list;
}

std::optional<Message> TagCensus::report() const {
    if (tags.empty()) return std::nullopt;
    std::string text = header() + "\n";
    text += tags.size() > kMostTagsListed ? std::string("Too many to display!\n") : listing("\n");
    text += "\nPut tags on the Clipboard ?";
    return Message{std::move(text), "HTML Format", Buttons::YesNo, Icon::Question, 0};
}

std::string TagCensus::clipboardText() const { return listing("\r\n"); }

}  // namespace tagloom
