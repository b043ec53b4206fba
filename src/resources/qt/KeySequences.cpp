#include "resources/qt/KeySequences.h"

#include <utility>

namespace tagloom {

namespace {

constexpr std::pair<int, Qt::Key> kNamedKeys[] = {
    {VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab},     {VK_RETURN, Qt::Key_Return},
    {VK_ESCAPE, Qt::Key_Escape},  {VK_SPACE, Qt::Key_Space}, {VK_PRIOR, Qt::Key_PageUp},
    {VK_NEXT, Qt::Key_PageDown},  {VK_END, Qt::Key_End},     {VK_HOME, Qt::Key_Home},
    {VK_LEFT, Qt::Key_Left},      {VK_UP, Qt::Key_Up},       {VK_RIGHT, Qt::Key_Right},
    {VK_DOWN, Qt::Key_Down},      {VK_INSERT, Qt::Key_Insert}, {VK_DELETE, Qt::Key_Delete},
    {VK_ADD, Qt::Key_Plus},       {VK_SUBTRACT, Qt::Key_Minus},
};

Qt::Key qtKeyOf(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (virtualKey - 'A'));
    if (virtualKey >= '0' && virtualKey <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (virtualKey - '0'));
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12) return static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - VK_F1));
    for (const auto& [vk, key] : kNamedKeys)
        if (vk == virtualKey) return key;
    return Qt::Key_unknown;
}

}  // namespace

QKeySequence keySequenceOf(const res::Accelerator& accelerator) {
    Qt::KeyboardModifiers modifiers;
    if (accelerator.modifiers & kCtrl) modifiers |= Qt::ControlModifier;
    if (accelerator.modifiers & kShift) modifiers |= Qt::ShiftModifier;
    if (accelerator.modifiers & kAlt) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, qtKeyOf(accelerator.key)));
}

int virtualKeyOf(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return VK_F1 + (qtKey - Qt::Key_F1);
    if (qtKey == Qt::Key_Enter) return VK_RETURN;
    for (const auto& [vk, key] : kNamedKeys)
        if (key == qtKey) return vk;
    return 0;
}

int modifiersOf(Qt::KeyboardModifiers modifiers) {
    int result = kNoModifier;
    if (modifiers & Qt::ControlModifier) result |= kCtrl;
    if (modifiers & Qt::ShiftModifier) result |= kShift;
    if (modifiers & Qt::AltModifier) result |= kAlt;
    return result;
}

}  // namespace tagloom
