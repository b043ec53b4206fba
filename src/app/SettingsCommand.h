#pragma once
// The Settings command: the view's settings and a few of its and the
// application's values put in the dialog, and after OK applied in order,
// each change through the step that makes it visible.
namespace tagloom {

class CHemlowHTMLView;
class CommandRouter;
class SettingsWindow;
struct Platform;
struct SettingsForm;

class SettingsCommand {
public:
    // `mruCount` is the application's length of the recent-file list.
    SettingsCommand(CHemlowHTMLView& view, Platform& platform, CommandRouter& router, int& mruCount);
    SettingsCommand(const SettingsCommand&) = delete;
    SettingsCommand& operator=(const SettingsCommand&) = delete;

    void setWindow(SettingsWindow* window) { window_ = window; }
    void Settings();
    void Apply(const SettingsForm& form);
    SettingsForm CurrentForm() const;

    // Where the dialog last closed; the screen's top-left corner at first.
    int nSettingsDlgX = 0;
    int nSettingsDlgY = 0;

private:
    CHemlowHTMLView& view_;
    Platform& platform_;
    CommandRouter& router_;
    int& mruCount_;
    SettingsWindow* window_ = nullptr;
};

}  // namespace tagloom
