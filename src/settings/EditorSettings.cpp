#include "settings/EditorSettings.h"

#include <cstdio>

#include "platform/SettingsStore.h"

namespace tagloom {

namespace {

const std::string kSettings = "Settings";
const std::string kPrinter = "printer";

// Every integer key with its section and member, in the order of the table
// they are read and written in.
struct IntKey {
    const std::string& section;
    const char* key;
    int EditorSettings::*member;
};

struct StringKey {
    const char* key;
    std::string EditorSettings::*member;
};

const IntKey kIntKeys[] = {
    {kSettings, "bShowLineNum", &EditorSettings::bShowLineNum},
    {kSettings, "bPrinterLineNum", &EditorSettings::bPrinterLineNum},
    {kSettings, "nTabChars", &EditorSettings::nTabChars},
    {kSettings, "bWrap", &EditorSettings::bWrap},
    {kSettings, "bRestoreState", &EditorSettings::bRestoreState},
    {kSettings, "bDelTempAsap", &EditorSettings::bDelTempAsap},
    {kSettings, "bConfirm", &EditorSettings::bConfirm},
    {kSettings, "bScrollCenter", &EditorSettings::bScrollCenter},
    {kSettings, "bFindDirection", &EditorSettings::bFindDirection},
    {kSettings, "bMatchCase", &EditorSettings::bMatchCase},
    {kSettings, "bWholeWord", &EditorSettings::bWholeWord},
    {kSettings, "fontPtSize", &EditorSettings::fontPtSize},
    {kPrinter, "printerPtSize", &EditorSettings::printerPtSize},
    {kPrinter, "bPrinterFooter", &EditorSettings::bPrinterFooter},
    {kPrinter, "bPrinterHeader", &EditorSettings::bPrinterHeader},
    {kSettings, "pitchStyle", &EditorSettings::pitchStyle},
    {kSettings, "charSet", &EditorSettings::charSet},
    {kSettings, "bFifMatchCase", &EditorSettings::bFifMatchCase},
    {kSettings, "bFifMatchWhole", &EditorSettings::bFifMatchWhole},
    {kSettings, "subfolderDepth", &EditorSettings::subfolderDepth},
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

void EditorSettings::load(const SettingsStore& store) {
    const EditorSettings defaults;
    for (const auto& k : kIntKeys) this->*k.member = store.getInt(k.section, k.key, defaults.*k.member);
    for (const auto& k : kStringKeys)
        this->*k.member = store.getString(kSettings, k.key, defaults.*k.member);
    findStrs = loadHistory(store, "findStrs", "nFindStrs", "findStr%d");
    replaceStrs = loadHistory(store, "replaceStrs", "nReplaceStrs", "replaceStr%d");
    strFindText = findStrs.empty() ? std::string() : findStrs.front();
    replaceUnusableValues(defaults);
}

// A hand-edited or damaged store can hold numbers no font or tab stop can use;
// those fall back to their defaults instead of reaching the display code.
void EditorSettings::replaceUnusableValues(const EditorSettings& defaults) {
    const auto keepIn = [](int& value, int low, int high, int fallback) {
        if (value < low || value > high) value = fallback;
    };
    keepIn(fontPtSize, 1, kLargestPointSize, defaults.fontPtSize);
    keepIn(printerPtSize, 1, kLargestPointSize, defaults.printerPtSize);
    keepIn(nTabChars, 0, kLargestTabChars, defaults.nTabChars);
    keepIn(subfolderDepth, 0, kLargestSubfolderDepth, defaults.subfolderDepth);
    if (fontFaceName.empty()) fontFaceName = defaults.fontFaceName;
}

void EditorSettings::save(SettingsStore& store) const {
    for (const auto& k : kIntKeys) store.setInt(k.section, k.key, this->*k.member);
    for (const auto& k : kStringKeys) store.setString(kSettings, k.key, this->*k.member);
    saveHistory(store, "findStrs", "nFindStrs", "findStr%d", findStrs);
    saveHistory(store, "replaceStrs", "nReplaceStrs", "replaceStr%d", replaceStrs);
}

}  // namespace tagloom
