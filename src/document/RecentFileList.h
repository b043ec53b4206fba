#pragma once
// The recent-file list of the File menu: most recent first, at most 16
// entries, kept in the settings store as "Recent File List" / "File1", ...
#include <string>
#include <vector>

namespace tagloom {

class SettingsStore;

class RecentFileList {
public:
    static constexpr int kMaxEntries = 16;
    static constexpr int kDisplayLength = 30;

    // `size` is the stored mruCount; it is kept within 0 and 16.
    explicit RecentFileList(int size);

    int size() const { return size_; }
    const std::vector<std::string>& entries() const { return entries_; }

    void load(const SettingsStore& store);
    void save(SettingsStore& store) const;

    // Puts a path at the top, removing an earlier entry of the same path.
    void add(const std::string& path);
    void remove(const std::string& path);

    // The menu text of entry `index`: "&1 " and the path shortened to 30
    // characters, with '&' doubled so it is not taken for a mnemonic.
    std::string menuText(int index) const;

private:
    int size_;
    std::vector<std::string> entries_;
};

// Shortens a path to at most `maxLength` characters by replacing leading
// folders with "...", keeping the root and the file name: "/…/dir/file.html".
// A file name longer than that on its own is returned whole.
std::string abbreviatePath(const std::string& path, std::size_t maxLength);

}  // namespace tagloom
