#include "app/qt/CMainFrame.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QMimeData>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include "app/qt/InstanceHandover.h"
#include "commands/CommandRouter.h"
#include "document/RecentFileList.h"
#include "platform/qt/KeyboardState.h"
#include "platform/qt/QtText.h"
#include "resources/CommandIds.h"
#include "resources/qt/KeySequences.h"
#include "resources/qt/ToolbarIcons.h"

namespace tagloom {

namespace {

// Commands whose menu items and buttons show a check mark.
constexpr int kCheckableCommands[] = {
    cmd::EditToolbar, cmd::HtmlToolbar, cmd::DisplayToolbar, cmd::LocateToolbar, cmd::StatusBar,
    cmd::LineNumbers, cmd::ColumnGuide, cmd::LineGuide,     cmd::ReadOnly,      cmd::MarkHighlight,
    cmd::WordWrap,    cmd::SyntaxColouring,
};

bool isCheckable(int id) {
    return std::find(std::begin(kCheckableCommands), std::end(kCheckableCommands), id) !=
           std::end(kCheckableCommands);
}

bool isRecentFile(int id) { return id >= cmd::RecentFileFirst && id <= cmd::RecentFileLast; }

const std::string kBarSummary = "Tagloom-Summary";
std::string barSection(int index) { return "Tagloom-Bar" + std::to_string(index); }

// The bars whose state is stored, in the order of their "Tagloom-Bar%d" sections.
constexpr int kStoredBars[] = {wnd::EditToolbar, wnd::HtmlToolbar, wnd::DisplayToolbar, wnd::LocateToolbar,
                               wnd::StatusBar};

constexpr int kFallbackMinimumWidth = 320;
constexpr int kFallbackMinimumHeight = 200;

}  // namespace

// A first run opens at a comfortable size for reading a page: most of the
// screen, but not wider than a page needs.
QSize CMainFrame::defaultSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1280, 900);
    return {std::min(1100, available.width() * 4 / 5), std::min(800, available.height() * 4 / 5)};
}

CMainFrame::CMainFrame(Platform& platform, CommandRouter& router, RecentFileList& recentFiles)
    : platform_(platform), router_(router), recentFiles_(recentFiles),
      pageValues_(readPageValues(platform.settings)) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/tagloom/packaging/tagloom.svg")));
    setMinimumSize(kFallbackMinimumWidth, kFallbackMinimumHeight);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    buildMenus();
    buildToolbars(defaultSize().width());
    buildStatusBar();
    buildAccelerators();
    registerCommands();
    setDocumentTitle("Untitled");
    resize(defaultSize());
    setAcceptDrops(true);
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    if (pageSetupDevice_) {
        pageValues_.orientation = pageSetupDevice_->orientation;
        pageValues_.paperSize = pageSetupDevice_->paperSize;
    }
    writePageValues(platform_.settings, pageValues_);
}

void CMainFrame::setView(QWidget* view) {
    view_ = view;
    setCentralWidget(view);
}

void CMainFrame::setDocumentTitle(const std::string& title) {
    setWindowTitle(toQString(title) + QStringLiteral(" - ") + toQString(res::stringResource(str::AppTitle)));
}

// The room is measured in the view's client area: the scroll bars and the
// frame around it belong to the chrome.
void CMainFrame::setViewCharacterSize(int charWidth, int lineHeight) {
    if (!view_ || charWidth <= 0 || lineHeight <= 0) return;
    const auto* area = qobject_cast<const QAbstractScrollArea*>(view_);
    const QSize chrome = size() - (area ? area->viewport()->size() : view_->size());
    setMinimumSize(std::max(0, chrome.width()) + 10 * charWidth + 2, std::max(0, chrome.height()) + lineHeight + 2);
}

QToolBar* CMainFrame::toolbar(int windowId) const {
    const auto it = toolbars_.find(windowId);
    return it == toolbars_.end() ? nullptr : it->second;
}

QLabel* CMainFrame::statusPane(int stringId) const {
    const auto it = panes_.find(stringId);
    return it == panes_.end() ? nullptr : it->second;
}

