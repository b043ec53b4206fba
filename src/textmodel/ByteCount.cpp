#include "textmodel/ByteCount.h"

#include "textmodel/ByteScan.h"

namespace tagloom {

ByteCount::ByteCount(EditControl& control, char byte) : control_(control), byte_(byte) {
    control_.addObserver(*this);
    onTextReset();
}

ByteCount::~ByteCount() { control_.removeObserver(*this); }

void ByteCount::onChange(const TextChange& change) {
    const int n = static_cast<int>(bytescan::countByte(change.text.data(), change.text.size(), byte_));
    count_ += change.kind == TextChange::Kind::Insertion ? n : -n;
}

void ByteCount::onTextReset() {
    std::size_t count = 0;
    control_.forEachSpan(0, control_.length(), [&](const char* data, int length) {
        count += bytescan::countByte(data, static_cast<std::size_t>(length), byte_);
    });
    count_ = static_cast<int>(count);
}

}  // namespace tagloom
