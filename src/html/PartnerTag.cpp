#include "html/PartnerTag.h"

#include <string>
#include <vector>

#include "html/MarkupReader.h"
#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

// Names longer than this are not framed (nor matched by Select Matching Tags).
constexpr std::size_t kLongestName = 96;

bool isNameByte(char c) { return !endsTagName(c) && c != '<' && c != '/'; }

// The texts that open and close elements of one name, as Select Matching
// Tags counts them: "</" name '>' closes, '<' name ' ' or '<' name '>' opens.
struct Nesting {
    std::string close, openWithAttributes, bareOpen;

    explicit Nesting(std::string_view name)
        : close("</" + std::string(name) + ">"),
          openWithAttributes("<" + std::string(name) + " "),
          bareOpen("<" + std::string(name) + ">") {}

    int step(std::string_view text, std::size_t at) const {
        if (matchesAtIgnoringCase(text, at, close)) return -1;
        return matchesAtIgnoringCase(text, at, openWithAttributes) || matchesAtIgnoringCase(text, at, bareOpen) ? 1
                                                                                                               : 0;
    }
};

Selection spanOf(const MarkupTag& tag) { return {static_cast<int>(tag.start), static_cast<int>(tag.end)}; }

}  // namespace

bool mayStandInTagName(std::string_view text, std::size_t caret) {
    caret = std::min(caret, text.size());
    const bool nameAfter = caret < text.size() && isNameByte(text[caret]);
    const bool nameBefore = caret > 0 && isNameByte(text[caret - 1]);
    if (!nameAfter && !nameBefore) return false;
    std::size_t at = caret;
    for (std::size_t walked = 0; at > 0 && walked <= kLongestName; --at, ++walked) {
        const char c = text[at - 1];
        if (c == '<') return true;
        if (c == '/') return at >= 2 && text[at - 2] == '<';
        if (endsTagName(c)) return false;
    }
    return false;
}

// One walk over the tags: up to the caret's tag the starts of the tags are
// kept; from a closing tag they are looked at from the nearest back, from an
// opening tag the walk goes on, until the nesting counter comes back to 0.
std::optional<TagPair> partnerTags(std::string_view text, std::size_t caret) {
    if (!mayStandInTagName(text, caret)) return std::nullopt;
    std::vector<Selection> before;
    std::optional<Selection> tag;
    std::optional<Nesting> nesting;
    std::optional<Selection> partner;
    int counter = 0;
    readTags(text, [&](const MarkupTag& found) {
        if (!tag) {
            if (found.start >= caret) return false;
            if (found.kind != MarkupTag::Kind::Element || !found.closed || caret > found.nameEnd) {
                before.push_back(spanOf(found));
                return true;
            }
            tag = spanOf(found);
            const bool closing = text[found.start + 1] == '/';
            // A closing tag's name is all between "</" and '>'; an empty one has none.
            const std::string_view name =
                closing ? text.substr(found.start + 2, found.end - found.start - 3)
                        : text.substr(found.start + 1, found.nameEnd - found.start - 1);
            if (name.empty() || name.size() > kLongestName) return false;
            nesting.emplace(name);
            counter = closing ? -1 : 1;
            return !closing;
        }
        counter += nesting->step(text, found.start);
        if (counter == 0) partner = spanOf(found);
        return !partner;
    });
    if (!nesting) return std::nullopt;
    for (auto span = before.rbegin(); !partner && counter < 0 && span != before.rend(); ++span) {
        counter += nesting->step(text, static_cast<std::size_t>(span->start));
        if (counter == 0) partner = *span;
    }
    if (!partner) return std::nullopt;
    return TagPair{*tag, *partner};
}

}  // namespace tagloom
