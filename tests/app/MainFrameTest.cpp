#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

#include "commands/CommandRouter.h"
#include "document/RecentFileList.h"
#include "app/qt/CMainFrame.h"
#include "resources/CommandIds.h"
#include "resources/Resources.h"
#include "support/FakePlatform.h"

namespace tagloom {
namespace {

// A main frame on a fake platform; a new Fixture on the same platform is the
// next run of the program.
struct Fixture {
    explicit Fixture(test::FakePlatform& fake) : recent(4) {
        frame = std::make_unique<CMainFrame>(fake.platform, router, recent);
        frame->setView(new QWidget);
        frame->resize(900, 600);
    }
    void exitProgram() {
        frame->saveWindowState();
        frame.reset();
    }
    CommandRouter router;
    RecentFileList recent;
    std::unique_ptr<CMainFrame> frame;
};

std::vector<std::pair<std::string, int>> flatten(const QMenu* menu) {
    std::vector<std::pair<std::string, int>> items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            items.emplace_back("-", 0);
        else if (action->menu()) {
            items.emplace_back(action->text().toStdString(), 0);
            for (auto& sub : flatten(action->menu())) items.push_back(sub);
        } else
            items.emplace_back(action->text().toStdString(), action->data().toInt());
    }
    return items;
}

void flattenData(const std::vector<res::MenuItem>& items, std::vector<std::pair<std::string, int>>& out) {
    for (const auto& item : items) {
        if (item.kind == res::MenuItem::Kind::Separator)
            out.emplace_back("-", 0);
        else {
            out.emplace_back(std::string(item.text), item.id);
            flattenData(item.items, out);
        }
    }
}

TEST(MainFrame, menusShowEveryItemOfTheMenuTableWithItsTextAndId) {
    test::FakePlatform fake;
    Fixture f(fake);
    const auto& data = res::mainMenu();
    ASSERT_EQ(f.frame->topMenus().size(), data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        EXPECT_EQ(f.frame->topMenus()[i]->title().toStdString(), std::string(data[i].text));
        std::vector<std::pair<std::string, int>> expected;
        flattenData(data[i].items, expected);
        EXPECT_EQ(flatten(f.frame->topMenus()[i]), expected) << data[i].text;
    }
}

TEST(MainFrame, hasFourToolbarsWithTheirButtonsInOrderAndNineStatusPanes) {
    test::FakePlatform fake;
    Fixture f(fake);
    for (const auto& layout : res::toolbars()) {
        QToolBar* bar = f.frame->toolbar(layout.windowId);
        ASSERT_NE(bar, nullptr) << layout.name;
        std::vector<int> ids;
        for (const QAction* action : bar->actions()) ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        EXPECT_EQ(ids, layout.buttons) << layout.name;
        for (const QAction* action : bar->actions()) {
            if (!action->isSeparator()) {
                EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
            }
        }
    }
    int panes = 1;  // the message pane
    for (const auto& pane : res::statusPanes()) {
        if (pane.id == 0) continue;
        QLabel* label = f.frame->statusPane(pane.id);
        ASSERT_NE(label, nullptr) << pane.id;
        EXPECT_GE(label->minimumWidth(), label->fontMetrics().horizontalAdvance(QString::fromUtf8(pane.sizing.data(), pane.sizing.size())));
        ++panes;
    }
    EXPECT_EQ(panes, 9);
}

TEST(MainFrame, statusPanesShowTheTextsOfTheirUpdateHandlersWithoutTheCentringTab) {
    test::FakePlatform fake;
    Fixture f(fake);
    f.router.addUpdate(str::PaneLnCol, [](CommandState& s) {
        s.enabled = true;
        s.text = "\tLn 3, Col 7";
    });
    f.frame->updateIdleState();
    EXPECT_EQ(f.frame->statusPane(str::PaneLnCol)->text(), QStringLiteral("Ln 3, Col 7"));
    EXPECT_EQ(f.frame->statusPane(str::PaneBytes)->text(), QString());
}

TEST(MainFrame, theCaptionIsTheTitleThenTheProgramName) {
    test::FakePlatform fake;
    Fixture f(fake);
    f.frame->setDocumentTitle("index.html *");
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("index.html * - Tagloom"));
}

