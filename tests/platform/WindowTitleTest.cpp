// Dialogs whose text is short still show their whole title: the title bar
// needs room for the title and its buttons.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTextDialogs.h"
#include "platform/qt/WindowTitle.h"

namespace tagloom {
namespace {

const char* const kTitles[] = {
    "Tagloom - Go to Line (1 - 30)",
    "Tagloom - Insert HTML Tag",
    "Tagloom - Enter Hex (0 - FF)",
    "Tagloom - Go to Offset (0 - 123456)",
};

TEST(WindowTitle, theEntryDialogAndTheTextWindowAreWideEnoughForTheirTitles) {
    for (const char* title : kTitles) {
        const QString text = QString::fromLatin1(title);
        const CEnterValueDlg entry(ValueEntry{title, "12", true}, nullptr);
        EXPECT_GE(entry.width(), titleBarWidth(text)) << title;
        const CTextViewDlg reference(TextView::Reference, title, "&amp;", nullptr);
        EXPECT_GE(reference.width(), titleBarWidth(text)) << title;
    }
}

TEST(WindowTitle, aMessageBoxWithAShortTextIsWideEnoughForItsTitle) {
    struct Case {
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {"Mark All Occurrences of This", "Found 3 occurrences of \"a\" .\nGo to the first occurrence?"},
        {"Mark All Occurrences of This", "No occurrences of \"zq\" were found !"},
        {"Tagloom - Enter Hex (0 - FF)", "Remove the selection first !"},
        {"Tagloom", "Ok"},
    };
    QtPrompter prompter([] { return nullptr; });
    for (const Case& c : cases) {
        int shownWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shownWidth = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        prompter.ask({c.text, c.title, Buttons::Ok, Icon::Information, 0});
        EXPECT_GE(shownWidth, titleBarWidth(QString::fromLatin1(c.title))) << c.title << ": " << c.text;
    }
}

}  // namespace
}  // namespace tagloom
