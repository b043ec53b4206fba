#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "textmodel/Selection.h"
#include "resources/CommandIds.h"
#include "resources/Keys.h"
#include "support/TestFiles.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::ViewFixture;

TEST(ViewCore, zoomStopsAtTheEndsOfTheSizeTableWithABeep) {
    struct Case {
        int from;
        int command;
        int to;
        int beeps;
    };
    const Case cases[] = {
        {48, cmd::ZoomIn, 48, 1}, {6, cmd::ZoomOut, 6, 1}, {7, cmd::ZoomOut, 6, 0}, {13, cmd::ZoomIn, 14, 0},
    };
    for (const auto& c : cases) {
        ViewFixture f;
        f.view->settings().fontPtSize = c.from;
        const int fontsBefore = f.fonts.created;
        EXPECT_TRUE(f.router.run(c.command));
        EXPECT_EQ(f.view->settings().fontPtSize, c.to);
        EXPECT_EQ(f.fake.desktop.beeps, c.beeps);
        EXPECT_EQ(f.fonts.created - fontsBefore, c.beeps ? 0 : 1);
    }
}

TEST(ViewCore, theWheelZoomsOnlyWithCtrlAloneAndAForwardTurnZoomsOut) {
    struct Case {
        int delta;
        int modifiers;
        bool buttons;
        bool used;
        int size;
    };
    const Case cases[] = {
        {120, kCtrl, false, true, 9},   {-120, kCtrl, false, true, 11}, {120, kCtrl | kShift, false, false, 10},
        {120, kNoModifier, false, false, 10}, {120, kCtrl, true, false, 10},
    };
    for (const auto& c : cases) {
        ViewFixture f;
        EXPECT_EQ(f.view->OnMouseWheel(c.delta, c.modifiers, c.buttons), c.used);
        EXPECT_EQ(f.view->settings().fontPtSize, c.size);
    }
}

TEST(ViewCore, ctrlWithTheKeypadKeysZooms) {
    ViewFixture f;
    f.view->OnKeyDown(VK_ADD, kCtrl);
    EXPECT_EQ(f.view->settings().fontPtSize, 11);
    f.view->OnKeyDown(VK_SUBTRACT, kCtrl);
    f.view->OnKeyDown(VK_SUBTRACT, kCtrl);
    EXPECT_EQ(f.view->settings().fontPtSize, 9);
    f.view->OnKeyDown(VK_ADD, kNoModifier);
    EXPECT_EQ(f.view->settings().fontPtSize, 9);
}

TEST(ViewCore, toggleWordWrapKeepsSelectionTopLineUndoAndModifiedFlags) {
    ViewFixture f;
    std::string page;
    for (int i = 0; i < 200; ++i) page += "line " + std::to_string(i) + " with some words to wrap around\n";
    f.load(page);
    f.control().lineScroll(0, 50);
    f.select(3000, 3010);
    f.control().typeText("typed");
    f.select(3000, 3005);
    const int top = f.control().lineIndex(f.control().firstVisibleLine());
    const int undoRecords = static_cast<int>(f.view->undo().undoPositions.size());
    ASSERT_TRUE(f.document.IsModified());

    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(f.router.run(cmd::WordWrap));
        auto [s, e] = f.control().selection();
        EXPECT_EQ(s, 3000);
        EXPECT_EQ(e, 3005);
        EXPECT_EQ(f.control().lineIndex(f.control().firstVisibleLine()), top);
        EXPECT_EQ(static_cast<int>(f.view->undo().undoPositions.size()), undoRecords);
        EXPECT_TRUE(f.document.IsModified());
        EXPECT_TRUE(f.control().getModify());
        EXPECT_EQ(f.control().wordWrap(), f.view->settings().bWrap != 0);
    }
}

