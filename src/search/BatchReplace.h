#pragma once
// The editor's Replace All on a whole text without a window, as the batch
// tool runs it: the caret at the start of the text (at its end searching up),
// Find Next once and, when that ends on a hit, Replace All, with No for an
// answer to the question of going on from the other end.
#include <string>
#include <string_view>

namespace tagloom {

struct ReplaceOrder {
    // UTF-8, line breaks as the editor holds them (CR LF).
    std::string findText;  // never empty
    std::string replaceText;
    bool matchCase = false;
    bool wholeWord = false;
    bool up = false;
};

struct ReplaceOutcome {
    enum class Kind {
        Done,
        // The text is in Windows-1252 and the find or replace text holds a
        // character that has no byte there: nothing was searched.
        Unencodable,
    };
    Kind kind = Kind::Done;
    int replacements = 0;
    std::string text;  // the text after the replacements; the text given when Unencodable
};

ReplaceOutcome replaceAllInText(std::string text, const ReplaceOrder& order);

// A find or replace text as written on a command line, in the editor's form:
// "\n" and a line break stand for CR LF, "\\" for one backslash; any other
// backslash is itself.
std::string commandLineText(std::string_view argument);

}  // namespace tagloom
