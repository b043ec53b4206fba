#include "search/FindInFilesCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/FilePaths.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kTitle = "Tagloom - Find in Files";

}  // namespace

FindInFilesCommands::FindInFilesCommands(EditorView& view, EditorSettings& settings, Platform& platform,
                                         CommandRouter& router)
    : view_(view), settings_(settings), platform_(platform) {
    router.add(cmd::FindInFiles, [this] { FindInFiles(); });
}

FindInFilesForm FindInFilesCommands::initialForm() {
    FindInFilesForm form;
    form.matchCase = settings_.bFifMatchCase != 0;
    form.wholeWord = settings_.bFifMatchWhole != 0;
    form.depth = settings_.subfolderDepth;
    form.fileSpec = settings_.strFifType;
    const EditControl& control = view_.control();
    form.findText = control.selection().empty() ? strFifFind : toUtf8(control.selectedText(), control.encoding());
    form.folder = strFifFolder.empty() ? folderOf(view_.documentPath()) : strFifFolder;
    return form;
}

void FindInFilesCommands::keep(const FindInFilesForm& form) {
    settings_.bFifMatchCase = form.matchCase;
    settings_.subfolderDepth = form.depth;
    settings_.bFifMatchWhole = form.wholeWord;
    settings_.strFifType = form.fileSpec;
    strFifFind = form.findText;
    strFifFolder = form.folder;
}

void FindInFilesCommands::FindInFiles() {
    if (!windows_) return;
    FindInFilesForm form = initialForm();
    for (;;) {
        const std::optional<FindInFilesForm> entered = windows_->ask(form);
        if (!entered) return;
        form = *entered;
        keep(form);
        if (!form.folder.empty() && !form.fileSpec.empty() && !form.findText.empty()) break;
        platform_.prompter.ask({"Some entries are blank!", kTitle, Buttons::Ok, Icon::Warning, 0});
    }
    if (form.folder.back() != '/') form.folder += '/';

    FindInFilesRequest request;
    request.folder = form.folder;
    request.fileSpec = form.fileSpec;
    request.findText = form.findText;
    request.matchCase = form.matchCase;
    request.wholeWord = form.wholeWord;
    request.depth = form.depth;
    const FindInFilesResult result = windows_->search(request);
    switch (result.outcome) {
    case FindInFilesResult::Outcome::Cancelled: return;
    case FindInFilesResult::Outcome::Failed:
        platform_.prompter.ask({result.error, kTitle, Buttons::Ok, Icon::Warning, 0});
        return;
    case FindInFilesResult::Outcome::Found:
        windows_->showResults(kTitle, result.text, [this, &result](int at) { GoTo(result.text, at); });
        return;
    }
}

void FindInFilesCommands::GoTo(const std::string& results, int at) {
    const std::optional<FoundPlace> place = foundPlaceAt(results, at);
    if (!place) {
        platform_.desktop.beep();
        return;
    }
    if (startNewEditor_)
        startNewEditor_({place->path, "/iss" + std::to_string(place->start), "/isa" + std::to_string(place->end)},
                        kTitle);
}

}  // namespace tagloom
