#include "textmodel/ByteCount.h"

#include <algorithm>

namespace tagloom {

ByteCount::ByteCount(EditControl& control, char byte) : control_(control), byte_(byte) {
    control_.addObserver(*this);
    onTextReset();
}

ByteCount::~ByteCount() { control_.removeObserver(*this); }

void ByteCount::onChange(const TextChange& change) {
    const int n = static_cast<int>(std::count(change.text.begin(), change.text.end(), byte_));
    count_ += change.kind == TextChange::Kind::Insertion ? n : -n;
}

void ByteCount::onTextReset() {
    const char* text = control_.lock();
    count_ = static_cast<int>(std::count(text, text + control_.length(), byte_));
}

}  // namespace tagloom