TEST(ViewCore, statusPanesCountLinesBookmarksAndTheSavedSize) {
    struct Case {
        std::string file;
        const char* lines;
        const char* bytes;
        const char* bookmarks;
        const char* ends;
    };
    // The text a, b, CR, CR, LF, c, d: a DOS file "ab\r\ncd" with a bookmark on line 1.
    const Case cases[] = {
        {"ab\r\ncd", "\t2 Lines", "\t6 Bytes", "\t1 BM", "\tCR-LF"},
        {"ab\ncd", "\t2 Lines", "\t5 Bytes", "\t1 BM", "\tUNIX"},
    };
    for (const auto& c : cases) {
        ViewFixture f;
        f.load(c.file);
        f.select(2, 2);
        f.control().replaceSel("\r");  // the bookmark's extra CR
        ASSERT_EQ(f.text().substr(0, 5), "ab\r\r\n");
        // Asked before the Lines pane, as the status bar may ask them.
        EXPECT_EQ(f.pane(str::PaneBytes), c.bytes);
        EXPECT_EQ(f.pane(str::PaneBookmarks), c.bookmarks);
        EXPECT_EQ(f.pane(str::PaneLines), c.lines);
        EXPECT_EQ(f.pane(str::PaneLineEnds), c.ends);
    }
}

TEST(ViewCore, lineAndColumnCountLineFeedsAndEveryOtherCharacterAsOneColumn) {
    ViewFixture f;
    f.load("ab\r\n\tcd");
    struct Case {
        int caret;
        const char* text;
    };
    for (const Case c : {Case{0, "\tLn 1, Col 1"}, Case{4, "\tLn 2, Col 1"}, Case{5, "\tLn 2, Col 2"},
                         Case{3, "\tLn 1, Col 4"}, Case{7, "\tLn 2, Col 4"}}) {
        f.select(c.caret, c.caret);
        EXPECT_EQ(f.pane(str::PaneLnCol), c.text) << c.caret;
    }
}

// Commands that edit and then put the selection back, or move the caret
// without a key: the pane shows where the caret ends, and its listener hears
// of every new text.
TEST(ViewCore, lineAndColumnFollowTheCaretWhoeverMovesIt) {
    struct Case {
        const char* what;
        int caret;
        std::function<void(ViewFixture&)> act;
        const char* lnCol;
    };
    const Case cases[] = {
        {"a bookmark on the last line", 9, [](ViewFixture& f) { f.router.run(cmd::ToggleBookmark); }, "\tLn 3, Col 2"},
        {"a bookmark taken off again", 9,
         [](ViewFixture& f) { f.router.run(cmd::ToggleBookmark), f.router.run(cmd::ToggleBookmark); },
         "\tLn 3, Col 2"},
        {"a bookmark on the first line", 1, [](ViewFixture& f) { f.router.run(cmd::ToggleBookmark); }, "\tLn 1, Col 2"},
        {"a program's selection", 0, [](ViewFixture& f) { f.select(5, 6); }, "\tLn 2, Col 2"},
        {"ReOpen", 9,
         [](ViewFixture& f) {
             f.control().typeText("q");
             f.fake.prompter.answers = {Answer::Yes};
             f.router.run(cmd::ReOpen);
         },
         "\tLn 1, Col 1"},
    };
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("page.html")).toStdString();
    test::writeRawFile(path, "ab\r\ncd\r\nxyz");
    for (const Case& c : cases) {
        ViewFixture f;
        ASSERT_TRUE(f.document.OpenDocumentFile(path));
        f.select(c.caret, c.caret);
        f.pane(str::PaneLnCol);  // read, as the status bar reads it
        int told = 0;
        f.view->setLnColListener([&] { ++told; });
        c.act(f);
        EXPECT_EQ(f.pane(str::PaneLnCol), c.lnCol) << c.what;
        EXPECT_GT(told, 0) << c.what;
    }
}

