#include "document/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

#include "document/JournalFormat.h"
#include "textmodel/TextLimits.h"

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
        return withPath("Unable to read from %1, permission denied.", path);
    case EBUSY:
    case ETXTBSY:
        return withPath("Unable to read from %1, it is opened by someone else.", path);
    default:
        return "Failed to open document.";
    }
}

std::string saveFailureText(int error, QFileDevice::FileError fileError, const std::string& path) {
    if (fileError == QFileDevice::ResourceError || error == ENOSPC || error == EDQUOT)
        return "Destination disk drive is full.";
    if (error == EACCES || error == EPERM) return withPath("Unable to write to %1, permission denied.", path);
    if (error == EROFS || error == EBUSY || error == ETXTBSY)
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
// False on a read error, or when onBlock refuses a block.
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
        if (!onBlock(std::string_view(block, static_cast<std::size_t>(n)))) return false;
        offset += n;
    }
}

// Two passes over the file: the first counts its line ends, so that the text
// is built in a buffer of its final size by the second. Only one block of the
// file is held at a time. The second pass alone decides the result, so a file
// that changes in between still loads consistently. A text beyond what the
// edit control can hold sets tooLarge, found before it is built where the
// first pass shows it.
// The bytes of the second pass go to checksum, and their number to bytesRead.
bool readConverted(int fd, LoadedText& loaded, bool& tooLarge, TextChecksum& checksum, std::uint64_t& bytesRead) {
    const std::unique_ptr<char[]> block(new char[kReadBlockSize]);
    LineEndCount count;
    std::size_t fileLength = 0;
    const bool counted = readBlocks(fd, block.get(), [&](std::string_view bytes) {
        count.add(bytes);
        fileLength += bytes.size();
        return true;
    });
    if (!counted) return false;
    const std::size_t textLength = editorTextLength(fileLength, count);
    tooLarge = textLength > static_cast<std::size_t>(kMaxTextLength);
    if (tooLarge) return false;
    EditorTextBuilder builder(textLength);
    if (!readBlocks(fd, block.get(), [&](std::string_view bytes) {
            builder.append(bytes);
            checksum.add(bytes);
            bytesRead += bytes.size();
            return true;
        })) return false;
    loaded = builder.finish();
    tooLarge = loaded.text.size() > static_cast<std::size_t>(kMaxTextLength);
    if (tooLarge) loaded = LoadedText();
    return !tooLarge;
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

WriteResult failure(std::string text) { return {false, std::move(text)}; }

// Writes what `produce` hands over to the descriptor, from where it stands,
// and puts it on the disk. False when a byte is missing; `error` then holds
// the system's reason, or 0 when the bytes stopped coming.
bool writeProduced(int fd, const ByteProducer& produce, int& error) {
    error = 0;
    const bool written = produce([&](std::string_view bytes) {
        if (writeAll(fd, bytes)) return true;
        error = errno;
        return false;
    });
    // Some file systems (quotas, network shares) report a failed write only
    // when the data reaches the disk.
    if (written && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
    return written && error == 0;
}

// Makes `to` hold exactly the bytes of `from` and puts them on the disk;
// false, with errno set, when it cannot.
bool copyWhole(int from, int to) {
    if (::ftruncate(to, 0) != 0 || ::lseek(to, 0, SEEK_SET) != 0) return false;
    const std::unique_ptr<char[]> block(new char[kReadBlockSize]);
    const bool copied = readBlocks(from, block.get(), [to](std::string_view bytes) { return writeAll(to, bytes); });
    return copied && ::fsync(to) == 0;
}

// How the write through a temporary file went. folderRefused: the folder let
// no temporary file be made, or let it not take the old file's place.
struct ReplaceOutcome {
    WriteResult result;
    bool folderRefused = false;
};

bool refusedByFolder(int error) { return error == EACCES || error == EPERM; }

ReplaceOutcome writeReplacing(const std::string& path, const ByteProducer& produce, const struct stat* old) {
    QSaveFile file(QString::fromStdString(path));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int error = errno;
        return {failure(saveFailureText(error, file.error(), path)), refusedByFolder(error)};
    }
    if (old) keepOwnership(file.handle(), *old);

    int writeError = 0;
    if (!writeProduced(file.handle(), produce, writeError)) {
        file.cancelWriting();
        return {failure(saveFailureText(writeError, QFileDevice::NoError, path))};
    }
    errno = 0;
    if (!file.commit()) {
        const int error = errno;
        return {failure(saveFailureText(error, file.error(), path)), refusedByFolder(error)};
    }
    return {{true, {}}};
}

// A file written in place has no complete old version beside it while the
// new bytes go in, so its old bytes are copied elsewhere first.
WriteResult writeInPlace(const std::string& path, const ByteProducer& produce, const std::string& backupFolder) {
    const FileDescriptor file(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (file.get() < 0) return failure(saveFailureText(errno, QFileDevice::NoError, path));

    std::error_code ignored;
    std::filesystem::create_directories(backupFolder, ignored);
    std::string backupPath = backupFolder + "/" + std::filesystem::path(path).filename().string() + ".XXXXXX";
    const FileDescriptor backup(::mkostemp(backupPath.data(), O_CLOEXEC));
    if (backup.get() < 0 || !copyWhole(file.get(), backup.get())) {
        if (backup.get() >= 0) ::unlink(backupPath.c_str());
        return failure(withPath("Unable to save %1 in place: no copy of the old file could be kept in ", path) +
                       backupFolder + ".");
    }

    int writeError = 0;
    const bool emptied = ::ftruncate(file.get(), 0) == 0 && ::lseek(file.get(), 0, SEEK_SET) == 0;
    if (!emptied) writeError = errno;
    if (emptied && writeProduced(file.get(), produce, writeError)) {
        ::unlink(backupPath.c_str());
        return {true, {}};
    }
    std::string error = saveFailureText(writeError, QFileDevice::NoError, path);
    if (copyWhole(backup.get(), file.get()))
        ::unlink(backupPath.c_str());
    else
        error += "\nIts old contents could not be put back and are kept in " + backupPath + ".";
    return failure(error);
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
    result.identity = fileIdentity(file.get());
    try {
        bool tooLarge = false;
        TextChecksum checksum;
        result.ok = readConverted(file.get(), result.loaded, tooLarge, checksum, result.fileLength);
        result.checksum = checksum.value();
        if (tooLarge)
            result.error = withPath("%1 is too large to open: the editor holds texts of up to 2 GB.", path);
        else if (!result.ok)
            result.error = withPath("An unexpected error occurred while reading %1.", path);
    } catch (const std::bad_alloc&) {
        result.outOfMemory = true;
        result.error = std::strerror(ENOMEM);
    }
    return result;
}

WriteResult writeFile(const std::string& path, const ByteProducer& produce, const std::string& backupFolder) {
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // A temporary file renamed over a folder or a device would destroy it.
    if (exists && !S_ISREG(old.st_mode)) return failure("Failed to save document.");
    // A read-only file is not replaced, even where its folder would allow it.
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return failure(saveFailureText(errno, QFileDevice::NoError, path));

    const ReplaceOutcome replaced = writeReplacing(path, produce, exists ? &old : nullptr);
    if (replaced.folderRefused && exists) return writeInPlace(path, produce, backupFolder);
    return replaced.result;
}

WriteResult writeTextFile(const std::string& path, std::string_view text, bool bUnixFile) {
    return writeTextFile(path, wholeText(text), bUnixFile);
}

WriteResult writeTextFile(const std::string& path, const TextPieces& text, bool bUnixFile) {
    TextChecksum checksum;
    std::uint64_t length = 0;
    WriteResult result = writeFile(
        path,
        [&](const ByteSink& sink) {
            checksum.reset();
            length = 0;
            return writeFileBytes(text, bUnixFile, [&](std::string_view bytes) {
                checksum.add(bytes);
                length += bytes.size();
                return sink(bytes);
            });
        },
        saveBackupFolder());
    result.fileLength = length;
    result.checksum = checksum.value();
    return result;
}

std::string saveBackupFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QFile::encodeName(folder).toStdString();
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool BlockedFileWriter::add(std::string_view bytes) {
    if (!ok_) return false;
    if (block_.size() + bytes.size() < kBlockSize) {
        block_ += bytes;
        return true;
    }
    // A piece that fills the block goes out behind what is held, uncopied.
    ok_ = finish() && writeAll(fd_, bytes);
    return ok_;
}

bool BlockedFileWriter::finish() {
    ok_ = ok_ && writeAll(fd_, block_);
    block_.clear();
    return ok_;
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
