#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "document/RecentFileList.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/DocumentView.h"
#include "document/TestFiles.h"
#include "support/FakePlatform.h"

namespace tagloom {
namespace {

// A view that holds the text as a string and counts what the document asks.
class FakeView : public DocumentView {
public:
    void adoptLoadedText(LoadedText&& loaded) override {
        text_ = std::move(loaded.text);
        bUnixFile = loaded.bUnixFile;
        ++loads;
    }
    void emptyText() override { text_.clear(); }
    void resetLineEnds() override { bUnixFile = false; }
    std::string_view text() override { return text_; }
    bool unixFile() const override { return bUnixFile; }
    bool readOnly() const override { return bReadOnly; }
    void setReadOnly(bool value) override { bReadOnly = value; }
    void setControlModified(bool value) override { controlModified = value; }
    void storeFileState() override { ++stores; }
    void initialUpdate() override { ++initialUpdates; }

    std::string text_;
    bool bUnixFile = false;
    bool bReadOnly = false;
    bool controlModified = false;
    int loads = 0, stores = 0, initialUpdates = 0;
};

struct Fixture {
    Fixture() : recent(4), doc(fake.platform, recent) {
        doc.attachView(&view);
        doc.setTitleListener([this](const std::string& title) { caption = title + " - Tagloom"; });
        doc.New();  // the empty document made at start-up
    }
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        test::writeRawFile(path, bytes);
        return path;
    }
    void type(const std::string& text) {
        view.text_ += text;
        doc.SetModifiedFlag(true);
    }
    void chooseFile(const std::string& path, int filterIndex = 1, bool readOnly = false) {
        fake.fileDialogs.fileAnswers.push_back(FileDialogResult{path, filterIndex, readOnly});
    }

