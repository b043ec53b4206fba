#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "document/RecentFileList.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/DocumentView.h"
#include "support/TestFiles.h"
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
    TextPieces textPieces() override { return wholeText(text_); }
    bool unixFile() const override { return bUnixFile; }
    bool readOnly() const override { return bReadOnly; }
    void setReadOnly(bool value) override { bReadOnly = value; }
    void setControlModified(bool value) override { controlModified = value; }
    void storeFileState() override { ++stores; }
    void initialUpdate() override { ++initialUpdates; }
    void originChanged(const DocumentOrigin& now, bool saved) override {
        origin = now;
        originSaved = saved;
    }

    std::string text_;
    DocumentOrigin origin;
    bool originSaved = false;
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

TEST(Document, aSaveAsksAboutTheFileItWillWriteAndWritesOnlyWhenAllowed) {
    enum class Route { SaveAs, SaveUnnamed, SaveChanges };
    struct Case {
        const char* name;
        Route route;
        std::vector<std::string> existing;      // files there before, each holding "old"
        std::vector<const char*> typed;         // one per dialog shown; the last may be cancelled
        bool lastCancelled;
        std::vector<Answer> replaceAnswers;     // one per question asked
        const char* asked;                      // the file the questions are about, or nothing
        const char* written;                    // the file that holds the text, or nothing
        int filter = 1;                         // chosen in every dialog
    };
    const Case cases[] = {
        {"a free final name", Route::SaveAs, {"page"}, {"page"}, false, {}, nullptr, "page.html"},
        {"yes replaces", Route::SaveAs, {"page", "page.html"}, {"page"}, false, {Answer::Yes}, "page.html",
         "page.html"},
        {"no shows the dialog again", Route::SaveAs, {"page.html"}, {"page", "other"}, false, {Answer::No},
         "page.html", "other.html"},
        {"no, then cancel", Route::SaveAs, {"page.html"}, {"page", "page"}, true, {Answer::No}, "page.html",
         nullptr},
        {"no twice", Route::SaveAs, {"page.txt"}, {"page", "page.txt", "page"}, true, {Answer::No, Answer::No},
         "page.txt", nullptr, 2},
        {"an unnamed save keeps the name", Route::SaveUnnamed, {"page", "page.html"}, {"page"}, false,
         {Answer::Yes}, "page", "page"},
        {"the framework's save adds .html", Route::SaveChanges, {"page"}, {"page"}, false, {}, nullptr,
         "page.html"},
        {"the framework's save asks too", Route::SaveChanges, {"page.html"}, {"page", "page"}, true, {Answer::No},
         "page.html", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        for (const auto& name : c.existing) f.file(name, "old");
        f.type("new");
        for (const char* typed : c.typed)
            f.chooseFile(f.dir.filePath(QString::fromUtf8(typed)).toStdString(), c.filter);
        if (c.lastCancelled) f.fake.fileDialogs.fileAnswers.back() = std::nullopt;
        for (const Answer answer : c.replaceAnswers) f.fake.prompter.answers.push_back(answer);
        std::string title;
        switch (c.route) {
        case Route::SaveAs: f.doc.SaveAs(); title = "Tagloom File Save As"; break;
        case Route::SaveUnnamed: f.doc.Save(); title = "Tagloom File Save"; break;
        case Route::SaveChanges:
            f.fake.prompter.answers.push_front(Answer::Yes);  // "Save changes to Untitled?"
            f.doc.SaveModified();
            f.fake.prompter.messages.erase(f.fake.prompter.messages.begin());
            title = "Save As";
            break;
        }

        EXPECT_EQ(f.fake.fileDialogs.requests.size(), c.typed.size());
        for (std::size_t shown = 1; shown < f.fake.fileDialogs.requests.size(); ++shown) {
            const FileDialogRequest& again = f.fake.fileDialogs.requests[shown];
            EXPECT_EQ(again.title, title);
            EXPECT_EQ(again.fileName, c.typed[shown - 1]) << "shown again with the name typed";
            EXPECT_EQ(again.filterIndex, c.filter) << "and the filter chosen";
            EXPECT_EQ(again.folder, f.dir.path().toStdString() + "/");
        }
        std::vector<Message> questions;
        for (std::size_t i = 0; i < c.replaceAnswers.size(); ++i)
            questions.push_back({std::string(c.asked) + " already exists.\nDo you want to replace it?", title,
                                 Buttons::YesNo, Icon::Warning, 1});
        EXPECT_EQ(f.fake.prompter.messages, questions);
        for (const auto& name : c.existing) {
            const std::string bytes = test::readRawFile(f.dir.filePath(QString::fromStdString(name)).toStdString());
            EXPECT_EQ(bytes, c.written && name == c.written ? "new" : "old") << name;
        }
        if (c.written) {
            const std::string path = f.dir.filePath(QString::fromUtf8(c.written)).toStdString();
            EXPECT_EQ(test::readRawFile(path), "new");
            EXPECT_EQ(f.doc.GetPathName(), path);
            EXPECT_FALSE(f.doc.IsModified());
        } else {
            EXPECT_EQ(f.doc.GetPathName(), "");
            EXPECT_TRUE(f.doc.IsModified());
        }
    }
}

TEST(Document, saveAsOffersTheFilterChosenLastTime) {
    Fixture f;
    f.type("text");
    f.chooseFile(f.dir.filePath(QStringLiteral("notes")).toStdString(), 2);
    f.chooseFile(f.dir.filePath(QStringLiteral("table")).toStdString(), 3);
    f.doc.SaveAs();
    f.doc.SaveAs();
    ASSERT_EQ(f.fake.fileDialogs.requests.size(), 2u);
    EXPECT_EQ(f.fake.fileDialogs.requests[0].filterIndex, 1);
    EXPECT_EQ(f.fake.fileDialogs.requests[1].filterIndex, 2);
    EXPECT_EQ(f.fake.fileDialogs.requests[1].fileName, "notes.txt");
    EXPECT_EQ(f.doc.GetPathName(), f.dir.filePath(QStringLiteral("table.csv")).toStdString());
}

TEST(Document, saveOfAnUnnamedDocumentWritesTheNameAsTyped) {
    Fixture f;
    f.type("text");
    f.chooseFile(f.dir.filePath(QStringLiteral("page")).toStdString());
    f.doc.Save();
    const FileDialogRequest& request = f.fake.fileDialogs.requests.at(0);
    EXPECT_EQ(request.title, "Tagloom File Save");
    EXPECT_EQ(request.fileName, "untitled");
    EXPECT_TRUE(f.fake.prompter.messages.empty()) << "page was free: nothing to replace";
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
