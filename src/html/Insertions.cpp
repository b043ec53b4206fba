#include "html/Insertions.h"

#include "resources/CommandIds.h"
#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

constexpr std::string_view kScriptBlock = "<script type=\"text/javascript\">\r\n<!--\r\n//-->\r\n</script>\r\n";
constexpr std::string_view kStyleBlock =
    "<style type=\"text/css\" media=\"screen\">\r\n<!-- /* the following styles are specific to this page */\r\n"
    "-->\r\n</style>\r\n";
constexpr std::string_view kCommentBlock = "<!-- place HTML comment here -->";
constexpr std::string_view kPhpBasicBlock = "<?php\r\n/* place PHP code here */\r\n?>";
constexpr std::string_view kPhpEchoBlock = "echo <<<_END\r\nplace HTML here\r\n_END;\r\n";

constexpr std::string_view kTableTraceCode =
    "\r\n<style type=\"text/css\">\r\n<!--\r\n"
    "table {border: 2px solid red;}\r\n"
    "table td {border: 1px dashed red;}\r\n"
    "table table {border: 2px solid blue;}\r\n"
    "table td table td {border: 1px dashed blue;}\r\n"
    "table table table {border: 2px solid green;}\r\n"
    "table td table td table td {border: 1px dashed green;}\r\n"
    "-->\r\n</style>\r\n\r\n";

constexpr std::string_view kCssBasicBlock =
    "<style type=\"text/css\" media=\"screen\">\r\n"
    "<!-- /* the following styles are specific to this page */\r\n"
    "body{\r\n"
    "\tfont-family: Verdana, Helvetica, Arial, sans-serif;\r\n"
    "\tline-height: 125%;\r\n"
    "\twidth: 1000px;\r\n"
    "\tmargin: 0;\r\n"
    "\tpadding: 0;\r\n"
    "\tfont-size: 16px;\r\n"
    "\tcolor: black;\r\n"
    "\tbackground-color: white;\r\n"
    "}\r\n"
    "a:link{\r\n"
    "\tcolor: blue;\r\n"
    "}\r\n"
    "a:visited{\r\n"
    "\tcolor: purple;\r\n"
    "}\r\n"
    "a:hover{\r\n"
    "\tcolor: red;\r\n"
    "}\r\n"
    "a:active{ /* must follow a:hover */\r\n"
    "\tcolor: green;\r\n"
    "}\r\n"
    "-->\r\n"
    "</style>\r\n";

// A page skeleton for "Strict" or "Transitional"; the public and system
// identifiers and the namespace are those the XHTML 1.0 standard publishes.
std::string xhtmlPage(const std::string& kind, const std::string& dtd) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 " + kind + "//EN\" "
           "\"http://www.w3.org/TR/xhtml1/DTD/" + dtd + "\">\r\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n"
           "\t<head>\r\n"
           "\t\t<title>An XHTML 1.0 " + kind + " standard template\r\n"
           "\t\t</title>\r\n"
           "\t\t<meta http-equiv=\"content-type\" content=\"text/html;charset=utf-8\" />\r\n"
           "\t\t<meta http-equiv=\"Content-Style-Type\" content=\"text/css\" />\r\n"
           "\t\t<meta name=\"generator\" content=\"Tagloom\" />\r\n"
           "\t\t<meta name=\"author\" content=\"Your Name\" />\r\n"
           "\t\t<meta name=\"description\" content=\"Your Content Description\" />\r\n"
           "\t\t<meta name=\"keywords\" content=\"Comma Separated Key Words\" />\r\n"
           "\t</head>\r\n"
           "\t<body>\r\n"
           "\t\t<p>Your HTML " + kind + " standard content here\r\n"
           "\t\t</p>\r\n"
           "\t</body>\r\n"
           "</html>\r\n";
}

}  // namespace

std::optional<std::string_view> fixedBlockText(int commandId) {
    switch (commandId) {
    case cmd::ScriptBlock: return kScriptBlock;
    case cmd::StyleBlock: return kStyleBlock;
    case cmd::CommentBlock: return kCommentBlock;
    case cmd::PhpBasicBlock: return kPhpBasicBlock;
    case cmd::PhpEchoBlock: return kPhpEchoBlock;
    case cmd::CssBasicBlock: return kCssBasicBlock;
    default: return std::nullopt;
    }
}

std::string_view tableTraceCode() { return kTableTraceCode; }

std::optional<std::string_view> xhtmlSkeleton(int commandId) {
    static const std::string strict = xhtmlPage("Strict", "xhtml1-strict.dtd");
    static const std::string transitional = xhtmlPage("Transitional", "xhtml1-transitional.dtd");
    if (commandId == cmd::XhtmlStrict) return strict;
    if (commandId == cmd::XhtmlTransitional) return transitional;
    return std::nullopt;
}

std::optional<std::string_view> characterCode(int commandId) {
    switch (commandId) {
    case cmd::CharAmp: return "&amp;";
    case cmd::CharQuot: return "&quot;";
    case cmd::CharLt: return "&lt;";
    case cmd::CharGt: return "&gt;";
    case cmd::CharNbsp: return "&nbsp;";
    default: return std::nullopt;
    }
}

TagEntry readTagEntry(std::string_view typed) {
    while (!typed.empty() && isTypedBlank(typed.front())) typed.remove_prefix(1);
    while (!typed.empty() && isTypedBlank(typed.back())) typed.remove_suffix(1);
    TagEntry entry;
    for (const char c : typed) entry.value += toLowerAscii(c);
    if (!entry.value.empty() && entry.value.front() == '<') {
        entry.value.erase(0, 1);
        if (!entry.value.empty() && entry.value.back() == '>') entry.value.pop_back();
    }
    if (entry.value.empty())
        entry.beeps = 1;
    else
        for (const char c : entry.value)
            if (!isAsciiLetter(c)) entry.beeps = 2;
    return entry;
}

}  // namespace tagloom
