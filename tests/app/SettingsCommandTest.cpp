// The Settings command applies what the dialog returns, in order, each change
// through the step that shows it; the dialog itself offscreen; the About box.
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <set>

#include "app/SettingsCommand.h"
#include "app/qt/CAboutDlg.h"
#include "resources/CommandIds.h"
#include "settings/qt/CSettingsDlg.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

// Answers with the form as the test changes it.
class ScriptedSettingsWindow : public SettingsWindow {
public:
    bool edit(SettingsForm& form) override {
        shown.push_back(form);
        if (change) change(form);
        form.x = 120;
        form.y = 80;
        return accept;
    }
    std::function<void(SettingsForm&)> change;
    bool accept = true;
    std::vector<SettingsForm> shown;
};

struct Settings : test::ViewFixture {
    Settings() {
        command.setWindow(&window);
        load("one\r\ntwo\r\n");
    }
    int mruCount = 4;
    SettingsCommand command{*view, fake.platform, router, mruCount};
    ScriptedSettingsWindow window;
};

TEST(SettingsCommand, aCharacterSetChangeAloneIsStoredWithoutANewFont) {
    Settings f;
    const int fontsBefore = f.fonts.created;
    f.window.change = [](SettingsForm& form) { form.charSet = 3; };
    f.router.run(cmd::Settings);
    EXPECT_EQ(f.view->settings().charSet, 3);
    EXPECT_EQ(f.fonts.created, fontsBefore);
    EXPECT_TRUE(f.fake.prompter.messages.empty());

    f.window.change = [](SettingsForm& form) { form.faceName = "DejaVu Sans Mono"; };
    f.router.run(cmd::Settings);
    EXPECT_EQ(f.view->settings().fontFaceName, "DejaVu Sans Mono");
    EXPECT_GT(f.fonts.created, fontsBefore);
}

TEST(SettingsCommand, theRecentFileCountAsksForARestartOnceAndTheTabWidthNeedsANumber) {
    Settings f;
    f.window.change = [](SettingsForm& form) {
        form.mruCount = 8;
        form.tabWidth = "6";
        form.lineNumbers = true;
        form.unixFile = true;
    };
    f.router.run(cmd::Settings);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0],
              (Message{"MRU setting will be effective the\nnext time Tagloom is started.", "Tagloom - Change Settings",
                       Buttons::Ok, Icon::Information, 0}));
    EXPECT_EQ(f.mruCount, 8);
    EXPECT_EQ(f.view->settings().nTabChars, 6);
    EXPECT_EQ(f.view->settings().bShowLineNum, 1);
    EXPECT_TRUE(f.view->unixFile());

    f.window.change = [](SettingsForm& form) { form.tabWidth = ""; };
    f.router.run(cmd::Settings);
    EXPECT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.view->settings().nTabChars, 6);
    EXPECT_EQ(f.window.shown.back().mruCount, 8);
    EXPECT_EQ(f.window.shown.back().tabWidth, "6");
}

TEST(SettingsCommand, cancelChangesNothingButTheDialogsPlace) {
    Settings f;
    f.window.accept = false;
    f.window.change = [](SettingsForm& form) { form.browserPath = "/usr/bin/firefox"; form.wordWrap = false; };
    f.router.run(cmd::Settings);
    EXPECT_EQ(f.view->settings().strPathIExplorer, "none");
    EXPECT_EQ(f.view->settings().bWrap, 1);
    EXPECT_EQ(f.command.nSettingsDlgX, 120);
    f.router.run(cmd::Settings);
    EXPECT_EQ(f.window.shown.back().x, 120);
    EXPECT_EQ(f.window.shown.back().y, 80);
}

TEST(SettingsDialog, thePitchRefillsTheFaceListAndTheFaceBoxKeepsItsName) {
    test::FakePlatform fake;
    SettingsForm form;
    form.faceName = "No Such Face";
    form.pitch = 0;
    CSettingsDlg dialog(form, fake.platform, nullptr);
    const auto listed = [&] {
        std::vector<QString> faces;
        for (int i = 0; i < dialog.faceBox()->count(); ++i) faces.push_back(dialog.faceBox()->itemText(i));
        return faces;
    };
    for (const QString& face : listed()) EXPECT_TRUE(QFontDatabase::isFixedPitch(face)) << face.toStdString();
    dialog.pitchGroup()->button(1)->click();
    for (const QString& face : listed()) EXPECT_FALSE(QFontDatabase::isFixedPitch(face)) << face.toStdString();
    EXPECT_EQ(dialog.faceCount()->text(), QStringLiteral("%1 fonts").arg(listed().size()));
    EXPECT_EQ(dialog.faceBox()->currentText(), QStringLiteral("No Such Face"));
    EXPECT_EQ(dialog.form().pitch, 1);
}

