#pragma once
// Keys as the editor's key bindings and key handling name them: virtual-key
// codes (letters and digits are their ASCII capitals). The Qt front end maps
// its key events onto these.

namespace tagloom {

enum VirtualKey : int {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,  // Page Up
    VK_NEXT = 0x22,   // Page Down
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_ADD = 0x6B,       // keypad plus
    VK_SUBTRACT = 0x6D,  // keypad minus
    VK_F1 = 0x70,
    VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12,
};

enum KeyModifier : int { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

}  // namespace tagloom