TEST(MainFrame, aHiddenToolbarStaysHiddenAfterARestart) {
    test::FakePlatform fake;
    {
        Fixture first(fake);
        first.frame->show();
        EXPECT_TRUE(first.router.query(cmd::LocateToolbar).checked);
        EXPECT_TRUE(first.router.run(cmd::LocateToolbar));
        EXPECT_FALSE(first.router.query(cmd::LocateToolbar).checked);
        first.exitProgram();
    }
    Fixture second(fake);
    second.frame->show();
    EXPECT_TRUE(second.frame->toolbar(wnd::LocateToolbar)->isHidden());
    EXPECT_FALSE(second.frame->toolbar(wnd::HtmlToolbar)->isHidden());
    EXPECT_FALSE(second.router.query(cmd::LocateToolbar).checked);
    EXPECT_TRUE(second.router.query(cmd::EditToolbar).checked);
}

TEST(MainFrame, theFirstRunHasNoPlacementAndClosingWritesOne) {
    test::FakePlatform fake;
    Fixture f(fake);
    f.frame->show();
    EXPECT_FALSE(fake.settings.contains("Main Window", "Rect"));
    f.exitProgram();
    EXPECT_TRUE(fake.settings.contains("Main Window", "Rect"));
    EXPECT_EQ(fake.settings.raw("Main Window", "icon"), "0");
    EXPECT_EQ(fake.settings.raw("Main Window", "max"), "0");
}

TEST(MainFrame, aStoredPlacementIsRestoredAtTheFirstShowing) {
    test::FakePlatform fake;
    fake.settings.values[{"Main Window", "Rect"}] = "0040 0030 0840 0630";
    fake.settings.values[{"Main Window", "max"}] = "1";
    Fixture f(fake);
    f.frame->show();
    EXPECT_TRUE(f.frame->windowState() & Qt::WindowMaximized);
    f.exitProgram();
    EXPECT_EQ(fake.settings.raw("Main Window", "max"), "1");
    EXPECT_EQ(fake.settings.raw("Main Window", "Rect"), "0040 0030 0840 0630");
}

TEST(MainFrame, pageSetupCancelledChangesNothingAndOkIsKeptAtExit) {
    test::FakePlatform fake;
    fake.settings.values[{"printer", "margins"}] = "   750   750   500   500";
    {
        Fixture f(fake);
        const PageValues before = f.frame->pageValues();
        fake.printDialogs.answers.push_back(std::nullopt);
        EXPECT_TRUE(f.router.run(cmd::PageSetup));
        EXPECT_EQ(f.frame->pageValues(), before);
        ASSERT_EQ(fake.printDialogs.shown.size(), 1u);
        EXPECT_EQ(fake.printDialogs.shown[0].margins, (std::array<int, 4>{750, 750, 500, 500}));

        fake.printDialogs.answers.push_back(PageValues{kOrientationLandscape, 9, {1000, 1000, 250, 250}});
        EXPECT_TRUE(f.router.run(cmd::PageSetup));
        EXPECT_EQ(f.frame->pageValues().orientation, kOrientationLandscape);
        f.exitProgram();
    }
    EXPECT_EQ(fake.settings.raw("printer", "orientation"), "2");
    EXPECT_EQ(fake.settings.raw("printer", "paperSize"), "9");
    EXPECT_EQ(fake.settings.raw("printer", "margins"), "  1000  1000   250   250");
}

