#include "html/TextTools.h"

#include <cstring>
#include <new>

#include "textmodel/TextLimits.h"
#include "textmodel/AsciiText.h"

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

std::string removeWhitespace(std::string_view input, char next, bool bCss) {
    static const KeepTable cssTable(true);
    static const KeepTable htmlTable(false);
    const bool* keep = (bCss ? cssTable : htmlTable).keep;
    std::string out(input.size() + 2, '\0');
    char* w = out.data();
    const std::size_t n = input.size();
    // Every byte is written and the write position moves on only when it is
    // kept, so the loop has no branch that depends on the text.
    for (std::size_t i = 0; i < n; ++i) {
        const char c = input[i];
        const char following = i + 1 < n ? input[i + 1] : next;
        *w = c;
        w += keep[static_cast<unsigned char>(c)] | ((c == ' ') & (following != ' '));
    }
    if (bCss && next != kCR) {
        *w++ = kCR;
        *w++ = kLF;
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
    return out;
}

std::string formatCss(std::string_view input, char next) {
    static const GrowthTable growth;
    std::size_t size = input.size();
    for (const char c : input) size += growth.extra[static_cast<unsigned char>(c)];
    std::string out(size, '\0');
    char* w = out.data();
    const std::size_t n = input.size();
    std::size_t i = 0;
    while (i < n) {
        // Copy the run up to the next '{', ';' or '}' in one piece.
        std::size_t stop = i;
        while (stop < n && growth.extra[static_cast<unsigned char>(input[stop])] == 0) ++stop;
        std::memcpy(w, input.data() + i, stop - i);
        w += stop - i;
        if (stop == n) break;
        const char c = input[stop];
        *w++ = c;
        *w++ = kCR;
        *w++ = kLF;
        if (c == '{') {
            *w++ = kTab;
        } else if (c == ';') {
            if ((stop + 1 < n ? input[stop + 1] : next) != '}') *w++ = kTab;
        } else {
            *w++ = kCR;
            *w++ = kLF;
        }
        i = stop + 1;
    }
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
