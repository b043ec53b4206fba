#include "syntax/LexState.h"

#include <bit>
#include <cstring>

namespace tagloom {

namespace {

// The fields' places in the packed bits, lowest first.
constexpr int kLanguageAt = 0;   // 2 bits
constexpr int kHtmlAt = 2;       // 3
constexpr int kTagKindAt = 5;    // 2
constexpr int kTagPartAt = 7;    // 2
constexpr int kQuoteAt = 9;      // 1
constexpr int kAttrKindAt = 10;  // 2
constexpr int kPlainAt = 12;     // 1
constexpr int kIslandAt = 13;    // 4
constexpr int kLabelAt = 17;     // kHeredocLabelBits
constexpr int kPartAt = 31;      // 15: the CSS or the JavaScript part
static_assert(kLabelAt + LexState::kHeredocLabelBits == kPartAt);
static_assert(kPartAt + 15 < 47, "bit 47 is the spare bit");

std::uint64_t bitsOf(std::uint64_t value, int at) { return value << at; }
unsigned field(std::uint64_t bits, int at, int width) {
    return static_cast<unsigned>((bits >> at) & ((std::uint64_t{1} << width) - 1));
}

std::uint64_t packCss(const LexState& s) {
    return bitsOf(static_cast<unsigned>(s.cssToken), 0) | bitsOf(s.cssValue, 2) | bitsOf(s.cssGrouping, 3) |
           bitsOf(s.cssDepth, 4) | bitsOf(s.cssDeclarationLevels, 8);
}

void unpackCss(unsigned bits, LexState& s) {
    s.cssToken = static_cast<CssToken>(field(bits, 0, 2));
    s.cssValue = field(bits, 2, 1);
    s.cssGrouping = field(bits, 3, 1);
    s.cssDepth = static_cast<std::uint8_t>(field(bits, 4, 4));
    s.cssDeclarationLevels = static_cast<std::uint8_t>(field(bits, 8, 7));
}

std::uint64_t packJs(const LexState& s) {
    std::uint64_t bits = bitsOf(static_cast<unsigned>(s.jsToken), 0) | bitsOf(s.jsRegexAllowed, 3) |
                         bitsOf(s.jsTemplateDepth, 4);
    for (int level = 0; level < LexState::kTemplateDepth; ++level) bits |= bitsOf(s.jsBraces[level], 6 + 3 * level);
    return bits;
}

void unpackJs(unsigned bits, LexState& s) {
    s.jsToken = static_cast<JsToken>(field(bits, 0, 3));
    s.jsRegexAllowed = field(bits, 3, 1);
    s.jsTemplateDepth = static_cast<std::uint8_t>(field(bits, 4, 2));
    for (int level = 0; level < LexState::kTemplateDepth; ++level)
        s.jsBraces[level] = static_cast<std::uint8_t>(field(bits, 6 + 3 * level, 3));
}

}  // namespace

bool LexState::inCss() const {
    return language == SyntaxLanguage::Css ||
           (language == SyntaxLanguage::Html &&
            (html == HtmlMode::Style ||
             (html == HtmlMode::Tag && tagPart == TagPart::Quoted && attrKind == AttrKind::Style)));
}

bool LexState::inJavaScript() const {
    return language == SyntaxLanguage::JavaScript || (language == SyntaxLanguage::Html && html == HtmlMode::Script);
}

LexState initialState(SyntaxLanguage language) {
    LexState state;
    state.language = language;
    return state;
}

PackedLexState pack(const LexState& s) {
    std::uint64_t bits = bitsOf(static_cast<unsigned>(s.language), kLanguageAt) |
                         bitsOf(static_cast<unsigned>(s.html), kHtmlAt) |
                         bitsOf(static_cast<unsigned>(s.tagKind), kTagKindAt) |
                         bitsOf(static_cast<unsigned>(s.tagPart), kTagPartAt) | bitsOf(s.singleQuote, kQuoteAt) |
                         bitsOf(static_cast<unsigned>(s.attrKind), kAttrKindAt) | bitsOf(s.plainScript, kPlainAt) |
                         bitsOf(static_cast<unsigned>(s.island), kIslandAt) | bitsOf(s.heredocLabel, kLabelAt);
    if (s.inCss()) {
        bits |= packCss(s) << kPartAt;
    } else if (s.inJavaScript()) {
        bits |= packJs(s) << kPartAt;
    }
    PackedLexState packed;
    if constexpr (std::endian::native == std::endian::little) {
        // At once: bytes written one by one and read back as a word stall.
        std::memcpy(packed.bytes.data(), &bits, packed.bytes.size());
    } else {
        for (std::size_t i = 0; i < packed.bytes.size(); ++i)
            packed.bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return packed;
}

LexState unpack(const PackedLexState& packed) {
    std::uint64_t bits = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&bits, packed.bytes.data(), packed.bytes.size());
    } else {
        for (std::size_t i = 0; i < packed.bytes.size(); ++i) bits |= std::uint64_t{packed.bytes[i]} << (8 * i);
    }
    LexState s;
    s.language = static_cast<SyntaxLanguage>(field(bits, kLanguageAt, 2));
    s.html = static_cast<HtmlMode>(field(bits, kHtmlAt, 3));
    s.tagKind = static_cast<TagKind>(field(bits, kTagKindAt, 2));
    s.tagPart = static_cast<TagPart>(field(bits, kTagPartAt, 2));
    s.singleQuote = field(bits, kQuoteAt, 1);
    s.attrKind = static_cast<AttrKind>(field(bits, kAttrKindAt, 2));
    s.plainScript = field(bits, kPlainAt, 1);
    s.island = static_cast<Island>(field(bits, kIslandAt, 4));
    s.heredocLabel = static_cast<std::uint16_t>(field(bits, kLabelAt, LexState::kHeredocLabelBits));
    const unsigned part = field(bits, kPartAt, 15);
    if (s.inCss()) {
        unpackCss(part, s);
    } else if (s.inJavaScript()) {
        unpackJs(part, s);
    }
    return s;
}

}  // namespace tagloom
