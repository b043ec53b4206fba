#pragma once
// The guides and colour features drawn over the text: the column guide, the
// line guide, Color from Text, the Color Picker with the COLOR pane and the
// flash of the status bar, and Esc, which ends them and clears the marks.
#include <functional>
#include <string>

#include "view/ViewRules.h"

namespace tagloom {

class CommandRouter;
class EditorView;
class MarkCommands;
struct Platform;

struct ViewGuides {
    int nColumnGuideX = -1;  // pixels from the text's left edge; -1 off
    int bLineGuide = 0;
    int nGuideTopY = 0;
    int nGuideBottomY = 0;
    int nGuideTopLine = 0;
    int bPickColor = 0;
    Rgb clrFlashSaved;
    int nFlashTicks = 0;
    std::string strColor;  // the COLOR pane's text
};

class GuideCommands {
public:
    // How the guides reach the status bar's colour and its flash timer.
    struct StatusBarHost {
        std::function<Rgb()> background;
        std::function<void(const Rgb&)> setBackground;
        std::function<void()> resetBackground;  // the desktop's own colour
        std::function<void(bool)> runFlashTimer;
        std::function<void(bool)> captureMouse;  // Color Picker: the next click anywhere comes here
    };

    GuideCommands(EditorView& view, Platform& platform, CommandRouter& router, MarkCommands& marks);
    GuideCommands(const GuideCommands&) = delete;
    GuideCommands& operator=(const GuideCommands&) = delete;

    void setStatusBarHost(StatusBarHost host) { statusBar_ = std::move(host); }

    void ToggleColumnGuide();
    void ToggleLineGuide();
    void ColorFromText();
    // Shows a colour: its "#rrggbb" on the clipboard and in the COLOR pane,
    // and a flash of the status bar in it.
    void ShowColor(const Rgb& color);
    // One tick of the flash timer: swaps the status bar's colour back and forth.
    void OnFlashTimer();
    // Esc: ends the colour features and clears the marks.
    void ClearMarks();
    // Whether the next click picks a colour from the screen; the click ends it.
    bool picking() const { return guides.bPickColor != 0; }
    void endPicking() { guides.bPickColor = 0; }
    // The column guide keeps its column when the character width changes.
    void charWidthChanged(int before, int after);

    ViewGuides guides;

private:
    EditorView& view_;
    Platform& platform_;
    MarkCommands& marks_;
    StatusBarHost statusBar_;
};

}  // namespace tagloom