TEST(MainFrame, aDisabledCommandIsRefusedFromItsKey) {
    test::FakePlatform fake;
    Fixture f(fake);
    int runs = 0;
    bool enabled = false;
    f.router.add(cmd::New, [&] { ++runs; }, [&](CommandState& s) { s.enabled = enabled; });
    f.frame->show();
    f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.frame.get()));
    QTest::keyClick(f.frame.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(runs, 0);
    enabled = true;
    QTest::keyClick(f.frame.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(runs, 1);
}

// Whatever took the focus before (here a box in a toolbar), the text has the
// keyboard again once a dialog has closed.
TEST(MainFrame, theViewHasTheKeyboardAfterEveryDialog) {
    test::FakePlatform fake;
    CommandRouter router;
    RecentFileList recent(4);
    CMainFrame frame(fake.platform, router, recent);
    auto* view = new QWidget;
    view->setFocusPolicy(Qt::StrongFocus);
    frame.setView(view);
    auto* other = new QLineEdit;
    frame.toolbar(wnd::EditToolbar)->addWidget(other);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    for (const bool modal : {true, false}) {
        SCOPED_TRACE(modal ? "a modal dialog" : "a window beside it");
        other->setFocus();
        ASSERT_TRUE(other->hasFocus());
        QDialog dialog(&frame);
        if (modal) {
            QTimer::singleShot(0, &dialog, [&] {
                ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
                dialog.accept();
            });
            dialog.exec();
        } else {
            dialog.show();
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            frame.activateWindow();
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }, 2000));
    }
}

TEST(MainFrame, menusRunTheUpdateHandlersWhenTheyOpen) {
    test::FakePlatform fake;
    Fixture f(fake);
    f.router.add(cmd::Undo, [] {}, [](CommandState& s) { s.text = "&Undo (2)\tCtrl+Z"; });
    QMenu* edit = f.frame->topMenus().at(1);
    QAction* undo = f.frame->commandAction(cmd::Undo);
    EXPECT_FALSE(undo->isEnabled() && undo->text() == QStringLiteral("&Undo (2)\tCtrl+Z"));
    Q_EMIT edit->aboutToShow();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo (2)\tCtrl+Z"));
    EXPECT_FALSE(f.frame->commandAction(cmd::Replace)->isEnabled());  // not built yet: disabled
}

TEST(MainFrame, theRecentFileListFillsTheFileMenu) {
    test::FakePlatform fake;
    Fixture f(fake);
    QMenu* file = f.frame->topMenus().at(0);
    Q_EMIT file->aboutToShow();
    auto texts = [&] {
        std::vector<std::string> list;
        for (const QAction* a : file->actions()) {
            const int id = a->data().toInt();
            if (id >= cmd::RecentFileFirst && id <= cmd::RecentFileLast) list.push_back(a->text().toStdString());
        }
        return list;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"Recent File"}));
    f.recent.add("/srv/b.html");
    f.recent.add("/srv/a.html");
    Q_EMIT file->aboutToShow();
    EXPECT_EQ(texts(), (std::vector<std::string>{"&1 /srv/a.html", "&2 /srv/b.html"}));
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

TEST(MainFrame, theMinimumSizeKeepsRoomForTenCharactersOfOneLineBesideTheScrollBar) {
    test::FakePlatform fake;
    Fixture f(fake);
    auto* view = new QAbstractScrollArea;
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    f.frame->setView(view);
    f.frame->show();
    QApplication::processEvents();
    const QSize chrome = f.frame->size() - view->viewport()->size();
    ASSERT_GT(chrome.width(), f.frame->size().width() - view->size().width()) << "the scroll bar is part of the chrome";
    f.frame->setViewCharacterSize(8, 16);
    EXPECT_EQ(f.frame->minimumWidth(), chrome.width() + 10 * 8 + 2);
    EXPECT_EQ(f.frame->minimumHeight(), chrome.height() + 16 + 2);
    f.frame->setViewCharacterSize(0, 0);  // no font yet: the size stays as it was
    EXPECT_EQ(f.frame->minimumWidth(), chrome.width() + 10 * 8 + 2);
}

// A window narrower than both upper bars side by side: every bar still shows
// all its buttons, with no overflow arrow.
TEST(MainFrame, everyToolbarIsWhollyVisibleAtTheDefaultSize) {
    test::FakePlatform fake;
    Fixture f(fake);
    f.frame->resize(CMainFrame::defaultSize());
    f.frame->show();
    QApplication::processEvents();
    for (const auto& layout : res::toolbars()) {
        const QToolBar* bar = f.frame->toolbar(layout.windowId);
        EXPECT_GE(bar->width(), bar->sizeHint().width()) << layout.name;
    }
}

}  // namespace
}  // namespace tagloom
