#pragma once
// The mark-up of an HTML text as the formatter and the tag navigation read
// it: text, tags, and the stretches inside and between them that are not
// mark-up and are copied byte for byte:
//  - a comment, "<!--" through the first "-->" (a tag of its own);
//  - server code: a processing or PHP block, "<?" through the first "?>", and
//    the markers of templates, "<%" through "%>" (EJS, ERB, ASP), "{{"
//    through "}}", "{%" through "%}" and "{#" through "#}" (Twig, Jinja,
//    Liquid, Django, Blade, Handlebars, Vue), each to the end of the text when
//    its mark never comes; outside a tag it is a tag of its own, and it may
//    stand inside a tag or a quoted value too;
//  - a quoted attribute value: a '"' or '\'' inside a tag whose last non-blank
//    byte before it is '=', through the same quote (or the end of the text);
//  - the content of a script, style, textarea or pre element: from the '>'
//    of its opening tag (unless that ends in "/>") to the '<' of the first
//    closing tag of the same name, ASCII case ignored ("</pre >" counts), or
//    to the end of the text.
// A '<' that opens no comment or PHP block starts a tag, which runs to its
// '>'; a second such '<' inside it starts the next tag and leaves the first
// one unclosed.
#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "textmodel/AsciiText.h"
#include "html/HtmlComments.h"

namespace tagloom {

// What the '>' of an opening tag leads into.
enum class ElementContent : unsigned char {
    None,   // mark-up
    Code,   // script or style content
    Shown,  // textarea or pre content: a browser shows every byte of it
};

struct MarkupPiece {
    enum class Kind : unsigned char {
        Text,        // outside tags
        TagBytes,    // a tag's own bytes, outside the stretches nested in it
        Comment,     // a whole comment
        Processing,  // server code: a PHP block or a template marker
        Quoted,      // a quoted attribute value, quotes included
        Content,     // script, style, textarea or pre content
    };
    Kind kind = Kind::Text;
    std::size_t begin = 0;
    std::size_t end = 0;     // one past the last byte; pieces are never empty
    bool opensTag = false;   // begins with the '<' of a tag
    bool closesTag = false;  // ends with the '>' of that tag (or of the comment or PHP block that is one)
    ElementContent content = ElementContent::None;  // on a piece that closes an opening tag

