#pragma once
// Whether a text holds a tag: a '<' followed by a letter, '/', '!' or '?'.
// The HTML tools work on any such text when the user allows it (a template
// holds no "<html"). Kept up to date with the edits without reading the
// whole text again.
#include <cstddef>
#include <optional>
#include <string_view>

#include "textmodel/EditControl.h"

namespace tagloom {

// The offset of the first tag's '<' in text, from `from` on.
std::optional<std::size_t> firstTag(std::string_view text, std::size_t from = 0);

class TagPresenceTest : private EditObserver {
public:
    explicit TagPresenceTest(EditControl& control);
    ~TagPresenceTest() override;
    TagPresenceTest(const TagPresenceTest&) = delete;
    TagPresenceTest& operator=(const TagPresenceTest&) = delete;

    bool holdsTag();

private:
    void onChange(const TextChange& change) override;
    void onTextReset() override { known_ = false; }

    EditControl& control_;
    bool known_ = false;
    std::optional<int> first_;  // the '<' of a tag the text holds, when known
};

}  // namespace tagloom
