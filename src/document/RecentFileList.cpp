#include "document/RecentFileList.h"

#include <algorithm>

#include "platform/SettingsStore.h"

namespace tagloom {

namespace {

const std::string kSection = "Recent File List";

std::string entryKey(int index) { return "File" + std::to_string(index + 1); }

}  // namespace

RecentFileList::RecentFileList(int size) : size_(std::clamp(size, 0, kMaxEntries)) {}

void RecentFileList::load(const SettingsStore& store) {
    entries_.clear();
    for (int i = 0; i < size_; ++i) {
        std::string path = store.getString(kSection, entryKey(i), "");
        if (!path.empty()) entries_.push_back(std::move(path));
    }
}

void RecentFileList::save(SettingsStore& store) const {
    for (int i = 0; i < size_; ++i) {
        if (i < static_cast<int>(entries_.size()))
            store.setString(kSection, entryKey(i), entries_[i]);
        else
            store.remove(kSection, entryKey(i));
    }
}

void RecentFileList::add(const std::string& path) {
    if (size_ == 0 || path.empty()) return;
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (static_cast<int>(entries_.size()) > size_) entries_.resize(size_);
}

void RecentFileList::remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

std::string RecentFileList::menuText(int index) const {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : abbreviatePath(entries_.at(index), kDisplayLength)) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

std::string abbreviatePath(const std::string& path, std::size_t maxLength) {
    if (path.size() <= maxLength) return path;
    const auto lastSlash = path.find_last_of('/');
    const std::string name = lastSlash == std::string::npos ? path : path.substr(lastSlash + 1);
    if (lastSlash == std::string::npos || name.size() >= maxLength) return name;

    // Keep the root, then drop folders from the left until the rest fits.
    const std::string root = path.front() == '/' ? "/" : "";
    std::string tail = path.substr(root.size());
    while (true) {
        const auto slash = tail.find('/');
        if (slash == std::string::npos) return name;
        tail.erase(0, slash + 1);
        const std::string candidate = root + ".../" + tail;
        if (candidate.size() <= maxLength) return candidate;
    }
}

}  // namespace tagloom
