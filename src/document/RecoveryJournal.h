#pragma once
// Keeps the unsaved edits of the document in a recovery journal, so that a
// crash, a logout that kills the editor or a power cut loses at most the
// last second of typing. Edits are collected as the edit control reports
// them and written, with one sync, when flush() runs, which the owner does
// every second: typing never waits for the disk. A whole-text change, or a
// run of edits larger than the text, is written as one snapshot of the text
// instead. The journal goes when the document has no unsaved changes.
//
// The edits apply to the file's text as a load makes it. The records that
// take that text to the one the editor holds when nothing is unsaved (the
// bookmarks a load puts back; after a save, the carriage returns a save
// drops) begin every journal.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/FileIdentity.h"
#include "document/JournalFiles.h"
#include "document/JournalFormat.h"
#include "textmodel/EditControl.h"

namespace tagloom {

class Clock;
class Prompter;

class RecoveryJournal : private EditObserver {
public:
    static constexpr std::int64_t kFlushMs = 1000;
    // After a journal could not be written, the next try waits this long.
    static constexpr std::int64_t kRetryMs = 60'000;

    RecoveryJournal(EditControl& control, Prompter& prompter, const Clock& clock, std::string folder);
    // Closes the journal and keeps it: only a document with nothing unsaved lets it go.
    ~RecoveryJournal() override;
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    enum class Base {
        Loaded,  // the control holds the file's text as it was loaded (or the empty text of New)
        Saved,   // the control's text was just saved to the file
    };
    // The edits from now on apply to origin's file: the journal, with
    // nothing unsaved left, goes.
    void setBase(const DocumentOrigin& origin, Base base);
    // The edits made since setBase (bookmarks put back) belong to the text
    // that has nothing unsaved.
    void settle();
    // The control holds a text recovered from a journal of origin: it is
    // kept as a snapshot at once.
    void setRecovered(const DocumentOrigin& origin);
    // Writes the edits collected since the last call, or lets the journal go
    // when the document has no unsaved changes any more.
    void flush();
    // Lets the journal go (a clean exit after the question to save).
    void discard();

    // The journal file, when there is one now.
    const JournalFile* file() const { return file_ ? &*file_ : nullptr; }

private:
    void onChange(const TextChange& change) override;
    void onTextReset() override;

    // At the first edit after a base: names the journal and links the file
    // the edits apply to beside it, before another program can replace it.
    void prepare();
    bool write();
    std::string header() const;
    // The header and one snapshot of the whole text, written from its pieces.
    ByteProducer snapshot() const;
    void failed();

    EditControl& control_;
    Prompter& prompter_;
    const Clock& clock_;
    std::string folder_;
    DocumentOrigin origin_;
    std::string journalPath_;  // named at the first edit, made at the next flush
    std::optional<JournalFile> file_;
    std::string baseRecords_;    // from the file's loaded text to the text with nothing unsaved
    // The edits not written yet, as the control told them: keys typed one
    // after another make one edit, and they are written as records only
    // when the journal is, off the typing path.
    struct Edit {
        std::uint64_t position = 0;
        std::uint64_t removed = 0;
        std::string inserted;
    };
    std::string encodedPending() const;
    void clearPending();
    std::vector<Edit> pending_;
    std::size_t pendingBytes_ = 0;
    bool snapshotDue_ = false;   // the next write is a snapshot of the whole text
    bool changed_ = false;       // edits came since the last flush
    std::int64_t retryAt_ = 0;   // after a failure, no write before then
    bool noticeShown_ = false;
};

}  // namespace tagloom
