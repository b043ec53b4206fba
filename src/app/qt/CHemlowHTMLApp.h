#pragma once
// The application: opens the settings store, builds the main frame with the
// document and its view, and runs the exit sequence in order.
#include <QObject>
#include <QStringList>
#include <memory>

#include "app/CommandRouter.h"
#include "app/RecentFileList.h"
#include "platform/qt/QtPlatform.h"

class QPlainTextEdit;

namespace tagloom {

class CMainFrame;

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

    Platform& platform() { return qtPlatform_.platform(); }
    CommandRouter& router() { return router_; }
    CMainFrame* frame() const { return frame_.get(); }
    RecentFileList& recentFiles() { return recentFiles_; }
    int mruCount() const { return mruCount_; }

private:
    void printSetup();
    void openPath(const QString& path);

    QtPlatform qtPlatform_;
    CommandRouter router_;
    int mruCount_;
    RecentFileList recentFiles_;
    std::unique_ptr<CMainFrame> frame_;
    QPlainTextEdit* placeholderView_ = nullptr;
    bool exited_ = false;
};

}  // namespace tagloom
