#include "syntax/LexState.h"
#include "syntax/SyntaxLexer.h"

#include "RealPages.h"

#include <gtest/gtest.h>

namespace tagloom {
namespace {

TEST(LexState, packsIntoSixBytesAndBackWithEveryFieldAtItsLimits) {
    static_assert(sizeof(PackedLexState) == 6);
    LexState tag = initialState(SyntaxLanguage::Html);
    tag.html = HtmlMode::Tag;
    tag.tagKind = TagKind::Textarea;
    tag.tagPart = TagPart::Quoted;
    tag.singleQuote = true;
    tag.attrKind = AttrKind::Style;
    tag.plainScript = true;
    tag.island = Island::PhpNowdoc;
    tag.heredocLabel = (1 << LexState::kHeredocLabelBits) - 1;
    tag.cssToken = CssToken::Double;
    tag.cssValue = true;
    tag.cssGrouping = true;
    tag.cssDepth = LexState::kMaxCssDepth;
    tag.cssDeclarationLevels = 0x7f;
    LexState script = initialState(SyntaxLanguage::Html);
    script.html = HtmlMode::Script;
    script.island = Island::PhpHeredoc;
    script.jsToken = JsToken::RegexClass;
    script.jsRegexAllowed = false;
    script.jsTemplateDepth = LexState::kTemplateDepth;
    script.jsBraces = {LexState::kMaxBraces, 1, LexState::kMaxBraces};
    LexState sheet = initialState(SyntaxLanguage::Css);
    sheet.cssDepth = 3;
    sheet.cssDeclarationLevels = 0x5;
    LexState file = initialState(SyntaxLanguage::JavaScript);
    file.jsToken = JsToken::Template;
    for (const LexState& state : {tag, script, sheet, file, initialState(SyntaxLanguage::None)}) {
        EXPECT_EQ(unpack(pack(state)), state);
        EXPECT_FALSE(pack(state).marked());
    }
}

TEST(LexState, theMarkIsNoPartOfTheState) {
    PackedLexState a = pack(initialState(SyntaxLanguage::Html));
    PackedLexState b = a;
    b.setMarked(true);
    EXPECT_TRUE(b.marked());
    EXPECT_TRUE(a.sameState(b));
    EXPECT_EQ(unpack(b), unpack(a));
    EXPECT_FALSE(a.sameState(pack(initialState(SyntaxLanguage::Css))));
}

TEST(LexState, everyLineStateOfRealPagesSurvivesPacking) {
    for (const RealPage& page : realPages()) {
        forEachStyledLine(page.text, SyntaxLanguage::Html, [&](const LexState& state, std::size_t start, const auto&) {
            EXPECT_EQ(unpack(pack(state)), state) << page.name << " at " << start;
        });
    }
}

}  // namespace
}  // namespace tagloom
