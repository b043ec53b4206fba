#pragma once
// Starting another editor beside this one: Start New Editor, and the launcher
// that Find in Files uses too. The new window opens 40 pixels down and right
// of this one (up or left near the screen's far edges): the launcher stores
// that rectangle as the window placement every instance reads when it first
// shows, starts the instance, and puts the stored placement back once the new
// instance has read it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/FramePlacement.h"
#include "platform/Launcher.h"

namespace tagloom {

struct Platform;

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// The rectangle of the new window for this window's normal rectangle.
FrameRect cascadeRect(const FrameRect& normal, ScreenSize screen);

// Starts another instance of the program and, once that instance has read its
// window placement (or after at most five seconds), calls placementRead on
// this thread.
class InstanceStarter {
public:
    virtual LaunchResult start(const std::vector<std::string>& arguments, std::function<void()> placementRead) = 0;

protected:
    ~InstanceStarter() = default;
};

// This window's normal rectangle (nothing when it cannot be read) and its screen.
struct FrameFacts {
    std::optional<FrameRect> normal;
    ScreenSize screen;
};

class NewEditorLauncher {
public:
    NewEditorLauncher(Platform& platform, InstanceStarter& starter, std::function<FrameFacts()> frame)
        : platform_(platform), starter_(starter), frame_(std::move(frame)) {}

    // Starts a new editor with the arguments (none, a path, or a path and its
    // selection); the title heads the messages. False when nothing started.
    bool LaunchNewEditor(const std::vector<std::string>& arguments, const std::string& title);
    // The command: a new editor on the selected file name, or an empty one.
    void StartNewEditor(const std::string& selected, const std::string& documentPath);

private:
    void placementRead();

    Platform& platform_;
    InstanceStarter& starter_;
    std::function<FrameFacts()> frame_;
    // Instances started that have not read their placement yet, and the
    // placement stored before the first of them.
    int pending_ = 0;
    std::string kept_;
};

}  // namespace tagloom
