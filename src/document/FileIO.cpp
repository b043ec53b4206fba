#include "document/FileIO.h"

#include <QFileDevice>
#include <QSaveFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

namespace tagloom {

namespace {

constexpr std::size_t kReadBlockSize = std::size_t{256} << 10;

std::string withPath(std::string_view text, const std::string& path) {
    std::string message(text);
    const auto at = message.find("%1");
    if (at != std::string::npos) message.replace(at, 2, path);
    return message;
}

std::string openFailureText(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return withPath("%1 was not found.", path);
    case EACCES:
    case EPERM:
        return withPath("Unable to read from %1, it is opened by someone else.", path);
    default:
        return "Failed to open document.";
    }
}

std::string saveFailureText(int error, QFileDevice::FileError fileError, const std::string& path) {
    if (fileError == QFileDevice::ResourceError || error == ENOSPC || error == EDQUOT)
        return "Destination disk drive is full.";
    if (error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY)
        return withPath("Unable to write to %1, it is read-only or opened by someone else.", path);
    return "Failed to save document.";
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads the file from its start to its end, handing over one block at a time.
// False on a read error.
template <class OnBlock>
bool readBlocks(int fd, char* block, OnBlock&& onBlock) {
    off_t offset = 0;
    while (true) {
        const ssize_t n = ::pread(fd, block, kReadBlockSize, offset);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        onBlock(std::string_view(block, static_cast<std::size_t>(n)));
        offset += n;
    }
}

// Two passes over the file: the first counts its line ends, so that the text
// is built in a buffer of its final size by the second. Only one block of the
// file is held at a time. The second pass alone decides the result, so a file
// that changes in between still loads consistently.
bool readConverted(int fd, LoadedText& loaded) {
    const std::unique_ptr<char[]> block(new char[kReadBlockSize]);
    LineEndCount count;
    std::size_t fileLength = 0;
    const bool counted = readBlocks(fd, block.get(), [&](std::string_view bytes) {
        count.add(bytes);
        fileLength += bytes.size();
    });
    if (!counted) return false;
    EditorTextBuilder builder(editorTextLength(fileLength, count));
    if (!readBlocks(fd, block.get(), [&builder](std::string_view bytes) { builder.append(bytes); })) return false;
    loaded = builder.finish();
    return true;
}

// Gives the new file the old one's owner and group where the system allows it
// (only root may give a file away); a change of owner clears the set-user and
// set-group bits, so the old mode is put back afterwards.
void keepOwnership(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) return;
    ::fchmod(fd, old.st_mode & 07777);
}

std::filesystem::path canonicalForm(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return std::filesystem::path(path).lexically_normal();
    std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal() : canonical;
}

}  // namespace

ReadResult readTextFile(const std::string& path) {
    ReadResult result;
    // O_NONBLOCK keeps the open of a pipe without a writer from hanging; it
    // means nothing for the regular files that are read.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        result.error = openFailureText(errno, path);
        return result;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        result.error = "Failed to open document.";
        return result;
    }
    try {
        result.ok = readConverted(file.get(), result.loaded);
        if (!result.ok) result.error = withPath("An unexpected error occurred while reading %1.", path);
    } catch (const std::bad_alloc&) {
        result.outOfMemory = true;
        result.error = std::strerror(ENOMEM);
    }
    return result;
}

WriteResult writeTextFile(const std::string& path, std::string_view text, bool bUnixFile) {
    WriteResult result;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // A temporary file renamed over a folder or a device would destroy it.
    if (exists && !S_ISREG(old.st_mode)) {
        result.error = "Failed to save document.";
        return result;
    }
    // A read-only file is not replaced, even where its folder would allow it.
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        result.error = saveFailureText(errno, QFileDevice::NoError, path);
        return result;
    }

    QSaveFile file(QString::fromStdString(path));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.error = saveFailureText(errno, file.error(), path);
        return result;
    }
    if (exists) keepOwnership(file.handle(), old);

    int writeError = 0;
    const bool written = writeFileBytes(text, bUnixFile, [&](std::string_view bytes) {
        while (!bytes.empty()) {
            const qint64 n = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
            if (n <= 0) {
                writeError = errno;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    });
    // Some file systems (quotas, network shares) report a failed write only
    // when the data reaches the disk, and the commit would not notice.
    if (written && ::fsync(file.handle()) != 0 && errno != EINVAL) writeError = errno;
    if (!written || writeError != 0) {
        result.error = saveFailureText(writeError, file.error(), path);
        file.cancelWriting();
        return result;
    }
    errno = 0;
    if (!file.commit()) {
        result.error = saveFailureText(errno, file.error(), path);
        return result;
    }
    result.ok = true;
    return result;
}

bool fileExists(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0;
}

bool deleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool samePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    return canonicalForm(a).native() == canonicalForm(b).native();
}

}  // namespace tagloom
