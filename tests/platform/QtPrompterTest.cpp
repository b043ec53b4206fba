// The message boxes as the desktop shows them.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/QtPlatform.h"

namespace tagloom {
namespace {

// A style like those of some desktops, which put an icon on every dialog button.
class IconButtonStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
    QIcon standardIcon(StandardPixmap, const QStyleOption*, const QWidget*) const override {
        QPixmap arrow(16, 16);
        arrow.fill(Qt::green);
        return QIcon(arrow);
    }
};

TEST(QtPrompter, boxesHavePlainTextButtonsTheDefaultOneFocusedAndAnswerWithTheButtonClicked) {
    const QString previousStyle = QApplication::style()->name();
    QApplication::setStyle(new IconButtonStyle);
    QtPrompter prompter([] { return nullptr; });
    QStringList texts;
    bool iconsShown = false;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            texts << button->text();
            iconsShown = iconsShown || !button->icon().isNull();
        }
        defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        box->button(QMessageBox::No)->click();
    });
    const Answer answer =
        prompter.ask({"Save changes?", "Tagloom", Buttons::YesNoCancel, Icon::Question, 1});
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(texts.size(), 3);
    EXPECT_FALSE(iconsShown) << "a button shows an icon beside its text";
    EXPECT_EQ(defaultText.remove(QLatin1Char('&')), QStringLiteral("No"));
    QApplication::setStyle(previousStyle);
}

}  // namespace
}  // namespace tagloom