// Save writes the edited text from its pieces as they lie: the text of a
// page of a gigabyte is never joined into a second block for it. A CR typed
// before an LF splits that line break across two pieces.
TEST(ViewCore, aSaveAfterEditsWritesThePiecesWithoutJoiningTheText) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("page.html")).toStdString();
    std::string page;
    for (int i = 0; i < 3000; ++i) page += "<p>line " + std::to_string(i) + "</p>\n";
    test::writeRawFile(path, page);
    ViewFixture f;
    ASSERT_TRUE(f.document.OpenDocumentFile(path));
    f.select(3, 3);
    f.control().typeText("edited ");
    const int lineEnd = f.control().textLineIndex(2) - 1;  // the LF of the second line
    f.select(lineEnd, lineEnd);
    f.control().typeText("!\r");
    f.select(f.control().length(), f.control().length());
    f.control().typeText("<!-- end -->");
    ASSERT_FALSE(f.control().isLockFree());
    f.document.Save();
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_FALSE(f.control().isLockFree()) << "the save joined the pieces";
    std::string expected = page;
    expected.insert(3, "edited ");
    expected.insert(expected.find('\n', expected.find('\n') + 1), "!");
    EXPECT_EQ(test::readRawFile(path), expected + "<!-- end -->");
}

TEST(ViewCore, theInitialUpdateReportsStrayCarriageReturnsOnce) {
    struct Case {
        std::string file;
        std::string notice;
    };
    const Case cases[] = {
        {"a\r\r\nb", "There was 1 stray carriage returns in this MS DOS file.\nThis will be automatically fixed "
                     "whenever the file is saved."},
        {"a\nb\r\nc\n", "There was 1 stray carriage returns in this UNIX file.\nThis will be automatically fixed "
                        "whenever the file is saved."},
        {"a\rb\rc", "There were 2 stray carriage returns in this MS DOS file.\nThis will be automatically fixed "
                    "whenever the file is saved."},
        {"a\r\nb", ""},
    };
    for (const auto& c : cases) {
        ViewFixture f;
        f.load(c.file);
        if (c.notice.empty()) {
            EXPECT_TRUE(f.fake.prompter.messages.empty());
            continue;
        }
        ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
        EXPECT_EQ(f.fake.prompter.messages[0].text, c.notice);
        EXPECT_EQ(f.fake.prompter.messages[0].title, "Tagloom - Open File");
        EXPECT_EQ(f.fake.prompter.messages[0].icon, Icon::Information);
        f.document.New();  // a new document after it shows no notice
        f.fake.uiQueue.drain();
        EXPECT_EQ(f.fake.prompter.messages.size(), 1u);
    }
}

TEST(ViewCore, aDoubleClickSelectsTheWordOfWordCharacters) {
    ViewFixture f;
    f.load("x=foo_bar2;");
    f.select(6, 6);
    f.view->OnDoubleClick();
    auto [s, e] = f.control().selection();
    EXPECT_EQ(f.text().substr(s, e - s), "foo_bar2");
}

TEST(ViewCore, threeLettersThreeUndosBeepAndClearTheMarker) {
    ViewFixture f;
    f.load("");
    for (const char* letter : {"a", "b", "c"}) {
        f.fake.clock.now += 500;
        f.control().typeText(letter);
    }
    EXPECT_EQ(f.document.GetTitle(), "Untitled *");
    EXPECT_EQ(f.router.query(cmd::Undo).text, "&Undo (3)\tCtrl+Z");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.router.run(cmd::Undo));
    EXPECT_EQ(f.text(), "");
    EXPECT_EQ(f.fake.desktop.beeps, 1);
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_EQ(f.document.GetTitle(), "Untitled");
    EXPECT_FALSE(f.router.query(cmd::Undo).enabled);
    EXPECT_EQ(f.router.query(cmd::Redo).text, "&Redo (3)\tCtrl+Y");
}

