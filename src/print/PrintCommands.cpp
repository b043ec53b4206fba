#include "print/PrintCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "print/PrintFramework.h"
#include "print/PrintJob.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kPrepareTitle = "Prepare Printing";

}  // namespace

PrintCommands::PrintCommands(EditorView& view, const EditorSettings& settings, Platform& platform,
                             CommandRouter& router, std::function<std::string()> title,
                             std::function<SyntaxLanguage()> language)
    : view_(view), settings_(settings), platform_(platform), title_(std::move(title)), language_(std::move(language)) {
    const auto printable = [this](CommandState& s) { s.enabled = framework_ && view_.control().length() != 0; };
    router.add(cmd::Print, [this] { OnFilePrint(); }, printable);
    router.add(cmd::PrintPreview, [this] { OnFilePrintPreview(); }, printable);
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::attach(PrintFramework& framework, std::function<PageValues()> pageValues) {
    framework_ = &framework;
    pageValues_ = std::move(pageValues);
}

std::unique_ptr<PrintJob> PrintCommands::Prepare() {
    const PageValues page = pageValues_();
    PrintOptions options = PrintOptions::from(settings_);
    if (settings_.bPrintColor) options.language = language_();
    auto job = std::make_unique<PrintJob>(std::string(view_.text()),
                                          unmarkedTitle(title_(), view_.control().getModify()), options, page);
    PrintDevice* printer = framework_->startPrinter(page);
    if (!printer) {
        platform_.prompter.ask({"Problem with Device Context", kPrepareTitle, Buttons::Ok, Icon::Error, 0});
        return nullptr;
    }
    {
        BusyCursor busy(platform_.desktop);
        job->Prepare(*printer);
    }
    if (!job->hasRoomForText()) {
        platform_.prompter.ask(
            {"The page margins leave no room for the text.", kPrepareTitle, Buttons::Ok, Icon::Error, 0});
        return nullptr;
    }
    if (job->pageCount() == 0) return nullptr;
    return job;
}

void PrintCommands::OnFilePrint() {
    if (auto job = Prepare()) framework_->print(*job);
}

void PrintCommands::OnFilePrintPreview() {
    if (auto job = Prepare()) framework_->preview(*job);
}

}  // namespace tagloom
