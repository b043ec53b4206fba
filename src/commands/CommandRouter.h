#pragma once
// Routes command ids to their handlers. Every command has an update handler
// that decides whether it is enabled, checked, and what its menu item says;
// menus ask when they open, toolbars and the status bar ask on idle, and a
// command run from a key is asked right before it runs, so a disabled command
// is refused.
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

namespace tagloom {

struct CommandState {
    bool enabled = true;
    bool checked = false;
    std::optional<std::string> text;  // replaces the item's text when set
};

class CommandRouter {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandState&)>;

    // Registers (or replaces) a command. Without an update handler the command
    // is always enabled.
    void add(int id, Handler handler, UpdateHandler update = {});
    // Registers only an update handler: status panes get their texts this way.
    void addUpdate(int id, UpdateHandler update);

    bool hasHandler(int id) const;
    // The state of a command now. A command without a handler is disabled.
    CommandState query(int id) const;
    // Runs the command if its update handler enables it; false when refused.
    bool run(int id);

private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    std::unordered_map<int, Entry> entries_;
};

}  // namespace tagloom
