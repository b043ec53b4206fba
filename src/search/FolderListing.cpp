#include "search/FolderListing.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace tagloom {

namespace {

FolderListing::Kind kindOf(DIR* dir, const dirent& entry) {
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN) {  // file systems that do not say: ask without following links
        struct stat status {};
        if (::fstatat(::dirfd(dir), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
            type = S_ISDIR(status.st_mode)   ? DT_DIR
                   : S_ISLNK(status.st_mode) ? DT_LNK
                   : S_ISREG(status.st_mode) ? DT_REG
                                             : DT_UNKNOWN;
    }
    switch (type) {
    case DT_DIR: return FolderListing::Kind::Folder;
    case DT_REG: return FolderListing::Kind::File;
    case DT_LNK: return FolderListing::Kind::Link;
    default: return FolderListing::Kind::Other;
    }
}

}  // namespace

FolderListing::FolderListing(const std::string& folder, const Filter& keep)
    : dir_(::opendir(folder.c_str())) {
    if (!dir_) return;
    while (const dirent* entry = ::readdir(dir_)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        const Kind kind = kindOf(dir_, *entry);
        if (keep(name, kind)) entries_.push_back(Entry{std::string(name), kind});
    }
    // std::string compares its bytes as unsigned char: byte order.
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
}

FolderListing::~FolderListing() {
    if (dir_) ::closedir(dir_);
}

int FolderListing::fd() const { return dir_ ? ::dirfd(dir_) : -1; }

FolderTree collectFolders(const std::string& root, int depth, const std::function<bool()>& cancelled) {
    using Kind = FolderListing::Kind;
    FolderTree tree;
    tree.folders.push_back(root);
    const auto isFolder = [](std::string_view, Kind kind) { return kind == Kind::Folder; };
    std::size_t levelStart = 0;
    while (tree.levels < depth) {
        const std::size_t levelEnd = tree.folders.size();
        for (std::size_t i = levelStart; i < levelEnd; ++i) {
            if (cancelled && cancelled()) {
                tree.cancelled = true;
                return tree;
            }
            const std::string folder = tree.folders[i];
            const FolderListing listing(folder, isFolder);
            for (const FolderListing::Entry& entry : listing.entries())
                tree.folders.push_back(folder + entry.name + '/');
        }
        if (tree.folders.size() == levelEnd) break;
        levelStart = levelEnd;
        ++tree.levels;
    }
    return tree;
}

}  // namespace tagloom
