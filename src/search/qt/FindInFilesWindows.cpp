#include "search/qt/FindInFilesWindows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/qt/QtText.h"
#include "search/qt/CFindInFilesDlg.h"
#include "search/qt/CFindResultsDlg.h"

namespace tagloom {

namespace {

constexpr auto kProgressDelay = std::chrono::milliseconds(300);
constexpr int kPollMs = 20;

// What the worker tells the window: the folder it is in, the files with hits
// so far, whether it has ended; and the user's wish to cancel.
class SharedProgress : public FindInFilesProgress {
public:
    bool cancelled() const override { return cancel.load(std::memory_order_relaxed); }
    void searching(const std::string& folder, int filesFound) override {
        const std::lock_guard lock(mutex_);
        folder_ = folder;
        filesFound_ = filesFound;
    }
    QString label() const {
        const std::lock_guard lock(mutex_);
        return QStringLiteral("Searching %1\n%2 files found so far").arg(toQString(folder_)).arg(filesFound_);
    }

    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};

private:
    mutable std::mutex mutex_;
    std::string folder_;
    int filesFound_ = 0;
};

}  // namespace

std::optional<FindInFilesForm> QtFindInFilesWindows::ask(const FindInFilesForm& form) {
    CFindInFilesDlg dialog(form, platform_, owner_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}

FindInFilesResult QtFindInFilesWindows::search(const FindInFilesRequest& request) {
    SharedProgress progress;
    FindInFilesResult result;
    std::thread worker([&] {
        result = findInFiles(request, &progress);
        progress.finished = true;
    });

    QProgressDialog window(owner_);
    window.setWindowTitle(QStringLiteral("Tagloom - Find in Files"));
    window.setRange(0, 0);
    window.setMinimumDuration(0);
    window.setWindowModality(Qt::ApplicationModal);
    window.setAutoClose(false);
    window.setAutoReset(false);
    window.hide();
    QObject::connect(&window, &QProgressDialog::canceled, [&] { progress.cancel = true; });

    // Until the progress window shows, the user's input waits in the queue;
    // then the window is modal and takes it.
    QEventLoop beforeWindow, withWindow;
    QElapsedTimer sinceTick;
    sinceTick.start();
    longestTickGap_ = std::chrono::milliseconds(0);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestTickGap_ = std::max(longestTickGap_, std::chrono::milliseconds(sinceTick.restart()));
        if (progress.finished) {
            beforeWindow.quit();
            withWindow.quit();
        } else if (window.isVisible()) {
            window.setLabelText(progress.label());
        }
    });
    tick.start(kPollMs);
    QTimer::singleShot(kProgressDelay, &beforeWindow, &QEventLoop::quit);
    beforeWindow.exec(QEventLoop::ExcludeUserInputEvents);
    if (!progress.finished) {
        window.setLabelText(progress.label());
        window.show();
        withWindow.exec();
    }
    tick.stop();
    worker.join();
    return result;
}

void QtFindInFilesWindows::showResults(const std::string& title, const std::string& text,
                                       const std::function<void(int at)>& goTo) {
    CFindResultsDlg dialog(title, text, goTo, owner_);
    dialog.exec();
}

}  // namespace tagloom
