#include "search/FindInFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "search/FolderListing.h"
#include "search/OccurrenceScanner.h"

namespace tagloom {

namespace {

using Outcome = FindInFilesResult::Outcome;

struct FileOutcome {
    enum class Kind { Searched, Skipped, Cancelled, Failed } kind = Kind::Searched;
    int error = 0;
};

// An open file, closed when it goes.
class OpenFile {
public:
    OpenFile() = default;
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd = -1;
};

// Whether an entry, or the folder on its way, is gone: on a live tree files
// come and go (caches, editors' temporary files) between the listing of a
// folder and the opening of its files.
bool vanished(int error) { return error == ENOENT || error == ENOTDIR; }

// Opens a folder's entry for reading. Only regular files are searched: a
// link is followed to a file, and a link that leads nowhere, to a folder or
// to a device, like a device or a pipe itself, is passed over, and so is an
// entry that is gone by the time it is opened.
FileOutcome openEntry(int folderFd, const FolderListing::Entry& entry, OpenFile& file, struct stat& status) {
    using Kind = FileOutcome::Kind;
    if (entry.kind == FolderListing::Kind::Other) return {Kind::Skipped};
    if (entry.kind == FolderListing::Kind::Link) {
        if (::fstatat(folderFd, entry.name.c_str(), &status, 0) != 0)
            return vanished(errno) || errno == ELOOP ? FileOutcome{Kind::Skipped} : FileOutcome{Kind::Failed, errno};
        if (!S_ISREG(status.st_mode)) return {Kind::Skipped};
    }
    // Not blocking: should the entry have become a pipe since it was listed, opening it does not wait.
    file.fd = ::openat(folderFd, entry.name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (file.fd < 0) return vanished(errno) ? FileOutcome{Kind::Skipped} : FileOutcome{Kind::Failed, errno};
    if (::fstat(file.fd, &status) != 0) return {Kind::Failed, errno};
    if (!S_ISREG(status.st_mode)) return {Kind::Skipped};
    return {Kind::Searched};
}

// A file whose offsets outgrow the memory to be had fails as an unreadable one does.
FileOutcome searchEntry(int folderFd, const FolderListing::Entry& entry, OccurrenceScanner& scanner,
                        std::string& offsets, const std::function<bool()>& cancelled) try {
    OpenFile file;
    struct stat status {};
    const FileOutcome opened = openEntry(folderFd, entry, file, status);
    if (opened.kind != FileOutcome::Kind::Searched) return opened;
    const OccurrenceScanner::Outcome scanned =
        scanner.scan(file.fd, static_cast<std::uint64_t>(status.st_size), offsets, cancelled);
    switch (scanned.status) {
    case OccurrenceScanner::Status::Done: return {FileOutcome::Kind::Searched};
    case OccurrenceScanner::Status::Cancelled: return {FileOutcome::Kind::Cancelled};
    case OccurrenceScanner::Status::Failed: break;
    }
    return {FileOutcome::Kind::Failed, scanned.error};
} catch (const std::bad_alloc&) {
    offsets = std::string();
    return {FileOutcome::Kind::Failed, ENOMEM};
}

// One file of a folder and, once it has been searched, what was found.
struct FileJob {
    const FolderListing::Entry* entry = nullptr;
    int folderFd = -1;
    std::string offsets;
    FileOutcome outcome;
    std::atomic<bool> done{false};
};

// A folder's files, in byte order of their names. The listing keeps the
// folder open for the jobs until all of them are written to the results.
struct FolderJobs {
    FolderJobs(std::string folder, const FolderListing::Filter& searched)
        : path(std::move(folder)), listing(path, searched), files(listing.entries().size()) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            files[i].entry = &listing.entries()[i];
            files[i].folderFd = listing.fd();
        }
    }
    std::string path;
    FolderListing listing;
    std::vector<FileJob> files;
    std::size_t written = 0;  // the files whose results are in the text
    bool reported = false;    // to the progress
};

// The search of the collected folders. The calling thread lists the folders
// in order, a little ahead, searches files and writes the results; a helper
// thread searches files too. A file's results wait in its job until every
// file before it is written, so the text, the progress reports and the error
// that ends a search are those of a search of one file after the other.
class Search {
public:
    Search(const FindInFilesRequest& request, FindInFilesProgress* progress, const std::vector<std::string>& folders)
        : request_(request),
          progress_(progress),
          folders_(folders),
          searched_([&request](std::string_view name, FolderListing::Kind kind) {
              return kind != FolderListing::Kind::Folder && matchesFileSpec(name, request.fileSpec);
          }) {
        if (std::thread::hardware_concurrency() < 2) return;
        try {
            helper_ = std::thread([this] { helpSearching(); });
        } catch (const std::system_error&) {
            // No second thread to be had: the calling thread searches alone.
        }
    }

