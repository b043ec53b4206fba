#pragma once
// What tells one state of a file from another without reading it: the
// device and inode it lives on, its size and its modification time to the
// nanosecond. One stat, whatever the file's size.
#include <cstdint>
#include <optional>
#include <string>

namespace tagloom {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

// Where the document's text came from: the file it was loaded from or last
// saved to, as it was then; an empty path for an Untitled document.
struct DocumentOrigin {
    std::string path;
    std::optional<FileIdentity> identity;
    bool unixFile = false;
    std::uint64_t fileLength = 0;  // the file's bytes read or written
    std::uint64_t checksum = 0;    // and their checksum (textChecksum)
};

// The identity of the file at path, following links; nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);
// The identity of an open file.
std::optional<FileIdentity> fileIdentity(int fd);

}  // namespace tagloom
