#include "textmodel/TextLines.h"

#include "textmodel/ByteScan.h"
#include "textmodel/TextBuffer.h"

#include <vector>

namespace tagloom {

template <class Push>
void TextLines::pushParts(Push&& push, int bytes, bool ending) {
    for (; bytes > kPartBytes; bytes -= kPartBytes) push(static_cast<Part>(kPartBytes));
    if (bytes > 0 || ending) push(static_cast<Part>(bytes | (ending ? kLastPart : 0)));
}

TextLines::TextLines() {
    const Part empty[] = {kLastPart};
    parts_.assign(empty);
}

void TextLines::build(const TextBuffer& text) {
    parts_.build([&](auto&& push) {
        int lineStart = 0;
        int offset = 0;
        text.forEachSpan(0, text.length(), [&](const char* data, int n) {
            bytescan::forEachOf(data, static_cast<std::size_t>(n), '\n', [&](std::size_t lf) {
                const int lineEnd = offset + static_cast<int>(lf) + 1;
                pushParts(push, lineEnd - lineStart, true);
                lineStart = lineEnd;
            });
            offset += n;
        });
        pushParts(push, offset - lineStart, true);
    });
}

int TextLines::start(int line) const {
    if (line == 0) return 0;
    const auto ending = parts_.find(kLines, line - 1);
    return ending.before[kBytes] + (*ending.item & kPartBytes);
}

int TextLines::end(int line) const {
    const auto ending = parts_.find(kLines, line);
    return ending.before[kBytes] + (*ending.item & kPartBytes);
}

TextLines::Located TextLines::at(int line) const {
    const int first = start(line);
    return Located{line, first, end(line) - first};
}

TextLines::Located TextLines::locate(int offset) const {
    if (offset >= parts_.total()[kBytes]) return at(count() - 1);
    return at(parts_.find(kBytes, offset).before[kLines]);
}

int TextLines::contentEnd(const TextBuffer& text, const Located& line) const {
    TextBuffer::Cursor bytes(text);
    return line.end() -
           breakLength(line.length, line.line == count() - 1, [&](int i) { return bytes[line.start + i]; });
}

TextLines::PlacedPart TextLines::partAt(int pos) const {
    if (pos < parts_.total()[kBytes]) {
        const auto found = parts_.find(kBytes, pos);
        return PlacedPart{found.index, found.before[kBytes], found.before[kLines], *found.item};
    }
    const int last = parts_.size() - 1;
    const auto placed = parts_.itemAt(last);
    return PlacedPart{last, placed.before[kBytes], placed.before[kLines], placed.item};
}

void TextLines::replaceParts(int index, int count, std::span<const Part> parts) {
    if (count == 1 && parts.size() == 1) {
        parts_.set(index, parts.front());
        return;
    }
    parts_.erase(index, count);
    parts_.insert(index, parts);
}

// The part that takes the bytes splits at pos into the line before the first
// inserted LF and the one after the last; the lines between are new.
TextLines::Edit TextLines::inserted(int pos, std::string_view text) {
    const PlacedPart target = partAt(pos);
    const int head = pos - target.start;
    const int tail = (target.part & kPartBytes) - head;
    const bool ending = (target.part & kLastPart) != 0;
    std::vector<Part> fresh;
    const auto push = [&fresh](Part part) { fresh.push_back(part); };
    int added = 0;
    std::size_t from = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1)) {
        pushParts(push, static_cast<int>(lf + 1 - from) + (added == 0 ? head : 0), true);
        from = lf + 1;
        ++added;
    }
    pushParts(push, static_cast<int>(text.size() - from) + (added == 0 ? head : 0) + tail, ending);
    replaceParts(target.index, 1, fresh);
    return Edit{target.linesBefore, 0, added};
}

// What is left of the first and the last part touched becomes one line's
// bytes; the line ends where the last part's line did, unless its line break
// went too.
TextLines::Edit TextLines::erased(int pos, int count) {
    const PlacedPart first = partAt(pos);
    const PlacedPart last = partAt(pos + count - 1);
    const int head = pos - first.start;
    const int tail = last.start + (last.part & kPartBytes) - (pos + count);
    const bool endsText = last.index == parts_.size() - 1;
    const bool ending = (last.part & kLastPart) != 0 && (tail > 0 || endsText);
    const int endedLines = last.linesBefore + (last.part >> 15) - first.linesBefore;
    std::vector<Part> fresh;
    pushParts([&fresh](Part part) { fresh.push_back(part); }, head + tail, ending);
    replaceParts(first.index, last.index - first.index + 1, fresh);
    return Edit{first.linesBefore, endedLines - (ending ? 1 : 0), 0};
}

}  // namespace tagloom
