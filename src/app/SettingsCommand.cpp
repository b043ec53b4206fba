#include "app/SettingsCommand.h"

#include <cstdio>

#include "commands/CommandRouter.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "settings/SettingsForm.h"
#include "view/CHemlowHTMLView.h"

namespace tagloom {

SettingsCommand::SettingsCommand(CHemlowHTMLView& view, Platform& platform, CommandRouter& router, int& mruCount)
    : view_(view), platform_(platform), router_(router), mruCount_(mruCount) {
    router.add(cmd::Settings, [this] { Settings(); });
}

SettingsForm SettingsCommand::CurrentForm() const {
    const EditorSettings& s = view_.settings();
    SettingsForm form;
    form.lineNumbers = s.bShowLineNum != 0;
    form.readOnly = view_.IsReadOnly();
    form.wordWrap = s.bWrap != 0;
    form.scrollCenter = s.bScrollCenter != 0;
    form.confirm = s.bConfirm != 0;
    form.tabWidth = std::to_string(s.nTabChars);
    form.markText = view_.find().marks().bMarkHighlight != 0;
    form.markTextPresent = !view_.find().marks().strMarkText.empty();
    form.pitch = s.pitchStyle;
    form.charSet = s.charSet;
    form.unixFile = view_.unixFile();
    form.printerFooter = s.bPrinterFooter != 0;
    form.printerHeader = s.bPrinterHeader != 0;
    form.printerLineNumbers = s.bPrinterLineNum != 0;
    form.browserPath = s.strPathIExplorer;
    form.diffPath = s.strPathWinDiff;
    form.graphicsPath = s.strPathGraphics;
    form.mruCount = mruCount_;
    form.htmlHelpUrl = s.strUrlHtmlHelp;
    form.cssHelpUrl = s.strUrlCsslHelp;
    form.phpHelpUrl = s.strUrlPhpHelp;
    form.deleteTempFiles = s.bDelTempAsap != 0;
    form.restoreState = s.bRestoreState != 0;
    form.htmlToolsAnyText = s.bHtmlToolsAnyText != 0;
    form.autoCloseTag = s.bAutoCloseTag != 0;
    form.autoIndent = s.bAutoIndent != 0;
    form.syntaxColor = s.bSyntaxColor != 0;
    form.printColor = s.bPrintColor != 0;
    form.fontPointSize = s.fontPtSize;
    form.printerPointSize = s.printerPtSize;
    form.faceName = s.fontFaceName;
    form.x = nSettingsDlgX;
    form.y = nSettingsDlgY;
    return form;
}

void SettingsCommand::Settings() {
    if (!window_) return;
    SettingsForm form = CurrentForm();
    const bool accepted = window_->edit(form);
    nSettingsDlgX = form.x;
    nSettingsDlgY = form.y;
    if (accepted) Apply(form);
}

void SettingsCommand::Apply(const SettingsForm& form) {
    EditorSettings& s = view_.settings();
    s.pitchStyle = form.pitch;
    view_.setUnixFile(form.unixFile);
    s.charSet = form.charSet;
    s.bDelTempAsap = form.deleteTempFiles;
    s.bConfirm = form.confirm;
    s.printerPtSize = form.printerPointSize;
    s.bPrinterHeader = form.printerHeader;
    s.bPrinterFooter = form.printerFooter;
    s.bPrinterLineNum = form.printerLineNumbers;
    s.bScrollCenter = form.scrollCenter;
    s.strPathIExplorer = form.browserPath;
    s.strPathWinDiff = form.diffPath;
    s.strPathGraphics = form.graphicsPath;
    s.strUrlHtmlHelp = form.htmlHelpUrl;
    s.strUrlCsslHelp = form.cssHelpUrl;
    s.strUrlPhpHelp = form.phpHelpUrl;
    s.bRestoreState = form.restoreState;
    s.bHtmlToolsAnyText = form.htmlToolsAnyText;
    s.bAutoCloseTag = form.autoCloseTag;
    s.bAutoIndent = form.autoIndent;
    s.bPrintColor = form.printColor;
    if (form.syntaxColor != (s.bSyntaxColor != 0)) router_.run(cmd::SyntaxColouring);

    if (form.lineNumbers != (s.bShowLineNum != 0)) view_.ToggleLineNumbers();
    if (form.readOnly != view_.IsReadOnly()) view_.ToggleReadOnly();
    if (form.wordWrap != (s.bWrap != 0)) view_.ToggleWordWrap();
    if (form.markText != (view_.find().marks().bMarkHighlight != 0)) router_.run(cmd::MarkHighlight);

    int tabChars = 0;
    if (std::sscanf(form.tabWidth.c_str(), " %d", &tabChars) == 1 && tabChars != s.nTabChars)
        view_.SetTabWidth(tabChars);

    if (form.fontPointSize != s.fontPtSize || form.faceName != s.fontFaceName) {
        s.fontPtSize = form.fontPointSize;
        s.fontFaceName = form.faceName;
        view_.ApplyFont();
    }
    if (form.mruCount != mruCount_) {
        platform_.prompter.ask({"MRU setting will be effective the\nnext time Tagloom is started.",
                                "Tagloom - Change Settings", Buttons::Ok, Icon::Information, 0});
        mruCount_ = form.mruCount;
    }
}

}  // namespace tagloom
