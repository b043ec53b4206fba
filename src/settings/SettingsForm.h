#pragma once
// What the Settings dialog shows and edits: the settings it covers, a few
// values of the view and the application that are not kept as settings, and
// the dialog's place on the screen.
#include <array>
#include <string>

namespace tagloom {

struct SettingsForm {
    bool lineNumbers = false;
    bool readOnly = false;
    bool wordWrap = true;
    bool scrollCenter = true;
    bool confirm = true;
    std::string tabWidth;  // the tab list's text
    bool markText = false;
    bool markTextPresent = false;  // the mark check box can be used
    int pitch = 0;                 // 0 fixed, 1 variable
    int charSet = 1;               // 0 ANSI, 1 all, 2 symbol, 3 OEM
    bool unixFile = false;
    bool printerFooter = true;
    bool printerHeader = true;
    bool printerLineNumbers = false;
    std::string browserPath;
    std::string diffPath;
    std::string graphicsPath;
    int mruCount = 4;
    std::string htmlHelpUrl;
    std::string cssHelpUrl;
    std::string phpHelpUrl;
    bool deleteTempFiles = true;
    bool restoreState = true;
    bool htmlToolsAnyText = false;
    bool autoCloseTag = true;
    bool autoIndent = true;
    bool syntaxColor = true;
    bool printColor = true;
    int fontPointSize = 10;
    int printerPointSize = 8;
    std::string faceName;
    int x = 0;  // the dialog's top-left corner
    int y = 0;
};

inline constexpr std::array<const char*, 10> kTabWidthChoices = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
inline constexpr std::array<int, 19> kFontPointSizes = {6,  7,  8,  9,  10, 11, 12, 14, 16, 18,
                                                        20, 22, 24, 26, 28, 30, 36, 42, 48};
inline constexpr std::array<int, 13> kPrinterPointSizes = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20};
inline constexpr const char* kFontSampleText =
    "12345678901234567890123456\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nabcdefghijklmnopqrstuvwxyz";

// A helper program's label: the title and the program's file name without
// folder and extension ("none" stays "none").
std::string programLabel(const std::string& title, const std::string& path);

// The dialog as the command sees it.
class SettingsWindow {
public:
    // Shows the dialog on `form`; true for OK, with the values entered. The
    // dialog's place is written back whichever way it closed.
    virtual bool edit(SettingsForm& form) = 0;

protected:
    ~SettingsWindow() = default;
};

}  // namespace tagloom
