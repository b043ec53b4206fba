#include "view/TextCaret.h"

#include "view/TextBuffer.h"
#include "view/TextLines.h"

#include <algorithm>

namespace tagloom {

TextUnit TextCaret::unitAt(int pos, int end) const {
    unsigned char bytes[4];
    int n = std::min(4, end - pos);
    TextBuffer::Cursor cursor(text_);
    for (int i = 0; i < n; ++i) bytes[i] = cursor[pos + i];
    return decodeUnit(bytes, n);
}

int TextCaret::snap(int pos) const {
    auto line = lines_.locate(pos);
    int end = lines_.contentEnd(text_, line);
    if (pos > end) return end;
    // A valid sequence that starts up to three bytes before pos and reaches
    // past it holds pos.
    for (int back = 1; back <= 3 && pos - back >= line.start; ++back) {
        if (unitAt(pos - back, end).length > back) return pos - back;
    }
    return pos;
}

int TextCaret::next(int pos) const {
    auto line = lines_.locate(pos);
    int end = lines_.contentEnd(text_, line);
    if (pos < end) return pos + unitAt(pos, end).length;
    return line.end();
}

int TextCaret::previous(int pos) const {
    if (pos <= 0) return 0;
    auto line = lines_.locate(pos);
    if (pos == line.start) return lines_.contentEnd(text_, line.line - 1);
    int end = lines_.contentEnd(text_, line);
    for (int back = 4; back >= 2; --back) {
        if (pos - back >= line.start && unitAt(pos - back, end).length == back) return pos - back;
    }
    return pos - 1;
}

int TextCaret::wordRight(int pos) const {
    auto line = lines_.locate(pos);
    int end = lines_.contentEnd(text_, line);
    int p = pos;
    if (p >= end) {
        if (line.line == lines_.count() - 1) return p;
        p = line.end();
        line = lines_.locate(p);
        end = lines_.contentEnd(text_, line);
    } else {
        UnitClass cls = classify(unitAt(p, end));
        if (cls != UnitClass::Blank) {
            while (p < end && classify(unitAt(p, end)) == cls) p += unitAt(p, end).length;
        }
    }
    while (p < end && classify(unitAt(p, end)) == UnitClass::Blank) p += unitAt(p, end).length;
    return p;
}

int TextCaret::wordLeft(int pos) const {
    if (pos <= 0) return 0;
    auto line = lines_.locate(pos);
    if (pos == line.start) return lines_.contentEnd(text_, line.line - 1);
    int end = lines_.contentEnd(text_, line);
    auto classBefore = [&](int p) { return classify(unitAt(previous(p), end)); };
    int p = pos;
    while (p > line.start && classBefore(p) == UnitClass::Blank) p = previous(p);
    if (p > line.start) {
        UnitClass cls = classBefore(p);
        while (p > line.start && classBefore(p) == cls) p = previous(p);
    }
    return p;
}

}  // namespace tagloom
