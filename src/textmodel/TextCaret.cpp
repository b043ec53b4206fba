#include "textmodel/TextCaret.h"

#include "textmodel/TextLines.h"

#include <algorithm>

namespace tagloom {

TextUnit TextCaret::unitAt(TextBuffer::Cursor& cursor, int pos, int end) {
    unsigned char bytes[4];
    int n = std::min(4, end - pos);
    for (int i = 0; i < n; ++i) bytes[i] = cursor[pos + i];
    return decodeUnit(bytes, n);
}

int TextCaret::previousWithin(TextBuffer::Cursor& cursor, int pos, int start, int end) {
    for (int back = 4; back >= 2; --back) {
        if (pos - back >= start && unitAt(cursor, pos - back, end).length == back) return pos - back;
    }
    return pos - 1;
}

int TextCaret::snap(int pos) const {
    auto line = lines_.locate(pos);
    int end = lines_.contentEnd(text_, line);
    if (pos > end) return end;
    // A valid sequence that starts up to three bytes before pos and reaches
    // past it holds pos.
    TextBuffer::Cursor cursor(text_);
    for (int back = 1; back <= 3 && pos - back >= line.start; ++back) {
        if (unitAt(cursor, pos - back, end).length > back) return pos - back;
    }
    return pos;
}

int TextCaret::next(int pos) const {
    auto line = lines_.locate(pos);
    int end = lines_.contentEnd(text_, line);
    TextBuffer::Cursor cursor(text_);
    if (pos < end) return pos + unitAt(cursor, pos, end).length;
    return line.end();
}

int TextCaret::previous(int pos) const {
    if (pos <= 0) return 0;
    auto line = lines_.locate(pos);
    if (pos == line.start) return lines_.contentEnd(text_, line.line - 1);
    TextBuffer::Cursor cursor(text_);
    return previousWithin(cursor, pos, line.start, lines_.contentEnd(text_, line));
}

int TextCaret::wordRight(int pos) const {
    auto line = lines_.locate(pos);
    int end = lines_.contentEnd(text_, line);
    TextBuffer::Cursor cursor(text_);
    int p = pos;
    if (p >= end) {
        if (line.line == lines_.count() - 1) return p;
        p = line.end();
        line = lines_.locate(p);
        end = lines_.contentEnd(text_, line);
    } else {
        TextUnit unit = unitAt(cursor, p, end);
        const UnitClass cls = classify(unit);
        if (cls != UnitClass::Blank) {
            while (p < end && classify(unit) == cls) {
                p += unit.length;
                if (p < end) unit = unitAt(cursor, p, end);
            }
        }
    }
    while (p < end) {
        const TextUnit unit = unitAt(cursor, p, end);
        if (classify(unit) != UnitClass::Blank) break;
        p += unit.length;
    }
    return p;
}

int TextCaret::wordLeft(int pos) const {
    if (pos <= 0) return 0;
    auto line = lines_.locate(pos);
    if (pos == line.start) return lines_.contentEnd(text_, line.line - 1);
    const int end = lines_.contentEnd(text_, line);
    TextBuffer::Cursor cursor(text_);
    // Steps back over units of one class, blanks first and then the run before them.
    int p = pos;
    const auto stepBackOver = [&](auto&& inClass) {
        while (p > line.start) {
            const int before = previousWithin(cursor, p, line.start, end);
            if (!inClass(classify(unitAt(cursor, before, end)))) break;
            p = before;
        }
    };
    stepBackOver([](UnitClass cls) { return cls == UnitClass::Blank; });
    if (p > line.start) {
        const UnitClass cls = classify(unitAt(cursor, previousWithin(cursor, p, line.start, end), end));
        stepBackOver([cls](UnitClass c) { return c == cls; });
    }
    return p;
}

}  // namespace tagloom
