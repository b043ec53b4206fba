// tagloom-cli: the editor's HTML and CSS text tools and its Replace All for whole
// files, and its Find in Files for folders, from scripts.
#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "CliArguments.h"
#include "PdfCommand.h"
#include "document/FileIO.h"
#include "textmodel/TextLimits.h"
#include "document/LineEnds.h"
#include "html/CharacterTools.h"
#include "html/HtmlFormatter.h"
#include "html/TagPresence.h"
#include "html/TagNavigator.h"
#include "html/TextTools.h"
#include "platform/FilePaths.h"
#include "search/BatchReplace.h"
#include "search/FindInFiles.h"
#include "settings/EditorSettings.h"
#include "syntax/HtmlExport.h"
#include "textmodel/TextEncoding.h"

namespace tagloom::cli {

namespace {

enum ExitStatus { kDone = 0, kRefused = 1, kFailed = 2 };

struct Input {
    std::string name;  // as given, or "standard input"
    LoadedText loaded;
};

void printError(const std::string& name, const std::string& text) {
    std::fprintf(stderr, "tagloom-cli: %s: %s\n", name.c_str(), text.c_str());
}

bool readStandardInput(LoadedText& loaded) {
    std::string bytes;
    char block[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, stdin)) > 0) bytes.append(block, n);
    if (std::ferror(stdin)) return false;
    loaded = toEditorText(bytes);
    return true;
}

bool readInput(const std::string& name, Input& input) {
    input.name = name == "-" ? "standard input" : name;
    if (name == "-") {
        if (readStandardInput(input.loaded)) return true;
        printError(input.name, std::strerror(errno));
        return false;
    }
    ReadResult read = readTextFile(name);
    if (!read.ok) {
        printError(name, read.error);
        return false;
    }
    input.loaded = std::move(read.loaded);
    return true;
}

// A text beyond the edit control's int offsets is refused, as the editor refuses it.
bool acceptLoadedText(const Input& input) {
    if (input.loaded.text.size() <= static_cast<std::size_t>(kMaxTextLength)) return true;
    printError(input.name, "too large: the editor holds texts of up to 2 GB");
    return false;
}

// Stray CRs, dropped by the load, are reported when the text is written.
void reportStrayCarriageReturns(const Input& input) {
    if (const auto notice = strayCarriageReturnNotice(input.loaded.nStrayCRs, input.loaded.bUnixFile))
        printError(input.name, notice->text);
}

bool writeStandardOutput(std::string_view text, bool bUnixFile) {
    const bool written = writeFileBytes(text, bUnixFile, [](std::string_view bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    });
    return written && std::fflush(stdout) == 0;
}

// A text the editor shows in a window, written to standard output as it is
// (its line breaks are the editor's CR LF); says so when it cannot be.
bool printResultText(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return true;
    printError("standard output", std::strerror(errno));
    return false;
}

// A selection as the editor's /iss and /isa switches give it: offsets in the
// file, which for a UNIX file lack the CR of every line break before them.
std::string selectionText(std::string_view text, Selection selection, bool bUnixFile) {
    auto offset = [&](int textOffset) {
        const auto at = static_cast<std::size_t>(textOffset);
        return bUnixFile ? textOffsetToFileOffset(text, at) : at;
    };
    return "selection " + std::to_string(offset(selection.start)) + " " + std::to_string(offset(selection.end));
}

// The find and replace texts in the editor's form, checked once for all inputs.
struct Replacement {
    ReplaceOrder order;
    std::string error;  // empty when the texts are usable
};

Replacement replacementOf(const Arguments& arguments) {
    Replacement replacement;
    if (arguments.command != Command::Replace) return replacement;
    if (!fromUtf8(*arguments.findText, TextEncoding::Utf8) || !fromUtf8(*arguments.replaceText, TextEncoding::Utf8)) {
        replacement.error = "the find and replace texts must be UTF-8";
        return replacement;
    }
    ReplaceOrder& order = replacement.order;
    order.findText = commandLineText(*arguments.findText);
    order.replaceText = commandLineText(*arguments.replaceText);
    order.matchCase = arguments.matchCase;
    order.wholeWord = arguments.wholeWord;
    order.up = arguments.up;
    return replacement;
}

// Replace All on the whole text. False, with the reason printed, when the
// text's encoding cannot hold the find or replace text.
bool runReplace(const ReplaceOrder& order, Input& input, std::string& result, int& replacements) {
    ReplaceOutcome outcome = replaceAllInText(std::move(input.loaded.text), order);
    if (outcome.kind == ReplaceOutcome::Kind::Unencodable) {
        printError(input.name,
                   "left untouched: it is read as Windows-1252, which cannot hold the find or replace text");
        return false;
    }
    replacements = outcome.replacements;
    std::fprintf(stderr, "%d replacements in %s\n", replacements, input.name.c_str());
    result = std::move(outcome.text);
    return true;
}

