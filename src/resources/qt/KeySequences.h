#pragma once
// Between the editor's virtual keys and Qt's keys.
#include <QKeySequence>

#include "resources/Resources.h"

namespace tagloom {

QKeySequence keySequenceOf(const res::Accelerator& accelerator);
// The virtual key of a Qt key, or 0 when the editor has no name for it.
int virtualKeyOf(int qtKey);
int modifiersOf(Qt::KeyboardModifiers modifiers);

}  // namespace tagloom
