#include "CliArguments.h"

#include <algorithm>
#include <stdexcept>

namespace tagloom::cli {

const char* const kUsage =
    "usage: tagloom-cli html-format|html-strip|css-format|css-strip [-o OUT | -i] [--census] [FILE...]\n"
    "       tagloom-cli replace --find TEXT --with TEXT [--match-case] [--whole-word] [--up]\n"
    "                           [-o OUT | -i] [FILE...]\n"
    "       tagloom-cli hexdump [--range START END] [FILE]\n"
    "       tagloom-cli ascii-check [--all] [FILE]\n";

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
    "  replace       Replace All of the Replace dialog, on the whole text (below)\n"
    "  hexdump       the text of Hex of Selected Text: each byte in hexadecimal, ten\n"
    "                to a row, for the selection START to END (offsets in the text\n"
    "                as the editor holds it, every line break CR LF; the whole text\n"
    "                without --range), to standard output\n"
    "  ascii-check   the message of ASCII Compatibility, to standard output; with\n"
    "                --all the list of every byte that is not printable ASCII, TAB\n"
    "                or a line break, as the editor puts it on the clipboard\n"
    "\n"
    "Each FILE is read (standard input when there is none or it is \"-\"), its line\n"
    "ends converted as the editor's load does, and the result written in the\n"
    "input's own line-end form (LF or CR LF).\n"
    "\n"
    "  -o OUT     write the result to OUT (one input only); OUT is replaced\n"
    "             atomically\n"
    "  -i         write each result back to its FILE, atomically; a file the\n"
    "             command refuses, or where replace replaced nothing, is left\n"
    "             untouched and the others are processed\n"
    "  --census   html-format only: print the census of the opening tags (the\n"
    "             header and the whole list) to standard error\n"
    "  --find TEXT, --with TEXT, --match-case, --whole-word, --up\n"
    "             replace only: see below\n"
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
    "replace does what the editor does when it opens the file, puts the caret at\n"
    "the start of the text (at its end with --up), presses Find Next once in the\n"
    "Replace dialog and, when that selects an occurrence, Replace All, answering\n"
    "No when asked to go on from the other end. So every occurrence from there to\n"
    "the end of the text (to its start with --up) is replaced, a replacement is\n"
    "never searched again, and \"N replacements in FILE\" is printed to standard\n"
    "error. The dialog's options:\n"
    "  --find TEXT     the text to find (not empty)\n"
    "  --with TEXT     its replacement (may be empty)\n"
    "  --match-case    upper and lower case differ; without it, letters match in\n"
    "                  either case (ASCII letters, and in a UTF-8 text the others too)\n"
    "  --whole-word    only an occurrence with no letter, digit or '_' on either\n"
    "                  side; a part of a longer word is passed over\n"
    "  --up            search from the end of the text towards its start\n"
    "Both texts are read as UTF-8. In them \"\\n\" (or a line break) stands for a\n"
    "line break and \"\\\\\" for one backslash. The editor reads a file that is not\n"
    "valid UTF-8 as Windows-1252: the texts are converted to it, and a file that\n"
    "cannot hold them is left untouched, with a message.\n"
    "\n"
    "hexdump and ascii-check read one FILE (standard input when there is none or it\n"
    "is \"-\") and write their text as the editor shows it, with CR LF line breaks.\n"
    "\n"
    "Exit status: 0 when every input was processed (also with no replacement),\n"
    "1 when html-format or replace refused an input, when hexdump's selection is\n"
    "empty, or when ascii-check found a byte outside ASCII; 2 for a usage error, an\n"
    "empty find text, or a file that could not be read or written.\n";

namespace {

std::optional<Command> commandNamed(const std::string& name) {
    if (name == "html-format") return Command::HtmlFormat;
    if (name == "html-strip") return Command::HtmlStrip;
    if (name == "css-format") return Command::CssFormat;
    if (name == "css-strip") return Command::CssStrip;
    if (name == "replace") return Command::Replace;
    if (name == "hexdump") return Command::HexDump;
    if (name == "ascii-check") return Command::AsciiCheck;
    return std::nullopt;
}

// A whole number, sign allowed; nothing for anything else.
std::optional<long long> offsetOf(const std::string& text) {
    std::size_t used = 0;
    try {
        const long long value = std::stoll(text, &used, 10);
        if (used == text.size()) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::string replaceOptionsError(const Arguments& parsed) {
    if (!parsed.findText) return "replace needs --find TEXT";
    if (parsed.findText->empty()) return "the find text is empty";
    if (!parsed.replaceText) return "replace needs --with TEXT (--with \"\" deletes)";
    return {};
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
        } else if (arg == "--find" || arg == "--with") {
            std::optional<std::string>& text = arg == "--find" ? parsed.findText : parsed.replaceText;
            if (i + 1 == args.size()) {
                result.error = arg + " needs a text";
                return result;
            }
            if (text) {
                result.error = arg + " given twice";
                return result;
            }
            text = args[++i];
        } else if (arg == "--match-case") {
            parsed.matchCase = true;
        } else if (arg == "--whole-word") {
            parsed.wholeWord = true;
        } else if (arg == "--up") {
            parsed.up = true;
        } else if (arg == "--range") {
            if (i + 2 >= args.size()) {
                result.error = "--range needs a start and an end offset";
                return result;
            }
            const auto start = offsetOf(args[i + 1]), end = offsetOf(args[i + 2]);
            if (!start || !end) {
                result.error = "--range takes two whole numbers";
                return result;
            }
            parsed.range = {*start, *end};
            i += 2;
        } else if (arg == "--all") {
            parsed.all = true;
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
    else if (parsed.command == Command::Replace)
        result.error = replaceOptionsError(parsed);
    else if (parsed.findText || parsed.replaceText || parsed.matchCase || parsed.wholeWord || parsed.up)
        result.error = "--find, --with, --match-case, --whole-word and --up go with replace only";
    else if (parsed.range && parsed.command != Command::HexDump)
        result.error = "--range goes with hexdump only";
    else if (parsed.all && parsed.command != Command::AsciiCheck)
        result.error = "--all goes with ascii-check only";
    else if ((parsed.command == Command::HexDump || parsed.command == Command::AsciiCheck) &&
             (parsed.output || parsed.inPlace || parsed.census || parsed.inputs.size() > 1))
        result.error = args[0] + " reads one file and writes to standard output";
    return result;
}

}  // namespace tagloom::cli