// Runs the command on the whole text as the editor does with nothing
// selected. False, with the reason printed, when the command refuses the text.
bool runCommand(const Arguments& arguments, Input& input, std::string& result) {
    const std::string& text = input.loaded.text;
    if (arguments.command != Command::HtmlFormat) {
        const TextTool tool = arguments.command == Command::HtmlStrip  ? TextTool::HtmlRemoveWhitespace
                              : arguments.command == Command::CssStrip ? TextTool::CssRemoveWhitespace
                                                                       : TextTool::CssFormat;
        TextToolResult done = runTextTool(tool, text, Selection{});
        if (done.kind == TextToolResult::Kind::OutOfMemory) {
            printError(input.name, done.message->text);
            return false;
        }
        result = done.kind == TextToolResult::Kind::Unchanged ? text : std::move(done.text);
        return true;
    }

    TagNavigator navigator;
    if (!navigator.IsHtmlDocument(text) && !(arguments.anyText && firstTag(text))) {
        printError(input.name, arguments.anyText ? "it holds no tag: HTML Format is not available"
                                                 : "not an HTML document (it holds no \"<HTML\" and \"/HTML>\"): "
                                                   "HTML Format is not available");
        return false;
    }
    HtmlFormatResult formatted = HtmlFormatter().format(text);
    switch (formatted.outcome) {
    case HtmlFormatResult::Outcome::MissingDelimiter:
        printError(input.name, "html-format refused it:\n" + formatted.message->text + "\n" +
                                   selectionText(text, formatted.selection, input.loaded.bUnixFile));
        return false;
    case HtmlFormatResult::Outcome::OutOfMemory:
        printError(input.name, "html-format refused it:\n" + formatted.message->text);
        return false;
    case HtmlFormatResult::Outcome::Formatted:
        break;
    }
    if (arguments.census) {
        const std::string report = formatted.census.header() + "\n" + formatted.census.listing("\n");
        if (arguments.inputs.size() > 1) std::fprintf(stderr, "%s:\n", input.name.c_str());
        std::fwrite(report.data(), 1, report.size(), stderr);
    }
    result = std::move(formatted.text);
    return true;
}

// Hex of Selected Text's body, or ASCII Compatibility's message (with --all
// the clipboard's list), written exactly as the editor shows the text.
ExitStatus writeReport(const Arguments& arguments, const Input& input) {
    const std::string_view text = input.loaded.text;
    std::string report;
    ExitStatus status = kDone;
    if (arguments.command == Command::HexDump) {
        const auto offset = [&](long long value) {
            return static_cast<int>(std::clamp<long long>(value, 0, static_cast<long long>(text.size())));
        };
        Selection selection{0, static_cast<int>(text.size())};
        if (arguments.range) selection = clampedSelection({offset(arguments.range->first), offset(arguments.range->second)}, text);
        if (selection.empty()) {
            printError(input.name, "the selection is empty: there is nothing to dump");
            return kRefused;
        }
        report = hexDump(text.substr(static_cast<std::size_t>(selection.start), static_cast<std::size_t>(selection.length())),
                         selection.start, selection.end)
                     .body;
    } else {
        AsciiReport checked = asciiCompatibility(text);
        const bool compatible = checked.clipboardText.empty();
        report = arguments.all && !compatible ? std::move(checked.clipboardText) : std::move(checked.message.text);
        if (!compatible) status = kRefused;
    }
    return printResultText(report) ? status : kFailed;
}

ExitStatus processInput(const Arguments& arguments, const ReplaceOrder& order, const std::string& name) {
    Input input;
    if (!readInput(name, input) || !acceptLoadedText(input)) return kFailed;
    if (arguments.command == Command::HexDump || arguments.command == Command::AsciiCheck)
        return writeReport(arguments, input);
    std::string result;
    if (arguments.command == Command::Replace) {
        int replacements = 0;
        if (!runReplace(order, input, result, replacements)) return kRefused;
        if (replacements == 0 && arguments.inPlace) return kDone;  // a file with nothing replaced is not rewritten
    } else if (!runCommand(arguments, input, result)) {
        return kRefused;
    }
    reportStrayCarriageReturns(input);
    const bool bUnixFile = input.loaded.bUnixFile;
    if (arguments.output || arguments.inPlace) {
        const std::string& target = arguments.output ? *arguments.output : name;
        const WriteResult written = writeTextFile(target, result, bUnixFile);
        if (!written.ok) {
            printError(target, written.error);
            return kFailed;
        }
        return kDone;
    }
    if (!writeStandardOutput(result, bUnixFile)) {
        printError("standard output", std::strerror(errno));
        return kFailed;
    }
    return kDone;
}

// The folder with one '/' at its end; "/" for the root.
std::string folderPath(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.back() != '/') folder += '/';
    return folder;
}

