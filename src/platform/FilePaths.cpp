#include "platform/FilePaths.h"

namespace tagloom {

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string selectedFilePath(std::string selected, const std::string& documentPath) {
    for (char& c : selected)
        if (c == '\\') c = '/';
    if (!selected.empty() && selected.front() == '/') return selected;
    return folderOf(documentPath) + selected;
}

}  // namespace tagloom
