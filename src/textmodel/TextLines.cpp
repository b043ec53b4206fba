#include "textmodel/TextLines.h"

#include "textmodel/TextBuffer.h"

#include <cstring>
#include <vector>

namespace tagloom {

TextLines::TextLines() {
    const int empty[] = {0};
    lengths_.assign(empty);
}

void TextLines::build(const TextBuffer& text) {
    std::vector<int> lengths;
    int lineStart = 0;
    int offset = 0;
    text.forEachSpan(0, text.length(), [&](const char* data, int n) {
        const char* end = data + n;
        for (const char* p = data; p < end;) {
            const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            if (lf == nullptr) break;
            int lineEnd = offset + static_cast<int>(static_cast<const char*>(lf) - data) + 1;
            lengths.push_back(lineEnd - lineStart);
            lineStart = lineEnd;
            p = static_cast<const char*>(lf) + 1;
        }
        offset += n;
    });
    lengths.push_back(offset - lineStart);
    lengths_.assign(lengths);
}

TextLines::Located TextLines::at(int line) const {
    auto placed = lengths_.itemAt(line);
    return Located{line, placed.before[0], placed.item};
}

TextLines::Located TextLines::locate(int offset) const {
    auto found = lengths_.find(0, offset);
    if (found.index == count()) {
        int last = count() - 1;
        int length = lengths_[last];
        return Located{last, lengths_.total()[0] - length, length};
    }
    return Located{found.index, found.before[0], *found.item};
}

int TextLines::contentEnd(const TextBuffer& text, const Located& line) const {
    int end = line.end();
    if (line.line == count() - 1) return end;
    --end;
    TextBuffer::Cursor bytes(text);
    for (int cr = 0; cr < 2 && end > line.start && bytes[end - 1] == '\r'; ++cr) --end;
    return end;
}

TextLines::Edit TextLines::inserted(int pos, std::string_view text) {
    Located at = locate(pos);
    int n = static_cast<int>(text.size());
    int head = pos - at.start;
    int tail = at.length - head;
    std::vector<int> pieces;
    std::size_t from = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1)) {
        pieces.push_back(static_cast<int>(lf + 1 - from));
        from = lf + 1;
    }
    if (pieces.empty()) {
        lengths_.set(at.line, at.length + n);
        return Edit{at.line, 0, 0};
    }
    pieces.front() += head;
    pieces.push_back(n - static_cast<int>(from) + tail);
    lengths_.set(at.line, pieces.front());
    lengths_.insert(at.line + 1, std::span<const int>(pieces).subspan(1));
    return Edit{at.line, 0, static_cast<int>(pieces.size()) - 1};
}

TextLines::Edit TextLines::erased(int pos, int count) {
    Located first = locate(pos);
    Located last = locate(pos + count);
    int merged = (pos - first.start) + (last.end() - pos - count);
    lengths_.erase(first.line + 1, last.line - first.line);
    lengths_.set(first.line, merged);
    return Edit{first.line, last.line - first.line, 0};
}

}  // namespace tagloom
