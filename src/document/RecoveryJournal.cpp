#include "document/RecoveryJournal.h"

#include <cerrno>
#include <cstring>

#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "textmodel/ByteScan.h"

namespace tagloom {

namespace {

using Kind = JournalRecord::Kind;

// The records that take the text a load makes of the file the control's
// text was saved to back to that text: a save drops every CR and a load puts
// one before every LF, so a CR that stood before no LF comes back, and one a
// load added before a bare LF goes. In order, each at its offset in the
// control's text.
class SavedTextFixups {
public:
    // The bytes at offset, in the order of the text. A stretch in which
    // every LF follows a CR and every CR is followed by an LF (every line
    // break of a text just loaded) needs no record; the test runs over
    // stretches of a fixed length, which the compiler makes vector code, and
    // only a stretch that fails it is read byte by byte. The test of a byte
    // reads the one before it, so the first byte of a piece goes by itself.
    void read(const char* data, int length, int offset) {
        if (length == 0) return;
        byte(data[0], offset);
        const auto run = static_cast<int>(bytescan::kRun);
        int i = 1;
        for (; i + run <= length; i += run) {
            const char* stretch = data + i;
            unsigned char unpaired = 0;
            for (int j = 0; j < run; ++j) unpaired |= (stretch[j] == '\n') ^ (stretch[j - 1] == '\r');
            if (unpaired == 0) {
                carriageReturn_ = stretch[run - 1] == '\r' ? offset + i + run - 1 : -1;
                continue;
            }
            for (int j = 0; j < run; ++j) byte(stretch[j], offset + i + j);
        }
        for (; i < length; ++i) byte(data[i], offset + i);
    }

    std::string finish() {
        if (carriageReturn_ >= 0) restoreCarriageReturn();
        return std::move(records_);
    }

private:
    void byte(char c, int at) {
        if (carriageReturn_ >= 0) {
            if (c == '\n') {
                carriageReturn_ = -1;
                return;
            }
            restoreCarriageReturn();
        }
        if (c == '\r')
            carriageReturn_ = at;
        else if (c == '\n')
            appendJournalRecord(records_, Kind::Edit, static_cast<std::uint64_t>(at), 1, {});
    }
    void restoreCarriageReturn() {
        appendJournalRecord(records_, Kind::Edit, static_cast<std::uint64_t>(carriageReturn_), 0, "\r");
        carriageReturn_ = -1;
    }

