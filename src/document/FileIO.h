#pragma once
// Reading a document file into the editor's text and writing it back.
//
// Failures come back as the message to show the user, with the path filled in;
// nothing here shows anything itself. A failed write never touches the old file.
#include <string>
#include <string_view>

#include "document/LineEnds.h"

namespace tagloom {

struct ReadResult {
    bool ok = false;
    LoadedText loaded;  // when ok
    std::string error;  // when not ok: the message for the user
    // Not ok because the text did not fit in memory; error holds the system's reason.
    bool outOfMemory = false;
};

struct WriteResult {
    bool ok = false;
    std::string error;  // when not ok: the message for the user
};

// Loads a whole file, of any size and any bytes, converting its line ends.
// Only regular files are read: a folder, a device or a pipe is refused.
ReadResult readTextFile(const std::string& path);

// Saves text with the given line ends through a temporary file in the same
// folder, which replaces the old file only once every byte has been written.
// A replaced file keeps its permissions (and, where the system allows, its
// owner and group).
WriteResult writeTextFile(const std::string& path, std::string_view text, bool bUnixFile);

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
