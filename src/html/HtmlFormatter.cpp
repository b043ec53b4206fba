#include "html/HtmlFormatter.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "textmodel/TextLimits.h"
#include "textmodel/AsciiText.h"
#include "html/HtmlNormalize.h"
#include "html/TagScan.h"

namespace tagloom {

namespace {

constexpr std::string_view kTitle = "HTML Format";
constexpr std::string_view kDoctype = "!DOCTYPE";
constexpr std::string_view kCopyMemoryText = "Memory Problem";
constexpr std::string_view kResultMemoryText = "Memory allocation problem.\nDocument is unchanged.";

HtmlFormatResult outOfMemory(std::string_view text) {
    HtmlFormatResult result;
    result.outcome = HtmlFormatResult::Outcome::OutOfMemory;
    result.message = Message{std::string(text), std::string(kTitle), Buttons::Ok, Icon::Error, 0};
    return result;
}

HtmlFormatResult missingDelimiter(std::string_view document, std::string_view copy, const DelimiterError& error) {
    HtmlFormatResult result;
    result.outcome = HtmlFormatResult::Outcome::MissingDelimiter;
    result.selection = delimiterErrorSelection(document, copy, error);
    result.message = Message{
        std::string("Missing tag delimiter!\n\nLook for a missing '") + error.missing + "'\nwithin the hilighted text.",
        std::string(kTitle), Buttons::Ok, Icon::Warning, 0};
    return result;
}

// Tag names in small letters, "!DOCTYPE" in capitals; attributes, comments
// and PHP blocks are left as they are.
void normalizeNameCase(std::string& copy, const std::vector<TagSpan>& tags) {
    for (const TagSpan& tag : tags) {
        if (tag.kind != TagSpan::Kind::Element) continue;
        const std::string_view name = tagName(copy, tag);
        char* first = copy.data() + tag.start + 1;
        if (equalsIgnoringAsciiCase(name, kDoctype))
            std::memcpy(first, kDoctype.data(), kDoctype.size());
        else
            for (std::size_t i = 0; i < name.size(); ++i) first[i] = toLowerAscii(first[i]);
    }
}

bool isDeclaration(std::string_view copy, const TagSpan& tag) {
    return copy[static_cast<std::size_t>(tag.start) + 1] == '!';
}

// The TABs in front of each tag. Every tag after the first goes one level
// deeper unless it closes an element; every tag that opens no element gives
// its level back afterwards. Declarations and comments stand at the margin.
std::vector<int> tagIndents(std::string_view copy, const std::vector<TagSpan>& tags) {
    std::vector<int> indents(tags.size());
    long long level = 0;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        if (i > 0 && tags[i].depthEffect >= 0) ++level;
        indents[i] = isDeclaration(copy, tags[i]) || level <= 0 ? 0 : static_cast<int>(level);
        if (tags[i].depthEffect <= 0) --level;
    }
    return indents;
}

bool isLineBreak(char c) { return c == kCR || c == kLF; }

// Appends text without its line breaks. A run of them that stood between two
// bytes that are not blanks (the byte before the text is the last one
// written) becomes one space, so the words a browser shows stay apart; a run
// that ends the text is left to the line end the layout writes after it.
void appendWithoutLineBreaks(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!isLineBreak(text[i])) {
            ++i;
            continue;
        }
        out.append(text, from, i - from);
        while (i < text.size() && isLineBreak(text[i])) ++i;
        from = i;
        if (i < text.size() && !out.empty() && !isAsciiBlank(out.back()) && !isAsciiBlank(text[i])) out += ' ';
    }
    out.append(text, from, text.size() - from);
}

bool isBlank(std::string_view text) { return std::all_of(text.begin(), text.end(), isAsciiBlank); }

// Script or style content as its own lines: the blanks after its last line
// break (or all of it, when it holds only blanks) are the closing tag's
// indentation, which the layout writes anew.
void appendCode(std::string& out, std::string_view content) {
    const std::size_t lastBreak = content.rfind(kLF);
    const std::size_t lastLine = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    const std::string_view tail = content.substr(lastLine);
    const bool tailIsIndent = std::all_of(tail.begin(), tail.end(), [](char c) { return c == ' ' || c == kTab; });
    out.append(tailIsIndent ? content.substr(0, lastLine) : content);
}

