// The Find and Mark dialog, offscreen, driving a view's engine.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "search/qt/FindDialogHost.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

struct Dialog : test::ViewFixture {
    Dialog() : host(view->find(), view->settings(), fake.platform, nullptr) { load("abc foo bar foo"); }
    CFindMarkDlg* open(int command) {
        EXPECT_TRUE(router.run(command));
        return host.dialog();
    }
    void press(CFindMarkDlg* d, const QString& find, int id = FindRequest::kFindNext) {
        d->findCombo()->setEditText(find);
        d->button(id)->click();
        fake.uiQueue.drain();
    }
    std::vector<std::string> items(QComboBox* combo) {
        std::vector<std::string> out;
        for (int i = 0; i < combo->count(); ++i) out.push_back(combo->itemText(i).toStdString());
        return out;
    }
    FindDialogHost host;
};

TEST(FindMarkDlg, opensWithTheSelectionOrTheFindTextInItsModeAndOnlyOnce) {
    Dialog f;
    f.view->settings().strFindText = "last";
    f.select(0, 3);
    CFindMarkDlg* d = f.open(cmd::FindAndMark);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle().toStdString(), "Tagloom - Find and Mark");
    EXPECT_EQ(d->findCombo()->currentText().toStdString(), "abc");
    EXPECT_EQ(d->button(FindRequest::kMarkAllOrReplaceAll)->text(), "Mark All");
    EXPECT_FALSE(d->replaceCombo()->isVisibleTo(d));
    EXPECT_FALSE(f.router.query(cmd::FindAndMark).enabled);
    EXPECT_FALSE(f.router.query(cmd::Replace).enabled);
    d->button(1013)->click();
    EXPECT_FALSE(f.host.isOpen());

    f.select(2, 2);
    d = f.open(cmd::Replace);
    EXPECT_EQ(d->windowTitle().toStdString(), "Tagloom - Replace");
    EXPECT_EQ(d->findCombo()->currentText().toStdString(), "last");
    EXPECT_EQ(d->button(FindRequest::kMarkAllOrReplaceAll)->text(), "Replace All");
    EXPECT_TRUE(d->replaceCombo()->isVisibleTo(d));
}

// Typed text is never completed from the history, nor changed to an entry
// that equals it but for case when the box loses the focus.
TEST(FindMarkDlg, theBoxesSearchExactlyWhatWasTyped) {
    Dialog f;
    f.view->settings().findStrs = {"Geany", "TR\xC3\xB6GER"};
    f.view->settings().replaceStrs = {"Geany"};
    CFindMarkDlg* d = f.open(cmd::Replace);
    for (QComboBox* combo : {d->findCombo(), d->replaceCombo()}) {
        for (const QString& typed : {QString("Gean"), QString("geany"), QString::fromUtf8("TR\xC3\x96GER")}) {
            combo->setEditText({});
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), typed);
            emit combo->lineEdit()->editingFinished();  // as when the focus leaves
            EXPECT_EQ(combo->currentText().toStdString(), typed.toStdString());
        }
    }
    f.fake.prompter.answers.assign(4, Answer::No);
    f.press(d, "geany");
    EXPECT_EQ(f.view->settings().strFindText, "geany");
}

TEST(FindMarkDlg, theHistoryComparesOnlyItsNewestEntryAndKeepsTenWhileTheListKeepsAll) {
    Dialog f;
    CFindMarkDlg* d = f.open(cmd::FindAndMark);
    f.fake.prompter.answers.assign(40, Answer::No);
    f.press(d, "foo");
    f.press(d, "foo");
    EXPECT_EQ(f.view->settings().findStrs, (std::vector<std::string>{"foo"}));
    f.press(d, "bar");
    f.press(d, "foo");
    EXPECT_EQ(f.view->settings().findStrs, (std::vector<std::string>{"foo", "bar", "foo"}));
    for (int i = 0; i < 8; ++i) f.press(d, QString("t%1").arg(i));
    EXPECT_EQ(f.view->settings().findStrs.size(), 10u);
    EXPECT_EQ(f.items(d->findCombo()).size(), 11u);
    EXPECT_EQ(f.view->settings().strFindText, "t7");
}

TEST(FindMarkDlg, clearingAHistoryKeepsTheTypedTextAndDisablesItsButtonTillTheNextPress) {
    Dialog f;
    f.view->settings().findStrs = {"old", "older"};
    CFindMarkDlg* d = f.open(cmd::FindAndMark);
    d->findCombo()->setEditText("typed");
    f.fake.prompter.answers = {Answer::Yes};
    d->button(1011)->click();
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0], (Message{"Delete all previous Find strings ?", "Find and Mark",
                                                    Buttons::YesNoCancel, Icon::Question, 1}));
    EXPECT_TRUE(f.view->settings().findStrs.empty());
    EXPECT_EQ(d->findCombo()->count(), 0);
    EXPECT_EQ(d->findCombo()->currentText().toStdString(), "typed");
    EXPECT_FALSE(d->button(1011)->isEnabled());
    f.fake.prompter.answers = {Answer::No};
    f.press(d, "abc");
    EXPECT_TRUE(d->button(1011)->isEnabled());
}

TEST(FindMarkDlg, buttonsSendTheirRequestsAndAnEmptyFindTextOnlyBeeps) {
    Dialog f;
    CFindMarkDlg* d = f.open(cmd::Replace);
    f.select(0, 0);
    f.press(d, "");
    EXPECT_EQ(f.fake.desktop.beeps, 1);
    f.press(d, "foo");
    EXPECT_EQ(f.control().selection(), (Selection{4, 7}));
    d->replaceCombo()->setEditText("FOO");
    d->button(FindRequest::kReplace)->click();
    EXPECT_EQ(f.text(), "abc FOO bar foo");
    EXPECT_EQ(f.view->settings().replaceStrs, (std::vector<std::string>{"FOO"}));
}

TEST(FindMarkDlg, enterAndEscapeDoNothingAndTheNextOpeningIsWhereTheLastClosed) {
    Dialog f;
    CFindMarkDlg* d = f.open(cmd::FindAndMark);
    d->show();
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(d, &press);
    }
    EXPECT_TRUE(f.host.isOpen());
    EXPECT_TRUE(f.fake.prompter.messages.empty());
    d->move(120, 80);
    const QPoint corner = d->frameGeometry().topLeft();
    d->close();
    d = f.open(cmd::Replace);
    EXPECT_EQ(d->frameGeometry().topLeft(), corner);
}

}  // namespace
}  // namespace tagloom
