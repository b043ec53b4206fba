#pragma once
// Programs and documents handed to the desktop, on Qt and POSIX.
#include <QTimer>
#include <chrono>
#include <sys/types.h>

#include "platform/Launcher.h"

namespace tagloom {

class QtLauncher : public Launcher {
public:
    // How long a helper may run before it counts as having started its program.
    static constexpr std::chrono::milliseconds kHelperPatience{3000};

    explicit QtLauncher(std::chrono::milliseconds helperPatience = kHelperPatience);
    LaunchResult launch(const std::string& program, const std::vector<std::string>& arguments) override;
    LaunchResult openUrl(const std::string& url) override;
    void runHelper(const std::string& program, const std::vector<std::string>& arguments, HelperDone done) override;
    void showInFileManager(const std::string& path, HelperDone done) override;
    bool isProgramAvailable(const std::string& program) const override;

private:
    struct Helper {
        pid_t pid;
        std::string program;
        std::chrono::steady_clock::time_point deadline;
        HelperDone done;  // empty once told
    };
    // Tells the helpers that ended or ran out of patience, and reaps the ended ones.
    void checkHelpers();

    std::chrono::milliseconds helperPatience_;
    std::vector<Helper> helpers_;
    QTimer helperCheck_;
};

}  // namespace tagloom
