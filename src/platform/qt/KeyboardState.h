#pragma once
#include <optional>

namespace tagloom {

enum class KeyboardLock { Caps, Num };

// Whether a lock key is on, where the desktop can tell (X11); nothing elsewhere.
std::optional<bool> keyboardLockState(KeyboardLock lock);

}  // namespace tagloom
