#pragma once
// Hands what the text widget does not handle itself to the editor view: keys
// as the view's virtual keys, clicks, the wheel, size changes, and the click
// of the Color Picker, which reads the screen pixel under it.
#include "textmodel/qt/EditWidget.h"

namespace tagloom {

class CHemlowHTMLView;

class ViewInput : public EditWidgetListener {
public:
    explicit ViewInput(CHemlowHTMLView& view) : view_(view) {}

    void sized(int width, int height) override;
    bool tabTyped(bool shift) override;
    bool enterTyped() override;
    bool charactersTyped(std::string_view text) override;
    void typingRefused() override;
    void keyHandled(const QKeyEvent& event) override;
    bool takesLeftPress(const QPoint& globalPosition) override;
    void clicked() override;
    void dragged() override;
    void doubleClicked() override;
    bool takesWheel(const QWheelEvent& event) override;

private:
    CHemlowHTMLView& view_;
};

}  // namespace tagloom
