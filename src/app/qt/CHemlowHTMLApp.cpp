#include "app/qt/CHemlowHTMLApp.h"

#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "app/CommandLine.h"
#include "app/StartupRecovery.h"
#include "document/FileIO.h"
#include "document/JournalFiles.h"
#include "document/qt/FileWatcher.h"
#include "app/qt/CMainFrame.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/FileStatusStore.h"
#include "document/SendCopies.h"
#include "app/NewEditorLauncher.h"
#include "app/SettingsCommand.h"
#include "app/qt/CAboutDlg.h"
#include "app/qt/InstanceHandover.h"
#include "html/InsertCommands.h"
#include "search/FindInFilesCommands.h"
#include "search/qt/FindInFilesWindows.h"
#include "settings/qt/CSettingsDlg.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextEncoding.h"
#include "platform/qt/QtText.h"
#include "print/PrintCommands.h"
#include "print/qt/QtPrintFramework.h"
#include "resources/CommandIds.h"
#include "view/CHemlowHTMLView.h"
#include "textmodel/qt/EditWidget.h"
#include "search/qt/FindDialogHost.h"
#include "view/qt/QtFontFactory.h"
#include "view/qt/ViewInput.h"
#include "view/qt/ViewPainter.h"

namespace tagloom {

CHemlowHTMLApp::CHemlowHTMLApp(std::unique_ptr<SettingsStore> settings)
    : qtPlatform_(this, [this]() -> QWidget* { return frame_.get(); }, std::move(settings)),
      mruCount_(qtPlatform_.platform().settings.getInt("Settings", "mruCount", 4)),
      recentFiles_(mruCount_),
      fonts_(std::make_unique<QtFontFactory>()),
      fileStatus_(std::make_unique<FileStatusStore>(FileStatusStore::defaultFilePath())) {
    recentFiles_.load(platform().settings);
}

CHemlowHTMLApp::~CHemlowHTMLApp() { exit(); }

bool CHemlowHTMLApp::start(const QStringList& arguments) {
    // Copies that earlier runs left for the mail program and that it has long had.
    removeStaleSendCopies(sendCopiesFolder());
    document_ = std::make_unique<CHemlowHTMLDoc>(platform(), recentFiles_);
    frame_ = std::make_unique<CMainFrame>(platform(), router_, recentFiles_);
    view_ = std::make_unique<CHemlowHTMLView>(platform(), router_, *fonts_, *document_);
    document_->attachView(view_.get());
    view_->setFileStatusStore(fileStatus_.get());

    findDialog_ = std::make_unique<FindDialogHost>(view_->find(), view_->settings(), platform(), frame_.get());
    printing_ = std::make_unique<QtPrintFramework>(platform(), [this]() -> QWidget* { return frame_.get(); });
    view_->printing().attach(*printing_, [this] { return frame_->pageValues(); });
    viewInput_ = std::make_unique<ViewInput>(*view_);
    editWidget_ = new EditWidget(view_->control(), *viewInput_, frame_.get());
    editWidget_->setDecorator([this](QPainter& painter) {
        PaintMargin(painter, *view_, *editWidget_);
        PaintOverlays(painter, *view_);
    });
    editWidget_->setMarker(
        [this](int from, int to, std::vector<Selection>& marked) { MarkedStretches(*view_, from, to, marked); });
    editWidget_->setColourer([this](int from, int to, std::vector<ColouredStretch>& coloured) {
        SyntaxStretches(*view_, *editWidget_, from, to, coloured);
    });
    editWidget_->setContextMenuHandler([this](const QPoint& at) { frame_->popupMenu(144)->exec(at); });
    view_->insertions().setCharacterCodeMenu([this] { frame_->showCharacterCodeMenu(); });
    instanceStarter_ = std::make_unique<QtInstanceStarter>();
    newEditors_ = std::make_unique<NewEditorLauncher>(platform(), *instanceStarter_, [this] {
        const QScreen* screen = frame_->screen();
        return FrameFacts{frame_->normalRect(), {screen->geometry().width(), screen->geometry().height()}};
    });
    settingsWindow_ = std::make_unique<QtSettingsWindow>(platform(), frame_.get());
    settingsCommand_ = std::make_unique<SettingsCommand>(*view_, platform(), router_, mruCount_);
    settingsCommand_->setWindow(settingsWindow_.get());
    findInFilesWindows_ = std::make_unique<QtFindInFilesWindows>(platform(), frame_.get());
    view_->findInFiles().setWindows(findInFilesWindows_.get());
    view_->findInFiles().setNewEditorStarter([this](const std::vector<std::string>& arguments, const std::string& title) {
        return newEditors_->LaunchNewEditor(arguments, title);
    });
    view_->setRepaintHandler([this] { editWidget_->viewport()->update(); });
    view_->setLnColListener([this] { frame_->scheduleIdleUpdate(); });
    view_->setFontListener([this](int charWidth, int lineHeight) { frame_->setViewCharacterSize(charWidth, lineHeight); });
    frame_->setView(editWidget_);
    // Once the user has answered the question to save, nothing unsaved is kept.
    frame_->setCloseGuard([this] {
        if (!document_->SaveModified()) return false;
        view_->journal().discard();
        return true;
    });
    frame_->setDropHandler([this](const QStringList& paths) { openDroppedFiles(paths); });
    document_->setTitleListener([this](const std::string& title) { frame_->setDocumentTitle(title); });
    document_->setActivateListener([this] {
        frame_->raise();
        frame_->activateWindow();
    });
    connectStatusBar();
    registerCommands();
    keepTextSafe();

    std::vector<std::string> args;
    for (const QString& argument : arguments) args.push_back(fromQString(argument));
    const CommandLine commandLine = parseCommandLine(args);
    // Shown first, so that the view has its size when the file's state is
    // restored: scrolling to the selection in a view of no width would leave
    // the text scrolled sideways. Nothing is painted before the file is in.
    frame_->show();
    openAtStart(commandLine);
    editWidget_->setFocus();
    return true;
}

void CHemlowHTMLApp::keepTextSafe() {
    auto* journalTimer = new QTimer(this);
    journalTimer->setInterval(static_cast<int>(RecoveryJournal::kFlushMs));
    connect(journalTimer, &QTimer::timeout, this, [this] { view_->journal().flush(); });
    journalTimer->start();
    // A change while the window is active is asked about at once; one while
    // the user is elsewhere, when the window is activated again.
    fileWatcher_ = std::make_unique<FileWatcher>([this] {
        if (frame_->isActiveWindow()) document_->checkFileOnDisk();
    });
    document_->setOriginListener([this](const std::string& path) { fileWatcher_->watch(path); });
    frame_->setActivationListener([this] { document_->checkFileOnDisk(); });
}

void CHemlowHTMLApp::openAtStart(const CommandLine& commandLine) {
    // A new editor opens beside this window: its placement, which a first
    // run has not stored yet, is where the launcher starts from.
    const auto launch = [this](const std::vector<std::string>& arguments, const std::string& title) {
        frame_->saveWindowState();
        return newEditors_->LaunchNewEditor(arguments, title);
    };
    StartupRecovery recovery(
        platform().prompter,
        {[this](RecoveredText&& recovered, JournalFile&& journal) {
             openRecovered(std::move(recovered), std::move(journal));
         },
         [launch](const std::string& journal) { return launch(recoverArguments(journal), "Tagloom - Recover"); }});
    const bool recovered = commandLine.recoverJournal.empty() ? recovery.offerOrphans(recoveryFolder())
                                                              : recovery.openJournal(commandLine.recoverJournal);
    if (recovered) {
        // The command line's file opens in an editor of its own, unless it is the recovered one.
        if (!commandLine.path.empty() && !samePath(commandLine.path, document_->GetPathName()))
            launch(commandLineArguments(commandLine.path, commandLine.nInitSelStart, commandLine.nInitSelEnd),
                   "Tagloom");
        return;
    }
    bool opened = false;
    if (!commandLine.path.empty()) {
        view_->setInitialSelection(commandLine.nInitSelStart, commandLine.nInitSelEnd);
        opened = document_->OpenDocumentFile(commandLine.path);
        view_->setInitialSelection(0, 0);
    }
    // No file named, or one that could not be opened (it has been reported): an empty document.
    if (!opened) document_->New();
}

void CHemlowHTMLApp::openRecovered(RecoveredText&& recovered, JournalFile&& journal) {
    const JournalHeader& header = recovered.header;
    const DocumentOrigin origin{header.path, header.identity, header.unixFile, header.baseLength, header.baseChecksum};
    document_->adoptRecovered(origin);
    view_->adoptRecovered(std::move(recovered.text), recovered.caret, origin);
    // Kept in this instance's own journal now; where that could not be
    // written, the old one stays for the next start.
    if (view_->journal().file()) journal.remove();
}

// The colour features show a colour in the status bar's background.
void CHemlowHTMLApp::connectStatusBar() {
    auto* flash = new QTimer(this);
    flash->setInterval(500);
    connect(flash, &QTimer::timeout, this, [this] { view_->guides().OnFlashTimer(); });
    QStatusBar* bar = frame_->statusBar();
    GuideCommands::StatusBarHost host;
    host.background = [bar] {
        const QColor c = bar->palette().color(QPalette::Window);
        return Rgb{c.red(), c.green(), c.blue()};
    };
    host.setBackground = [bar](const Rgb& rgb) {
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, QColor(rgb.red, rgb.green, rgb.blue));
        bar->setPalette(palette);
        bar->setAutoFillBackground(true);
    };
    host.resetBackground = [bar] {
        bar->setPalette(QPalette());
        bar->setAutoFillBackground(false);
    };
    host.runFlashTimer = [flash](bool run) {
        if (run)
            flash->start();
        else
            flash->stop();
    };
    host.captureMouse = [this](bool capture) {
        if (capture)
            editWidget_->grabMouse(Qt::CrossCursor);
        else
            editWidget_->releaseMouse();
    };
    view_->guides().setStatusBarHost(std::move(host));
}