// Find in Files on FOLDER, its results text to standard output. A FOLDER
// that cannot be read is an error here, where the editor's search would
// report 0 files found: on a command line it is most likely a typing slip.
ExitStatus findInFolder(const Arguments& arguments) {
    FindInFilesRequest request;
    request.folder = folderPath(arguments.inputs.front());
    request.fileSpec = arguments.fileSpec.value_or("*.htm?");
    request.findText = *arguments.findText;
    request.matchCase = arguments.matchCase;
    request.wholeWord = arguments.wholeWord;
    request.depth = arguments.depth.value_or(0);
    if (DIR* folder = ::opendir(request.folder.c_str())) {
        ::closedir(folder);
    } else {
        printError(arguments.inputs.front(), std::strerror(errno));
        return kFailed;
    }
    const FindInFilesResult found = findInFiles(request);
    if (found.outcome != FindInFilesResult::Outcome::Found) {
        std::fprintf(stderr, "tagloom-cli: %s\n", found.error.c_str());
        return kFailed;
    }
    return printResultText(found.text) ? kDone : kFailed;
}

// The language the editor colours a file's text in.
SyntaxLanguage languageOf(const std::string& name, std::string_view text) {
    return syntaxLanguageFor(name == "-" ? std::string() : name, TagNavigator().IsHtmlDocument(text));
}

// Export as HTML, to OUT or standard output.
ExitStatus writeHighlighted(const Arguments& arguments) {
    Input input;
    const std::string name = arguments.inputs.empty() ? "-" : arguments.inputs.front();
    if (!readInput(name, input) || !acceptLoadedText(input)) return kFailed;
    reportStrayCarriageReturns(input);
    const std::string_view text = input.loaded.text;
    HtmlExportOptions options;
    options.title = name == "-" ? input.name : fileNameOf(name);
    options.charset = encodingOf(text) == TextEncoding::Utf8 ? "utf-8" : "windows-1252";
    options.tabWidth = EditorSettings{}.nTabChars;
    const SyntaxLanguage language = languageOf(name, text);
    if (!arguments.output) {
        const bool written = writeColouredPage(text, language, options, [](std::string_view bytes) {
            return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        });
        if (written && std::fflush(stdout) == 0) return kDone;
        printError("standard output", std::strerror(errno));
        return kFailed;
    }
    const WriteResult written = writeFile(
        *arguments.output,
        [&](const ByteSink& sink) { return writeColouredPage(text, language, options, sink); },
        saveBackupFolder());
    if (written.ok) return kDone;
    printError(*arguments.output, written.error);
    return kFailed;
}

// Print on the PDF writer, FILE's name in the header.
ExitStatus printToPdfFile(const Arguments& arguments) {
    Input input;
    const std::string& name = arguments.inputs.front();
    if (!readInput(name, input) || !acceptLoadedText(input)) return kFailed;
    if (input.loaded.text.empty()) {
        printError(input.name, "the file is empty: there is nothing to print");
        return kRefused;
    }
    reportStrayCarriageReturns(input);
    PdfRequest request;
    request.text = std::move(input.loaded.text);
    request.title = fileNameOf(name);
    request.lineNumbers = arguments.lineNumbers;
    request.header = !arguments.noHeader;
    request.footer = !arguments.noFooter;
    request.landscape = arguments.landscape;
    request.language = languageOf(name, request.text);
    request.output = *arguments.output;
    const PdfOutcome outcome = printPdf(std::move(request));
    switch (outcome.kind) {
    case PdfOutcome::Kind::Written: return kDone;
    case PdfOutcome::Kind::NoRoom:
        printError(input.name, "the page margins leave no room for the text: nothing printed");
        return kRefused;
    case PdfOutcome::Kind::Failed: break;
    }
    printError(*arguments.output, outcome.error);
    return kFailed;
}

int run(const std::vector<std::string>& args) {
    const ParseResult parsed = parseArguments(args);
    if (parsed.arguments.help) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return kDone;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "tagloom-cli: %s\n%s", parsed.error.c_str(), kUsage);
        return kFailed;
    }
    if (parsed.arguments.command == Command::FindInFiles) return findInFolder(parsed.arguments);
    if (parsed.arguments.command == Command::Pdf) return printToPdfFile(parsed.arguments);
    if (parsed.arguments.command == Command::Highlight) return writeHighlighted(parsed.arguments);
    Arguments arguments = parsed.arguments;
    const Replacement replacement = replacementOf(arguments);
    if (!replacement.error.empty()) {
        std::fprintf(stderr, "tagloom-cli: %s\n", replacement.error.c_str());
        return kFailed;
    }
    if (arguments.inputs.empty()) arguments.inputs.push_back("-");
    int status = kDone;
    for (const std::string& name : arguments.inputs)
        status = std::max(status, static_cast<int>(processInput(arguments, replacement.order, name)));
    return status;
}

}  // namespace

}  // namespace tagloom::cli

int main(int argc, char** argv) { return tagloom::cli::run(std::vector<std::string>(argv + 1, argv + argc)); }
