#pragma once
// The bytes of a recovery journal: a header that says which text the edits
// apply to, then the edits as records appended one after another, each with
// its own checksum, so that a journal cut short by a crash still reads up to
// its last whole record.
//
//   header:  "TAGLOOM-RECOVERY 1\n", then the path, whether the file's
//            identity is known and the identity, the line-end form, the
//            length and checksum of the text the records apply to, and the
//            header's own checksum;
//   record:  its kind, position, removed length, inserted length, the
//            inserted bytes and the record's checksum.
// Numbers are little-endian, 8 bytes (checksums 4).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/FileIdentity.h"
#include "document/LineEnds.h"

namespace tagloom {

struct JournalHeader {
    std::string path;                      // empty for an Untitled document
    std::optional<FileIdentity> identity;  // the file's when it was loaded or last saved
    bool unixFile = false;
    // The bytes of the file the records apply to, as loaded into the editor.
    std::uint64_t baseLength = 0;
    std::uint64_t baseChecksum = 0;

    bool operator==(const JournalHeader&) const = default;
};

struct JournalRecord {
    enum class Kind : char {
        Edit = 'E',      // at position, removed bytes replaced by inserted
        Snapshot = 'S',  // the whole text is inserted
    };
    Kind kind = Kind::Edit;
    std::uint64_t position = 0;
    std::uint64_t removed = 0;
    std::string inserted;

    bool operator==(const JournalRecord&) const = default;
};

// The checksum of a text, as the header keeps it.
std::uint64_t textChecksum(std::string_view text);

// The same checksum, taken over a text handed over in pieces.
class TextChecksum {
public:
    TextChecksum();
    ~TextChecksum();
    TextChecksum(const TextChecksum&) = delete;
    TextChecksum& operator=(const TextChecksum&) = delete;
    void reset();
    void add(std::string_view bytes);
    std::uint64_t value() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

std::string encodeJournalHeader(const JournalHeader& header);
// Appends one record to out.
void appendJournalRecord(std::string& out, JournalRecord::Kind kind, std::uint64_t position, std::uint64_t removed,
                         std::string_view inserted);
// Hands one record to sink, its `length` inserted bytes given in pieces and
// written as they come, never joined; false when the sink refused some.
bool writeJournalRecord(JournalRecord::Kind kind, std::uint64_t position, std::uint64_t removed, std::uint64_t length,
                        const TextPieces& inserted, const ByteSink& sink);

struct JournalReading {
    enum class State {
        Whole,       // every byte read
        CutShort,    // a record was cut short or failed its checksum: the records before it
        Unreadable,  // no whole header
    };
    State state = State::Unreadable;
    JournalHeader header;
    std::vector<JournalRecord> records;
};

JournalReading readJournal(std::string_view bytes);

struct ReplayedText {
    std::string text;
    std::size_t lastEdit = 0;  // where the last record ended: the caret goes there
};

// The records applied in order to base (ignored from a snapshot on); nothing
// when a record does not fit the text it applies to.
std::optional<ReplayedText> replayJournal(std::string base, const std::vector<JournalRecord>& records);

}  // namespace tagloom
