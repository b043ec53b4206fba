#pragma once
// The main window: the menus, the four dockable toolbars and the status bar
// around the editor view. It restores its placement and bar layout at the
// first showing, saves them when it closes, and keeps the page-setup values.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "app/FramePlacement.h"
#include "platform/Platform.h"
#include "resources/Resources.h"

class QLabel;
class QMenu;
class QToolBar;
class QAction;

namespace tagloom {

class CommandRouter;
class RecentFileList;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(Platform& platform, CommandRouter& router, RecentFileList& recentFiles);
    ~CMainFrame() override;

    // The size of the window on the first run.
    static QSize defaultSize();

    // Puts the editor view in the client area.
    void setView(QWidget* view);
    // The caption: "title - Tagloom".
    void setDocumentTitle(const std::string& title);
    // Keeps room for ten average characters of one line in the view.
    void setViewCharacterSize(int charWidth, int lineHeight);
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }
    // Told, after the event, whenever the window has been activated.
    void setActivationListener(std::function<void()> listener) { activationListener_ = std::move(listener); }
    // Told of files dropped on the window, in the order the desktop lists them.
    void setDropHandler(std::function<void(const QStringList&)> handler) { dropHandler_ = std::move(handler); }

    // Runs the update handlers of the toolbars and the status bar now.
    void updateIdleState();
    // Runs them once the events waiting now have been handled.
    void scheduleIdleUpdate();
    // The placement and bar layout written when the window is destroyed.
    void saveWindowState();
    // The rectangle of the window when neither maximised nor minimised.
    FrameRect normalRect() const;

    PageValues& pageValues() { return pageValues_; }
    QToolBar* toolbar(int windowId) const;
    QLabel* statusPane(int stringId) const;
    QAction* commandAction(int id) const;
    QMenu* popupMenu(int contextMenu) const;
    // The character-code menu, its top-left corner at the bottom-left corner
    // of the toolbar button that opens it (at the mouse pointer when the
    // button is not shown).
    void showCharacterCodeMenu();
    const std::vector<QMenu*>& topMenus() const { return topMenus_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbars(int windowWidth);
    void buildStatusBar();
    void buildAccelerators();
    void registerCommands();
    QAction* actionFor(int id, const std::string_view& text);
    void fillMenu(QMenu* menu, const std::vector<res::MenuItem>& items);
    void updateMenu(QMenu* menu);
    void updateAction(QAction* action);
    void fillRecentFiles(QMenu* menu);
    void restoreWindowState();
    void saveBarState();
    void restoreBarState();
    void pageSetup();
    // Gives the keyboard back to the text after a dialog that held it has
    // closed, activating the window when the desktop left no window active.
    void takeBackKeyboard();

    Platform& platform_;
    CommandRouter& router_;
    RecentFileList& recentFiles_;
    PageValues pageValues_;
    std::optional<PageValues> pageSetupDevice_;  // the page-setup dialog's settings once it has run
    bool bFirstActivate = true;
    bool idleUpdatePending_ = false;
    std::map<int, QAction*> actions_;
    std::map<int, QToolBar*> toolbars_;
    std::map<int, QLabel*> panes_;
    std::vector<QMenu*> topMenus_;
    QMenu* contextMenu_ = nullptr;
    QMenu* insertTagsMenu_ = nullptr;
    QPointer<QWidget> view_;
    std::function<void()> activationListener_;
    std::function<bool()> closeGuard_;
    std::function<void(const QStringList&)> dropHandler_;
    QLabel* readyLabel_ = nullptr;
};

}  // namespace tagloom
