#include "document/LineEnds.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace tagloom {

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr std::size_t kWriteBlockSize = std::size_t{1} << 20;

// The first c in [from, end), or end.
const char* findByte(const char* from, const char* end, char c) {
    if (from == end) return end;  // an empty view may have no data at all
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

std::size_t countByte(std::string_view bytes, char c) {
    std::size_t count = 0;
    const char* end = bytes.data() + bytes.size();
    for (const char* p = findByte(bytes.data(), end, c); p != end; p = findByte(p + 1, end, c)) ++count;
    return count;
}

// Hands onRun every stretch of bytes between occurrences of c.
template <class OnRun>
void forEachRunWithout(std::string_view bytes, char c, OnRun&& onRun) {
    const char* end = bytes.data() + bytes.size();
    for (const char* p = bytes.data(); p != end;) {
        const char* stop = findByte(p, end, c);
        if (stop != p) onRun(std::string_view(p, static_cast<std::size_t>(stop - p)));
        if (stop == end) return;
        p = stop + 1;
    }
}

// Walks bytes once: onRun gets every stretch that holds neither CR nor LF,
// onLineEnd every CR and LF, in order. Each byte kind is searched with memchr,
// and the next hit of the other kind is kept until the walk reaches it.
template <class OnRun, class OnLineEnd>
void splitAtLineEnds(std::string_view bytes, OnRun&& onRun, OnLineEnd&& onLineEnd) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    const char* nextLf = findByte(p, end, LF);
    const char* nextCr = findByte(p, end, CR);
    while (true) {
        const char* stop = std::min(nextLf, nextCr);
        if (stop != p) onRun(std::string_view(p, static_cast<std::size_t>(stop - p)));
        if (stop == end) return;
        onLineEnd(*stop);
        p = stop + 1;
        if (stop == nextLf)
            nextLf = findByte(p, end, LF);
        else
            nextCr = findByte(p, end, CR);
    }
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

// Gathers written bytes into large blocks for the sink; after the sink has
// refused one, everything else is ignored.
class BlockWriter {
public:
    explicit BlockWriter(const ByteSink& sink) : sink_(sink), block_(new char[kWriteBlockSize]) {}

    void put(std::string_view bytes) {
        while (!bytes.empty() && ok_) {
            const std::size_t n = std::min(bytes.size(), kWriteBlockSize - used_);
            std::memcpy(block_.get() + used_, bytes.data(), n);
            used_ += n;
            bytes.remove_prefix(n);
            if (used_ == kWriteBlockSize) flush();
        }
    }

    bool finish() {
        if (used_ != 0) flush();
        return ok_;
    }

private:
    void flush() {
        ok_ = ok_ && sink_(std::string_view(block_.get(), used_));
        used_ = 0;
    }

    const ByteSink& sink_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

}  // namespace

void LineEndCount::add(std::string_view bytes) {
    lf += countByte(bytes, LF);
    cr += countByte(bytes, CR);
}

std::size_t editorTextLength(std::size_t fileLength, const LineEndCount& count) {
    return fileLength + count.lf - count.cr;
}

EditorTextBuilder::EditorTextBuilder(std::size_t expectedTextLength) {
    text_.reserve(expectedTextLength);
    adviseHugePages(text_.data(), text_.capacity());
}

void EditorTextBuilder::append(std::string_view fileBytes) {
    splitAtLineEnds(
        fileBytes, [this](std::string_view run) { text_.append(run); },
        [this](char lineEnd) {
            if (lineEnd == CR) {
                ++count_.cr;
                return;
            }
            ++count_.lf;
            text_.append("\r\n", 2);
        });
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

bool writeFileBytes(std::string_view text, bool bUnixFile, const ByteSink& sink) {
    BlockWriter writer(sink);
    if (bUnixFile) {
        forEachRunWithout(text, CR, [&writer](std::string_view run) { writer.put(run); });
    } else {
        splitAtLineEnds(
            text, [&writer](std::string_view run) { writer.put(run); },
            [&writer](char c) {
                if (c == LF) writer.put("\r\n");
            });
    }
    return writer.finish();
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
