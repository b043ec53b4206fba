#pragma once
// Find in Files on Qt: the dialog, the search on a worker thread with a
// progress window that appears when it takes longer than 300 ms, and the
// results window.
#include <QWidget>
#include <chrono>

#include "search/FindInFilesCommands.h"

namespace tagloom {

struct Platform;

class QtFindInFilesWindows : public FindInFilesWindows {
public:
    QtFindInFilesWindows(Platform& platform, QWidget* owner) : platform_(platform), owner_(owner) {}

    std::optional<FindInFilesForm> ask(const FindInFilesForm& form) override;
    // The window keeps answering while the search runs: input waits until the
    // progress window shows, and then goes only to it.
    FindInFilesResult search(const FindInFilesRequest& request) override;
    void showResults(const std::string& title, const std::string& text,
                     const std::function<void(int at)>& goTo) override;

    // The longest time between two of the window's polls of the search (one
    // every 20 ms) during the last search: how long its events waited at most.
    std::chrono::milliseconds longestTickGap() const { return longestTickGap_; }

private:
    Platform& platform_;
    QWidget* owner_;
    std::chrono::milliseconds longestTickGap_{0};
};

}  // namespace tagloom