TEST(ViewCore, readOnlyDisablesUndoRedoAndCutButNotPasteFromLifo) {
    ViewFixture f;
    f.load("some text");
    f.select(0, 4);
    EXPECT_TRUE(f.router.run(cmd::Copy));
    f.control().typeText("x");
    EXPECT_TRUE(f.router.run(cmd::ReadOnly));
    EXPECT_TRUE(f.router.query(cmd::ReadOnly).checked);
    EXPECT_FALSE(f.router.query(cmd::Undo).enabled);
    EXPECT_FALSE(f.router.query(cmd::Cut).enabled);
    EXPECT_FALSE(f.router.query(cmd::Paste).enabled);
    f.select(0, 0);
    EXPECT_TRUE(f.router.run(cmd::PasteFromLifo));
    EXPECT_EQ(f.text(), "somex text");
}

TEST(ViewCore, elevenCopiesThenElevenPastesFromLifoWalkBackTenTexts) {
    ViewFixture f;
    f.load("0123456789A");
    for (int i = 0; i < 11; ++i) {
        f.select(i, i + 1);
        EXPECT_TRUE(f.router.run(cmd::Copy));
    }
    EXPECT_EQ(f.router.query(cmd::PasteFromLifo).text, "Paste From LIFO (10)\tCtrl+Shift+V");
    f.select(11, 11);
    std::string pasted;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(f.router.run(cmd::PasteFromLifo));
        auto [s, e] = f.control().selection();
        pasted += f.text().substr(s, e - s);
        EXPECT_EQ(f.fake.clipboard.contents, f.text().substr(s, e - s));
        f.select(e, e);
    }
    EXPECT_EQ(pasted, "A987654321");
    EXPECT_EQ(f.router.query(cmd::PasteFromLifo).text, "Paste From LIFO (0)\tCtrl+Shift+V");
    EXPECT_FALSE(f.router.run(cmd::PasteFromLifo));
}

TEST(ViewCore, pasteRaisesTheBookmarkCountFromZeroToOne) {
    ViewFixture f;
    f.load("abc");
    f.fake.clipboard.contents = "x";
    EXPECT_EQ(f.view->bookmarks().nBookmarks, 0);
    EXPECT_TRUE(f.router.run(cmd::Paste));
    EXPECT_EQ(f.view->bookmarks().nBookmarks, 1);
    EXPECT_EQ(f.text(), "xabc");
}

// The counts shown in the status bar, kept edit by edit, must always equal
// what walks over the whole text give. Whole-text replacements (a text tool
// over the whole text, which may leave bare LFs) are among the edits, in DOS
// and in UNIX files; the bytes pane always tells the size the file saves as.
TEST(ViewCore, statusIndicatorsKeptIncrementallyEqualTheWalksAfterEveryRandomEdit) {
    for (const char* file : {"<p>\r\nstart\r\r\nend", "<p>\nstart\nend\n"}) {
        SCOPED_TRACE(file);
        ViewFixture f;
        f.load(file);
        std::mt19937 random(99);
        const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        const std::string alphabet = "\r\r\n\tab<> ";
        for (int step = 0; step < 3000; ++step) {
            const int n = f.control().length();
            const int s = pick(0, n), e = std::min(n, s + pick(0, 3));
            f.select(s, e);
            switch (pick(0, 19)) {
            case 0: f.select(0, 0), f.router.run(cmd::HtmlRemoveWhitespace); break;
            case 1: f.view->ReplaceWholeText(f.text() + "\r\n<b>\n"); break;
            case 2: case 3: case 4: f.control().deleteBack(); break;
            case 5: case 6: case 7: f.control().deleteForward(); break;
            default: {
                std::string typed(1, alphabet[pick(0, alphabet.size() - 1)]);
                f.control().replaceSel(typed);
            }
            }
            const std::string text = f.text();
            int lines = 1, bookmarks = 0, line = 1, column = 1;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] != '\n') continue;
                ++lines;
                if (i >= 2 && text[i - 2] == '\r') ++bookmarks;
            }
            std::string saved;
            writeFileBytes(text, f.view->unixFile(), [&saved](std::string_view block) {
                saved.append(block);
                return true;
            });
            auto [caret, end] = f.control().selection();
            for (int i = 0; i < caret; ++i) {
                if (text[i] == '\n') {
                    ++line;
                    column = 1;
                } else {
                    ++column;
                }
            }
            ASSERT_EQ(f.pane(str::PaneLines), "\t" + std::to_string(lines) + " Lines") << step;
            ASSERT_EQ(f.pane(str::PaneBookmarks), "\t" + std::to_string(bookmarks) + " BM") << step;
            ASSERT_EQ(f.pane(str::PaneBytes), "\t" + std::to_string(saved.size()) + " Bytes") << step;
            ASSERT_EQ(f.pane(str::PaneLnCol), "\tLn " + std::to_string(line) + ", Col " + std::to_string(column)) << step;
        }
    }
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

