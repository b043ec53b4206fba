#include "settings/SettingsForm.h"

#include "platform/FilePaths.h"

namespace tagloom {

std::string programLabel(const std::string& title, const std::string& path) {
    std::string name = fileNameOf(path);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return title + " - " + name;
}

}  // namespace tagloom
