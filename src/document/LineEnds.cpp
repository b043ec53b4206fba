#include "document/LineEnds.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include "textmodel/ByteScan.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr std::size_t kWriteBlockSize = std::size_t{256} << 10;
// A load converts this many file bytes at a time, into twice as many at most.
constexpr std::size_t kConvertChunk = std::size_t{64} << 10;
// The room the conversions may write past the end of what they write.
constexpr std::size_t kSlack = 64;

// The first c in [from, end), or end.
const char* findByte(const char* from, const char* end, char c) {
    if (from == end) return end;  // an empty view may have no data at all
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

std::size_t countByte(std::string_view bytes, char c) { return bytescan::countByte(bytes.data(), bytes.size(), c); }

// Copies bytes to out with every byte a and every byte b replaced by what
// lineEnd(c, out) writes there (it returns where out goes on), and returns
// the end of what it wrote. Eight bytes go at a time: the bytes between the
// replaced ones of a word are stored in one step each, as a whole word of
// which only they count, so out needs room for eight bytes past the end of
// what is written.
template <char a, char b, class LineEnd>
char* replaceBytes(std::string_view bytes, char* out, LineEnd&& lineEnd) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        const std::uint64_t word = bytescan::load(p);
        int done = 0;  // bytes of the word written
        for (std::uint64_t marks = bytescan::bytesEqual(word, a) | bytescan::bytesEqual(word, b); marks != 0;
             marks &= marks - 1) {
            const int stop = std::countr_zero(marks) / 8;
            const std::uint64_t rest = word >> (8 * done);
            std::memcpy(out, &rest, sizeof rest);
            out = lineEnd(p[stop], out + (stop - done));
            done = stop + 1;
        }
        if (done < 8) {
            const std::uint64_t rest = word >> (8 * done);
            std::memcpy(out, &rest, sizeof rest);
            out += 8 - done;
        }
    }
    for (; p < end; ++p) {
        if (*p == a || *p == b)
            out = lineEnd(*p, out);
        else
            *out++ = *p;
    }
    return out;
}

// Whether every LF of the bytes has a CR just before it among them, and
// every CR an LF just after it: CR LF pairs only, which the text and a file
// with DOS line ends hold alike. The bytes are tested in stretches of a
// fixed length, which the compiler makes vector code.
bool onlyCrLfPairs(std::string_view bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    if (n == 0) return true;
    if (p[0] == LF) return false;
    unsigned char unpaired = 0;
    std::size_t i = 1;
    for (; i + bytescan::kRun <= n && unpaired == 0; i += bytescan::kRun) {
        const char* stretch = p + i;
        const char* before = stretch - 1;
        for (std::size_t j = 0; j < bytescan::kRun; ++j) unpaired |= (stretch[j] == LF) ^ (before[j] == CR);
    }
    for (; i < n && unpaired == 0; ++i) unpaired |= (p[i] == LF) ^ (p[i - 1] == CR);
    return unpaired == 0 && p[n - 1] != CR;
}

char* putCrLf(char* out) {
    out[0] = CR;
    out[1] = LF;
    return out + 2;
}

#ifdef __SSE2__
using bytescan::load16;
using bytescan::marked16;
void store16(char* p, __m128i bytes) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), bytes); }
#endif

// Every CR dropped: the text's bytes as a file with UNIX line ends holds
// them. Where the processor has 16-byte vectors, sixteen bytes with at most
// one CR, as lines of sixteen bytes and more have, close up over it in two
// stores and without a branch; a branch on where line ends fall would be
// mispredicted at every other step. The rest goes through replaceBytes.
char* dropCarriageReturns(std::string_view bytes, char* out) {
    const auto drop = [](char, char* at) { return at; };
    const char* p = bytes.data();
    const char* end = p + bytes.size();
#ifdef __SSE2__
    for (; end - p > 32; p += 16) {
        const __m128i sixteen = load16(p);
        const unsigned marks = marked16(sixteen, CR);
        if ((marks & (marks - 1)) != 0) {
            out = replaceBytes<CR, CR>(std::string_view(p, 16), out, drop);
            continue;
        }
        const int at = std::countr_zero(marks | 0x10000u);  // 16 without a CR
        store16(out, sixteen);
        store16(out + at, load16(p + at + 1));
        out += 16 - (marks != 0);
    }
#endif
    return replaceBytes<CR, CR>(std::string_view(p, static_cast<std::size_t>(end - p)), out, drop);
}