TEST(ViewCore, tabOverASelectionOfSeveralLinesIndentsOrOutdentsThemAsOneStep) {
    struct Case {
        std::string file;
        int start, end;
        bool shift;
        bool taken;  // false: the Tab is typed as usual
        std::string text;
        int selStart, selEnd;
    };
    const Case cases[] = {
        {"ab\ncd\nef", 1, 5, false, true, "\tab\r\n\tcd\r\nef", 0, 10},
        {"ab\ncd\nef", 0, 4, false, true, "\tab\r\ncd\r\nef", 0, 5},  // ends just after the LF
        {"ab\ncd\nef", 0, 5, true, true, "ab\r\ncd\r\nef", 0, 8},    // nothing to drop: still replaced
        {"\tab\n\tcd\nef", 1, 6, true, true, "ab\r\ncd\r\nef", 0, 8},
        {"ab\ncd", 0, 4, false, true, "\tab\r\ncd", 0, 5},          // the next line stays
        {"ab\ncd", 0, 1, false, false, "ab\r\ncd", 0, 1},           // inside one line: ordinary typing
        {"ab\ncd", 4, 6, false, false, "ab\r\ncd", 4, 6},           // the last line without a line feed
    };
    for (const auto& c : cases) {
        ViewFixture f;
        f.load(c.file);
        f.select(c.start, c.end);
        EXPECT_EQ(f.view->OnTabKey(c.shift), c.taken) << c.file;
        EXPECT_EQ(f.text(), c.text) << c.file;
        auto [s, e] = f.control().selection();
        EXPECT_EQ(s, c.selStart);
        EXPECT_EQ(e, c.selEnd);
        if (c.taken) {
            EXPECT_EQ(f.view->undo().undoSteps(), 1);
            f.router.run(cmd::Undo);
            EXPECT_EQ(f.text(), toEditorText(c.file).text);
        }
    }
}

TEST(ViewCore, columnGuideNeedsAnEmptySelectionAndColorFromTextShowsTheColour) {
    ViewFixture f;
    f.load("color: Teal ;");
    f.select(0, 2);
    EXPECT_FALSE(f.router.query(cmd::ColumnGuide).enabled);
    f.view->guides().ToggleColumnGuide();
    EXPECT_EQ(f.view->guides().guides.nColumnGuideX, -1);
    f.select(3, 3);
    EXPECT_TRUE(f.router.run(cmd::ColumnGuide));
    EXPECT_EQ(f.view->guides().guides.nColumnGuideX, 3 * f.view->charWidth());
    EXPECT_TRUE(f.router.query(cmd::ColumnGuide).checked);

    f.select(6, 12);  // " Teal "
    EXPECT_TRUE(f.router.run(cmd::ColorFromText));
    EXPECT_EQ(f.fake.clipboard.contents, "#008080");
    EXPECT_EQ(f.pane(str::PaneColor), "\t#008080");
    f.select(0, 5);  // "color" names no colour
    EXPECT_TRUE(f.router.run(cmd::ColorFromText));
    EXPECT_EQ(f.fake.desktop.beeps, 1);
}

