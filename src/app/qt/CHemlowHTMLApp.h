#pragma once
// The application: opens the settings store, builds the main frame with the
// document and its view, opens the file named on the command line, and runs
// the exit sequence in order.
#include <QObject>
#include <QStringList>
#include <memory>

#include "commands/CommandRouter.h"
#include "document/RecentFileList.h"
#include "platform/qt/QtPlatform.h"

namespace tagloom {

class CMainFrame;
class CHemlowHTMLDoc;
class CHemlowHTMLView;
class EditWidget;
class ViewInput;
class FindDialogHost;
class QtFontFactory;
class QtPrintFramework;
class FileStatusStore;
class NewEditorLauncher;
class QtFindInFilesWindows;
class QtInstanceStarter;
class QtSettingsWindow;
class SettingsCommand;
class FileWatcher;
struct CommandLine;
struct RecoveredText;
class JournalFile;

class CHemlowHTMLApp : public QObject {
    Q_OBJECT
public:
    // `settings` is the store to use; the user's store when none is given.
    explicit CHemlowHTMLApp(std::unique_ptr<SettingsStore> settings = std::make_unique<QtSettingsStore>());
    ~CHemlowHTMLApp() override;

    // Start-up: everything up to the shown main window. `arguments` are the
    // command-line arguments after the program's name.
    bool start(const QStringList& arguments);
    // The exit sequence, after the event loop has ended.
    void exit();
    // Opens files dropped on the window, one after the other.
    void openDroppedFiles(const QStringList& paths);

    Platform& platform() { return qtPlatform_.platform(); }
    CommandRouter& router() { return router_; }
    CMainFrame* frame() const { return frame_.get(); }
    CHemlowHTMLDoc* document() const { return document_.get(); }
    CHemlowHTMLView* view() const { return view_.get(); }
    EditWidget* editWidget() const { return editWidget_; }
    RecentFileList& recentFiles() { return recentFiles_; }
    NewEditorLauncher& newEditors() { return *newEditors_; }
    SettingsCommand& settingsCommand() { return *settingsCommand_; }
    int mruCount() const { return mruCount_; }

private:
    void printSetup();
    void registerCommands();
    void connectStatusBar();
    // Keeps unsaved text in a journal every second, and watches the file on disk.
    void keepTextSafe();
    // Offers the journals of instances that ended unsaved, then opens the
    // command line's file: here, or in an instance of its own when a
    // recovered text took this one.
    void openAtStart(const CommandLine& commandLine);
    void openRecovered(RecoveredText&& recovered, JournalFile&& journal);

    QtPlatform qtPlatform_;
    CommandRouter router_;
    int mruCount_;
    RecentFileList recentFiles_;
    std::unique_ptr<QtFontFactory> fonts_;
    std::unique_ptr<FileStatusStore> fileStatus_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CHemlowHTMLDoc> document_;
    std::unique_ptr<CHemlowHTMLView> view_;
    std::unique_ptr<FindDialogHost> findDialog_;
    std::unique_ptr<QtPrintFramework> printing_;
    std::unique_ptr<QtFindInFilesWindows> findInFilesWindows_;
    std::unique_ptr<QtInstanceStarter> instanceStarter_;
    std::unique_ptr<NewEditorLauncher> newEditors_;
    std::unique_ptr<QtSettingsWindow> settingsWindow_;
    std::unique_ptr<SettingsCommand> settingsCommand_;
    std::unique_ptr<ViewInput> viewInput_;
    std::unique_ptr<FileWatcher> fileWatcher_;
    EditWidget* editWidget_ = nullptr;
    bool exited_ = false;
};

}  // namespace tagloom