// Every LF written as CR LF and every CR dropped: a file's bytes as the text
// holds them, with both counted. Sixteen bytes with one LF at most and no
// CR, as lines of sixteen bytes and more of a UNIX file have, open up for
// the CR in two stores; the rest goes through replaceBytes.
char* openLineFeeds(std::string_view bytes, char* out, LineEndCount& count) {
    const auto lineEnd = [&count](char c, char* at) {
        if (c == CR) {
            ++count.cr;
            return at;
        }
        ++count.lf;
        return putCrLf(at);
    };
    const char* p = bytes.data();
    const char* end = p + bytes.size();
#ifdef __SSE2__
    for (; end - p >= 32; p += 16) {
        const __m128i sixteen = load16(p);
        const unsigned lineFeeds = marked16(sixteen, LF);
        if (marked16(sixteen, CR) != 0 || (lineFeeds & (lineFeeds - 1)) != 0) {
            out = replaceBytes<CR, LF>(std::string_view(p, 16), out, lineEnd);
            continue;
        }
        const int at = std::countr_zero(lineFeeds | 0x10000u);  // 16 without an LF
        store16(out, sixteen);
        store16(out + at + 1, load16(p + at));
        out[at] = CR;
        out += 16 + (lineFeeds != 0);
        count.lf += lineFeeds != 0;
    }
#endif
    return replaceBytes<CR, LF>(std::string_view(p, static_cast<std::size_t>(end - p)), out, lineEnd);
}

// Asks for huge pages for a large buffer about to be filled: touching 100 MB
// in small pages costs more than converting it. Only advice; ignored where
// the system has no such pages.
void adviseHugePages([[maybe_unused]] char* buffer, [[maybe_unused]] std::size_t size) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(buffer) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(kHugePage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

}  // namespace

void LineEndCount::add(std::string_view bytes) {
    const bytescan::TwoCounts counts = bytescan::countBytes(bytes.data(), bytes.size(), LF, CR);
    lf += counts.a;
    cr += counts.b;
}

std::size_t editorTextLength(std::size_t fileLength, const LineEndCount& count) {
    return fileLength + count.lf - count.cr;
}

EditorTextBuilder::EditorTextBuilder(std::size_t expectedTextLength) {
    text_.reserve(expectedTextLength);
    adviseHugePages(text_.data(), text_.capacity());
}

// The bytes go through a small buffer that stays in the cache. Stretches of
// CR LF pairs only (a file with DOS line ends) are the text as they are.
void EditorTextBuilder::append(std::string_view fileBytes) {
    if (!converted_) converted_ = std::make_unique<char[]>(2 * kConvertChunk + kSlack);
    for (std::size_t at = 0; at < fileBytes.size(); at += kConvertChunk) {
        const std::string_view chunk = fileBytes.substr(at, kConvertChunk);
        if (onlyCrLfPairs(chunk)) {
            const std::size_t pairs = countByte(chunk, LF);
            count_.lf += pairs;
            count_.cr += pairs;
            text_.append(chunk);
            continue;
        }
        const char* out = openLineFeeds(chunk, converted_.get(), count_);
        text_.append(converted_.get(), static_cast<std::size_t>(out - converted_.get()));
    }
}

LoadedText EditorTextBuilder::finish() {
    LoadedText loaded;
    loaded.bUnixFile = count_.lf > count_.cr;
    loaded.nStrayCRs = loaded.bUnixFile ? count_.cr : count_.cr - count_.lf;
    loaded.text = std::move(text_);
    return loaded;
}

LoadedText toEditorText(std::string_view fileBytes) {
    LineEndCount count;
    count.add(fileBytes);
    EditorTextBuilder builder(editorTextLength(fileBytes.size(), count));
    builder.append(fileBytes);
    return builder.finish();
}

FileBytesWriter::FileBytesWriter(bool bUnixFile, const ByteSink& sink)
    : bUnixFile_(bUnixFile), sink_(sink), block_(new char[kWriteBlockSize + kSlack]) {}