    QTemporaryDir dir;
    test::FakePlatform fake;
    RecentFileList recent;
    FakeView view;
    CHemlowHTMLDoc doc;
    std::string caption;
};

TEST(Document, theStartUpDocumentIsUntitledAndAsksNothing) {
    Fixture f;
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    EXPECT_EQ(f.caption, "Untitled - Tagloom");
    EXPECT_TRUE(f.fake.prompter.messages.empty());
    EXPECT_EQ(f.doc.bFirstNew, 0);
    EXPECT_EQ(f.view.initialUpdates, 1);
}

TEST(Document, aModifiedTitleCarriesTheMarkerAndLosesItWhenSaved) {
    Fixture f;
    const std::string path = f.file("index.html", "x");
    ASSERT_TRUE(f.doc.OpenDocumentFile(path));
    EXPECT_EQ(f.caption, "index.html - Tagloom");
    f.type("y");
    EXPECT_EQ(f.doc.GetTitle(), "index.html *");
    EXPECT_EQ(f.caption, "index.html * - Tagloom");
    f.doc.Save();
    EXPECT_EQ(f.doc.GetTitle(), "index.html");
    EXPECT_EQ(test::readRawFile(path), "xy");
    EXPECT_EQ(f.doc.nSaveCount, 1);
    EXPECT_EQ(f.recent.entries().front(), path);
}

TEST(Document, newOnAModifiedDocumentAsksAndKeepsTheTextUnlessTheUserLetsItGo) {
    struct Case {
        std::vector<Answer> answers;
        bool saveDialogCancelled;
        bool textKept;
    };
    const Case cases[] = {
        {{Answer::Cancel}, false, true},
        {{Answer::Yes}, true, true},  // the save was cancelled: nothing is lost
        {{Answer::No}, false, false},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.type("precious");
        for (auto a : c.answers) f.fake.prompter.answers.push_back(a);
        if (c.saveDialogCancelled) f.fake.fileDialogs.fileAnswers.push_back(std::nullopt);
        f.doc.New();
        ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
        EXPECT_EQ(f.fake.prompter.messages[0], (Message{"This Document has been modified!\nSave contents first?",
                                                         "Tagloom FIle Close", Buttons::YesNoCancel, Icon::Question, 0}));
        EXPECT_EQ(f.view.text_ == "precious", c.textKept);
        EXPECT_EQ(f.doc.IsModified(), c.textKept);
    }
}

TEST(Document, newAfterSavingAsGoesOnWithAnEmptyDocument) {
    Fixture f;
    f.view.bReadOnly = true;
    f.type("kept on disk");
    f.fake.prompter.answers.push_back(Answer::Yes);
    f.chooseFile(f.dir.filePath(QStringLiteral("kept")).toStdString(), 2);
    f.doc.New();
    EXPECT_EQ(test::readRawFile(f.dir.filePath(QStringLiteral("kept.txt")).toStdString()), "kept on disk");
    EXPECT_EQ(f.view.text_, "");
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    EXPECT_FALSE(f.view.bReadOnly);
    EXPECT_EQ(f.fake.fileDialogs.requests.back().title, "Tagloom File Save As");
}

TEST(Document, openShowsTheDialogWithTheRememberedChoicesAndTakesThemBack) {
    Fixture f;
    const std::string path = f.file("page.htm", "a\nb\n");
    f.doc.nOpenFilter = 2;
    f.doc.openDirStr = "/nowhere/";
    f.chooseFile(path, 4, true);
    f.doc.Open();
    const FileDialogRequest& request = f.fake.fileDialogs.requests.at(0);
    EXPECT_EQ(request.title, "Tagloom File Open");
    EXPECT_EQ(request.folder, "/nowhere/");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_TRUE(request.showReadOnlyBox);
    ASSERT_EQ(request.filters.size(), 4u);
    EXPECT_EQ(request.filters[0].name, "Internet Files ( *.html *.htm *.css *.pl *.js *.php )");
    EXPECT_EQ(request.filters[3].patterns, (std::vector<std::string>{"*.*"}));

    EXPECT_EQ(f.view.text_, "a\r\nb\r\n");
    EXPECT_TRUE(f.view.bUnixFile);
    EXPECT_TRUE(f.view.bReadOnly);
    EXPECT_EQ(f.doc.nOpenFilter, 4);
    EXPECT_EQ(f.doc.strLastFileName, "page.htm");
    EXPECT_EQ(f.doc.openDirStr, f.dir.path().toStdString() + "/");
    EXPECT_EQ(f.doc.GetTitle(), "page.htm");
    EXPECT_EQ(f.view.initialUpdates, 2);
}

TEST(Document, openOfAModifiedDocumentAsksFirstAndAFailedSaveEndsTheOpen) {
    struct Case {
        bool named;
        const char* question;
    };
    for (const Case c : {Case{true, "old.html\nhas been modified!\nSave contents first?"},
                         Case{false, "This Document has been modified!\nSave contents first?"}}) {
        Fixture f;
        if (c.named) {
            ASSERT_TRUE(f.doc.OpenDocumentFile(f.file("old.html", "old")));
        }
        f.type(" changed");
        const std::string before = f.view.text_;
        f.chooseFile(f.file("next.html", "next"));
        f.fake.prompter.answers.push_back(Answer::Yes);
        if (c.named)
            chmod(f.doc.GetPathName().c_str(), 0444);  // the save fails
        else
            f.fake.fileDialogs.fileAnswers.push_back(std::nullopt);  // Save As cancelled
        {
            test::PermissionsBind bind;
            f.doc.Open();
        }
        ASSERT_GE(f.fake.prompter.messages.size(), 1u);
        EXPECT_EQ(f.fake.prompter.messages[0].text, c.question);
        EXPECT_EQ(f.fake.prompter.messages[0].title, "Tagloom File Open");
        EXPECT_EQ(f.view.text_, before) << "the open went on after a failed save";
        EXPECT_TRUE(f.doc.IsModified());
    }
}

TEST(Document, aFileThatCannotBeOpenedIsReportedAndChangesNothing) {
    Fixture f;
    ASSERT_TRUE(f.doc.OpenDocumentFile(f.file("here.html", "here")));
    f.type("!");
    const std::string missing = f.dir.filePath(QStringLiteral("gone.html")).toStdString();
    f.chooseFile(missing);
    f.fake.prompter.answers.push_back(Answer::No);
    f.doc.Open();
    ASSERT_EQ(f.fake.prompter.messages.size(), 2u);
    EXPECT_EQ(f.fake.prompter.messages[1].text, missing + " was not found.");
    EXPECT_EQ(f.view.text_, "here!");
    EXPECT_EQ(f.doc.GetTitle(), "here.html *");
}

TEST(Document, saveAsAddsTheFiltersExtensionOnlyToANameWithoutOne) {
    struct Case {
        const char* typed;
        int filter;
        const char* written;
    };
    const Case cases[] = {
        {"page", 1, "page.html"}, {"page", 2, "page.txt"}, {"page", 3, "page.csv"},
        {"page.old", 2, "page.old"}, {"page", 4, "page"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.type("text");
        f.chooseFile(f.dir.filePath(QString::fromUtf8(c.typed)).toStdString(), c.filter);
        f.doc.SaveAs();
        const std::string written = f.dir.filePath(QString::fromUtf8(c.written)).toStdString();
        EXPECT_EQ(test::readRawFile(written), "text") << c.typed << " " << c.filter;
        EXPECT_EQ(f.doc.GetPathName(), written);
        EXPECT_EQ(f.doc.nSaveFilter, c.filter);
        EXPECT_EQ(f.doc.saveDirStr, f.dir.path().toStdString() + "/");
    }
}

TEST(Document, saveOfAnUnnamedDocumentWritesTheNameAsTyped) {
    Fixture f;
    f.type("text");
    f.chooseFile(f.dir.filePath(QStringLiteral("page")).toStdString());
    f.doc.Save();
    const FileDialogRequest& request = f.fake.fileDialogs.requests.at(0);
    EXPECT_EQ(request.title, "Tagloom File Save");
    EXPECT_EQ(request.fileName, "untitled");
    EXPECT_TRUE(request.promptOverwrite);
    EXPECT_EQ(test::readRawFile(f.dir.filePath(QStringLiteral("page")).toStdString()), "text");
    EXPECT_EQ(f.doc.GetTitle(), "page");
}

TEST(Document, aFailedSaveAsKeepsTheOldNameAndStaysModified) {
    Fixture f;
    const std::string path = f.file("index.html", "old");
    ASSERT_TRUE(f.doc.OpenDocumentFile(path));
    f.type(" new");
    const QString locked = f.dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    chmod(locked.toLocal8Bit().constData(), 0555);
    f.chooseFile((locked + QStringLiteral("/copy.html")).toStdString());
    {
        test::PermissionsBind bind;
        f.doc.SaveAs();
    }
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_NE(f.fake.prompter.messages[0].text.find("copy.html"), std::string::npos);
    EXPECT_EQ(f.doc.GetPathName(), path);
    EXPECT_EQ(f.doc.GetTitle(), "index.html *");
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(test::readRawFile(path), "old");
}

TEST(Document, openingTheFileAlreadyOpenOnlyActivatesTheWindow) {
    Fixture f;
    int activations = 0;
    f.doc.setActivateListener([&] { ++activations; });
    const std::string path = f.file("same.html", "same");
    ASSERT_TRUE(f.doc.OpenDocumentFile(path));
    f.type(" edited");
    ASSERT_TRUE(f.doc.OpenDocumentFile(f.dir.path().toStdString() + "/./same.html"));
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(f.view.text_, "same edited");
    EXPECT_TRUE(f.fake.prompter.messages.empty());
    EXPECT_EQ(f.view.loads, 1);
}

TEST(Document, theFrameworksOpenAsksToSaveChangesFirst) {
    Fixture f;
    ASSERT_TRUE(f.doc.OpenDocumentFile(f.file("a.html", "a")));
    f.type("!");
    f.fake.prompter.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(f.doc.OpenDocumentFile(f.file("b.html", "b")));
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text, "Save changes to a.html?");
    EXPECT_EQ(f.fake.prompter.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(f.view.text_, "a!");

    f.fake.prompter.answers.push_back(Answer::Yes);
    EXPECT_TRUE(f.doc.OpenDocumentFile(f.dir.filePath(QStringLiteral("b.html")).toStdString()));
    EXPECT_EQ(test::readRawFile(f.dir.filePath(QStringLiteral("a.html")).toStdString()), "a!");
    EXPECT_EQ(f.view.text_, "b");
    EXPECT_EQ(f.view.stores, 3);  // start-up New, then each open leaves a file
}

TEST(Document, rememberedFoldersAreReadAtConstructionAndWrittenAtDestruction) {
    test::FakePlatform fake;
    RecentFileList recent(4);
    {
        CHemlowHTMLDoc doc(fake.platform, recent);
        EXPECT_EQ(doc.openDirStr, "./");
        doc.openDirStr = "/srv/site/";
    }
    EXPECT_EQ(fake.settings.raw("Settings", "openDirStr"), "/srv/site/");
    EXPECT_EQ(fake.settings.raw("Settings", "saveDirStr"), "./");
    CHemlowHTMLDoc again(fake.platform, recent);
    EXPECT_EQ(again.openDirStr, "/srv/site/");
}

}  // namespace
}  // namespace tagloom
