#pragma once
// Reading a document file into the editor's text and writing it back.
//
// Failures come back as the message to show the user, with the path filled in;
// nothing here shows anything itself. A failed write never touches the old file.
#include <string>
#include <string_view>

#include "document/FileIdentity.h"
#include "document/LineEnds.h"

namespace tagloom {

struct ReadResult {
    bool ok = false;
    LoadedText loaded;  // when ok
    std::optional<FileIdentity> identity;  // when ok: the file as it was opened
    std::uint64_t fileLength = 0;          // when ok: the bytes read
    std::uint64_t checksum = 0;            // and their checksum (textChecksum)
    std::string error;  // when not ok: the message for the user
    // Not ok because the text did not fit in memory; error holds the system's reason.
    bool outOfMemory = false;
};

struct WriteResult {
    bool ok = false;
    std::string error;  // when not ok: the message for the user
    // writeTextFile, when ok: the bytes written and their checksum (textChecksum).
    std::uint64_t fileLength = 0;
    std::uint64_t checksum = 0;
};

// Loads a whole file, of any size and any bytes, converting its line ends.
// Only regular files are read: a folder, a device or a pipe is refused.
ReadResult readTextFile(const std::string& path);

// Hands the bytes of a file being written to a sink, from the first; false
// when it stopped short. It may be called a second time, for a second route.
using ByteProducer = std::function<bool(const ByteSink& sink)>;

// Writes a file with the bytes `produce` hands over. Where the folder allows,
// they go to a temporary file beside the old one, which replaces it only once
// every byte has been written. An existing file in a folder that refuses a new
// file (a writable file in a read-only folder) is written in place instead,
// after a copy of its old bytes is kept in `backupFolder`: the copy is put back
// when the writing fails and removed when it succeeds, and stays there, named
// in the message, only when even putting it back fails. The file keeps its
// mode and, where the system allows, its owner and group.
WriteResult writeFile(const std::string& path, const ByteProducer& produce, const std::string& backupFolder);

// Saves the editor's text with the given line ends, as writeFile does, with
// the copy for a write in place kept in saveBackupFolder(). The pieces are
// written as they are, never joined.
WriteResult writeTextFile(const std::string& path, const TextPieces& text, bool bUnixFile);
WriteResult writeTextFile(const std::string& path, std::string_view text, bool bUnixFile);

// Where a write in place keeps the old bytes meanwhile: the user's cache
// folder, or the system's temporary folder when there is none.
std::string saveBackupFolder();

// Writes every byte to an open file; false, with errno set, when it cannot.
bool writeAll(int fd, std::string_view bytes);

// Writes the bytes added to it to an open file in blocks of 256 KB, so that
// a text of many small pieces costs a few writes, not one a piece. False,
// with errno set, once a write failed; the rest is then ignored.
class BlockedFileWriter {
public:
    explicit BlockedFileWriter(int fd) : fd_(fd) {}
    bool add(std::string_view bytes);
    // Writes what is still held.
    bool finish();

private:
    static constexpr std::size_t kBlockSize = std::size_t{256} << 10;
    int fd_;
    std::string block_;
    bool ok_ = true;
};

// Whether the system reports anything at all at a path (a file, a folder...).
bool fileExists(const std::string& path);

// Removes the file at a path; false when it could not be removed.
bool deleteFile(const std::string& path);

// Whether two paths name the same file: their canonical forms (absolute, with
// links, "." and ".." resolved) are equal, compared byte for byte as the file
// system compares names. A path of a file not yet created resolves as far as it
// exists. An empty path names no file.
bool samePath(const std::string& a, const std::string& b);

}  // namespace tagloom
