// The file dialogs on Qt, run for real: a timer plays the user, choosing a
// filter and a name in the dialog that is open, and clicking Save or Open.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/qt/QtPlatform.h"

namespace tagloom {
namespace {

const char* const kFilterList =
    "Internet Files ( *.html *.htm *.css *.pl *.js *.php )|*.html;*.htm;*.css;*.pl;*.js;*.php|"
    "Text Files ( *.txt; *.asc )|*.txt;*.asc|Comma Delimited Files ( *.csv; *.prn )|*.csv;*.prn|"
    "All Files ( *.* )|*.*||";

// What the dialog showed while the user chose.
struct Seen {
    QString filterShown;       // the filter selected when the dialog opened
    QStringList messageBoxes;  // boxes that came up after Save or Open
};

// Runs `show` while a timer picks filter `filterIndex` (1-based) and types
// `fileName` in the modal file dialog, clicks Save or Open, and then answers
// No to any box the dialog itself asks.
template <class Show>
auto playUser(int filterIndex, const QString& fileName, Seen& seen, Show&& show) {
    QTimer::singleShot(0, [&seen, filterIndex, fileName] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen.filterShown = dialog->selectedNameFilter();
        dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
        dialog->selectFile(fileName);
        QTimer::singleShot(200, [&seen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.messageBoxes << box->text();
                box->done(QMessageBox::No);
            }
            // Answered No, the file dialog stays open for another name.
            if (auto* still = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) still->reject();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    return show();
}

// A dialog on a folder of its own, with the editor's filters.
struct DialogFixture {
    explicit DialogFixture(const std::string& title) {
        request.title = title;
        request.folder = folder.path().toStdString();
        request.filters = parseFilterList(kFilterList);
    }
    QString fileWith(const char* name, const char* bytes) const {
        const QString path = folder.filePath(QString::fromUtf8(name));
        std::ofstream(path.toStdString()) << bytes;
        return path;
    }

    QTemporaryDir folder;
    FileDialogRequest request;
    QtFileDialogs dialogs{[] { return nullptr; }};
};

TEST(QtFileDialogs, reportTheFilterTheUserChoseAndTheNameAsTyped) {
    DialogFixture f("Tagloom File Save As");
    f.request.filterIndex = 3;
    for (int chosen = 1; chosen <= 4; ++chosen) {
        SCOPED_TRACE(chosen);
        Seen seen;
        const auto result = playUser(chosen, QStringLiteral("zzz"), seen, [&] { return f.dialogs.saveFile(f.request); });
        ASSERT_TRUE(result);
        EXPECT_TRUE(seen.filterShown.startsWith(QStringLiteral("Comma Delimited Files")));
        EXPECT_EQ(result->filterIndex, chosen);
        EXPECT_EQ(result->path, f.folder.filePath(QStringLiteral("zzz")).toStdString());
    }
}

TEST(QtFileDialogs, saveLeavesTheQuestionAboutAnExistingFileToTheCaller) {
    DialogFixture f("Tagloom File Save As");
    const QString page = f.fileWith("page", "old");
    Seen seen;
    const auto result = playUser(1, QStringLiteral("page"), seen, [&] { return f.dialogs.saveFile(f.request); });
    EXPECT_EQ(seen.messageBoxes, QStringList());
    ASSERT_TRUE(result);
    EXPECT_EQ(result->path, page.toStdString());
}

TEST(QtFileDialogs, openReportsTheChosenFilterToo) {
    DialogFixture f("Tagloom File Open");
    const QString notes = f.fileWith("notes.txt", "notes");
    f.request.showReadOnlyBox = true;
    Seen seen;
    const auto result = playUser(2, QStringLiteral("notes.txt"), seen, [&] { return f.dialogs.openFile(f.request); });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->filterIndex, 2);
    EXPECT_EQ(result->path, notes.toStdString());
    EXPECT_FALSE(result->readOnly);
}

// Qt reads quotes in a typed name as a list of names; the editor takes the
// whole name, even where a piece of it names another file.
TEST(QtFileDialogs, aTypedNameWithQuotesIsOneName) {
    struct Case {
        bool save;
        const char* typed;
    };
    const Case cases[] = {{false, "say \"hi\".html"}, {true, "say \"hi\".html"}, {true, "new \"hi\" page.html"},
                          {true, "odd\"hi"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DialogFixture f(c.save ? "Tagloom File Save As" : "Tagloom File Open");
        f.fileWith("say \"hi\".html", "quoted");
        f.fileWith("hi", "a piece of the name");
        Seen seen;
        const QString typed = QString::fromUtf8(c.typed);
        const auto result =
            playUser(4, typed, seen, [&] { return c.save ? f.dialogs.saveFile(f.request) : f.dialogs.openFile(f.request); });
        EXPECT_EQ(seen.messageBoxes, QStringList());
        ASSERT_TRUE(result);
        EXPECT_EQ(result->path, f.folder.filePath(typed).toStdString());
    }
}

}  // namespace
}  // namespace tagloom
