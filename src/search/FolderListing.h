#pragma once
// The entries of one folder as Find in Files visits them: every entry but
// "." and "..", in byte order of the names, so a search over the same tree
// always lists its results in the same order.
#include <dirent.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tagloom {

class FolderListing {
public:
    // A symbolic link is a Link whatever it points to, so folders reached
    // through links are never entered and a link loop is never walked.
    // Other: a device, a pipe or a socket.
    enum class Kind { Folder, File, Link, Other };
    struct Entry {
        std::string name;
        Kind kind;
    };
    using Filter = std::function<bool(std::string_view name, Kind kind)>;

    // Lists `folder` (a path ending with '/'), keeping the entries `keep`
    // accepts. A folder that cannot be opened or read lists nothing.
    FolderListing(const std::string& folder, const Filter& keep);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    const std::vector<Entry>& entries() const { return entries_; }
    // The open folder, for opening its entries by name; -1 when it could not be read.
    int fd() const;

private:
    DIR* dir_ = nullptr;
    std::vector<Entry> entries_;
};

struct FolderTree {
    std::vector<std::string> folders;  // breadth-first: the root, then each level down
    int levels = 0;                    // the levels of sub-folders found, at most the depth asked for
    bool cancelled = false;
};

// The root folder and its sub-folders down to `depth` levels, each path
// ending with '/'. `cancelled` is asked before each folder is listed.
FolderTree collectFolders(const std::string& root, int depth, const std::function<bool()>& cancelled);

}  // namespace tagloom
