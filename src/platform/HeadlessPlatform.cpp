#include "platform/HeadlessPlatform.h"

namespace tagloom {

void HeadlessPlatform::runQueuedCalls() {
    while (!queue_.calls.empty()) {
        auto call = std::move(queue_.calls.front());
        queue_.calls.pop_front();
        call();
    }
}

}  // namespace tagloom
