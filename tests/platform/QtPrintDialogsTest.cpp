// The printing dialogs on Qt, run for real and answered by a timer.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/QtPlatform.h"

namespace tagloom {
namespace {

TEST(QtPrintDialogs, printSetupConfirmsWithOkAndPrintsNothing) {
    QtPrintDialogs dialogs([] { return nullptr; });
    QString title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        for (const auto* box : dialog->findChildren<QDialogButtonBox*>())
            if (box->window() == dialog)
                for (const auto* button : box->buttons()) buttons << button->text().remove(QLatin1Char('&'));
        dialog->reject();
    });
    PageValues values;
    EXPECT_FALSE(dialogs.printSetup(values));
    EXPECT_EQ(title, QStringLiteral("Print Setup"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK"))) << buttons.join(QLatin1Char(',')).toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Print"))) << buttons.join(QLatin1Char(',')).toStdString();
}

}  // namespace
}  // namespace tagloom
