#include "commands/CommandRouter.h"

namespace tagloom {

void CommandRouter::add(int id, Handler handler, UpdateHandler update) {
    entries_[id] = Entry{std::move(handler), std::move(update)};
}

void CommandRouter::addUpdate(int id, UpdateHandler update) {
    entries_[id].update = std::move(update);
}

bool CommandRouter::hasHandler(int id) const {
    const auto it = entries_.find(id);
    return it != entries_.end() && it->second.handler;
}

CommandState CommandRouter::query(int id) const {
    CommandState state;
    const auto it = entries_.find(id);
    if (it == entries_.end()) {
        state.enabled = false;
        return state;
    }
    state.enabled = static_cast<bool>(it->second.handler);
    if (it->second.update) it->second.update(state);
    return state;
}

bool CommandRouter::run(int id) {
    if (!hasHandler(id) || !query(id).enabled) return false;
    // Copy the handler: it may replace or remove its own entry while it runs.
    const Handler handler = entries_.at(id).handler;
    handler();
    return true;
}

}  // namespace tagloom