// Each byte is written by itself alone, whatever comes before or after it,
// so the pieces may be cut anywhere, between a CR and its LF too. The bytes
// are converted straight into the block, as much at a time as it surely
// holds (twice as much, as an LF may become two bytes). For DOS line ends a
// stretch of CR LF pairs only, as a text holds them, is written as it is.
void FileBytesWriter::add(std::string_view text) {
    constexpr std::size_t kLeastRoom = std::size_t{4} << 10;
    while (!text.empty() && ok_) {
        const std::string_view part = text.substr(0, (kWriteBlockSize - used_) / 2);
        char* const start = block_.get() + used_;
        const char* end;
        if (bUnixFile_) {
            end = dropCarriageReturns(part, start);
        } else if (onlyCrLfPairs(part)) {
            std::memcpy(start, part.data(), part.size());
            end = start + part.size();
        } else {
            end = replaceBytes<CR, LF>(part, start, [](char c, char* out) { return c == CR ? out : putCrLf(out); });
        }
        used_ += static_cast<std::size_t>(end - start);
        text.remove_prefix(part.size());
        if (kWriteBlockSize - used_ < kLeastRoom) flush();
    }
}

void FileBytesWriter::flush() {
    ok_ = ok_ && sink_(std::string_view(block_.get(), used_));
    used_ = 0;
}

bool FileBytesWriter::finish() {
    if (used_ != 0) flush();
    return ok_;
}

bool writeFileBytes(const TextPieces& text, bool bUnixFile, const ByteSink& sink) {
    FileBytesWriter writer(bUnixFile, sink);
    text([&writer](std::string_view piece) { writer.add(piece); });
    return writer.finish();
}

bool writeFileBytes(std::string_view text, bool bUnixFile, const ByteSink& sink) {
    return writeFileBytes(wholeText(text), bUnixFile, sink);
}

TextPieces wholeText(std::string_view text) {
    return [text](const std::function<void(std::string_view)>& piece) { piece(text); };
}

TextPieces controlText(const EditControl& control) {
    return [&control](const std::function<void(std::string_view)>& piece) {
        control.forEachSpan(0, control.length(), [&piece](const char* data, int length) {
            piece(std::string_view(data, static_cast<std::size_t>(length)));
        });
    };
}

std::size_t fileOffsetToTextOffset(std::string_view text, std::size_t fileOffset) {
    // The smallest text offset with fileOffset non-CR bytes before it: every CR
    // met below the bound moves the bound up by one.
    std::size_t textOffset = fileOffset;
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* cr = findByte(begin, end, CR); cr != end && static_cast<std::size_t>(cr - begin) < textOffset;
         cr = findByte(cr + 1, end, CR))
        ++textOffset;
    return textOffset;
}

std::size_t textOffsetToFileOffset(std::string_view text, std::size_t textOffset) {
    return textOffset - countByte(text.substr(0, textOffset), CR);
}

std::optional<Message> strayCarriageReturnNotice(std::size_t nStrayCRs, bool bUnixFile) {
    if (nStrayCRs == 0) return std::nullopt;
    Message notice;
    notice.text = std::string("There ") + (nStrayCRs == 1 ? "was" : "were") + " " + std::to_string(nStrayCRs) +
                  " stray carriage returns in this " + (bUnixFile ? "UNIX" : "MS DOS") +
                  " file.\nThis will be automatically fixed whenever the file is saved.";
    notice.title = "Tagloom - Open File";
    notice.buttons = Buttons::Ok;
    notice.icon = Icon::Information;
    return notice;
}

std::optional<Selection> initialSelection(int nInitSelStart, int nInitSelEnd, std::string_view text, bool bUnixFile) {
    if (nInitSelStart == 0 && nInitSelEnd == 0) return std::nullopt;
    // The switches take a sign; an offset before the file's start means its start.
    const auto fileStart = static_cast<std::size_t>(std::max(nInitSelStart, 0));
    const auto fileEnd = static_cast<std::size_t>(std::max(nInitSelEnd, 0));
    const std::size_t length = fileEnd > fileStart ? fileEnd - fileStart : 0;

    const std::size_t start = std::min(bUnixFile ? fileOffsetToTextOffset(text, fileStart) : fileStart, text.size());
    const std::size_t end = std::min(start + length, text.size());
    return Selection{static_cast<int>(start), static_cast<int>(end)};
}

}  // namespace tagloom
