#include "CliArguments.h"

#include <algorithm>

namespace tagloom::cli {

const char* const kUsage =
    "usage: tagloom-cli html-format|html-strip|css-format|css-strip [-o OUT | -i] [--census] [FILE...]\n";

const char* const kHelp =
    "\n"
    "Runs one of Tagloom's text tools on whole files, exactly as the editor does\n"
    "when it opens the file, runs the command with nothing selected and saves:\n"
    "\n"
    "  html-format   HTML Format: one tag per line, indented with TABs by nesting\n"
    "                depth, tag names in small letters\n"
    "  html-strip    HTML Remove Whitespace: TABs and CRs removed, runs of spaces\n"
    "                cut to one; line breaks kept\n"
    "  css-format    CSS Format: a line break after every '{', ';' and '}'\n"
    "  css-strip     CSS Remove Whitespace: TABs and line breaks removed, runs of\n"
    "                spaces cut to one, one line break at the end\n"
    "\n"
    "Each FILE is read (standard input when there is none or it is \"-\"), its line\n"
    "ends converted as the editor's load does, and the result written in the\n"
    "input's own line-end form (LF or CR LF).\n"
    "\n"
    "  -o OUT     write the result to OUT (one input only); OUT is replaced\n"
    "             atomically\n"
    "  -i         write each result back to its FILE, atomically; a file the\n"
    "             command refuses is left untouched and the others are processed\n"
    "  --census   html-format only: print the census of the opening tags (the\n"
    "             header and the whole list) to standard error\n"
    "  --help     show this text\n"
    "  --         everything after it is a FILE\n"
    "Without -o or -i the results go to standard output, one after the other.\n"
    "\n"
    "html-format leaves alone what is not mark-up: PHP blocks (\"<?\" to \"?>\"),\n"
    "quoted attribute values (a quote after '=' to the same quote) and the\n"
    "content of script, style, textarea and pre elements are copied byte for\n"
    "byte, and a '<' or '>' in them, or in a comment, is no tag delimiter.\n"
    "\n"
    "html-format refuses a text that the editor would not format: one that is not\n"
    "an HTML document (it needs \"<HTML\" and \"/HTML>\", in any case) or one with a\n"
    "missing tag delimiter. It then prints the editor's message and\n"
    "\"selection START END\" on standard error: the stretch the editor would\n"
    "highlight, in the offsets that the editor's /iss and /isa switches take\n"
    "(tagloom FILE /issSTART /isaEND opens the file with it selected).\n"
    "\n"
    "Exit status: 0 when every input was processed, 1 when html-format refused an\n"
    "input, 2 for a usage error or a file that could not be read or written.\n";

namespace {

std::optional<Command> commandNamed(const std::string& name) {
    if (name == "html-format") return Command::HtmlFormat;
    if (name == "html-strip") return Command::HtmlStrip;
    if (name == "css-format") return Command::CssFormat;
    if (name == "css-strip") return Command::CssStrip;
    return std::nullopt;
}

}  // namespace

ParseResult parseArguments(const std::vector<std::string>& args) {
    ParseResult result;
    Arguments& parsed = result.arguments;
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        parsed.help = true;
        return result;
    }
    if (args.empty()) {
        result.error = "no command given";
        return result;
    }
    const auto command = commandNamed(args[0]);
    if (!command) {
        result.error = "unknown command \"" + args[0] + "\"";
        return result;
    }
    parsed.command = *command;

    bool onlyFiles = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
            parsed.inputs.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "-o") {
            if (i + 1 == args.size()) {
                result.error = "-o needs a file name";
                return result;
            }
            if (parsed.output) {
                result.error = "-o given twice";
                return result;
            }
            parsed.output = args[++i];
        } else if (arg == "-i") {
            parsed.inPlace = true;
        } else if (arg == "--census") {
            parsed.census = true;
        } else {
            result.error = "unknown option \"" + arg + "\"";
            return result;
        }
    }

    const bool readsStdin =
        parsed.inputs.empty() || std::find(parsed.inputs.begin(), parsed.inputs.end(), "-") != parsed.inputs.end();
    if (parsed.output && parsed.inPlace)
        result.error = "-o and -i cannot be used together";
    else if (parsed.output && parsed.inputs.size() > 1)
        result.error = "-o takes one input only";
    else if (parsed.inPlace && readsStdin)
        result.error = "-i needs files: standard input cannot be written back";
    else if (std::count(parsed.inputs.begin(), parsed.inputs.end(), "-") > 1)
        result.error = "standard input can be read only once";
    else if (parsed.census && parsed.command != Command::HtmlFormat)
        result.error = "--census goes with html-format only";
    return result;
}

}  // namespace tagloom::cli
