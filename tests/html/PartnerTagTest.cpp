// The tag whose name the caret stands in, and the partner the editor frames
// with it.
#include "html/PartnerTag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tagloom {
namespace {

struct PartnerCase {
    const char* name;
    std::string text;     // "|" marks the caret
    std::string tag;      // the tag framed, empty when none is
    std::string partner;  // and its partner
};

TEST(PartnerTag, theTagWhoseNameHoldsTheCaretAndItsPartnerAreFound) {
    const std::vector<PartnerCase> cases = {
        {"an opening tag's name", "<d|iv class=a><p>x</p></div>", "<div class=a>", "</div>"},
        {"a closing tag's name", "<div><p>x</p></di|v>", "</div>", "<div>"},
        {"right after the '<'", "<|p>x</p>", "<p>", "</p>"},
        {"at the end of the name", "<p|>x</p>", "<p>", "</p>"},
        {"nested elements of one name", "<div><div>a</div>b</div|>", "</div>", "<div>"},
        {"the attributes are not the name", "<p cl|ass=a>x</p>", "", ""},
        {"text is no name", "<p>te|xt</p>", "", ""},
        {"an element never closed", "<p|>x", "", ""},
        {"a void element", "<b|r><br>", "", ""},
        {"a tag inside a comment", "<!-- <b|>x</b> -->", "", ""},
        {"a '>' in a quoted value", "<a| title=\"a>b\">x</a>", "<a title=\"a>b\">", "</a>"},
    };
    for (const PartnerCase& c : cases) {
        std::string text = c.text;
        const std::size_t caret = text.find('|');
        text.erase(caret, 1);
        const std::optional<TagPair> pair = partnerTags(text, caret);
        if (c.tag.empty()) {
            EXPECT_FALSE(pair) << c.name;
            continue;
        }
        ASSERT_TRUE(pair) << c.name;
        const auto span = [&text](Selection s) {
            return text.substr(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.end - s.start));
        };
        EXPECT_EQ(span(pair->tag), c.tag) << c.name;
        EXPECT_EQ(span(pair->partner), c.partner) << c.name;
    }
}

}  // namespace
}  // namespace tagloom
