#pragma once
// The recovery journals on disk: one file per document with unsaved changes,
// in the user's state folder, readable by the user only. The instance that
// writes a journal holds an exclusive lock on it for as long as it runs, so a
// journal whose lock is free belongs to an instance that ended without
// closing it. Beside a journal may stand a hard link to the file its edits
// were made to, which keeps that text when another program replaces the file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/FileIO.h"

namespace tagloom {

// $XDG_STATE_HOME/Fenwold/Tagloom/recovery, else ~/.local/state/…; empty
// when neither names a folder.
std::string recoveryFolder();

// A journal file this process holds locked. Closing it releases the lock
// and keeps the file; only remove() takes it away.
class JournalFile {
public:
    JournalFile() = default;
    JournalFile(JournalFile&& other) noexcept;
    JournalFile& operator=(JournalFile&& other) noexcept;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;
    ~JournalFile();

    // A name for a new journal in folder, which is made (mode 0700) when
    // missing; empty, with errno set, when it cannot be.
    static std::string newPath(const std::string& folder);
    // A new journal at path holding the bytes `produce` hands over, synced to
    // the disk before it takes its name; nothing, with errno set, when it
    // cannot be made.
    static std::optional<JournalFile> create(const std::string& path, const ByteProducer& produce);
    static std::optional<JournalFile> create(const std::string& path, std::string_view bytes);
    // Where the link to the file the edits of the journal at path were made to stands.
    static std::string basePathOf(const std::string& path) { return path + ".base"; }
    // Links the file at file as the base of the journal at path; false when
    // the file system cannot.
    static bool linkBase(const std::string& path, const std::string& file);
    // Deletes the journal at path and its base.
    static void removeAt(const std::string& path);
    // The journal at path, when no running instance holds it: now locked by this one.
    static std::optional<JournalFile> claim(const std::string& path);

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    std::string basePath() const { return basePathOf(path_); }

    // Appends bytes and syncs them to the disk; false, with errno set, when
    // they may not all have reached it.
    bool append(std::string_view bytes);
    // Replaces the whole journal with the bytes `produce` hands over at once:
    // a crash leaves either the old journal or the new one. The base link stays.
    bool rewrite(const ByteProducer& produce);
    // Deletes the journal and its base, and closes it.
    void remove();
    // Renames the journal to its name with ".unreadable" added and closes it.
    bool setAside();

private:
    JournalFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    void close();

    int fd_ = -1;
    std::string path_;
};

// The journals in folder whose lock is free, each now locked by this
// process, oldest first. A journal left unfinished, before it took its name,
// is removed, and so is a base a minute old whose journal was never made.
std::vector<JournalFile> orphanedJournals(const std::string& folder);

// The whole content of a journal; nothing, with errno set, when it cannot be read.
std::optional<std::string> readJournalBytes(const JournalFile& journal);

}  // namespace tagloom
