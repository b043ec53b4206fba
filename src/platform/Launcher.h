#pragma once
// Starting other programs and handing documents to the desktop. Programs get
// their arguments as a list and are never run through a shell, so no file
// name or selected text can be taken for a command.
#include <string>
#include <vector>

namespace tagloom {

struct LaunchResult {
    bool ok = false;
    std::string error;  // the system's reason when not ok
};

class Launcher {
public:
    virtual ~Launcher() = default;
    virtual LaunchResult launch(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // A URL ("http:", "mailto:", "file:") or a local document, opened by the desktop's handler.
    virtual LaunchResult openUrl(const std::string& url) = 0;
    // The desktop's file manager showing the file selected.
    virtual LaunchResult showInFileManager(const std::string& path) = 0;
    // Whether a program of that name can be found on the search path.
    virtual bool isProgramAvailable(const std::string& program) const = 0;
};

}  // namespace tagloom
