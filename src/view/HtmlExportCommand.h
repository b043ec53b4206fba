#pragma once
// File > Export as HTML: the document written as an HTML page that shows it
// in its syntax colours, to a file the user names; the document itself and
// its file stay as they are.
#include <string>

namespace tagloom {

class CHemlowHTMLDoc;
class CHemlowHTMLView;
class CommandRouter;
struct Platform;

class HtmlExportCommand {
public:
    HtmlExportCommand(CHemlowHTMLView& view, CHemlowHTMLDoc& document, Platform& platform, CommandRouter& router);

    void ExportAsHtml();

private:
    void report(const std::string& text);

    CHemlowHTMLView& view_;
    CHemlowHTMLDoc& document_;
    Platform& platform_;
};

}  // namespace tagloom