TEST(ViewCore, theMarginWidensWhenTheBottomLineNumberGetsAnotherDigit) {
    ViewFixture f;
    f.view->settings().bShowLineNum = 1;
    f.load("1\n2\n3\n4\n5\n6\n7\n8\n9");
    EXPECT_EQ(f.view->marginChars(), 3);
    EXPECT_FALSE(f.view->FitMarginTo(9));
    EXPECT_TRUE(f.view->FitMarginTo(10));
    EXPECT_EQ(f.view->marginChars(), 4);
    EXPECT_EQ(f.control().getRect().left, 4 * f.view->charWidth());
}

// With word wrap, a wider margin can wrap a line and so bring a number with
// one digit less to the bottom, which would narrow the margin again: every
// paint would then ask for the next. At one place the margin settles.
TEST(ViewCore, theMarginSettlesWhenWideningItWrapsALineAboveTheBottom) {
    ViewFixture f;
    f.view->settings().bShowLineNum = 1;
    f.view->settings().bWrap = 1;
    std::string text;
    const int charsWithFourWide = (800 - 4 * 6) / 6;  // the fixture's font is 6 pixels wide at 10 points
    for (int i = 1; i <= 200; ++i) text += (i == 85 ? std::string(charsWithFourWide, 'x') : "line") + "\n";
    f.load(text);
    // Lines 51 to 100 shown: " 100 " needs five characters, which wraps line 85.
    f.control().lineScroll(0, 100 - f.control().visibleLineCount() - f.control().firstVisibleLine());
    std::vector<int> widths;
    for (int paint = 0; paint < 6; ++paint) {
        const int bottom = std::min(f.control().firstVisibleLine() + f.control().visibleLineCount() - 1,
                                    f.control().lineCount() - 1);
        f.view->FitMarginTo(f.view->textLineOf(f.control().lineIndex(bottom)) + 1);
        widths.push_back(f.view->marginChars());
    }
    EXPECT_EQ(widths[4], widths[5]);
    EXPECT_EQ(widths[3], widths[4]);
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

// Answers the box and notes what the control shows while it is open.
struct WatchingPrompter : Prompter {
    explicit WatchingPrompter(test::FakePrompter& answers) : answers(answers) {}
    Answer ask(const Message& message) override {
        if (view) {
            shown = std::string(view->text());
            lineGuideWhileShown = view->guides().guides.bLineGuide;
        }
        return answers.ask(message);
    }
    test::FakePrompter& answers;
    CHemlowHTMLView* view = nullptr;
    std::string shown;
    int lineGuideWhileShown = -1;
};

TEST(ViewCore, theFontReportShowsInPlaceOfTheTextAndLeavesNothingToUndo) {
    ViewFixture f;
    WatchingPrompter prompter(f.fake.prompter);
    Platform platform{prompter, f.fake.desktop, f.fake.clipboard, f.fake.launcher, f.fake.fileDialogs,
                      f.fake.printDialogs, f.fake.clock, f.fake.uiQueue, f.fake.settings, f.fake.textDialogs};
    CommandRouter router;
    CHemlowHTMLView view(platform, router, f.fonts, f.document);
    view.adoptLoadedText(toEditorText("line one\nline two\n"));
    view.initialUpdate();
    view.control().setSel(5, 8);
    view.guides().guides.bLineGuide = 1;
    prompter.view = &view;
    EXPECT_TRUE(router.run(cmd::FontCharacteristics));
    EXPECT_NE(prompter.shown.find("\t\tFont Face Name:  Courier New\r\n\t\tCharacter Set:  ANSI_CHARSET\r\n"),
              std::string::npos);
    EXPECT_NE(prompter.shown.find("Spacing:  Fixed\r\n\t\tVector Font    True-Type Font    \r\n"), std::string::npos);
    EXPECT_EQ(prompter.lineGuideWhileShown, 0);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text, "Return to the document\nPress [esc] or click OK");
    EXPECT_EQ(f.fake.prompter.messages[0].title, "Tagloom - Font Characteristics");
    EXPECT_EQ(std::string(view.text()), "line one\r\nline two\r\n");
    auto [s, e] = view.control().selection();
    EXPECT_EQ(s, 5);
    EXPECT_EQ(e, 8);
    EXPECT_EQ(view.guides().guides.bLineGuide, 1);
    EXPECT_EQ(view.undo().undoSteps(), 0);
    f.document.attachView(f.view.get());
}

