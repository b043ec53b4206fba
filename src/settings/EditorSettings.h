#pragma once
// The user's editor preferences, kept in the settings store from one run to
// the next: read when the view is built, written back, every key, when it is
// destroyed. Members are named as their keys.
#include <string>
#include <vector>

namespace tagloom {

class SettingsStore;

struct EditorSettings {
    int bShowLineNum = 0;
    int bPrinterLineNum = 0;
    int nTabChars = 4;
    int bWrap = 1;
    int bRestoreState = 1;
    int bDelTempAsap = 1;
    int bConfirm = 1;
    int bScrollCenter = 1;
    int bFindDirection = 1;
    int bMatchCase = 0;
    int bWholeWord = 0;
    int fontPtSize = 10;
    int printerPtSize = 8;
    int bPrinterFooter = 1;
    int bPrinterHeader = 1;
    int pitchStyle = 0;  // 0 fixed, 1 variable
    int charSet = 1;     // 0 ANSI, 1 all, 2 symbol, 3 OEM
    int bFifMatchCase = 0;
    int bFifMatchWhole = 0;
    int subfolderDepth = 0;
    int bHtmlToolsAnyText = 0;  // the HTML tools work on any text that holds a tag
    int bAutoCloseTag = 1;      // "</" completes the name of the element still open
    int bAutoIndent = 1;        // Enter keeps the blanks that begin the line
    int bSyntaxColor = 1;       // the text is coloured by its syntax
    int bPrintColor = 1;        // and printed in those colours
    std::string fontFaceName = "Courier New";
    std::string strPathIExplorer = "none";
    std::string strPathWinDiff = "none";
    std::string strPathGraphics = "none";
    std::string strUrlHtmlHelp = "none";
    std::string strUrlCsslHelp = "none";
    std::string strUrlPhpHelp = "none";
    std::string strFifType = "*.htm?";

    std::vector<std::string> findStrs;     // newest first
    std::vector<std::string> replaceStrs;  // newest first
    std::string strFindText;               // the current find string

    static constexpr int kLargestPointSize = 1638;
    static constexpr int kLargestTabChars = 256;
    static constexpr int kLargestSubfolderDepth = 1000;

    // Reads every key; a value a key cannot hold (a number out of its range,
    // a switch other than 0 or 1, an empty face name) reads as its default.
    void load(const SettingsStore& store);
    void save(SettingsStore& store) const;
};

// Reads a history list: the count key, then entries 0, 1, ... up to the count,
// never more than entries 0 to 11. A count below 1 reads nothing.
std::vector<std::string> loadHistory(const SettingsStore& store, const std::string& section,
                                     const std::string& countKey, const std::string& entryKeyFormat);
// Writes the count as the list's length, then entries 0 to 11 at most; stale
// keys of longer earlier lists stay and are ignored by the next load.
void saveHistory(SettingsStore& store, const std::string& section, const std::string& countKey,
                 const std::string& entryKeyFormat, const std::vector<std::string>& list);

}  // namespace tagloom
