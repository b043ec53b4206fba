#include <QTemporaryDir>
#include <QFile>
#include <gtest/gtest.h>

#include "platform/qt/QtSettingsStore.h"
#include "settings/EditorSettings.h"
#include "support/MemorySettingsStore.h"

namespace tagloom {
namespace {

using test::MemorySettingsStore;

TEST(EditorSettings, anEmptyStoreGivesEveryDefault) {
    MemorySettingsStore store;
    EditorSettings s;
    s.bWrap = 0;  // make sure load really assigns
    s.load(store);
    EXPECT_EQ(s.bShowLineNum, 0);
    EXPECT_EQ(s.nTabChars, 4);
    EXPECT_EQ(s.bWrap, 1);
    EXPECT_EQ(s.bRestoreState, 1);
    EXPECT_EQ(s.bDelTempAsap, 1);
    EXPECT_EQ(s.bConfirm, 1);
    EXPECT_EQ(s.bScrollCenter, 1);
    EXPECT_EQ(s.bFindDirection, 1);
    EXPECT_EQ(s.bMatchCase, 0);
    EXPECT_EQ(s.bWholeWord, 0);
    EXPECT_EQ(s.fontFaceName, "Courier New");
    EXPECT_EQ(s.fontPtSize, 10);
    EXPECT_EQ(s.printerPtSize, 8);
    EXPECT_EQ(s.bPrinterHeader, 1);
    EXPECT_EQ(s.bPrinterFooter, 1);
    EXPECT_EQ(s.bPrinterLineNum, 0);
    EXPECT_EQ(s.pitchStyle, 0);
    EXPECT_EQ(s.charSet, 1);
    EXPECT_EQ(s.bFifMatchCase, 0);
    EXPECT_EQ(s.bFifMatchWhole, 0);
    EXPECT_EQ(s.subfolderDepth, 0);
    for (const auto* path : {&s.strPathIExplorer, &s.strPathWinDiff, &s.strPathGraphics, &s.strUrlHtmlHelp,
                             &s.strUrlCsslHelp, &s.strUrlPhpHelp})
        EXPECT_EQ(*path, "none");
    EXPECT_EQ(s.strFifType, "*.htm?");
    EXPECT_TRUE(s.findStrs.empty());
    EXPECT_TRUE(s.replaceStrs.empty());
    EXPECT_EQ(s.strFindText, "");
}

TEST(EditorSettings, printerLineNumbersLiveWithTheOtherSettingsNotWithThePrinter) {
    MemorySettingsStore store;
    EditorSettings s;
    s.bPrinterLineNum = 1;
    s.printerPtSize = 9;
    s.save(store);
    EXPECT_EQ(store.raw("Settings", "bPrinterLineNum"), "1");
    EXPECT_FALSE(store.contains("printer", "bPrinterLineNum"));
    EXPECT_EQ(store.raw("printer", "printerPtSize"), "9");
    EXPECT_EQ(store.raw("printer", "bPrinterHeader"), "1");
    EXPECT_EQ(store.raw("printer", "bPrinterFooter"), "1");
    EXPECT_EQ(store.raw("Settings", "fontFaceName"), "Courier New");
}

TEST(EditorSettings, everyKeyRoundTrips) {
    MemorySettingsStore store;
    EditorSettings written;
    written.bShowLineNum = 1;
    written.nTabChars = 8;
    written.bWrap = 0;
    written.fontFaceName = "DejaVu Sans Mono";
    written.fontPtSize = 14;
    written.strPathIExplorer = "/usr/bin/firefox";
    written.strFifType = "*.css";
    written.subfolderDepth = 3;
    written.findStrs = {"newest", "older"};
    written.replaceStrs = {"with"};
    written.save(store);

    EditorSettings read;
    read.load(store);
    EXPECT_EQ(read.bShowLineNum, 1);
    EXPECT_EQ(read.nTabChars, 8);
    EXPECT_EQ(read.bWrap, 0);
    EXPECT_EQ(read.fontFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(read.fontPtSize, 14);
    EXPECT_EQ(read.strPathIExplorer, "/usr/bin/firefox");
    EXPECT_EQ(read.strFifType, "*.css");
    EXPECT_EQ(read.subfolderDepth, 3);
    EXPECT_EQ(read.findStrs, (std::vector<std::string>{"newest", "older"}));
    EXPECT_EQ(read.replaceStrs, (std::vector<std::string>{"with"}));
    EXPECT_EQ(read.strFindText, "newest");
}

TEST(EditorSettings, historyCountsReadAtMostTwelveEntries) {
    struct Case {
        const char* count;
        std::size_t expected;
    };
    const Case cases[] = {{"20", 12}, {"12", 12}, {"11", 11}, {"3", 3}, {"1", 1}, {"0", 0}, {"-4", 0}};
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.values[{"findStrs", "nFindStrs"}] = c.count;
        for (int i = 0; i < 20; ++i) store.values[{"findStrs", "findStr" + std::to_string(i)}] = "f" + std::to_string(i);
        EditorSettings s;
        s.load(store);
        ASSERT_EQ(s.findStrs.size(), c.expected) << "count " << c.count;
        for (std::size_t i = 0; i < c.expected; ++i) EXPECT_EQ(s.findStrs[i], "f" + std::to_string(i));
        EXPECT_EQ(s.strFindText, c.expected ? "f0" : "");
    }
}

TEST(EditorSettings, savingAShorterListLeavesStaleKeysThatTheNextLoadIgnores) {
    MemorySettingsStore store;
    EditorSettings s;
    s.findStrs = {"a", "b", "c", "d", "e"};
    s.save(store);
    s.findStrs = {"x", "y", "z"};
    s.save(store);
    EXPECT_EQ(store.raw("findStrs", "nFindStrs"), "3");
    EXPECT_EQ(store.raw("findStrs", "findStr0"), "x");
    EXPECT_EQ(store.raw("findStrs", "findStr2"), "z");
    EXPECT_EQ(store.raw("findStrs", "findStr3"), "d");  // stale, stays
    EditorSettings read;
    read.load(store);
    EXPECT_EQ(read.findStrs, (std::vector<std::string>{"x", "y", "z"}));
}

TEST(EditorSettings, savingALongListWritesEntriesZeroToElevenOnly) {
    MemorySettingsStore store;
    EditorSettings s;
    for (int i = 0; i < 15; ++i) s.replaceStrs.push_back("r" + std::to_string(i));
    s.save(store);
    EXPECT_EQ(store.raw("replaceStrs", "nReplaceStrs"), "15");
    EXPECT_TRUE(store.contains("replaceStrs", "replaceStr11"));
    EXPECT_FALSE(store.contains("replaceStrs", "replaceStr12"));
}

// A settings file edited by hand or damaged: every unusable value falls back
// to its default and nothing else changes.
TEST(EditorSettings, unreadableValuesInASettingsFileFallBackToTheirDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tagloom.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\n"
               "nTabChars=abc\n"
               "bWrap=\n"
               "fontPtSize=-12\n"
               "bConfirm=99999999999999999999\n"
               "bShowLineNum=1\n"
               "subfolderDepth=-3\n"
               "fontFaceName=\n"
               "strFifType=*.php\n"
               "[findStrs]\n"
               "nFindStrs=zz\n"
               "findStr0=lost\n"
               "[replaceStrs]\n"
               "nReplaceStrs=2\n"
               "replaceStr0=one\n");
    file.close();

