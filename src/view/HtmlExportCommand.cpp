#include "view/HtmlExportCommand.h"

#include "commands/CommandRouter.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/FileIO.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "syntax/HtmlExport.h"
#include "view/CHemlowHTMLView.h"

namespace tagloom {

namespace {

constexpr const char* kTitle = "Tagloom - Export as HTML";

}  // namespace

HtmlExportCommand::HtmlExportCommand(CHemlowHTMLView& view, CHemlowHTMLDoc& document, Platform& platform,
                                     CommandRouter& router)
    : view_(view), document_(document), platform_(platform) {
    router.add(cmd::ExportHtml, [this] { ExportAsHtml(); });
}

void HtmlExportCommand::ExportAsHtml() {
    const std::string& path = document_.GetPathName();
    const std::string name = path.empty() ? std::string("Untitled") : fileNameOf(path);
    FileDialogRequest request;
    request.title = kTitle;
    request.folder = path.empty() ? document_.saveDirStr : folderOf(path);
    request.fileName = name + ".html";
    request.filters = {{"HTML Files ( *.html *.htm )", {"*.html", "*.htm"}}, {"All Files ( *.* )", {"*.*"}}};
    const auto chosen = document_.chooseSavePath(request, [](int) { return std::string(".html"); });
    if (!chosen) return;
    // The page must never take the place of the text it shows.
    if (!path.empty() && samePath(chosen->path, path)) {
        report(fileNameOf(path) + "\nis the document itself: choose another name for the page.");
        return;
    }

    HtmlExportOptions options;
    options.title = name;
    options.charset = view_.control().encoding() == TextEncoding::Utf8 ? "utf-8" : "windows-1252";
    options.tabWidth = view_.settings().nTabChars;
    WriteResult written;
    {
        BusyCursor busy(platform_.desktop);
        const std::string_view text = view_.text();
        const SyntaxLanguage language = view_.syntax().language();
        written = writeFile(
            chosen->path, [&](const ByteSink& sink) { return writeColouredPage(text, language, options, sink); },
            saveBackupFolder());
    }
    if (!written.ok) report(written.error);
}

void HtmlExportCommand::report(const std::string& text) {
    platform_.prompter.ask({text, kTitle, Buttons::Ok, Icon::Error, 0});
}

}  // namespace tagloom
