#include "view/GuideCommands.h"

#include <cstdint>

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "search/MarkCommands.h"
#include "textmodel/EditControl.h"

namespace tagloom {

GuideCommands::GuideCommands(EditorView& view, Platform& platform, CommandRouter& router, MarkCommands& marks)
    : view_(view), platform_(platform), marks_(marks) {
    const auto hasSelection = [this] { return !view_.control().selection().empty(); };
    router.add(cmd::ColumnGuide, [this] { ToggleColumnGuide(); },
               [this, hasSelection](CommandState& s) {
                   s.checked = guides.nColumnGuideX >= 0;
                   s.enabled = guides.nColumnGuideX >= 0 || !hasSelection();
               });
    router.add(cmd::LineGuide, [this] { ToggleLineGuide(); },
               [this](CommandState& s) {
                   s.checked = guides.bLineGuide != 0;
                   s.enabled = view_.control().length() != 0;
               });
    router.add(cmd::ColorFromText, [this] { ColorFromText(); },
               [hasSelection](CommandState& s) { s.enabled = hasSelection(); });
    router.add(cmd::ColorPicker, [this] {
        guides.bPickColor = 1;
        if (statusBar_.captureMouse) statusBar_.captureMouse(true);
    });
    router.add(cmd::RemoveMarkedText, [this] { ClearMarks(); });
    router.addUpdate(str::PaneColor, [this](CommandState& s) {
        s.enabled = true;
        s.text = guides.strColor;
    });
}

void GuideCommands::ToggleColumnGuide() {
    EditControl& control = view_.control();
    if (guides.nColumnGuideX >= 0) {
        guides.nColumnGuideX = -1;
    } else {
        if (!control.selection().empty()) return;
        const Point at = control.posFromChar(control.caret());
        guides.nColumnGuideX = control.horizontalScroll() + static_cast<std::int16_t>(at.x) - control.getRect().left;
    }
    view_.postRepaint();
}

void GuideCommands::ToggleLineGuide() {
    guides.bLineGuide = !guides.bLineGuide;
    view_.postRepaint();
}

void GuideCommands::charWidthChanged(int before, int after) {
    if (guides.nColumnGuideX >= 0 && before > 0) guides.nColumnGuideX = guides.nColumnGuideX * after / before;
}

void GuideCommands::ColorFromText() {
    const auto color = colorFromText(view_.control().selectedText());
    if (!color) {
        platform_.desktop.beep();
        return;
    }
    ShowColor(*color);
}

void GuideCommands::ShowColor(const Rgb& color) {
    const std::string text = colorText(color);
    platform_.clipboard.setText(text);
    guides.strColor = "\t" + text;
    if (statusBar_.background) guides.clrFlashSaved = statusBar_.background();
    if (statusBar_.setBackground) statusBar_.setBackground(color);
    guides.nFlashTicks = 0;
    if (statusBar_.runFlashTimer) statusBar_.runFlashTimer(true);
}

void GuideCommands::OnFlashTimer() {
    if (statusBar_.background && statusBar_.setBackground) {
        const Rgb shown = statusBar_.background();
        statusBar_.setBackground(guides.clrFlashSaved);
        guides.clrFlashSaved = shown;
    }
    if (guides.nFlashTicks++ == 2 && statusBar_.runFlashTimer) statusBar_.runFlashTimer(false);
}

void GuideCommands::ClearMarks() {
    if (statusBar_.resetBackground) statusBar_.resetBackground();
    if (statusBar_.captureMouse) statusBar_.captureMouse(false);
    guides.bPickColor = 0;
    EditControl& control = view_.control();
    const int start = control.selection().start;
    control.setSel(start, start);
    marks_.clear();
    view_.postRepaint();
}

}  // namespace tagloom