QAction* CMainFrame::commandAction(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* CMainFrame::popupMenu(int contextMenu) const {
    return contextMenu == 144 ? contextMenu_ : contextMenu == 147 ? insertTagsMenu_ : nullptr;
}

void CMainFrame::showCharacterCodeMenu() {
    QPoint at = QCursor::pos();
    for (const auto& [windowId, bar] : toolbars_) {
        QWidget* button = bar->widgetForAction(commandAction(cmd::HtmlCharCodes));
        if (button && button->isVisible()) {
            at = button->mapToGlobal(QPoint(0, button->height()));
            break;
        }
    }
    insertTagsMenu_->exec(at);
}

// --- menus -----------------------------------------------------------------

QAction* CMainFrame::actionFor(int id, const std::string_view& text) {
    if (auto* existing = commandAction(id)) return existing;
    auto* action = new QAction(toQString(text), this);
    action->setData(id);
    action->setStatusTip(toQString(res::commandPrompt(id)));
    const auto tooltip = res::commandTooltip(id);
    if (!tooltip.empty()) action->setToolTip(toQString(tooltip));
    action->setCheckable(isCheckable(id));
    connect(action, &QAction::triggered, this, [this, id] {
        router_.run(id);
        scheduleIdleUpdate();
    });
    actions_[id] = action;
    return action;
}

void CMainFrame::fillMenu(QMenu* menu, const std::vector<res::MenuItem>& items) {
    for (const auto& item : items) {
        switch (item.kind) {
        case res::MenuItem::Kind::Separator: menu->addSeparator(); break;
        case res::MenuItem::Kind::Popup: fillMenu(menu->addMenu(toQString(item.text)), item.items); break;
        case res::MenuItem::Kind::Command: menu->addAction(actionFor(item.id, item.text)); break;
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenu(menu); });
}

void CMainFrame::buildMenus() {
    for (const auto& top : res::mainMenu()) {
        QMenu* menu = menuBar()->addMenu(toQString(top.text));
        fillMenu(menu, top.items);
        topMenus_.push_back(menu);
    }
    contextMenu_ = new QMenu(this);
    fillMenu(contextMenu_, res::viewContextMenu().items);
    insertTagsMenu_ = new QMenu(this);
    fillMenu(insertTagsMenu_, res::insertTagsMenu().items);
}

void CMainFrame::updateAction(QAction* action) {
    const int id = action->data().toInt();
    if (id == 0) return;
    const CommandState state = router_.query(id);
    action->setEnabled(state.enabled);
    if (action->isCheckable()) action->setChecked(state.checked);
    if (state.text) action->setText(toQString(*state.text));
}

void CMainFrame::updateMenu(QMenu* menu) {
    fillRecentFiles(menu);
    for (QAction* action : menu->actions())
        if (!action->menu()) updateAction(action);
}

// The File menu shows the recent files where "Recent File" stands in the
// menu, or that item, disabled, while the list is empty.
void CMainFrame::fillRecentFiles(QMenu* menu) {
    QAction* placeholder = nullptr;
    std::vector<QAction*> old;
    for (QAction* action : menu->actions()) {
        if (!isRecentFile(action->data().toInt())) continue;
        if (!placeholder) placeholder = action;
        old.push_back(action);
    }
    if (!placeholder) return;

    const auto& entries = recentFiles_.entries();
    QAction* anchor = menu->actions().value(menu->actions().indexOf(old.back()) + 1);
    for (QAction* action : old) menu->removeAction(action);
    if (entries.empty()) {
        QAction* item = actionFor(cmd::RecentFileFirst, "Recent File");
        item->setText(QStringLiteral("Recent File"));
        menu->insertAction(anchor, item);
        return;
    }
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        QAction* item = actionFor(cmd::RecentFileFirst + i, "");
        item->setText(toQString(recentFiles_.menuText(i)));
        item->setStatusTip(toQString(res::commandPrompt(cmd::RecentFileFirst + i)));
        menu->insertAction(anchor, item);
    }
}

// --- toolbars, status bar, keys --------------------------------------------