TEST(FontReport, saysVariableWhenTheThreeSampleLinesDiffer) {
    FontFacts facts{100, 120, 110, "", 10, false, false, true};
    std::tm day{};
    day.tm_year = 126, day.tm_mon = 11, day.tm_mday = 8, day.tm_wday = 2;
    const std::string report = fontReportText("Arial", facts, day);
    EXPECT_NE(report.find("Spacing:  Variable\r\n\t\tRaster Font    Device Font    \r\n\r\n\t\tTuesday, December 08, 2026"),
              std::string::npos);
    EXPECT_EQ(report.rfind("\r\n\t\tFont Spacing Check\r\n", 0), 0u);
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

TEST(ViewCore, aWholeTextReplacementIsOneUndoStepBothWays) {
    ViewFixture f;
    f.load("<p>old</p>\n");
    f.view->ReplaceWholeText("<p>\r\n\tnew\r\n</p>\r\n");
    EXPECT_EQ(f.router.query(cmd::Undo).text, "&Undo (1)\tCtrl+Z");
    auto [s, e] = f.control().selection();
    EXPECT_EQ(s, 0);
    EXPECT_TRUE(f.document.IsModified());
    f.router.run(cmd::Undo);
    EXPECT_EQ(f.text(), "<p>old</p>\r\n");
    f.router.run(cmd::Redo);
    EXPECT_EQ(f.text(), "<p>\r\n\tnew\r\n</p>\r\n");
    EXPECT_EQ(f.pane(str::PaneLines), "\t4 Lines");
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

TEST(ViewCore, cssFormatOfTheWholeTextIsOneUndoStepAndRemoveWhitespaceWorksOnTheSelection) {
    ViewFixture f;
    f.load("p{color:red;margin:0}");
    ASSERT_TRUE(f.router.query(cmd::CssFormat).enabled);
    EXPECT_TRUE(f.router.run(cmd::CssFormat));
    const std::string formatted = f.text();
    EXPECT_NE(formatted, "p{color:red;margin:0}");
    EXPECT_EQ(f.view->undo().undoSteps(), 1);
    f.router.run(cmd::Undo);
    EXPECT_EQ(f.text(), "p{color:red;margin:0}");

    f.load("<p>  a  </p>\n<p>  b  </p>\n");
    const int end = static_cast<int>(f.text().find("\r\n")) + 2;
    f.select(0, end);
    EXPECT_TRUE(f.router.run(cmd::HtmlRemoveWhitespace));
    EXPECT_LT(f.text().size(), std::string("<p>  a  </p>\r\n<p>  b  </p>\r\n").size());
    EXPECT_NE(f.text().find("<p>  b  </p>"), std::string::npos);  // the rest is untouched
    f.router.run(cmd::ReadOnly);
    EXPECT_FALSE(f.router.query(cmd::CssFormat).enabled);
}

// The command line's switches select in the file's bytes; the view maps
// them onto its text as the command line does.
TEST(ViewCore, theInitialSelectionFromTheCommandLineLiesInTheLoadedText) {
    struct Case {
        const char* file;
        int start, end;
        Selection expected;
    };
    const Case cases[] = {
        {"ab\ncd\nef", 3, 5, {4, 6}},   // a UNIX file: each LF before becomes CR LF
        {"ab\r\ncd", -5, 3, {0, 3}},    // before the start means the start
        {"ab\r\ncd", 4, 100, {4, 6}},   // the end stops at the text's end
    };
    for (const Case& c : cases) {
        ViewFixture f;
        f.view->setInitialSelection(c.start, c.end);
        f.load(c.file);
        EXPECT_EQ(f.control().selection(), c.expected) << c.file << " " << c.start;
    }
}

}  // namespace
}  // namespace tagloom
