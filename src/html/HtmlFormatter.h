#pragma once
// HTML Format: the whole document re-laid out, one tag to a line, indented
// with TABs by nesting depth, tag names in small letters, followed by a census
// of the opening tags.
//
// Tags are read as readTags finds them: comments, PHP blocks, quoted
// attribute values and the content of script, style, textarea and pre are
// not mark-up and come through byte for byte (comments lose a space next to
// a line break as the rest does). The formatter works on a copy and returns
// the new text; the view puts it in place of the old one as one undo step.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "commands/CommandRouter.h"
#include "textmodel/Selection.h"
#include "html/TagCensus.h"
#include "platform/Prompter.h"

namespace tagloom {

struct HtmlFormatResult {
    enum class Outcome {
        Formatted,         // replace the document with `text`, caret at 0; then show census.report()
        MissingDelimiter,  // select `selection` in the usual three steps, then show `message`
        OutOfMemory,       // show `message`; the document stays as it is
    };
    Outcome outcome = Outcome::Formatted;
    std::string text;
    Selection selection;
    std::optional<Message> message;
    TagCensus census;
};

class HtmlFormatter {
public:
    // Results beyond this size are refused as too large for memory: deep
    // nesting grows the indentation with the square of the tag count.
    static constexpr std::size_t kDefaultMaxResultBytes = std::size_t{1} << 30;

    explicit HtmlFormatter(std::size_t maxResultBytes = kDefaultMaxResultBytes) : maxResultBytes_(maxResultBytes) {}

    // The question asked before a document with bookmarks loses them; Cancel
    // ends the command. Nothing when there is nothing to ask.
    static std::optional<Message> bookmarkWarning(bool bConfirm, int nBookmarks);

    HtmlFormatResult format(std::string_view document) const;

private:
    // Everything after the white-space passes: tags, names, census, layout.
    HtmlFormatResult formatCopy(std::string_view document, std::string copy) const;

    std::size_t maxResultBytes_;
};

}  // namespace tagloom
