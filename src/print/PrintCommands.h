#pragma once
// Print and Print Preview: the document laid out on the page setup's pages
// with the settings' printing font, header, footer and line numbers, then
// handed to the printing framework. Both are enabled only while the text is
// not empty and a framework is attached.
#include <functional>
#include <memory>
#include <string>

#include "platform/PrintDialogs.h"
#include "syntax/SyntaxLanguage.h"

namespace tagloom {

class CommandRouter;
class EditorView;
class PrintFramework;
class PrintJob;
struct EditorSettings;
struct Platform;

class PrintCommands {
public:
    // `title` gives the document's title as the window shows it, `language`
    // the language its text is coloured in on the screen.
    PrintCommands(EditorView& view, const EditorSettings& settings, Platform& platform, CommandRouter& router,
                  std::function<std::string()> title, std::function<SyntaxLanguage()> language);
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;
    ~PrintCommands();

    // From now on printing goes through `framework`, on the page setup that `pageValues` gives.
    void attach(PrintFramework& framework, std::function<PageValues()> pageValues);

    void OnFilePrint();
    void OnFilePrintPreview();

private:
    // The job laid out on the printer printing starts with; none, after
    // telling the user why when there is a reason to tell, when it cannot print.
    std::unique_ptr<PrintJob> Prepare();

    EditorView& view_;
    const EditorSettings& settings_;
    Platform& platform_;
    std::function<std::string()> title_;
    std::function<SyntaxLanguage()> language_;
    PrintFramework* framework_ = nullptr;
    std::function<PageValues()> pageValues_;
};

}  // namespace tagloom
