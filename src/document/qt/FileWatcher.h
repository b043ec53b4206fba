#pragma once
// Tells, a moment after it happens, that the file at a path or its folder
// changed: written, replaced by a rename, moved away or deleted. The folder
// is watched too, since a file replaced by a rename is a new file that a
// watch on the old one never sees. Bursts of changes are told once.
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

namespace tagloom {

class FileWatcher : public QObject {
public:
    static constexpr int kSettleMs = 200;

    explicit FileWatcher(std::function<void()> changed, QObject* parent = nullptr);

    // Watches the file at path and its folder instead; an empty path, nothing.
    void watch(const std::string& path);

private:
    void rewatch();

    std::function<void()> changed_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
};

}  // namespace tagloom
