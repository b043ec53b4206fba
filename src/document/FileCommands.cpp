#include "document/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/FileIO.h"
#include "document/SendCopies.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kDeleteTitle = "Tagloom Delete File";

}  // namespace

FileCommands::FileCommands(EditorView& view, const EditorSettings& settings, CHemlowHTMLDoc& document,
                           Platform& platform, CommandRouter& router)
    : view_(view), settings_(settings), document_(document), platform_(platform) {
    router.add(cmd::DeleteFile, [this] { DeleteFile(); },
               [this](CommandState& s) { s.enabled = fileExists(document_.GetPathName()); });
    router.add(cmd::ReOpen, [this] { ReOpen(); },
               [this](CommandState& s) { s.enabled = document_.IsModified() && fileExists(document_.GetPathName()); });
    router.add(cmd::ShowInExplorer, [this] { ShowInExplorer(); },
               [this](CommandState& s) { s.enabled = !document_.GetPathName().empty(); });
    router.add(cmd::Send, [this] { Send(); },
               [this](CommandState& s) { s.enabled = view_.control().length() > 0 && mailAvailable(); });
}

std::string FileCommands::documentName() const {
    std::string title = document_.GetTitle();
    if (!title.empty() && title.back() == '*') title.erase(title.size() - std::min<std::size_t>(2, title.size()));
    return title;
}

bool FileCommands::askUnlessConfirmOff(const std::string& text, const std::string& title) {
    if (!settings_.bConfirm) return true;
    return platform_.prompter.ask({text, title, Buttons::YesNoCancel, Icon::Question, 1}) == Answer::Yes;
}

// The file goes to the desktop's trash, from where the user can restore it.
// Whether a trash takes it shows only when it is moved there (there may be
// none on its disk), so where none does, the user is asked again before the
// file is removed for good. A file that cannot be removed stays, and so does
// the command.
void FileCommands::DeleteFile() {
    const std::string path = document_.GetPathName();
    const std::string name = documentName();
    if (!askUnlessConfirmOff("Delete  " + name + "  to the trash?", kDeleteTitle)) return;
    if (platform_.desktop.moveToTrash(path) || !fileExists(path)) return;
    if (!askUnlessConfirmOff("Delete  " + name + "  for good?\nIt cannot be moved to the trash.", kDeleteTitle)) return;
    deleteFile(path);
}

void FileCommands::ReOpen() {
    const std::string path = document_.GetPathName();
    const std::string question = "ReOpen  \" " + fileNameOf(path) + " \"\nand loose all changes " +
                                 (view_.bookmarkCount() != 0 ? "and bookmarks " : "") + "?";
    if (askUnlessConfirmOff(question, "Tagloom ReOpen File")) {
        document_.nSaveCount = 0;
        // A failed read has been reported and leaves the text as it was.
        document_.OnOpenDocument(path);
    }
    view_.ResetUndo();
}

// The report may come after the command has returned: it holds on to the
// platform's services, which outlive every helper, and to copies of the rest.
void FileCommands::ShowInExplorer() {
    const std::string path = document_.GetPathName();
    Platform& platform = platform_;
    platform_.launcher.showInFileManager(path, [&platform, path](const LaunchResult& shown) {
        if (shown.ok)
            platform.clipboard.setText(path);
        else
            platform.prompter.ask({shown.error, "Show in Explorer", Buttons::Ok, Icon::Error, 0});
    });
}

bool FileCommands::mailAvailable() {
    if (!mailAvailable_) mailAvailable_ = platform_.launcher.isProgramAvailable(kMailProgram);
    return *mailAvailable_;
}

// The copy goes to a folder of its own that outlives the command (see
// SendCopies.h); a copy no mail program took is removed at once.
void FileCommands::Send() {
    removeStaleSendCopies(sendCopiesFolder());
    QTemporaryDir folder(QDir::temp().filePath(QString::fromLatin1(kSendFolderPrefix) + QStringLiteral("XXXXXX")));
    Prompter& prompter = platform_.prompter;
    const auto fail = [&prompter](const std::string& text) {
        prompter.ask({text, "Tagloom", Buttons::Ok, Icon::Error, 0});
    };
    if (!folder.isValid()) {
        fail("Send Mail failed to send message.");
        return;
    }
    const std::string name = documentName();
    const std::string copy = QFile::encodeName(folder.path()).toStdString() + "/" + name;
    const WriteResult written = writeTextFile(copy, controlText(view_.control()), view_.unixFile());
    if (!written.ok) {
        fail(written.error);
        return;
    }
    folder.setAutoRemove(false);
    platform_.launcher.runHelper(kMailProgram, {"--subject", name, "--attach", copy},
                                 [fail, folder = folder.path()](const LaunchResult& sent) {
                                     if (sent.ok) return;
                                     QDir(folder).removeRecursively();
                                     fail("Send Mail failed to send message.");
                                 });
}

}  // namespace tagloom