void CHemlowHTMLApp::registerCommands() {
    router_.add(cmd::PrintSetup, [this] { printSetup(); });
    router_.add(cmd::New, [this] { document_->New(); });
    router_.add(cmd::Close, [this] { document_->New(); });
    router_.add(cmd::Open, [this] { document_->Open(); });
    router_.add(cmd::Save, [this] { document_->Save(); });
    router_.add(cmd::SaveAs, [this] { document_->SaveAs(); });
    router_.add(cmd::About, [this] { CAboutDlg(platform(), frame_.get()).exec(); });
    router_.add(cmd::StartNewEditor, [this] {
        const EditControl& control = view_->control();
        newEditors_->StartNewEditor(toUtf8(control.selectedText(), control.encoding()), document_->GetPathName());
    });
    for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
        router_.add(
            cmd::RecentFileFirst + i,
            [this, i] {
                const std::string path = recentFiles_.entries().at(i);
                document_->OpenDocumentFile(path);
            },
            [this, i](CommandState& state) { state.enabled = i < static_cast<int>(recentFiles_.entries().size()); });
    }
}

void CHemlowHTMLApp::openDroppedFiles(const QStringList& paths) {
    for (const QString& path : paths) document_->OpenDocumentFile(fromQString(path));
}

void CHemlowHTMLApp::printSetup() {
    if (!platform().printDialogs.hasPrinter()) return;
    PageValues values = frame_->pageValues();
    if (platform().printDialogs.printSetup(values)) frame_->pageValues().orientation = values.orientation;
}

void CHemlowHTMLApp::exit() {
    if (exited_ || !frame_) return;
    exited_ = true;
    auto& store = platform().settings;
    frame_->saveWindowState();
    view_->storeFileState();
    // An editor that ends with unsaved text and no question answered keeps it for the next start.
    if (!document_->IsModified()) view_->journal().discard();
    delete editWidget_;  // the widget watches the view's control: it goes first
    editWidget_ = nullptr;
    findDialog_.reset();
    document_->attachView(nullptr);
    view_.reset();
    document_.reset();
    frame_.reset();
    store.setInt("Settings", "mruCount", mruCount_);
    recentFiles_.save(store);
    store.flush();
}

}  // namespace tagloom