// On the first run the bars stand in rows across the top: file and HTML work
// above, display and locating below, and a bar that would not fit whole in
// its row starts a new one, so no button hides behind an overflow arrow.
void CMainFrame::buildToolbars(int windowWidth) {
    int rowWidth = 0;
    for (const auto& layout : res::toolbars()) {
        auto* bar = new QToolBar(toQString(layout.name), this);
        bar->setObjectName(QStringLiteral("Toolbar%1").arg(layout.windowId));
        bar->setIconSize(QSize(32, 32));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        for (int id : layout.buttons) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* action = actionFor(id, res::commandTooltip(id));
            action->setIcon(toolbarIcon(id));
            bar->addAction(action);
        }
        const int width = bar->sizeHint().width();
        if (rowWidth > 0 && (layout.windowId == wnd::DisplayToolbar || rowWidth + width > windowWidth)) {
            addToolBarBreak(Qt::TopToolBarArea);
            rowWidth = 0;
        }
        addToolBar(Qt::TopToolBarArea, bar);
        rowWidth += width;
        toolbars_[layout.windowId] = bar;
    }
}

void CMainFrame::buildStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    readyLabel_ = new QLabel(toQString(res::stringResource(str::Ready)), bar);
    bar->addWidget(readyLabel_, 1);
    for (const auto& pane : res::statusPanes()) {
        if (pane.id == 0) continue;
        auto* label = new QLabel(bar);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(toQString(pane.sizing)) + 6);
        bar->addPermanentWidget(label);
        panes_[pane.id] = label;
    }
}

void CMainFrame::buildAccelerators() {
    for (const auto& accelerator : res::mainAccelerators()) {
        auto* shortcut = new QShortcut(keySequenceOf(accelerator), this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = accelerator.command;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            router_.run(id);
            scheduleIdleUpdate();
        });
    }
}

void CMainFrame::registerCommands() {
    const auto barSwitch = [this](int commandId, QWidget* bar) {
        router_.add(
            commandId, [bar] { bar->setVisible(bar->isHidden()); },
            [bar](CommandState& state) { state.checked = !bar->isHidden(); });
    };
    barSwitch(cmd::EditToolbar, toolbar(wnd::EditToolbar));
    barSwitch(cmd::HtmlToolbar, toolbar(wnd::HtmlToolbar));
    barSwitch(cmd::DisplayToolbar, toolbar(wnd::DisplayToolbar));
    barSwitch(cmd::LocateToolbar, toolbar(wnd::LocateToolbar));
    barSwitch(cmd::StatusBar, statusBar());
    router_.add(cmd::PageSetup, [this] { pageSetup(); });
    router_.add(cmd::Exit, [this] { close(); });

    // The keyboard panes show their key's name while the lock is on.
    router_.addUpdate(str::PaneCaps, [](CommandState& state) {
        state.enabled = keyboardLockState(KeyboardLock::Caps).value_or(false);
        state.text = "CAP";
    });
    router_.addUpdate(str::PaneNum, [](CommandState& state) {
        state.enabled = keyboardLockState(KeyboardLock::Num).value_or(false);
        state.text = "NUM";
    });
}

void CMainFrame::pageSetup() {
    if (!pageSetupDevice_) {
        BusyCursor busy(platform_.desktop);
        if (!platform_.printDialogs.hasPrinter()) return;
        pageSetupDevice_ = pageValues_;
    }
    PageValues values = *pageSetupDevice_;
    values.orientation = pageValues_.orientation;
    values.paperSize = pageValues_.paperSize;
    if (!platform_.printDialogs.pageSetup(values)) return;
    pageSetupDevice_ = values;
    pageValues_ = values;
}

// --- idle updates ------------------------------------------------------------

void CMainFrame::scheduleIdleUpdate() {
    if (idleUpdatePending_) return;
    idleUpdatePending_ = true;
    QMetaObject::invokeMethod(this, [this] { updateIdleState(); }, Qt::QueuedConnection);
}

