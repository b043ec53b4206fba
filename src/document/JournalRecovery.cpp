#include "document/JournalRecovery.h"

#include "document/FileIO.h"

namespace tagloom {

namespace {

// The text of the file at path as the editor loads it, when it is the text
// the header names.
std::optional<std::string> baseText(const std::string& path, const JournalHeader& header) {
    ReadResult read = readTextFile(path);
    if (!read.ok || read.fileLength != header.baseLength || read.checksum != header.baseChecksum) return std::nullopt;
    return std::move(read.loaded.text);
}

}  // namespace

JournalRecovery recoverJournal(const JournalFile& journal) {
    JournalRecovery recovery;
    const std::optional<std::string> bytes = readJournalBytes(journal);
    if (!bytes) return recovery;
    JournalReading reading = readJournal(*bytes);
    if (reading.state == JournalReading::State::Unreadable) return recovery;

    const JournalHeader& header = reading.header;
    const bool fromSnapshot = !reading.records.empty() && reading.records.front().kind == JournalRecord::Kind::Snapshot;
    std::optional<std::string> base;
    if (fromSnapshot || (header.path.empty() && header.baseLength == 0))
        base = std::string();
    else if (!header.path.empty())
        base = baseText(journal.basePath(), header);
    if (!base && !header.path.empty()) base = baseText(header.path, header);
    std::optional<ReplayedText> replayed = base ? replayJournal(std::move(*base), reading.records) : std::nullopt;
    if (!replayed) {
        recovery.outcome = JournalRecovery::Outcome::BaseGone;
        return recovery;
    }
    RecoveredText& recovered = recovery.recovered.emplace();
    recovered.header = header;
    recovered.text = std::move(replayed->text);
    recovered.caret = replayed->lastEdit;
    recovered.cutShort = reading.state == JournalReading::State::CutShort;
    recovered.fileChanged = !header.path.empty() && fileIdentity(header.path) != header.identity;
    recovery.outcome = JournalRecovery::Outcome::Recovered;
    return recovery;
}

std::string recoverQuestion(const RecoveredText& recovered) {
    const std::string& path = recovered.header.path;
    std::string text = "Tagloom ended before the changes to " + (path.empty() ? std::string("Untitled") : path) +
                       " were saved" + (recovered.cutShort ? " (the last changes could not be read)" : "") +
                       ".\n\nRecover them?";
    if (recovered.fileChanged) text += "\n\nThe file was changed since then; saving will replace it.";
    return text;
}

}  // namespace tagloom
