#include "app/NewEditorLauncher.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/FilePaths.h"
#include "platform/Platform.h"

namespace tagloom {

namespace {

const std::string kMainWindow = "Main Window";
const std::string kRect = "Rect";
constexpr int kShift = 40;

}  // namespace

FrameRect cascadeRect(const FrameRect& normal, ScreenSize screen) {
    FrameRect shifted{normal.left + kShift, normal.top + kShift, normal.right + kShift, normal.bottom + kShift};
    if (shifted.top > 2 * screen.height / 3) {
        shifted.top -= 2 * kShift;
        shifted.bottom -= 2 * kShift;
    }
    // A window whose left edge lies beyond the screen stands on a second
    // screen to the right.
    const int farEdge = normal.left < screen.width ? 2 * screen.width / 3 : 4 * screen.width / 3;
    if (shifted.left > farEdge) {
        shifted.left -= 2 * kShift;
        shifted.right -= 2 * kShift;
    }
    return shifted;
}

bool NewEditorLauncher::LaunchNewEditor(const std::vector<std::string>& arguments, const std::string& title) {
    SettingsStore& store = platform_.settings;
    const std::string stored = store.getString(kMainWindow, kRect, "");
    const FrameFacts frame = frame_();
    if (stored.empty() || !frame.normal) {
        platform_.prompter.ask({"Problem determining window position", title, Buttons::Ok, Icon::Error, 0});
        return false;
    }
    // While earlier instances have not read their placement, the store holds
    // a shifted one: the placement to put back is still the one kept then.
    if (pending_ == 0) kept_ = stored;
    store.setString(kMainWindow, kRect, formatRect(cascadeRect(*frame.normal, frame.screen)));
    store.flush();
    ++pending_;
    const LaunchResult started = starter_.start(arguments, [this] { placementRead(); });
    if (!started.ok) {
        platform_.prompter.ask({started.error, title, Buttons::Ok, Icon::Error, 0});
        placementRead();
    }
    return started.ok;
}

void NewEditorLauncher::placementRead() {
    if (pending_ == 0 || --pending_ > 0) return;
    platform_.settings.setString(kMainWindow, kRect, kept_);
    platform_.settings.flush();
}

void NewEditorLauncher::StartNewEditor(const std::string& selected, const std::string& documentPath) {
    constexpr const char* kTitle = "Tagloom - Open New Editor";
    std::vector<std::string> arguments;
    if (!selected.empty()) {
        const std::string path = selectedFilePath(selected, documentPath);
        struct stat status {};
        const int error = ::stat(path.c_str(), &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
        if (error == 0) {
            arguments.push_back(path);
        } else {
            const Message question{std::string(std::strerror(error)) + "\n\nOpen a new Tagloom anyway?", kTitle,
                                   Buttons::YesNo, Icon::Warning, 1};
            if (platform_.prompter.ask(question) != Answer::Yes) return;
        }
    }
    LaunchNewEditor(arguments, kTitle);
}

}  // namespace tagloom