// Qt lists a family from two foundries twice, as "Family [foundry]": the
// list shows its name once, and choosing it shows that font.
TEST(SettingsDialog, theFaceListNamesEachFamilyOnceWithoutItsFoundry) {
    test::FakePlatform fake;
    for (const int pitch : {0, 1}) {
        SettingsForm form;
        form.pitch = pitch;
        form.charSet = 1;  // all
        CSettingsDlg dialog(form, fake.platform, nullptr);
        QComboBox* faces = dialog.faceBox();
        std::set<QString> listed;
        for (int i = 0; i < faces->count(); ++i) {
            const QString face = faces->itemText(i);
            EXPECT_TRUE(listed.insert(face).second) << face.toStdString() << " is listed twice";
            EXPECT_FALSE(face.endsWith(QLatin1Char(']'))) << face.toStdString();
        }
        for (const QString& family : QFontDatabase::families()) {
            const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
            if (foundry < 0 || QFontDatabase::isFixedPitch(family) != (pitch == 0)) continue;
            const QString name = family.left(foundry);
            const int index = faces->findText(name, Qt::MatchFixedString);
            ASSERT_GE(index, 0) << name.toStdString() << " is missing";
            faces->setCurrentIndex(index);
            Q_EMIT faces->activated(index);
            const QString shown = QFontInfo(dialog.sample()->font()).family();
            EXPECT_TRUE(shown == name || shown.startsWith(name + QLatin1String(" ["))) << shown.toStdString();
            EXPECT_EQ(dialog.form().faceName, name.toStdString());
        }
    }
}

TEST(SettingsDialog, programLabelsBrowsingAndTheRecentFileCount) {
    test::FakePlatform fake;
    SettingsForm form;
    form.browserPath = "/usr/bin/firefox-esr.sh";
    form.diffPath = "none";
    CSettingsDlg dialog(form, fake.platform, nullptr);
    EXPECT_EQ(dialog.programLabelOf(0)->text(), QStringLiteral("Internet Browser - firefox-esr"));
    EXPECT_EQ(dialog.programLabelOf(1)->text(), QStringLiteral("File Differencing - none"));

    dialog.browse(1);  // cancelled
    EXPECT_EQ(dialog.form().diffPath, "none");
    ASSERT_EQ(fake.fileDialogs.requests.size(), 1u);
    EXPECT_EQ(fake.fileDialogs.requests[0].title, "Select File Differencing Peogram");
    EXPECT_EQ(fake.fileDialogs.requests[0].folder, "./");
    fake.fileDialogs.fileAnswers = {FileDialogResult{"/usr/bin/meld", 1, false}};
    dialog.browse(1);
    EXPECT_EQ(dialog.form().diffPath, "/usr/bin/meld");
    EXPECT_EQ(dialog.programLabelOf(1)->text(), QStringLiteral("File Differencing - meld"));

    dialog.mruBox()->setText(QString());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(fake.prompter.messages.size(), 1u);
    EXPECT_EQ(fake.prompter.messages[0].text, "Please enter an integer.");
}

TEST(AboutBox, theMailButtonStartsAMailToTheAuthorAndOnlyItShowsTheHand) {
    test::FakePlatform fake;
    CAboutDlg about(fake.platform, nullptr);
    EXPECT_EQ(about.mailButton()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.cursor().shape(), Qt::ArrowCursor);
    about.mailButton()->click();
    ASSERT_EQ(fake.launcher.calls.size(), 1u);
    EXPECT_EQ(fake.launcher.calls[0].arguments,
              std::vector<std::string>{"mailto:tagloom@fenwold.com?subject=Concerning your program Tagloom"});
    fake.launcher.endHelpers();
    EXPECT_TRUE(fake.prompter.messages.empty());

    about.mailButton()->click();
    fake.launcher.result = {false, "xdg-open: no mail program"};
    fake.launcher.endHelpers();
    ASSERT_EQ(fake.prompter.messages.size(), 1u);
    EXPECT_EQ(fake.prompter.messages[0],
              (Message{"Problem sending mail.", "Send Orvan Mail", Buttons::Ok, Icon::Error, 0}));
}

}  // namespace
}  // namespace tagloom