    QtSettingsStore store(path);
    EditorSettings s;
    s.load(store);
    EXPECT_EQ(s.nTabChars, 4);
    EXPECT_EQ(s.bWrap, 1);
    EXPECT_EQ(s.fontPtSize, 10);
    EXPECT_EQ(s.bConfirm, 1);
    EXPECT_EQ(s.bShowLineNum, 1);
    EXPECT_EQ(s.subfolderDepth, 0);
    EXPECT_EQ(s.fontFaceName, "Courier New");
    EXPECT_EQ(s.strFifType, "*.php");
    EXPECT_TRUE(s.findStrs.empty());
    EXPECT_EQ(s.replaceStrs, (std::vector<std::string>{"one", ""}));
}

// Numbers that read well but that no radio button, check box, font or tab
// stop can show fall back to their defaults, and the defaults are what is
// written back; the values at the ends of each range are kept.
TEST(EditorSettings, valuesOutOfTheirRangeFallBackToTheirDefaultsAndAreNotWrittenBack) {
    struct Case {
        const char* section;
        const char* key;
        const char* stored;
        int EditorSettings::*member;
        int loaded;
    };
    const Case cases[] = {
        {"Settings", "pitchStyle", "9", &EditorSettings::pitchStyle, 0},
        {"Settings", "pitchStyle", "-1", &EditorSettings::pitchStyle, 0},
        {"Settings", "pitchStyle", "1", &EditorSettings::pitchStyle, 1},
        {"Settings", "charSet", "42", &EditorSettings::charSet, 1},
        {"Settings", "charSet", "4", &EditorSettings::charSet, 1},
        {"Settings", "charSet", "-1", &EditorSettings::charSet, 1},
        {"Settings", "charSet", "0", &EditorSettings::charSet, 0},
        {"Settings", "charSet", "3", &EditorSettings::charSet, 3},
        {"Settings", "bShowLineNum", "2", &EditorSettings::bShowLineNum, 0},
        {"Settings", "bShowLineNum", "1", &EditorSettings::bShowLineNum, 1},
        {"Settings", "bPrinterLineNum", "-1", &EditorSettings::bPrinterLineNum, 0},
        {"Settings", "bWrap", "2", &EditorSettings::bWrap, 1},
        {"Settings", "bWrap", "0", &EditorSettings::bWrap, 0},
        {"Settings", "bRestoreState", "5", &EditorSettings::bRestoreState, 1},
        {"Settings", "bDelTempAsap", "-7", &EditorSettings::bDelTempAsap, 1},
        {"Settings", "bConfirm", "2", &EditorSettings::bConfirm, 1},
        {"Settings", "bScrollCenter", "3", &EditorSettings::bScrollCenter, 1},
        {"Settings", "bFindDirection", "2", &EditorSettings::bFindDirection, 1},
        {"Settings", "bFindDirection", "0", &EditorSettings::bFindDirection, 0},
        {"Settings", "bMatchCase", "9", &EditorSettings::bMatchCase, 0},
        {"Settings", "bWholeWord", "-1", &EditorSettings::bWholeWord, 0},
        {"printer", "bPrinterFooter", "2", &EditorSettings::bPrinterFooter, 1},
        {"printer", "bPrinterHeader", "-2", &EditorSettings::bPrinterHeader, 1},
        {"Settings", "bFifMatchCase", "2", &EditorSettings::bFifMatchCase, 0},
        {"Settings", "bFifMatchWhole", "100", &EditorSettings::bFifMatchWhole, 0},
        {"Settings", "nTabChars", "257", &EditorSettings::nTabChars, 4},
        {"Settings", "nTabChars", "256", &EditorSettings::nTabChars, 256},
        {"Settings", "nTabChars", "0", &EditorSettings::nTabChars, 0},
        {"Settings", "fontPtSize", "0", &EditorSettings::fontPtSize, 10},
        {"Settings", "fontPtSize", "1639", &EditorSettings::fontPtSize, 10},
        {"Settings", "fontPtSize", "1638", &EditorSettings::fontPtSize, 1638},
        {"printer", "printerPtSize", "0", &EditorSettings::printerPtSize, 8},
        {"printer", "printerPtSize", "1", &EditorSettings::printerPtSize, 1},
        {"Settings", "subfolderDepth", "1001", &EditorSettings::subfolderDepth, 0},
        {"Settings", "subfolderDepth", "1000", &EditorSettings::subfolderDepth, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        MemorySettingsStore store;
        store.values[{c.section, c.key}] = c.stored;
        EditorSettings s;
        s.load(store);
        EXPECT_EQ(s.*c.member, c.loaded);
        s.save(store);
        EXPECT_EQ(store.raw(c.section, c.key), std::to_string(c.loaded));
    }
}

TEST(QtSettingsStore, keepsIntegersAndStringsBySectionAndKeyInItsFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tagloom.conf"));
    {
        QtSettingsStore store(path);
        store.setInt("Main Window", "max", 1);
        store.setString("Main Window", "Rect", "-008 0010 0800 0600");
        store.setString("Settings", "strFifType", "a,b;c=d");
        store.flush();
    }
    QtSettingsStore store(path);
    EXPECT_EQ(store.getInt("Main Window", "max", 0), 1);
    EXPECT_EQ(store.getString("Main Window", "Rect", ""), "-008 0010 0800 0600");
    EXPECT_EQ(store.getString("Settings", "strFifType", ""), "a,b;c=d");
    EXPECT_EQ(store.getInt("Main Window", "missing", 7), 7);
    store.remove("Main Window", "max");
    EXPECT_EQ(store.getInt("Main Window", "max", 5), 5);
}

}  // namespace
}  // namespace tagloom
