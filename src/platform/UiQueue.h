#pragma once
// Calls queued to run later on the user-interface thread, after the current
// event has been handled. This is how the editor defers repaints, continues a
// search and re-runs a command.
#include <functional>

namespace tagloom {

class UiQueue {
public:
    virtual ~UiQueue() = default;
    virtual void post(std::function<void()> call) = 0;
};

}  // namespace tagloom