void CMainFrame::updateIdleState() {
    idleUpdatePending_ = false;
    for (const auto& [windowId, bar] : toolbars_)
        if (!bar->isHidden())
            for (QAction* action : bar->actions()) updateAction(action);
    for (const auto& [id, label] : panes_) {
        const CommandState state = router_.query(id);
        QString text = state.enabled && state.text ? toQString(*state.text) : QString();
        if (text.startsWith(QLatin1Char('\t'))) text.remove(0, 1);
        if (label->text() != text) label->setText(text);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::FocusIn: scheduleIdleUpdate(); break;
    case QEvent::WindowActivate:
        // The text is the one widget of the window that takes keys: it has
        // them whenever the window is active.
        if (watched == this && view_ && focusWidget() != view_) view_->setFocus(Qt::ActiveWindowFocusReason);
        if (watched == this && activationListener_)
            QMetaObject::invokeMethod(this, [this] { activationListener_(); }, Qt::QueuedConnection);
        scheduleIdleUpdate();
        break;
    case QEvent::Hide:
        // Only while the editor has the keyboard: a dialog that closes by
        // itself never takes it from another program.
        if (const auto* dialog = qobject_cast<QDialog*>(watched);
            dialog && dialog->isModal() && QApplication::activeWindow())
            QMetaObject::invokeMethod(this, [this] { takeBackKeyboard(); }, Qt::QueuedConnection);
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Another dialog may have come up meanwhile, or the desktop may have given
// the keyboard to another window of the editor (the Find dialog): both keep
// it. Where the desktop has activated nothing, or still counts the closed
// dialog as active, the window takes the keyboard back itself.
void CMainFrame::takeBackKeyboard() {
    if (!view_ || !isVisible() || QApplication::activeModalWidget()) return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active != this && active->isVisible()) return;
    if (active != this) activateWindow();
    if (focusWidget() != view_) view_->setFocus(Qt::ActiveWindowFocusReason);
}

// --- placement and bar layout ------------------------------------------------

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (bFirstActivate) {
        bFirstActivate = false;
        restoreWindowState();
        confirmPlacementRead();
    }
    scheduleIdleUpdate();
}

void CMainFrame::restoreWindowState() {
    const auto placement = readPlacement(platform_.settings);
    if (!placement) return;
    restoreBarState();
    const FrameRect& r = placement->normal;
    QRect normal(r.left, r.top, r.right - r.left, r.bottom - r.top);
    // A rectangle on no screen of this desktop (a monitor since removed)
    // would hide the window: keep the desktop's position then, with the size.
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(normal);
    if (normal.width() > 0 && normal.height() > 0) {
        if (onScreen)
            setGeometry(normal);
        else
            resize(normal.size());
    }
    if (placement->minimized)
        setWindowState((placement->maximized ? Qt::WindowMaximized : Qt::WindowNoState) | Qt::WindowMinimized);
    else if (placement->maximized)
        setWindowState(Qt::WindowMaximized);
}

FrameRect CMainFrame::normalRect() const {
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    return {normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()};
}

void CMainFrame::saveWindowState() {
    WindowPlacement placement;
    placement.normal = normalRect();
    placement.minimized = isMinimized();
    placement.maximized = (windowState() & Qt::WindowMaximized) != 0;
    writePlacement(platform_.settings, placement);
    saveBarState();
}

void CMainFrame::saveBarState() {
    auto& store = platform_.settings;
    store.setInt(kBarSummary, "Bars", static_cast<int>(std::size(kStoredBars)));
    store.setString(kBarSummary, "Layout", saveState().toBase64().toStdString());
    for (int i = 0; i < static_cast<int>(std::size(kStoredBars)); ++i) {
        const int windowId = kStoredBars[i];
        const QWidget* bar = windowId == wnd::StatusBar ? static_cast<QWidget*>(statusBar()) : toolbar(windowId);
        store.setInt(barSection(i), "BarID", windowId);
        store.setInt(barSection(i), "Visible", bar->isHidden() ? 0 : 1);
    }
}

void CMainFrame::restoreBarState() {
    const auto& store = platform_.settings;
    const QByteArray layout = QByteArray::fromBase64(QByteArray::fromStdString(store.getString(kBarSummary, "Layout", "")));
    if (!layout.isEmpty()) restoreState(layout);
    for (int i = 0; i < static_cast<int>(std::size(kStoredBars)); ++i) {
        const int windowId = store.getInt(barSection(i), "BarID", 0);
        QWidget* bar = windowId == wnd::StatusBar ? static_cast<QWidget*>(statusBar()) : toolbar(windowId);
        if (!bar) continue;
        bar->setVisible(store.getInt(barSection(i), "Visible", 1) != 0);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty() || !dropHandler_) return;
    event->acceptProposedAction();
    dropHandler_(paths);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tagloom
