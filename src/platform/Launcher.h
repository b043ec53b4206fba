#pragma once
// Starting other programs and handing documents to the desktop. Programs get
// their arguments as a list and are never run through a shell, so no file
// name or selected text can be taken for a command.
#include <functional>
#include <string>
#include <vector>

namespace tagloom {

struct LaunchResult {
    bool ok = false;
    std::string error;  // the reason when not ok
};

// Told, on the user-interface thread, how a helper program went.
using HelperDone = std::function<void(const LaunchResult& result)>;

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program and leaves it running on its own.
    virtual LaunchResult launch(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // A URL ("http:", "mailto:", "file:") or a local document, opened by the desktop's handler.
    virtual LaunchResult openUrl(const std::string& url) = 0;
    // Runs a short-lived helper of the desktop (xdg-email, xdg-open) without
    // waiting for it, and tells `done` whether it started and ended with exit
    // status 0. A helper still running after a few seconds has become the
    // program it started (a mail program, a file manager): it counts as a
    // success then and is left running, also when the editor closes. `done`
    // may be told before runHelper returns.
    virtual void runHelper(const std::string& program, const std::vector<std::string>& arguments,
                           HelperDone done) = 0;
    // The desktop's file manager showing the file selected; `done` is told how that went.
    virtual void showInFileManager(const std::string& path, HelperDone done) = 0;
    // Whether a program of that name can be found on the search path.
    virtual bool isProgramAvailable(const std::string& program) const = 0;
};

}  // namespace tagloom
