#include "settings/EditorSettings.h"

#include <cstdio>

#include "platform/SettingsStore.h"

namespace tagloom {

namespace {

const std::string kSettings = "Settings";
const std::string kPrinter = "printer";

// Every integer key with its section, its member and the values it may
// take, in the order of the table they are read and written in.
struct IntKey {
    const std::string& section;
    const char* key;
    int EditorSettings::*member;
    int lowest;
    int highest;
};

struct StringKey {
    const char* key;
    std::string EditorSettings::*member;
};

const IntKey kIntKeys[] = {
    {kSettings, "bShowLineNum", &EditorSettings::bShowLineNum, 0, 1},
    {kSettings, "bPrinterLineNum", &EditorSettings::bPrinterLineNum, 0, 1},
    {kSettings, "nTabChars", &EditorSettings::nTabChars, 0, EditorSettings::kLargestTabChars},
    {kSettings, "bWrap", &EditorSettings::bWrap, 0, 1},
    {kSettings, "bRestoreState", &EditorSettings::bRestoreState, 0, 1},
    {kSettings, "bDelTempAsap", &EditorSettings::bDelTempAsap, 0, 1},
    {kSettings, "bConfirm", &EditorSettings::bConfirm, 0, 1},
    {kSettings, "bScrollCenter", &EditorSettings::bScrollCenter, 0, 1},
    {kSettings, "bFindDirection", &EditorSettings::bFindDirection, 0, 1},
    {kSettings, "bMatchCase", &EditorSettings::bMatchCase, 0, 1},
    {kSettings, "bWholeWord", &EditorSettings::bWholeWord, 0, 1},
    {kSettings, "fontPtSize", &EditorSettings::fontPtSize, 1, EditorSettings::kLargestPointSize},
    {kPrinter, "printerPtSize", &EditorSettings::printerPtSize, 1, EditorSettings::kLargestPointSize},
    {kPrinter, "bPrinterFooter", &EditorSettings::bPrinterFooter, 0, 1},
    {kPrinter, "bPrinterHeader", &EditorSettings::bPrinterHeader, 0, 1},
    {kSettings, "pitchStyle", &EditorSettings::pitchStyle, 0, 1},
    {kSettings, "charSet", &EditorSettings::charSet, 0, 3},
    {kSettings, "bFifMatchCase", &EditorSettings::bFifMatchCase, 0, 1},
    {kSettings, "bFifMatchWhole", &EditorSettings::bFifMatchWhole, 0, 1},
    {kSettings, "subfolderDepth", &EditorSettings::subfolderDepth, 0, EditorSettings::kLargestSubfolderDepth},
    {kSettings, "bHtmlToolsAnyText", &EditorSettings::bHtmlToolsAnyText, 0, 1},
    {kSettings, "bAutoCloseTag", &EditorSettings::bAutoCloseTag, 0, 1},
    {kSettings, "bAutoIndent", &EditorSettings::bAutoIndent, 0, 1},
    {kSettings, "bSyntaxColor", &EditorSettings::bSyntaxColor, 0, 1},
    {kPrinter, "bPrintColor", &EditorSettings::bPrintColor, 0, 1},
};

const StringKey kStringKeys[] = {
    {"fontFaceName", &EditorSettings::fontFaceName},
    {"strPathIExplorer", &EditorSettings::strPathIExplorer},
    {"strPathWinDiff", &EditorSettings::strPathWinDiff},
    {"strPathGraphics", &EditorSettings::strPathGraphics},
    {"strUrlHtmlHelp", &EditorSettings::strUrlHtmlHelp},
    {"strUrlCsslHelp", &EditorSettings::strUrlCsslHelp},
    {"strUrlPhpHelp", &EditorSettings::strUrlPhpHelp},
    {"strFifType", &EditorSettings::strFifType},
};

// The highest entry index a history list reads or writes.
constexpr int kLastHistoryIndex = 11;

std::string entryKey(const std::string& format, int index) {
    char key[64];
    std::snprintf(key, sizeof key, format.c_str(), index);
    return key;
}

}  // namespace

std::vector<std::string> loadHistory(const SettingsStore& store, const std::string& section,
                                     const std::string& countKey, const std::string& entryKeyFormat) {
    std::vector<std::string> list;
    const int count = store.getInt(section, countKey, 0);
    for (int i = 0; i < count && i <= kLastHistoryIndex; ++i)
        list.push_back(store.getString(section, entryKey(entryKeyFormat, i), ""));
    return list;
}

void saveHistory(SettingsStore& store, const std::string& section, const std::string& countKey,
                 const std::string& entryKeyFormat, const std::vector<std::string>& list) {
    store.setInt(section, countKey, static_cast<int>(list.size()));
    for (int i = 0; i < static_cast<int>(list.size()) && i <= kLastHistoryIndex; ++i)
        store.setString(section, entryKey(entryKeyFormat, i), list[i]);
}

// A hand-edited or damaged store can hold numbers that no check box, radio
// button, font or tab stop can use; each falls back to its default instead
// of reaching the dialogs and the display code, and of being written back.
void EditorSettings::load(const SettingsStore& store) {
    const EditorSettings defaults;
    for (const auto& k : kIntKeys) {
        const int value = store.getInt(k.section, k.key, defaults.*k.member);
        this->*k.member = value >= k.lowest && value <= k.highest ? value : defaults.*k.member;
    }
    for (const auto& k : kStringKeys)
        this->*k.member = store.getString(kSettings, k.key, defaults.*k.member);
    if (fontFaceName.empty()) fontFaceName = defaults.fontFaceName;
    findStrs = loadHistory(store, "findStrs", "nFindStrs", "findStr%d");
    replaceStrs = loadHistory(store, "replaceStrs", "nReplaceStrs", "replaceStr%d");
    strFindText = findStrs.empty() ? std::string() : findStrs.front();
}

void EditorSettings::save(SettingsStore& store) const {
    for (const auto& k : kIntKeys) store.setInt(k.section, k.key, this->*k.member);
    for (const auto& k : kStringKeys) store.setString(kSettings, k.key, this->*k.member);
    saveHistory(store, "findStrs", "nFindStrs", "findStr%d", findStrs);
    saveHistory(store, "replaceStrs", "nReplaceStrs", "replaceStr%d", replaceStrs);
}

}  // namespace tagloom
