#include "document/qt/FileWatcher.h"

#include <QFile>
#include <QFileInfo>

namespace tagloom {

FileWatcher::FileWatcher(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] {
        rewatch();
        changed_();
    });
    const auto noticed = [this] { settle_.start(); };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, noticed);
}

void FileWatcher::watch(const std::string& path) {
    path_ = QFile::decodeName(path.c_str());
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
    rewatch();
}

// A file replaced by a rename, or deleted and made again, is another file:
// the watch goes to whatever stands at the path now.
void FileWatcher::rewatch() {
    if (path_.isEmpty()) return;
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_.directories().contains(folder)) watcher_.addPath(folder);
    if (watcher_.files().contains(path_)) watcher_.removePath(path_);
    if (QFileInfo::exists(path_)) watcher_.addPath(path_);
}

}  // namespace tagloom
