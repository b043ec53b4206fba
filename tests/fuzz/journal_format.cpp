// The recovery journal reader on any bytes: it never fails to stop, what it
// reads writes back to the same bytes, and replaying it onto any text either
// fits or is refused.
#include <string>

#include "FuzzCheck.h"
#include "document/JournalFormat.h"

using namespace tagloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const JournalReading reading = readJournal(bytes);
    if (reading.state == JournalReading::State::Unreadable) {
        FUZZ_CHECK(reading.records.empty());
        return 0;
    }
    std::string written = encodeJournalHeader(reading.header);
    for (const JournalRecord& r : reading.records) appendJournalRecord(written, r.kind, r.position, r.removed, r.inserted);
    FUZZ_CHECK(bytes.starts_with(written));
    FUZZ_CHECK((reading.state == JournalReading::State::Whole) == (written.size() == bytes.size()));
    const std::optional<ReplayedText> replayed = replayJournal(std::string(bytes.substr(0, 64)), reading.records);
    if (replayed) FUZZ_CHECK(replayed->lastEdit <= replayed->text.size());
    return 0;
}