    // Text and tag bytes are mark-up; everything else is copied as it is.
    bool isMarkup() const { return kind == Kind::Text || kind == Kind::TagBytes; }
};

// A tag as the reader finds it: an element's tag, a comment or server code.
struct MarkupTag {
    enum class Kind : unsigned char { Element, Comment, Processing };
    Kind kind = Kind::Element;
    std::size_t start = 0;    // its '<'
    std::size_t end = 0;      // one past its '>', or where it stops: the next tag's '<' or the end of the text
    std::size_t nameEnd = 0;  // its name runs from start + 1 to here
    bool closed = false;      // it ends with its '>'
    ElementContent content = ElementContent::None;  // what follows it up to the next tag
};

namespace markup {

// The bytes at which a tag's own bytes may stop: its '>', a '<', a quote, or
// the '{' of a template marker.
inline constexpr std::array<bool, 256> kTagStops = [] {
    std::array<bool, 256> stops{};
    for (const unsigned char c : {'>', '<', '"', '\'', '{'}) stops[c] = true;
    return stops;
}();

// The server code that opens at `at`: one past its closing mark, or the
// text's end when the mark never comes; 0 when none opens there.
struct ServerCode {
    std::size_t end = 0;
    bool closed = false;  // it ends with its mark
};
ServerCode serverCode(std::string_view text, std::size_t at);
// Whether two bytes open server code: "<?", "<%", "{{", "{%" or "{#".
constexpr bool opensServerCode(char first, char second) {
    return first == '<' ? second == '?' || second == '%'
                        : first == '{' && (second == '{' || second == '%' || second == '#');
}

// Where the text between tags stops: at the next '<', or '{' that opens
// server code. Each '{' is found once and each byte looked at once for '<':
// the '<' is looked for only up to the next '{'.
class MarkupStarts {
public:
    explicit MarkupStarts(std::string_view text) : text_(text) {}
    // The first such place at or after `from`, or the text's end.
    std::size_t next(std::size_t from);

private:
    std::string_view text_;
    std::size_t brace_ = 0;  // the first '{' at or after the last search's start, or the end
    bool braceKnown_ = false;
};
// One past the quote that ends the value opening at quote (server code inside
// it skipped), or the text's end.
std::size_t quotedEnd(std::string_view text, std::size_t quote);
// What the element whose tag opens at lt holds, and its name when that is
// not mark-up.
ElementContent elementContent(std::string_view text, std::size_t lt, std::string_view& name);
// The '<' of the first closing tag of name at or after from, or the text's end.
std::size_t contentEnd(std::string_view text, std::size_t from, std::string_view name);

}  // namespace markup

// Hands the pieces of text, in order, to visit(const MarkupPiece&), which
// returns false to stop. Every byte is read before the piece that holds it
// is handed out and never again afterwards, so a pass may rewrite each piece
// in place, behind the reader, once it has it.
template <class Visit>
void readMarkup(std::string_view text, Visit&& visit) {
    using Kind = MarkupPiece::Kind;
    const char* p = text.data();
    const std::size_t n = text.size();
    CommentFinder comments(text);
    markup::MarkupStarts starts(text);
    auto hand = [&](Kind kind, std::size_t begin, std::size_t end, bool opensTag = false, bool closesTag = false,
                    ElementContent content = ElementContent::None) {
        return visit(MarkupPiece{kind, begin, end, opensTag, closesTag, content});
    };
    for (std::size_t at = 0; at < n;) {
        if (const markup::ServerCode code = at + 1 < n && markup::opensServerCode(p[at], p[at + 1])
                                                ? markup::serverCode(text, at)
                                                : markup::ServerCode{};
            code.end) {
            if (!hand(Kind::Processing, at, code.end, true, code.closed)) return;
            at = code.end;
            continue;
        }
        if (p[at] != '<') {
            const std::size_t end = starts.next(at + 1);
            if (!hand(Kind::Text, at, end)) return;
            at = end;
            continue;
        }
        if (at + 1 < n && p[at + 1] == '!') {
            if (const std::size_t mark = comments.closingMark(at); mark != std::string_view::npos) {
                if (!hand(Kind::Comment, at, mark + 3, true, true)) return;
                at = mark + 3;
                continue;
            }
        }

        // An element's tag: its own bytes, in pieces around the quoted values
        // and PHP blocks in it.
        std::string_view contentName;
        const ElementContent content = markup::elementContent(text, at, contentName);
        bool opensTag = true;
        std::size_t begin = at;
        std::size_t i = at + 1;
        while (true) {
            while (i < n && !markup::kTagStops[static_cast<unsigned char>(p[i])]) ++i;
            if (i == n) {
                // A quoted value or PHP block that ran to the end leaves nothing.
                if (i > begin) hand(Kind::TagBytes, begin, n, opensTag);
                return;
            }
            const char c = p[i];
            if (c == '>') {
                // A tag that ends in "/>" closes itself: it has no content.
                const ElementContent opened = i > begin && p[i - 1] == '/' ? ElementContent::None : content;
                if (!hand(Kind::TagBytes, begin, i + 1, opensTag, true, opened)) return;
                at = i + 1;
                if (opened != ElementContent::None) {
                    const std::size_t end = markup::contentEnd(text, at, contentName);
                    if (end > at && !hand(Kind::Content, at, end)) return;
                    at = end;
                }
                break;
            }
            const markup::ServerCode code =
                c == '<' || c == '{' ? markup::serverCode(text, i) : markup::ServerCode{};
            if (c == '{' && !code.end) {
                ++i;
                continue;
            }
            if (c == '<' && !code.end) {
                if (i > begin && !hand(Kind::TagBytes, begin, i, opensTag)) return;
                at = i;
                break;
            }
            if (!code.end) {
                std::size_t j = i;
                while (j > begin && isAsciiBlank(p[j - 1])) --j;
                if (j == begin || p[j - 1] != '=') {
                    ++i;
                    continue;
                }
            }
            if (i > begin && !hand(Kind::TagBytes, begin, i, opensTag)) return;
            opensTag = false;
            const std::size_t end = code.end ? code.end : markup::quotedEnd(text, i);
            if (!hand(code.end ? Kind::Processing : Kind::Quoted, i, end)) return;
            begin = i = end;
        }
    }
}

// Hands the tags of text, in order, to onTag(const MarkupTag&), which returns
// false to stop. The text between two tags (or after the last) is mark-up
// text unless the first opens content.
template <class OnTag>
void readTags(std::string_view text, OnTag&& onTag) {
    MarkupTag tag;
    bool open = false;  // the tag has begun and has not been handed on yet
    bool stopped = false;
    readMarkup(text, [&](const MarkupPiece& piece) {
        if (piece.opensTag) {
            // An unclosed tag stops where the next one starts.
            if (open && !onTag(tag)) return !(stopped = true);
            tag = MarkupTag{};
            tag.kind = piece.kind == MarkupPiece::Kind::Comment      ? MarkupTag::Kind::Comment
                       : piece.kind == MarkupPiece::Kind::Processing ? MarkupTag::Kind::Processing
                                                                     : MarkupTag::Kind::Element;
            tag.start = piece.begin;
            tag.nameEnd = piece.begin + 1;
            while (tag.nameEnd < piece.end && !endsTagName(text[tag.nameEnd])) ++tag.nameEnd;
            open = true;
        } else if (!open) {
            return true;
        }
        tag.end = piece.end;
        tag.closed = piece.closesTag;
        tag.content = piece.content;
        if (tag.closed || tag.kind != MarkupTag::Kind::Element) {
            open = false;
            if (!onTag(tag)) return !(stopped = true);
        }
        return true;
    });
    if (open && !stopped) onTag(tag);
}

}  // namespace tagloom