// CR LF, unless the line already ends with one (content that brought its own).
void endLine(std::string& out) {
    constexpr std::string_view kLineBreak = "\r\n";
    if (!std::string_view(out).ends_with(kLineBreak)) out += kLineBreak;
}

// One line per tag: its TABs, the tag, and the text up to the next tag
// without its line breaks. Text in front of the first tag that is not blank
// gets a line of its own, so none of the user's text is lost.
//
// The content of script and style follows its opening tag with its own line
// breaks and ends with one, so that the closing tag starts a line at its own
// level. The content of textarea and pre is written as it is, and its
// closing tag follows it directly: a browser would show any byte added there.
// Content or a PHP block that runs to the end of the text ends it as it is.
void writeLayout(std::string& out, std::string_view text, const std::vector<TagSpan>& tags,
                 const std::vector<int>& indents) {
    const std::size_t firstTag = tags.empty() ? text.size() : static_cast<std::size_t>(tags.front().start);
    if (!isBlank(text.substr(0, firstTag))) {
        appendWithoutLineBreaks(out, text.substr(0, firstTag));
        endLine(out);
    }
    bool continuesLine = false;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const std::size_t start = static_cast<std::size_t>(tags[i].start);
        const std::size_t end = static_cast<std::size_t>(tags[i].end) + 1;
        const bool last = i + 1 == tags.size();
        const std::size_t next = last ? text.size() : static_cast<std::size_t>(tags[i + 1].start);
        const std::string_view after = text.substr(end, next - end);
        if (!continuesLine) out.append(static_cast<std::size_t>(indents[i]), kTab);
        out.append(text, start, end - start);
        continuesLine = false;
        if (last && (!tags[i].closed || tags[i].content != ElementContent::None)) {
            out.append(after);
            break;
        }
        switch (tags[i].content) {
        case ElementContent::None:
            appendWithoutLineBreaks(out, after);
            break;
        case ElementContent::Code:
            appendCode(out, after);
            break;
        case ElementContent::Shown:
            out.append(after);
            continuesLine = true;
            break;
        }
        if (!continuesLine) endLine(out);
    }
}

}  // namespace

std::optional<Message> HtmlFormatter::bookmarkWarning(bool bConfirm, int nBookmarks) {
    if (!bConfirm || nBookmarks <= 0) return std::nullopt;
    return Message{"All Bookmarks will be lost!\n\nThey can be recovered after Undo.", std::string(kTitle),
                   Buttons::OkCancel, Icon::Warning, 1};
}

HtmlFormatResult HtmlFormatter::format(std::string_view document) const {
    // Tag offsets are ints, as the edit control's are.
    if (document.size() > static_cast<std::size_t>(kMaxTextLength))
        return outOfMemory(kCopyMemoryText);
    try {
        return formatCopy(document, normalizedHtmlCopy(document));
    } catch (const std::bad_alloc&) {
        return outOfMemory(kCopyMemoryText);
    }
}

HtmlFormatResult HtmlFormatter::formatCopy(std::string_view document, std::string copy) const {
    TagScanResult scan = scanTags(copy);
    if (scan.error) return missingDelimiter(document, copy, *scan.error);
    std::vector<TagSpan>& tags = scan.tags;
    normalizeNameCase(copy, tags);

    HtmlFormatResult result;
    result.census = takeCensus(copy, tags, scan.comments);
    const std::vector<int> indents = tagIndents(copy, tags);

    // Every byte of the copy at most once, each tag's TABs and CR LF, and the
    // CR LF of the line that keeps any text in front of the first tag.
    std::size_t bound = copy.size() + 2 * tags.size() + 2;
    for (const int indent : indents) bound += static_cast<std::size_t>(indent);
    if (bound > maxResultBytes_) return outOfMemory(kResultMemoryText);
    std::string& out = result.text;
    try {
        out.reserve(bound);
    } catch (const std::bad_alloc&) {
        return outOfMemory(kResultMemoryText);
    }

    writeLayout(out, copy, tags, indents);
    return result;
}

}  // namespace tagloom
