#pragma once
// Records what an EditControl tells its observers, in order, as short
// strings: "+3:ab" (insertion at 3), "-3:ab" (removal at 3), "update",
// "vscroll", "hscroll". Repaints and selection notices are kept apart, since
// nearly every call raises them.
#include "textmodel/EditControl.h"

#include <functional>
#include <string>
#include <vector>

namespace tagloom::test {

class FakeEditObserver : public EditObserver {
public:
    void onChange(const TextChange& change) override {
        char sign = change.kind == TextChange::Kind::Insertion ? '+' : '-';
        events.push_back(sign + std::to_string(change.position) + ":" + std::string(change.text));
        changes.push_back(change);
        changes.back().text = {};
        if (onChangeHook) onChangeHook(change);
    }
    void onUpdate() override { events.push_back("update"); }
    void onHScroll() override { events.push_back("hscroll"); }
    void onVScroll() override { events.push_back("vscroll"); }
    void onRepaint(const RepaintRange& range) override { repaints.push_back(range); }
    void onSelectionChange() override { ++selectionNotices; }

    std::vector<std::string> events;
    // The changes without their text, which is valid only during the call.
    std::vector<TextChange> changes;
    std::vector<RepaintRange> repaints;
    int selectionNotices = 0;
    std::function<void(const TextChange&)> onChangeHook;
};

}  // namespace tagloom::test
