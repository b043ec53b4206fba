#pragma once
// The command line of tagloom-cli.
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace tagloom::cli {

enum class Command { HtmlFormat, HtmlStrip, CssFormat, CssStrip, Replace, HexDump, AsciiCheck, FindInFiles, Pdf, Highlight };

struct Arguments {
    bool help = false;
    Command command = Command::HtmlFormat;
    std::optional<std::string> output;  // -o OUT
    bool inPlace = false;               // -i
    bool census = false;                // --census
    bool anyText = false;               // --any-text
    // replace: the texts as given (UTF-8, escapes not yet read) and the options;
    // find-in-files: --find, --match-case and --whole-word, its bytes as given
    std::optional<std::string> findText;     // --find
    std::optional<std::string> replaceText;  // --with
    bool matchCase = false;                  // --match-case
    bool wholeWord = false;                  // --whole-word
    bool up = false;                         // --up
    // hexdump: the selection --range START END, all of the text without it
    std::optional<std::pair<long long, long long>> range;
    bool all = false;  // ascii-check --all
    // find-in-files: the file-name pattern and the depth of sub-folders
    std::optional<std::string> fileSpec;  // --spec
    std::optional<int> depth;             // --depth
    // pdf: what the printed pages show, and their orientation
    bool lineNumbers = false;  // --line-numbers
    bool noHeader = false;     // --no-header
    bool noFooter = false;     // --no-footer
    bool landscape = false;    // --landscape
    std::vector<std::string> inputs;    // "-" is standard input; none means standard input
};

struct ParseResult {
    Arguments arguments;
    std::string error;  // empty when the command line is good
};

ParseResult parseArguments(const std::vector<std::string>& args);

extern const char* const kUsage;
// Printed after the usage line by --help.
extern const char* const kHelp;

}  // namespace tagloom::cli
