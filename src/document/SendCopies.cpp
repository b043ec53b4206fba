#include "document/SendCopies.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string_view>

namespace tagloom {

std::string sendCopiesFolder() { return QFile::encodeName(QDir::tempPath()).toStdString(); }

void removeStaleSendCopies(const std::string& folder) {
    namespace fs = std::filesystem;
    const std::time_t oldest = std::time(nullptr) - std::chrono::seconds(kSendCopyLifetime).count();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path& path = entry->path();
        if (!std::string_view(path.filename().native()).starts_with(kSendFolderPrefix)) continue;
        // Not followed: a link of that name leads to what is not a copy.
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid()) continue;
        // The folder changed last when the copy was written into it.
        if (status.st_mtime >= oldest) continue;
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
}

}  // namespace tagloom
