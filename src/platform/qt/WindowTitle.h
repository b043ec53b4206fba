#pragma once
// Room for a window's title. The window manager draws titles in a font of its
// own, which the program cannot ask for: a bold face of the application font,
// a tenth wider, stands in for it, with room beside it for the title bar's
// icon and buttons.
#include <QString>

namespace tagloom {

// The width a window needs for its title bar to show `title` whole.
int titleBarWidth(const QString& title);

}  // namespace tagloom