    std::string records_;
    int carriageReturn_ = -1;  // a CR whose next byte is not read yet
};

std::string savedTextFixups(const EditControl& control) {
    SavedTextFixups fixups;
    int offset = 0;
    control.forEachSpan(0, control.length(), [&](const char* data, int length) {
        fixups.read(data, length, offset);
        offset += length;
    });
    return fixups.finish();
}

}  // namespace

RecoveryJournal::RecoveryJournal(EditControl& control, Prompter& prompter, const Clock& clock, std::string folder)
    : control_(control), prompter_(prompter), clock_(clock), folder_(std::move(folder)) {
    control_.addObserver(*this);
}

RecoveryJournal::~RecoveryJournal() { control_.removeObserver(*this); }

void RecoveryJournal::setBase(const DocumentOrigin& origin, Base base) {
    discard();
    origin_ = origin;
    baseRecords_ = base == Base::Saved ? savedTextFixups(control_) : std::string();
}

void RecoveryJournal::settle() {
    baseRecords_ += encodedPending();
    clearPending();
    changed_ = false;
}

void RecoveryJournal::setRecovered(const DocumentOrigin& origin) {
    setBase(origin, Base::Loaded);
    snapshotDue_ = changed_ = true;
    flush();
}

void RecoveryJournal::discard() {
    if (file_)
        file_->remove();
    else if (!journalPath_.empty())
        JournalFile::removeAt(journalPath_);
    file_.reset();
    journalPath_.clear();
    clearPending();
    snapshotDue_ = changed_ = false;
}

void RecoveryJournal::onTextReset() {
    // A new text (a load, New): the owner sets its base right after.
    clearPending();
    baseRecords_.clear();
    snapshotDue_ = changed_ = false;
}

void RecoveryJournal::prepare() {
    if (!journalPath_.empty()) return;
    journalPath_ = JournalFile::newPath(folder_);
    // Where no link can be made, the file itself serves while it is unchanged.
    if (!journalPath_.empty() && !origin_.path.empty() && origin_.identity &&
        fileIdentity(origin_.path) == origin_.identity)
        JournalFile::linkBase(journalPath_, origin_.path);
}

void RecoveryJournal::onChange(const TextChange& change) {
    changed_ = true;
    prepare();
    if (snapshotDue_) return;
    // The whole text went: whatever comes next is written as a snapshot.
    if (change.kind == TextChange::Kind::Removal && change.position == 0 && control_.length() == 0) {
        clearPending();
        snapshotDue_ = true;
        return;
    }
    const auto position = static_cast<std::uint64_t>(change.position);
    if (change.kind == TextChange::Kind::Insertion) {
        Edit* last = pending_.empty() ? nullptr : &pending_.back();
        if (last && last->position + last->inserted.size() == position)
            last->inserted += change.text;
        else
            pending_.push_back({position, 0, std::string(change.text)});
        pendingBytes_ += change.text.size();
    } else {
        pending_.push_back({position, static_cast<std::uint64_t>(change.length), {}});
    }
    // Writing the text once costs less than writing these edits.
    if (pendingBytes_ + 32 * pending_.size() > static_cast<std::size_t>(control_.length())) {
        clearPending();
        snapshotDue_ = true;
    }
}

void RecoveryJournal::clearPending() {
    pending_.clear();
    pendingBytes_ = 0;
}

std::string RecoveryJournal::encodedPending() const {
    std::string records;
    for (const Edit& edit : pending_) appendJournalRecord(records, Kind::Edit, edit.position, edit.removed, edit.inserted);
    return records;
}

std::string RecoveryJournal::header() const {
    JournalHeader header;
    header.path = origin_.path;
    header.identity = origin_.identity;
    header.unixFile = origin_.unixFile;
    header.baseLength = origin_.fileLength;
    header.baseChecksum = origin_.checksum;
    return encodeJournalHeader(header);
}

ByteProducer RecoveryJournal::snapshot() const {
    return [this](const ByteSink& sink) {
        return sink(header()) && writeJournalRecord(Kind::Snapshot, 0, 0, static_cast<std::uint64_t>(control_.length()),
                                                    controlText(control_), sink);
    };
}

bool RecoveryJournal::write() {
    if (!file_) {
        prepare();
        if (journalPath_.empty()) return false;
        if (snapshotDue_)
            file_ = JournalFile::create(journalPath_, snapshot());
        else
            file_ = JournalFile::create(journalPath_, header() + baseRecords_ + encodedPending());
        return file_.has_value();
    }
    if (snapshotDue_) return file_->rewrite(snapshot());
    return file_->append(encodedPending());
}

// A write that failed may have left part of a record behind, after which
// nothing appended could be read: the next write, at the next edit after a
// pause, is a new journal of the whole text.
void RecoveryJournal::failed() {
    clearPending();
    snapshotDue_ = true;
    changed_ = false;
    retryAt_ = clock_.nowMs() + kRetryMs;
    if (noticeShown_) return;
    noticeShown_ = true;
    prompter_.ask({std::string("Unsaved changes cannot be kept for recovery:\n") + std::strerror(errno),
                   "Tagloom - Recovery", Buttons::Ok, Icon::Warning, 0});
}

void RecoveryJournal::flush() {
    if (!control_.getModify()) {
        if (file_ || changed_) discard();
        return;
    }
    if (!changed_ || clock_.nowMs() < retryAt_) return;
    if (!write()) {
        failed();
        return;
    }
    noticeShown_ = false;
    clearPending();
    snapshotDue_ = changed_ = false;
}

}  // namespace tagloom
