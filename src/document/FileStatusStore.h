#pragma once
// The file status store: TagloomFileStatus.txt, one record line per file
// (see FileStatusRecord.h), the most recently stored first, at most 25.
//
// Every store reads the file, puts the new record on top, keeps the other
// files' records below it (lines that are no record are dropped, so they take
// no one's place) and replaces the whole file in one rename, so a reader never
// sees a half-written file. Instances side by side share the file
// without locking; the last writer wins. Nothing here is ever reported: a file
// that cannot be read counts as empty, one that cannot be written stays as it
// was.
#include <optional>
#include <string>

#include "document/FileStatusRecord.h"

namespace tagloom {

class FileStatusStore {
public:
    static constexpr const char* kFileName = "TagloomFileStatus.txt";
    static constexpr int kMaxRecords = 25;

    // The store file of this program: beside its executable when that folder
    // is writable (a portable install, a build folder), otherwise in the
    // per-user configuration folder of the settings.
    static std::string defaultFilePath();
    // The store file given the executable's folder (empty when unknown) and the
    // per-user configuration folder, which is created when it is used and missing.
    static std::string locateFile(const std::string& executableFolder, const std::string& configFolder);

    explicit FileStatusStore(std::string filePath);


    // Puts the record on top of the store, dropping the path's earlier record
    // and, beyond 25, the oldest. False when the record was not written: the
    // path is empty, starts with white space or holds a line break (no line
    // could carry it), or the file is read-only or could not be replaced.
    bool store(const FileStatusRecord& record) const;

    // The stored state of a file, matched by its exact path.
    std::optional<FileStatusRecord> restore(const std::string& path) const;

private:
    std::string filePath_;
};

}  // namespace tagloom