    ~Search() {
        stop();
        if (helper_.joinable()) helper_.join();
    }

    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    // Appends the results of the folders to `body` and counts the files with hits.
    Outcome run(std::string& body, int& filesFound, std::string& error);

private:
    static constexpr std::size_t kFilesAhead = 512;  // listed but not yet written
    static constexpr std::size_t kFoldersAhead = 64;
    static constexpr auto kCancelPoll = std::chrono::milliseconds(50);

    bool cancelled() const { return progress_ && progress_->cancelled(); }
    void stop();
    void listNextFolder();
    FileJob* claim();
    void searchFile(FileJob& job, OccurrenceScanner& scanner, const std::function<bool()>& cancelled);
    void helpSearching();
    Outcome writeDone(std::string& body, int& filesFound, std::string& error);
    void waitForNextToWrite();

    const FindInFilesRequest& request_;
    FindInFilesProgress* progress_;
    const std::vector<std::string>& folders_;
    const FolderListing::Filter searched_;
    // The calling thread's: the folders listed and not yet written, the
    // next to list, and the current folder's block of file lines.
    std::deque<FolderJobs> listed_;
    std::size_t nextFolder_ = 0;
    std::size_t filesAhead_ = 0;
    std::string block_;
    int blockFiles_ = 0;

    std::mutex mutex_;
    std::condition_variable workAdded_;  // a file to search, the last folder listed, or stop
    std::condition_variable fileDone_;
    std::deque<FileJob*> unclaimed_;
    bool allListed_ = false;
    std::atomic<bool> stop_{false};
    std::thread helper_;
};

void Search::stop() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    workAdded_.notify_all();
}

void Search::listNextFolder() {
    FolderJobs& folder = listed_.emplace_back(folders_[nextFolder_++], searched_);
    filesAhead_ += folder.files.size();
    {
        const std::lock_guard lock(mutex_);
        for (FileJob& job : folder.files) unclaimed_.push_back(&job);
        allListed_ = nextFolder_ == folders_.size();
    }
    workAdded_.notify_one();
}

FileJob* Search::claim() {
    const std::lock_guard lock(mutex_);
    if (unclaimed_.empty()) return nullptr;
    FileJob* job = unclaimed_.front();
    unclaimed_.pop_front();
    return job;
}

void Search::searchFile(FileJob& job, OccurrenceScanner& scanner, const std::function<bool()>& cancelled) {
    job.outcome = searchEntry(job.folderFd, *job.entry, scanner, job.offsets, cancelled);
    {
        const std::lock_guard lock(mutex_);
        job.done.store(true, std::memory_order_release);
    }
    fileDone_.notify_one();
}

void Search::helpSearching() {
    OccurrenceScanner scanner(request_.findText, request_.matchCase, request_.wholeWord);
    const std::function<bool()> stopped = [this] { return stop_.load(); };
    std::unique_lock lock(mutex_);
    for (;;) {
        workAdded_.wait(lock, [this] { return stop_ || allListed_ || !unclaimed_.empty(); });
        if (stop_ || unclaimed_.empty()) return;
        FileJob* job = unclaimed_.front();
        unclaimed_.pop_front();
        lock.unlock();
        searchFile(*job, scanner, stopped);
        lock.lock();
    }
}

