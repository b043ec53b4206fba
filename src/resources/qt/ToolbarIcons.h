#pragma once
// Icons of the toolbar buttons. The editor draws its own as vector art, so
// they stay sharp at every size and device-pixel ratio.
#include <QIcon>

namespace tagloom {

// The icon of a toolbar button: the desktop theme's icon where a standard one
// exists, else the editor's own drawing. A null icon for an id that is not a
// toolbar button.
QIcon toolbarIcon(int commandId);

}  // namespace tagloom
