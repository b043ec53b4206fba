#pragma once
// HTML Remove Whitespace, CSS Remove Whitespace and CSS Format: byte-by-byte
// rewrites of the selection, or of the whole document when nothing is
// selected. The two CSS tools copy comments, quoted strings and url(…)
// values as they are: a ';' in "a;b.png" is no declaration's end, and the
// spaces of content: "  " are what the page shows.
#include <optional>
#include <string>
#include <string_view>

#include "commands/CommandRouter.h"
#include "textmodel/Selection.h"
#include "platform/Prompter.h"

namespace tagloom {

enum class TextTool { HtmlRemoveWhitespace, CssRemoveWhitespace, CssFormat };

// The tool's menu text, which says whether the selection or the whole file
// is rewritten.
std::string textToolMenuText(TextTool tool, bool hasSelection);

// `next` is the byte that follows the input in the document, or '\0' when the
// input runs to the end of the text.

// TABs and CRs dropped, LFs too when bCss; a space followed by another space
// dropped, so a run keeps its last one. With bCss, CR LF is appended unless
// next is a CR, and the stretches of CssStretches.h are kept whole.
std::string removeWhitespace(std::string_view input, char next, bool bCss);

// Every byte kept; CR LF and a TAB after each '{'; CR LF after each ';', and a
// TAB unless a '}' follows it; CR LF CR LF after each '}'; none in the
// stretches of CssStretches.h.
std::string formatCss(std::string_view input, char next);

struct TextToolResult {
    enum class Kind {
        Unchanged,         // an empty document: nothing happens
        ReplaceSelection,  // replace the selection with `text` (an ordinary, undoable replacement),
                           // then caret at `selection.start` and select `selection`
        ReplaceDocument,   // the whole-text replacement step with `text`, caret at 0
        OutOfMemory,       // show `message`; nothing changes
    };
    Kind kind = Kind::Unchanged;
    std::string text;
    Selection selection;
    std::optional<Message> message;
};

TextToolResult runTextTool(TextTool tool, std::string_view document, Selection selection);

}  // namespace tagloom