// Writes the files searched so far, in order, up to the first one not yet
// done. Found while folders remain to be written; Failed or Cancelled when
// a file written ended the search.
Outcome Search::writeDone(std::string& body, int& filesFound, std::string& error) {
    while (!listed_.empty()) {
        FolderJobs& folder = listed_.front();
        if (!folder.reported && progress_) progress_->searching(folder.path, filesFound);
        folder.reported = true;
        for (; folder.written < folder.files.size(); ++folder.written, --filesAhead_) {
            FileJob& job = folder.files[folder.written];
            if (!job.done.load(std::memory_order_acquire)) return Outcome::Found;
            if (job.outcome.kind == FileOutcome::Kind::Cancelled) return Outcome::Cancelled;
            if (job.outcome.kind == FileOutcome::Kind::Failed) {
                error = folder.path + job.entry->name + ": " + std::strerror(job.outcome.error);
                return Outcome::Failed;
            }
            if (job.offsets.empty()) continue;
            block_.append("  ").append(job.entry->name).append("  --  ").append(job.offsets).append("\r\n");
            ++blockFiles_;
        }
        if (blockFiles_ > 0) {
            body.append("\r\n").append(folder.path).append("\r\n").append(block_);
            filesFound += blockFiles_;
        }
        block_.clear();
        blockFiles_ = 0;
        listed_.pop_front();
    }
    return Outcome::Found;
}

// Waits until the next file to write is done, or a while, to ask for cancellation again.
void Search::waitForNextToWrite() {
    const FolderJobs& folder = listed_.front();
    const FileJob& next = folder.files[folder.written];
    std::unique_lock lock(mutex_);
    fileDone_.wait_for(lock, kCancelPoll, [&next] { return next.done.load(std::memory_order_acquire); });
}

Outcome Search::run(std::string& body, int& filesFound, std::string& error) {
    OccurrenceScanner scanner(request_.findText, request_.matchCase, request_.wholeWord);
    const std::function<bool()> cancelled = [this] { return this->cancelled(); };
    for (;;) {
        if (cancelled()) return Outcome::Cancelled;
        const Outcome written = writeDone(body, filesFound, error);
        if (written != Outcome::Found) return written;
        if (listed_.empty() && nextFolder_ == folders_.size()) return Outcome::Found;
        if (nextFolder_ < folders_.size() && filesAhead_ < kFilesAhead && listed_.size() < kFoldersAhead) {
            listNextFolder();
        } else if (FileJob* job = claim()) {
            searchFile(*job, scanner, cancelled);
        } else {
            waitForNextToWrite();
        }
    }
}

std::string header(const FindInFilesRequest& request, int filesFound, int levels, int depth) {
    return std::to_string(filesFound) + " Files Found" + (request.matchCase ? " - Matching Case" : "") +
           (request.wholeWord ? " - Matching Whole Word" : "") + " - Sub Folder Depth " + std::to_string(levels) +
           " of " + std::to_string(depth) + "\r\n\r\n";
}

FindInFilesResult ended(Outcome outcome, std::string error = {}) {
    FindInFilesResult result;
    result.outcome = outcome;
    result.error = std::move(error);
    return result;
}

}  // namespace

FindInFilesResult findInFiles(const FindInFilesRequest& request, FindInFilesProgress* progress) try {
    const int depth = std::max(request.depth, 0);
    std::string root = request.folder;
    if (!root.empty() && root.back() != '/') root += '/';

    const FolderTree tree =
        collectFolders(root, depth, [progress] { return progress && progress->cancelled(); });
    if (tree.cancelled) return ended(Outcome::Cancelled);

    FindInFilesResult result;
    result.levels = tree.levels;
    std::string body = "Looking For: " + request.findText + "\r\n";
    // An empty find text occurs nowhere.
    if (!request.findText.empty()) {
        std::string error;
        const Outcome outcome = Search(request, progress, tree.folders).run(body, result.filesFound, error);
        if (outcome != Outcome::Found) return ended(outcome, std::move(error));
    }
    result.text = header(request, result.filesFound, result.levels, depth) + body;
    return result;
} catch (const std::bad_alloc&) {
    // Results text too large for the memory to be had.
    return ended(Outcome::Failed, std::strerror(ENOMEM));
}

}  // namespace tagloom
