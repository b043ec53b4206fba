#pragma once
// Where the caret may stand: between displayed characters (TextUnit), never
// inside a UTF-8 sequence nor inside a line break (CR LF, CR CR LF, a lone
// LF), which is one stop like a character. Word stops follow the classes of
// TextUnit: a run of word characters or of other marks, then its blanks.
#include "textmodel/TextBuffer.h"
#include "textmodel/TextUnit.h"

namespace tagloom {

class TextLines;

class TextCaret {
public:
    TextCaret(const TextBuffer& text, const TextLines& lines) : text_(text), lines_(lines) {}

    // The stop at or before pos.
    int snap(int pos) const;
    // The stops after and before a stop pos (pos itself at the text's ends).
    int next(int pos) const;
    int previous(int pos) const;
    int wordRight(int pos) const;
    int wordLeft(int pos) const;

private:
    // The unit that starts at the stop pos, inside a line's characters ending
    // at end; the cursor keeps its place in the pieces for the next read.
    static TextUnit unitAt(TextBuffer::Cursor& cursor, int pos, int end);
    // The stop before pos, inside a line's characters from start to end.
    static int previousWithin(TextBuffer::Cursor& cursor, int pos, int start, int end);

    const TextBuffer& text_;
    const TextLines& lines_;
};

}  // namespace tagloom
