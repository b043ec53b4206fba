#pragma once
// Where the lexer stands at the start of a line: everything it needs to go on
// lexing, and nothing a single line decides alone. The working form has a
// field for each part; the stored form packs it into six bytes.
#include "syntax/SyntaxLanguage.h"

#include <array>
#include <cstdint>

namespace tagloom {

// Where an HTML text stands outside the server code in it.
enum class HtmlMode : std::uint8_t {
    Text,
    Tag,          // inside a tag, after its name
    Comment,      // <!-- ... -->
    Declaration,  // <!DOCTYPE ...> and other <!...>
    Script,       // script content read as JavaScript
    RawScript,    // script content of another type: plain text
    Style,        // style content: CSS
    Textarea,     // textarea content: text with entities, no tags
};

// The element whose opening tag is being read, when its content is not mark-up.
enum class TagKind : std::uint8_t { Other, Script, Style, Textarea };

enum class TagPart : std::uint8_t {
    Between,      // between attributes
    AfterEquals,  // an attribute's '=' read, its value not begun
    Quoted,       // inside a quoted value
};

// The attribute being read, when its value matters.
enum class AttrKind : std::uint8_t {
    Other,
    Type,   // a script's type: decides whether its content is JavaScript
    Style,  // CSS declarations
};

// Server code laid over whatever the page is in: a template marker or a PHP
// block, with the part of the PHP block the lexer is in.
enum class Island : std::uint8_t {
    None,
    Expression,       // {{ ... }}
    Statement,        // {% ... %}
    TemplateComment,  // {# ... #}
    AspBlock,         // <% ... %>
    PhpCode,
    PhpSingle,  // '...'
    PhpDouble,  // "..."
    PhpBacktick,
    PhpBlockComment,
    PhpLineComment,  // // or #, to the line's end or the block's "?>"
    PhpHeredoc,
    PhpNowdoc,
};

enum class CssToken : std::uint8_t { None, Comment, Single, Double };

enum class JsToken : std::uint8_t {
    Code,
    Single,
    Double,
    Template,  // `...`
    BlockComment,
    LineComment,
    Regex,
    RegexClass,  // inside [...] of a regular expression
};

struct LexState {
    // The deepest ${ ... } nesting of JavaScript template literals followed.
    static constexpr int kTemplateDepth = 3;
    // CSS blocks whose kind (declarations or rules) is kept.
    static constexpr int kCssKindLevels = 7;
    static constexpr int kMaxCssDepth = 15;
    static constexpr int kMaxBraces = 7;

    SyntaxLanguage language = SyntaxLanguage::None;
    HtmlMode html = HtmlMode::Text;

    // The tag being read.
    TagKind tagKind = TagKind::Other;
    TagPart tagPart = TagPart::Between;
    bool singleQuote = false;  // the quoted value's quote is '
    AttrKind attrKind = AttrKind::Other;
    bool plainScript = false;  // the script's type is not JavaScript

    Island island = Island::None;
    // A hash of the heredoc's or nowdoc's closing label, kHeredocLabelBits wide.
    std::uint16_t heredocLabel = 0;
    static constexpr int kHeredocLabelBits = 14;

    // CSS, in a style sheet, style content or a style attribute.
    CssToken cssToken = CssToken::None;
    bool cssValue = false;     // in a declaration's value
    bool cssGrouping = false;  // the at-rule being read opens a block of rules
    std::uint8_t cssDepth = 0;
    std::uint8_t cssDeclarationLevels = 0;  // bit k: block level k + 1 holds declarations

    // JavaScript, in a script file or script content.
    JsToken jsToken = JsToken::Code;
    bool jsRegexAllowed = true;  // a '/' here starts a regular expression
    std::uint8_t jsTemplateDepth = 0;
    std::array<std::uint8_t, kTemplateDepth> jsBraces{};  // open braces in each ${ ... }

    bool operator==(const LexState&) const = default;

    // Which of the CSS and JavaScript parts is in use; the other keeps its
    // defaults, and only the one in use is stored.
    bool inCss() const;
    bool inJavaScript() const;
};

// The state a text starts in.
LexState initialState(SyntaxLanguage language);

// The six bytes a line's start state is stored in, with one bit to spare for
// the store's own use.
struct PackedLexState {
    std::array<std::uint8_t, 6> bytes{};

    // The spare bit, which pack() leaves clear.
    bool marked() const { return (bytes[5] & kMark) != 0; }
    void setMarked(bool on) { bytes[5] = static_cast<std::uint8_t>(on ? bytes[5] | kMark : bytes[5] & ~kMark); }
    // Whether both hold the same state, whatever their marks.
    bool sameState(const PackedLexState& other) const {
        PackedLexState a = *this, b = other;
        a.setMarked(false);
        b.setMarked(false);
        return a.bytes == b.bytes;
    }

private:
    static constexpr std::uint8_t kMark = 0x80;
};

PackedLexState pack(const LexState& state);
LexState unpack(const PackedLexState& packed);

}  // namespace tagloom
