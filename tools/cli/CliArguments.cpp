#include "CliArguments.h"

#include <algorithm>
#include <stdexcept>

namespace tagloom::cli {

const char* const kUsage =
    "usage: tagloom-cli html-format|html-strip|css-format|css-strip [-o OUT | -i] [--census] [--any-text] [FILE...]\n"
    "       tagloom-cli replace --find TEXT --with TEXT [--match-case] [--whole-word] [--up]\n"
    "                           [-o OUT | -i] [FILE...]\n"
    "       tagloom-cli hexdump [--range START END] [FILE]\n"
    "       tagloom-cli ascii-check [--all] [FILE]\n"
    "       tagloom-cli find-in-files --find TEXT [--spec SPEC] [--depth N] [--match-case]\n"
    "                                 [--whole-word] FOLDER\n"
    "       tagloom-cli pdf [--line-numbers] [--no-header] [--no-footer] [--landscape] -o OUT.pdf FILE\n"
    "       tagloom-cli highlight [-o OUT.html] [FILE]\n";

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
    "  find-in-files Find in Files: the results text of the editor's Find in Files\n"
    "                for a FOLDER, to standard output (below)\n"
    "  pdf           Print on the PDF writer: FILE's pages, as the editor prints\n"
    "                them, into OUT.pdf (below)\n"
    "  highlight     Export as HTML: FILE as a page that shows it in the editor's\n"
    "                syntax colours (below)\n"
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
    "  --any-text html-format only: format any text that holds a tag (a '<'\n"
    "             before a letter, '/', '!' or '?'), as the editor does with\n"
    "             \"Use the HTML tools on any text\": a template rarely holds\n"
    "             both \"<html\" and \"/html>\"\n"
    "  --census   html-format only: print the census of the opening tags (the\n"
    "             header and the whole list) to standard error\n"
    "  --find TEXT, --with TEXT, --match-case, --whole-word, --up\n"
    "             replace only: see below\n"
    "  --help     show this text\n"
    "  --         everything after it is a FILE\n"
    "Without -o or -i the results go to standard output, one after the other.\n"
    "\n"
    "html-format leaves alone what is not mark-up: server code (PHP blocks,\n"
    "\"<?\" to \"?>\", and the template markers \"{{\" to \"}}\", \"{%\" to \"%}\",\n"
    "\"{#\" to \"#}\" and \"<%\" to \"%>\" of Twig, Jinja, Liquid, Django, Blade,\n"
    "Handlebars, Vue, EJS, ERB and ASP), quoted attribute values (a quote after\n"
    "'=' to the same quote) and the content of script, style, textarea and pre\n"
    "elements are copied byte for byte, and a '<' or '>' in them, or in a\n"
    "comment, is no tag delimiter. A '>' in text is text; a '<' that no '>'\n"
    "closes is a missing delimiter.\n"
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
    "find-in-files searches every file of FOLDER whose name fits SPEC, and of its\n"
    "sub-folders down to N levels, for the bytes of TEXT, and prints the results\n"
    "exactly as the editor's results window shows them (CR LF line breaks): the\n"
    "count of files with hits and the depth reached, \"Looking For:\" and TEXT,\n"
    "then each folder with hits and, for each of its files with hits, the name and\n"
    "the byte offset of every occurrence (overlapping ones too). The editor opens\n"
    "an occurrence with tagloom FILE /issOFFSET /isaEND.\n"
    "  --find TEXT     the text to find (not empty), searched byte for byte; a\n"
    "                  file's text ends at its first NUL byte\n"
    "  --spec SPEC     the file names searched (default \"*.htm?\"): '*' stands for\n"
    "                  any run of characters, '?' for one, and '?'s at the end may\n"
    "                  stand for none (\"*.htm?\" fits a.htm and a.html); letters\n"
    "                  match in either case\n"
    "  --depth N       the levels of sub-folders searched (default 0: FOLDER alone)\n"
    "  --match-case    upper and lower case differ; without it ASCII letters match\n"
    "                  in either case\n"
    "  --whole-word    only an occurrence with no letter, digit or '_' on either side\n"
    "Folders and files are taken in byte order of their names; links to folders are\n"
    "not followed, links to files are. FOLDER is printed as given (a relative one\n"
    "stays relative), with one '/' at its end.\n"
    "\n"
    "pdf prints FILE exactly as the editor's Print does on the PDF writer, with\n"
    "the user's settings: the printer font size and the editor's font face, word\n"
    "wrap and tab width, and the page setup's paper size and margins. The pages\n"
    "show the header \"file: \" and FILE's name and the footer \"page \" and the\n"
    "page number, and are upright, unless these say otherwise:\n"
    "  --line-numbers  the number of each line in a column at the left\n"
    "  --no-header     no header\n"
    "  --no-footer     no footer\n"
    "  --landscape     the pages lie on their side\n"
    "OUT.pdf is replaced atomically. No display is needed. With \"Syntax Colouring\"\n"
    "and \"Print in colour\" on, the text is coloured as below.\n"
    "\n"
    "highlight writes FILE (standard input when there is none or it is \"-\") as an\n"
    "HTML page, to OUT.html (replaced atomically) or to standard output. The page\n"
    "shows the text in a <pre>, each stretch the editor colours in a <span> whose\n"
    "class names what it is: tag, attr, value, comment, doctype, entity, php\n"
    "(server code: PHP blocks and template markers), keyword, variable, string,\n"
    "number, property, regex; its style sheet gives the editor's light colours,\n"
    "and its dark ones to a reader whose desktop is dark. The language comes from\n"
    "FILE's name: .html .htm .xhtml .php .phtml .shtml are HTML, .css a style\n"
    "sheet, .js .mjs .cjs .json a script; any other text is HTML when it holds\n"
    "\"<html\" and \"/html>\", and plain otherwise. The bytes are copied in FILE's\n"
    "own encoding (UTF-8, or Windows-1252 for a file that is not valid UTF-8),\n"
    "with & < > \" written as references and line breaks as LF.\n"
    "\n"
    "Exit status: 0 when every input was processed (also with no replacement) and\n"
    "when find-in-files ran (also with no file found), 1 when html-format or replace\n"
    "refused an input, when hexdump's selection is empty, when ascii-check found\n"
    "a byte outside ASCII, or when pdf has nothing to print (an empty FILE, or\n"
    "margins that leave no room for text); 2 for a usage error, an empty find text or\n"
    "--spec pattern, a FOLDER that cannot be read, or a file that could not be read\n"
    "or written.\n";

namespace {

std::optional<Command> commandNamed(const std::string& name) {
    if (name == "html-format") return Command::HtmlFormat;
    if (name == "html-strip") return Command::HtmlStrip;
    if (name == "css-format") return Command::CssFormat;
    if (name == "css-strip") return Command::CssStrip;
    if (name == "replace") return Command::Replace;
    if (name == "hexdump") return Command::HexDump;
    if (name == "ascii-check") return Command::AsciiCheck;
    if (name == "find-in-files") return Command::FindInFiles;
    if (name == "pdf") return Command::Pdf;
    if (name == "highlight") return Command::Highlight;
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

// A depth of sub-folders: digits only.
std::optional<int> depthOf(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

std::string replaceOptionsError(const Arguments& parsed) {
    if (!parsed.findText) return "replace needs --find TEXT";
    if (parsed.findText->empty()) return "the find text is empty";
    if (!parsed.replaceText) return "replace needs --with TEXT (--with \"\" deletes)";
    return {};
}

std::string findInFilesOptionsError(const Arguments& parsed) {
    if (!parsed.findText) return "find-in-files needs --find TEXT";
    if (parsed.findText->empty()) return "the find text is empty";
    if (parsed.fileSpec && parsed.fileSpec->empty()) return "the --spec pattern is empty";
    if (parsed.replaceText || parsed.up) return "--with and --up go with replace only";
    if (parsed.output || parsed.inPlace || parsed.census || parsed.range || parsed.all)
        return "find-in-files takes no -o, -i, --census, --range or --all";
    if (parsed.inputs.size() != 1 || parsed.inputs.front() == "-") return "find-in-files searches one FOLDER";
    if (parsed.inputs.front().empty()) return "the folder is empty";
    return {};
}

bool hasPdfOptions(const Arguments& parsed) {
    return parsed.lineNumbers || parsed.noHeader || parsed.noFooter || parsed.landscape;
}

std::string highlightOptionsError(const Arguments& parsed) {
    if (parsed.inPlace || parsed.census || parsed.anyText || parsed.findText || parsed.replaceText ||
        parsed.matchCase || parsed.wholeWord || parsed.up || parsed.range || parsed.all || parsed.fileSpec ||
        parsed.depth || hasPdfOptions(parsed))
        return "highlight takes only -o OUT.html and a FILE";
    if (parsed.output && parsed.output->empty()) return "the output file name is empty";
    if (parsed.inputs.size() > 1) return "highlight writes one FILE";
    return {};
}

std::string pdfOptionsError(const Arguments& parsed) {
    if (parsed.inPlace || parsed.census || parsed.findText || parsed.replaceText || parsed.matchCase ||
        parsed.wholeWord || parsed.up || parsed.range || parsed.all || parsed.fileSpec || parsed.depth)
        return "pdf takes only --line-numbers, --no-header, --no-footer, --landscape, -o OUT.pdf and a FILE";
    if (!parsed.output) return "pdf needs -o OUT.pdf";
    if (parsed.output->empty()) return "the output file name is empty";
    if (parsed.inputs.size() != 1 || parsed.inputs.front() == "-") return "pdf prints one FILE";
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
        } else if (arg == "--any-text") {
            parsed.anyText = true;
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
        } else if (arg == "--line-numbers") {
            parsed.lineNumbers = true;
        } else if (arg == "--no-header") {
            parsed.noHeader = true;
        } else if (arg == "--no-footer") {
            parsed.noFooter = true;
        } else if (arg == "--landscape") {
            parsed.landscape = true;
        } else if (arg == "--spec") {
            if (i + 1 == args.size()) {
                result.error = "--spec needs a file-name pattern";
                return result;
            }
            if (parsed.fileSpec) {
                result.error = "--spec given twice";
                return result;
            }
            parsed.fileSpec = args[++i];
        } else if (arg == "--depth") {
            if (parsed.depth) {
                result.error = "--depth given twice";
                return result;
            }
            parsed.depth = i + 1 < args.size() ? depthOf(args[++i]) : std::nullopt;
            if (!parsed.depth) {
                result.error = "--depth takes a whole number from 0 to 999999999";
                return result;
            }
        } else {
            result.error = "unknown option \"" + arg + "\"";
            return result;
        }
    }

    if (parsed.command == Command::Pdf) {
        result.error = pdfOptionsError(parsed);
        return result;
    }
    if (parsed.command == Command::Highlight) {
        result.error = highlightOptionsError(parsed);
        return result;
    }
    if (hasPdfOptions(parsed)) {
        result.error = "--line-numbers, --no-header, --no-footer and --landscape go with pdf only";
        return result;
    }
    if (parsed.command == Command::FindInFiles) {
        result.error = findInFilesOptionsError(parsed);
        return result;
    }
    const bool readsStdin =
        parsed.inputs.empty() || std::find(parsed.inputs.begin(), parsed.inputs.end(), "-") != parsed.inputs.end();
    if (parsed.fileSpec || parsed.depth)
        result.error = "--spec and --depth go with find-in-files only";
    else if (parsed.output && parsed.inPlace)
        result.error = "-o and -i cannot be used together";
    else if (parsed.output && parsed.inputs.size() > 1)
        result.error = "-o takes one input only";
    else if (parsed.inPlace && readsStdin)
        result.error = "-i needs files: standard input cannot be written back";
    else if (std::count(parsed.inputs.begin(), parsed.inputs.end(), "-") > 1)
        result.error = "standard input can be read only once";
    else if (parsed.census && parsed.command != Command::HtmlFormat)
        result.error = "--census goes with html-format only";
    else if (parsed.anyText && parsed.command != Command::HtmlFormat)
        result.error = "--any-text goes with html-format only";
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
