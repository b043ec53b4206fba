#include "print/PrintLayout.h"

#include <algorithm>
#include <cstring>

namespace tagloom {

namespace {

bool isBlank(const TextUnit& unit) { return unit.kind == UnitKind::Tab || unit.codePoint == ' '; }

}  // namespace

PrintLayout::PrintLayout(std::string_view text, const TextMetrics& metrics, int tabWidth, bool wrap)
    : text_(text), metrics_(metrics), tabWidth_(std::max(1, tabWidth)), wrap_(wrap) {
    for (int b = 0; b < 128; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        asciiWidths_[b] = std::max(0, metrics.charWidth(decodeUnit(&byte, 1).codePoint));
    }
}

PrintLayout::Unit PrintLayout::unitAt(int pos, int end, int x) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data()) + pos;
    const TextUnit unit = decodeUnit(bytes, end - pos);
    if (unit.kind == UnitKind::Tab) return {unit, tabWidth_ - x % tabWidth_};
    if (bytes[0] < 0x80) return {unit, asciiWidths_[bytes[0]]};
    return {unit, std::max(0, metrics_.charWidth(unit.codePoint))};
}

int PrintLayout::skipBlanks(int pos, int end) const {
    while (pos < end && (text_[pos] == ' ' || text_[pos] == '\t')) ++pos;
    return pos;
}

PrintedLine PrintLayout::lineAt(int start, int stop, int width) const {
    const char* data = text_.data();
    const auto* lf = static_cast<const char*>(std::memchr(data + start, '\n', static_cast<std::size_t>(stop - start)));
    int contentEnd = lf ? static_cast<int>(lf - data) : stop;
    const int next = lf ? contentEnd + 1 : stop;
    // CR LF, and the bookmark's CR CR LF, are the line break.
    for (int crs = 0; lf && crs < 2 && contentEnd > start && data[contentEnd - 1] == '\r'; ++crs) --contentEnd;

    int x = 0;
    int afterBlank = -1;
    for (int pos = start; pos < contentEnd;) {
        const Unit u = unitAt(pos, contentEnd, x);
        if (x + u.width > width) {
            if (!wrap_) return {start, pos, next};
            if (pos > start) {
                int end = pos;
                if (!isBlank(u.unit) && afterBlank > start) end = afterBlank;
                const int resume = skipBlanks(end, contentEnd);
                return {start, end, resume < contentEnd ? resume : next};
            }
        }
        if (isBlank(u.unit)) afterBlank = pos + u.unit.length;
        x += u.width;
        pos += u.unit.length;
    }
    return {start, contentEnd, next};
}

void PrintLayout::characters(const PrintedLine& line, int left, std::vector<VisibleChar>& out) const {
    int x = 0;
    for (int pos = line.start; pos < line.end;) {
        const Unit u = unitAt(pos, line.end, x);
        out.push_back({pos, u.unit.length, left + x, u.width, u.unit.codePoint, u.unit.kind});
        x += u.width;
        pos += u.unit.length;
    }
}

int PrintLayout::width(const PrintedLine& line) const {
    int x = 0;
    for (int pos = line.start; pos < line.end;) {
        const Unit u = unitAt(pos, line.end, x);
        x += u.width;
        pos += u.unit.length;
    }
    return x;
}

}  // namespace tagloom
