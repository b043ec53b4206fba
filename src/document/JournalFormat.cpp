#include "document/JournalFormat.h"

#define XXH_STATIC_LINKING_ONLY  // the checksum states live on the stack
#include <xxhash.h>

#include <cstring>

namespace tagloom {

namespace {

constexpr std::string_view kMagic = "TAGLOOM-RECOVERY 1\n";

void putNumber(std::string& out, std::uint64_t value, int bytes = 8) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t partChecksum(std::string_view bytes) { return XXH32(bytes.data(), bytes.size(), 0); }

// Reads numbers and strings from the front of a text; once it runs short,
// every later read fails too.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    std::optional<std::uint64_t> number(int size = 8) {
        if (bytes_.size() - at_ < static_cast<std::size_t>(size)) return fail();
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i) value |= std::uint64_t{static_cast<unsigned char>(bytes_[at_ + i])} << (8 * i);
        at_ += static_cast<std::size_t>(size);
        return value;
    }
    std::optional<std::string_view> bytes(std::uint64_t size) {
        if (bytes_.size() - at_ < size) return fail();
        const std::string_view part = bytes_.substr(at_, static_cast<std::size_t>(size));
        at_ += static_cast<std::size_t>(size);
        return part;
    }
    std::size_t offset() const { return at_; }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::nullopt_t fail() {
        at_ = bytes_.size();
        return std::nullopt;
    }
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// The header's fields after the magic text, checksum excluded; nothing when one is missing.
std::optional<JournalHeader> readHeaderFields(Reader& in) {
    JournalHeader header;
    const auto pathLength = in.number();
    const auto path = pathLength ? in.bytes(*pathLength) : std::nullopt;
    const auto known = in.number(1);
    if (!path || !known || *known > 1) return std::nullopt;
    header.path = std::string(*path);
    if (*known) {
        FileIdentity id;
        const auto device = in.number(), inode = in.number(), size = in.number(), seconds = in.number(),
                   nanoseconds = in.number();
        if (!nanoseconds) return std::nullopt;
        id.device = *device;
        id.inode = *inode;
        id.size = static_cast<std::int64_t>(*size);
        id.modifiedSeconds = static_cast<std::int64_t>(*seconds);
        id.modifiedNanoseconds = static_cast<std::int64_t>(*nanoseconds);
        header.identity = id;
    }
    const auto unixFile = in.number(1), baseLength = in.number(), baseChecksum = in.number();
    if (!baseChecksum || *unixFile > 1) return std::nullopt;
    header.unixFile = *unixFile != 0;
    header.baseLength = *baseLength;
    header.baseChecksum = *baseChecksum;
    return header;
}

}  // namespace

std::uint64_t textChecksum(std::string_view text) { return XXH3_64bits(text.data(), text.size()); }

struct TextChecksum::State {
    XXH3_state_t* xxh = XXH3_createState();
    ~State() { XXH3_freeState(xxh); }
};

TextChecksum::TextChecksum() : state_(std::make_unique<State>()) { reset(); }
TextChecksum::~TextChecksum() = default;
void TextChecksum::reset() { XXH3_64bits_reset(state_->xxh); }
void TextChecksum::add(std::string_view bytes) { XXH3_64bits_update(state_->xxh, bytes.data(), bytes.size()); }
std::uint64_t TextChecksum::value() const { return XXH3_64bits_digest(state_->xxh); }

std::string encodeJournalHeader(const JournalHeader& header) {
    std::string out(kMagic);
    putNumber(out, header.path.size());
    out += header.path;
    putNumber(out, header.identity ? 1 : 0, 1);
    if (header.identity) {
        const FileIdentity& id = *header.identity;
        for (const std::uint64_t value :
             {id.device, id.inode, static_cast<std::uint64_t>(id.size), static_cast<std::uint64_t>(id.modifiedSeconds),
              static_cast<std::uint64_t>(id.modifiedNanoseconds)})
            putNumber(out, value);
    }
    putNumber(out, header.unixFile ? 1 : 0, 1);
    putNumber(out, header.baseLength);
    putNumber(out, header.baseChecksum);
    putNumber(out, partChecksum(out), 4);
    return out;
}

void appendJournalRecord(std::string& out, JournalRecord::Kind kind, std::uint64_t position, std::uint64_t removed,
                         std::string_view inserted) {
    writeJournalRecord(kind, position, removed, inserted.size(), wholeText(inserted), [&out](std::string_view bytes) {
        out += bytes;
        return true;
    });
}

bool writeJournalRecord(JournalRecord::Kind kind, std::uint64_t position, std::uint64_t removed, std::uint64_t length,
                        const TextPieces& inserted, const ByteSink& sink) {
    XXH32_state_t checksum;
    XXH32_reset(&checksum, 0);
    bool ok = true;
    const auto put = [&](std::string_view bytes) {
        XXH32_update(&checksum, bytes.data(), bytes.size());
        ok = ok && sink(bytes);
    };
    std::string head(1, static_cast<char>(kind));
    putNumber(head, position);
    putNumber(head, removed);
    putNumber(head, length);
    put(head);
    inserted([&](std::string_view piece) {
        if (ok) put(piece);
    });
    std::string tail;
    putNumber(tail, XXH32_digest(&checksum), 4);
    return ok && sink(tail);
}

JournalReading readJournal(std::string_view bytes) {
    JournalReading reading;
    if (!bytes.starts_with(kMagic)) return reading;
    Reader in(bytes.substr(kMagic.size()));
    const std::optional<JournalHeader> header = readHeaderFields(in);
    const std::size_t headerEnd = kMagic.size() + in.offset();
    const auto checksum = in.number(4);
    if (!header || !checksum || *checksum != partChecksum(bytes.substr(0, headerEnd))) return reading;
    reading.header = *header;
    reading.state = JournalReading::State::Whole;
    while (!in.atEnd()) {
        const std::size_t start = kMagic.size() + in.offset();
        const auto kind = in.number(1), position = in.number(), removed = in.number(), length = in.number();
        const auto inserted = length ? in.bytes(*length) : std::nullopt;
        const std::size_t end = kMagic.size() + in.offset();
        const auto sum = in.number(4);
        const bool knownKind = kind && (*kind == 'E' || *kind == 'S');
        if (!inserted || !sum || !knownKind || *sum != partChecksum(bytes.substr(start, end - start))) {
            reading.state = JournalReading::State::CutShort;
            break;
        }
        reading.records.push_back(
            {static_cast<JournalRecord::Kind>(*kind), *position, *removed, std::string(*inserted)});
    }
    return reading;
}

std::optional<ReplayedText> replayJournal(std::string base, const std::vector<JournalRecord>& records) {
    ReplayedText replayed{std::move(base), 0};
    std::string& text = replayed.text;
    for (const JournalRecord& record : records) {
        if (record.kind == JournalRecord::Kind::Snapshot) {
            text = record.inserted;
            replayed.lastEdit = 0;
            continue;
        }
        if (record.position > text.size() || record.removed > text.size() - record.position) return std::nullopt;
        text.replace(static_cast<std::size_t>(record.position), static_cast<std::size_t>(record.removed),
                     record.inserted);
        replayed.lastEdit = static_cast<std::size_t>(record.position) + record.inserted.size();
    }
    return replayed;
}

}  // namespace tagloom
