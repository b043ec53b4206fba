#pragma once
// How often one byte value occurs in the edit control's text, kept up to date
// edit by edit from the control's notifications.
#include "textmodel/EditControl.h"

namespace tagloom {

class ByteCount : private EditObserver {
public:
    ByteCount(EditControl& control, char byte);
    ~ByteCount() override;
    ByteCount(const ByteCount&) = delete;
    ByteCount& operator=(const ByteCount&) = delete;

    int count() const { return count_; }

private:
    void onChange(const TextChange& change) override;
    void onTextReset() override;

    EditControl& control_;
    char byte_;
    int count_ = 0;
};

}  // namespace tagloom
