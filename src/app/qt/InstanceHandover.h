#pragma once
// The hand-over between an editor that starts another and the one started:
// the new instance, once it has read its window placement, connects to a
// local socket the first one listens on, named in its environment.
#include "app/NewEditorLauncher.h"

namespace tagloom {

class QtInstanceStarter : public InstanceStarter {
public:
    // Starts this program again with the arguments.
    LaunchResult start(const std::vector<std::string>& arguments, std::function<void()> placementRead) override;
};

// In an instance started so: tells the one that started it that the window
// placement has been read. Does nothing otherwise, and nothing a second time.
void confirmPlacementRead();

}  // namespace tagloom
