#include "app/qt/CHemlowHTMLApp.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>

#include "app/qt/CMainFrame.h"
#include "platform/qt/QtText.h"
#include "resources/CommandIds.h"

namespace tagloom {

namespace {

int readMruCount(const SettingsStore& store) { return store.getInt("Settings", "mruCount", 4); }

}  // namespace

CHemlowHTMLApp::CHemlowHTMLApp(std::unique_ptr<SettingsStore> settings)
    : qtPlatform_(this, [this]() -> QWidget* { return frame_.get(); },
                  std::move(settings)),
      mruCount_(readMruCount(qtPlatform_.platform().settings)),
      recentFiles_(mruCount_) {
    recentFiles_.load(platform().settings);
}

CHemlowHTMLApp::~CHemlowHTMLApp() { exit(); }

bool CHemlowHTMLApp::start(const QStringList& arguments) {
    frame_ = std::make_unique<CMainFrame>(platform(), router_, recentFiles_);
    placeholderView_ = new QPlainTextEdit(frame_.get());
    placeholderView_->setReadOnly(true);
    frame_->setView(placeholderView_);
    router_.add(cmd::PrintSetup, [this] { printSetup(); });
    for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
        router_.add(
            cmd::RecentFileFirst + i,
            [this, i] { openPath(QString::fromStdString(recentFiles_.entries().at(i))); },
            [this, i](CommandState& state) { state.enabled = i < static_cast<int>(recentFiles_.entries().size()); });
    }
    if (!arguments.isEmpty()) openPath(arguments.front());
    frame_->show();
    return true;
}

void CHemlowHTMLApp::openPath(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    placeholderView_->setPlainText(toQString(file.readAll().toStdString()));
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recentFiles_.add(fromQString(absolute));
    frame_->setDocumentTitle(fromQString(QFileInfo(path).fileName()));
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
    frame_.reset();
    store.setInt("Settings", "mruCount", mruCount_);
    recentFiles_.save(store);
    store.flush();
}

}  // namespace tagloom
