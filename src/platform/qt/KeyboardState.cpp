#include "platform/qt/KeyboardState.h"

#include <QGuiApplication>

#if defined(TAGLOOM_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace tagloom {

std::optional<bool> keyboardLockState(KeyboardLock lock) {
#if defined(TAGLOOM_HAVE_X11)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    unsigned int indicators = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) != Success) return std::nullopt;
    // Indicator 0 is Caps Lock and indicator 1 Num Lock on every X keyboard map in use.
    return (indicators & (lock == KeyboardLock::Caps ? 0x1u : 0x2u)) != 0;
#else
    (void)lock;
    return std::nullopt;
#endif
}

}  // namespace tagloom
