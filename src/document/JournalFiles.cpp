#include "document/JournalFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <random>
#include <utility>

#include "document/FileIO.h"

namespace tagloom {

namespace {

constexpr std::string_view kJournalEnding = ".journal";
constexpr std::string_view kNewEnding = ".new";

// Makes each missing folder of path, the last ones for the user only.
bool makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

std::string randomName() {
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name;
    for (std::uint64_t bits = random(), i = 0; i < 16; ++i, bits >>= 4) name += kDigits[bits & 15];
    return name;
}

// Syncs a folder, so that a name just given in it survives a crash.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string folderOfPath(const std::string& path) { return path.substr(0, path.rfind('/')); }

// A new file at path, locked, holding the bytes produce hands over, synced to
// the disk; -1 with errno set.
int writeLockedFile(const std::string& path, const ByteProducer& produce) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    BlockedFileWriter writer(fd);
    const auto write = [&writer](std::string_view bytes) { return writer.add(bytes); };
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && produce(write) && writer.finish() && ::fdatasync(fd) == 0) return fd;
    const int error = errno;
    ::close(fd);
    ::unlink(path.c_str());
    errno = error;
    return -1;
}

bool endsWith(std::string_view name, std::string_view ending) { return name.ends_with(ending); }

// A base is linked at the first edit and its journal made within a second;
// one whose journal never came, and that is older than a minute by its
// link's change time, belongs to an instance that ended meanwhile.
void removeLoneBase(const std::string& base) {
    const std::string journal = base.substr(0, base.size() - std::string_view(".base").size());
    struct stat status {};
    if (::access(journal.c_str(), F_OK) == 0 || ::lstat(base.c_str(), &status) != 0) return;
    if (status.st_ctim.tv_sec + 60 < ::time(nullptr)) ::unlink(base.c_str());
}

}  // namespace

std::string recoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state && state[0] == '/') {
        base = state;
    } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        base = std::string(home) + "/.local/state";
    } else {
        return {};
    }
    return base + "/Fenwold/Tagloom/recovery";
}

JournalFile::JournalFile(JournalFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

JournalFile& JournalFile::operator=(JournalFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

JournalFile::~JournalFile() { close(); }

void JournalFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string JournalFile::newPath(const std::string& folder) {
    if (folder.empty() || folder[0] != '/') {
        errno = ENOENT;
        return {};
    }
    if (!makeFolders(folder)) return {};
    return folder + "/" + randomName() + std::string(kJournalEnding);
}

std::optional<JournalFile> JournalFile::create(const std::string& path, std::string_view bytes) {
    return create(path, [bytes](const ByteSink& sink) { return sink(bytes); });
}

std::optional<JournalFile> JournalFile::create(const std::string& path, const ByteProducer& produce) {
    const std::string fresh = path + std::string(kNewEnding);
    const int fd = writeLockedFile(fresh, produce);
    if (fd < 0) return std::nullopt;
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(fresh.c_str());
        errno = error;
        return std::nullopt;
    }
    syncFolder(folderOfPath(path));
    return JournalFile(fd, path);
}

bool JournalFile::linkBase(const std::string& path, const std::string& file) {
    const std::string base = basePathOf(path);
    ::unlink(base.c_str());
    return ::link(file.c_str(), base.c_str()) == 0;
}

void JournalFile::removeAt(const std::string& path) {
    ::unlink(path.c_str());
    ::unlink(basePathOf(path).c_str());
}

bool JournalFile::append(std::string_view bytes) {
    if (fd_ < 0) {
        errno = EBADF;
        return false;
    }
    return writeAll(fd_, bytes) && ::fdatasync(fd_) == 0;
}

bool JournalFile::rewrite(const ByteProducer& produce) {
    const std::string fresh = path_ + std::string(kNewEnding);
    const int fd = writeLockedFile(fresh, produce);
    if (fd < 0) return false;
    if (::rename(fresh.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(fresh.c_str());
        errno = error;
        return false;
    }
    syncFolder(folderOfPath(path_));
    close();
    fd_ = fd;
    ::lseek(fd_, 0, SEEK_END);
    return true;
}

void JournalFile::remove() {
    if (path_.empty()) return;
    removeAt(path_);
    close();
    path_.clear();
}

bool JournalFile::setAside() {
    const bool renamed = ::rename(path_.c_str(), (path_ + ".unreadable").c_str()) == 0;
    close();
    return renamed;
}

std::optional<JournalFile> JournalFile::claim(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    // The lock is the file's: a journal its writer just replaced by a new one
    // under the same name is no orphan.
    struct stat status {}, named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::stat(path.c_str(), &named) != 0 || named.st_ino != status.st_ino || named.st_dev != status.st_dev) {
        ::close(fd);
        return std::nullopt;
    }
    return JournalFile(fd, path);
}

std::vector<JournalFile> orphanedJournals(const std::string& folder) {
    std::vector<std::pair<std::int64_t, JournalFile>> found;
    DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (!dir) return {};
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (endsWith(name, std::string(kJournalEnding) + ".base")) {
            removeLoneBase(folder + "/" + name);
            continue;
        }
        const bool unfinished = endsWith(name, std::string(kJournalEnding) + std::string(kNewEnding));
        if (!endsWith(name, kJournalEnding) && !unfinished) continue;
        std::optional<JournalFile> journal = JournalFile::claim(folder + "/" + name);
        if (!journal) continue;
        if (unfinished) {
            // A journal whose writer ended before it took its name holds nothing yet.
            journal->remove();
            continue;
        }
        struct stat status {};
        ::stat(journal->path().c_str(), &status);
        found.emplace_back(static_cast<std::int64_t>(status.st_mtim.tv_sec), std::move(*journal));
    }
    ::closedir(dir);
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<JournalFile> journals;
    for (auto& [when, journal] : found) journals.push_back(std::move(journal));
    return journals;
}

std::optional<std::string> readJournalBytes(const JournalFile& journal) {
    const int fd = ::open(journal.path().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char block[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            errno = error;
            return std::nullopt;
        }
        bytes.append(block, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

}  // namespace tagloom
