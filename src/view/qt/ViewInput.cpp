#include "view/qt/ViewInput.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWheelEvent>

#include "resources/qt/KeySequences.h"
#include "view/CHemlowHTMLView.h"

namespace tagloom {

void ViewInput::sized(int width, int height) { view_.OnSize(width, height); }

bool ViewInput::tabTyped(bool shift) { return view_.OnTabKey(shift); }

bool ViewInput::enterTyped() { return view_.typing().enterTyped(); }

bool ViewInput::charactersTyped(std::string_view text) { return view_.typing().textTyped(text); }

void ViewInput::typingRefused() { view_.Beep(); }

void ViewInput::keyHandled(const QKeyEvent& event) {
    view_.OnKeyDown(virtualKeyOf(event.key()), modifiersOf(event.modifiers()));
}

// The click of Color Picker: the colour of the screen pixel under it.
bool ViewInput::takesLeftPress(const QPoint& globalPosition) {
    GuideCommands& guides = view_.guides();
    if (!guides.picking()) return false;
    guides.endPicking();
    QScreen* screen = QGuiApplication::screenAt(globalPosition);
    if (!screen) return true;
    const QPoint local = globalPosition - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (pixel.isNull()) return true;
    const QColor c = pixel.pixelColor(0, 0);
    guides.ShowColor(Rgb{c.red(), c.green(), c.blue()});
    return true;
}

void ViewInput::clicked() { view_.OnMouseDown(); }

void ViewInput::dragged() { view_.postRepaint(); }

void ViewInput::doubleClicked() { view_.OnDoubleClick(); }

bool ViewInput::takesWheel(const QWheelEvent& event) {
    return view_.OnMouseWheel(event.angleDelta().y(), modifiersOf(event.modifiers()), event.buttons() != Qt::NoButton);
}

}  // namespace tagloom
