#include "html/TextTools.h"

#include <cstring>
#include <new>

#include "textmodel/TextLimits.h"
#include "textmodel/AsciiText.h"
#include "html/CssStretches.h"

namespace tagloom {

std::string textToolMenuText(TextTool tool, bool hasSelection) {
    switch (tool) {
    case TextTool::HtmlRemoveWhitespace:
        return hasSelection ? "HTML Remove Whitespace in Selected" : "HTML Remove Whitespace in File";
    case TextTool::CssRemoveWhitespace:
        return hasSelection ? "CSS Remove Whitespace in Selected" : "CSS Remove Whitespace in File";
    case TextTool::CssFormat:
        return hasSelection ? "CSS Format Selected" : "CSS Format File";
    }
    return {};
}

namespace {

// Per byte: whether Remove Whitespace keeps it (a space is decided by what follows it).
struct KeepTable {
    bool keep[256];
    explicit KeepTable(bool bCss) {
        for (int c = 0; c < 256; ++c) keep[c] = true;
        keep[static_cast<unsigned char>(kTab)] = false;
        keep[static_cast<unsigned char>(kCR)] = false;
        keep[static_cast<unsigned char>(' ')] = false;
        keep[static_cast<unsigned char>(kLF)] = !bCss;
    }
};

// How many bytes CSS Format adds after each byte.
struct GrowthTable {
    unsigned char extra[256] = {};
    GrowthTable() {
        extra[static_cast<unsigned char>('{')] = 3;
        extra[static_cast<unsigned char>(';')] = 3;
        extra[static_cast<unsigned char>('}')] = 4;
    }
};

}  // namespace

namespace {

// Writes the run's kept bytes at w and returns one past the last; next is the
// byte after the run. Every byte is written and the write position moves on
// only when it is kept, so the loop has no branch that depends on the text.
char* removeWhitespaceInRun(std::string_view run, char next, const bool* keep, char* w) {
    const std::size_t n = run.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = run[i];
        const char following = i + 1 < n ? run[i + 1] : next;
        *w = c;
        w += keep[static_cast<unsigned char>(c)] | ((c == ' ') & (following != ' '));
    }
    return w;
}

// Writes the run with the line breaks and TABs CSS Format adds at w and
// returns one past the last byte; next is the byte after the run.
char* formatCssRun(std::string_view run, char next, const GrowthTable& growth, char* w) {
    const std::size_t n = run.size();
    std::size_t i = 0;
    while (i < n) {
        // Copy the run up to the next '{', ';' or '}' in one piece.
        std::size_t stop = i;
        while (stop < n && growth.extra[static_cast<unsigned char>(run[stop])] == 0) ++stop;
        std::memcpy(w, run.data() + i, stop - i);
        w += stop - i;
        if (stop == n) break;
        const char c = run[stop];
        *w++ = c;
        *w++ = kCR;
        *w++ = kLF;
        if (c == '{') {
            *w++ = kTab;
        } else if (c == ';') {
            if ((stop + 1 < n ? run[stop + 1] : next) != '}') *w++ = kTab;
        } else {
            *w++ = kCR;
            *w++ = kLF;
        }
        i = stop + 1;
    }
    return w;
}

// Rewrites the pieces of a style sheet between its comments, strings and
// url(…) values with rewriteRun(run, next, w) and copies those as they are.
template <class RewriteRun>
char* rewriteCss(std::string_view css, char next, char* w, RewriteRun&& rewriteRun) {
    forEachCssPiece(
        css,
        [&](std::size_t begin, std::size_t end) {
            w = rewriteRun(css.substr(begin, end - begin), end < css.size() ? css[end] : next, w);
        },
        [&](std::size_t begin, std::size_t end) {
            std::memcpy(w, css.data() + begin, end - begin);
            w += end - begin;
        });
    return w;
}

}  // namespace

std::string removeWhitespace(std::string_view input, char next, bool bCss) {
    static const KeepTable cssTable(true);
    static const KeepTable htmlTable(false);
    std::string out(input.size() + 2, '\0');
    char* w = out.data();
    if (bCss) {
        w = rewriteCss(input, next, w, [](std::string_view run, char after, char* to) {
            return removeWhitespaceInRun(run, after, cssTable.keep, to);
        });
        if (next != kCR) {
            *w++ = kCR;
            *w++ = kLF;
        }
    } else {
        w = removeWhitespaceInRun(input, next, htmlTable.keep, w);
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
    return out;
}

std::string formatCss(std::string_view input, char next) {
    static const GrowthTable growth;
    std::size_t size = input.size();
    for (const char c : input) size += growth.extra[static_cast<unsigned char>(c)];
    std::string out(size, '\0');
    char* w = rewriteCss(input, next, out.data(), [](std::string_view run, char after, char* to) {
        return formatCssRun(run, after, growth, to);
    });
    out.resize(static_cast<std::size_t>(w - out.data()));
    return out;
}

TextToolResult runTextTool(TextTool tool, std::string_view document, Selection selection) {
    const Selection sel = clampedSelection(selection, document);
    TextToolResult result;
    if (document.empty()) return result;
    const bool whole = sel.empty();
    const std::string_view input =
        whole ? document
              : document.substr(static_cast<std::size_t>(sel.start), static_cast<std::size_t>(sel.end - sel.start));
    const std::size_t after = whole ? document.size() : static_cast<std::size_t>(sel.end);
    const char next = after < document.size() ? document[after] : '\0';
    const auto outOfMemory = [tool] {
        TextToolResult refused;
        refused.kind = TextToolResult::Kind::OutOfMemory;
        refused.message = Message{"Memory Problem",
                                  tool == TextTool::CssFormat ? "Tagloom - Format CSS" : "Tagloom - Remove Whitespace",
                                  Buttons::Ok, Icon::Error, 0};
        return refused;
    };
    try {
        result.text = tool == TextTool::CssFormat
                          ? formatCss(input, next)
                          : removeWhitespace(input, next, tool == TextTool::CssRemoveWhitespace);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    // A result the editor could not hold is refused like one that found no memory.
    if (document.size() - input.size() + result.text.size() > static_cast<std::size_t>(kMaxTextLength))
        return outOfMemory();
    if (whole) {
        result.kind = TextToolResult::Kind::ReplaceDocument;
        return result;
    }
    result.kind = TextToolResult::Kind::ReplaceSelection;
    result.selection = {sel.start, sel.start + static_cast<int>(result.text.size())};
    return result;
}

}  // namespace tagloom
