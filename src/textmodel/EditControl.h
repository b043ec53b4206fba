#pragma once
// The edit control's model: the text as 8-bit bytes (a NUL is an ordinary
// byte), the selection, the flags, scrolling and the line and position
// queries the editor asks of its text control, and the typing operations the
// widget forwards. It knows no widget: layout goes through TextMetrics, and
// observers hear of every change.
//
// Offsets are byte offsets. Without word wrap the lines of the line queries
// are the lines of the text (ending at LF; CR LF and CR CR LF are one line
// break); with word wrap they are display lines.
#include "textmodel/Selection.h"
#include "textmodel/TextBuffer.h"
#include "textmodel/TextCaret.h"
#include "textmodel/TextEncoding.h"
#include "textmodel/TextLayout.h"
#include "textmodel/TextLimits.h"
#include "textmodel/TextLines.h"
#include "textmodel/TextMetrics.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagloom {

// One pure insertion or pure removal, told after it happened: for an
// insertion the caret stands after the inserted bytes, for a removal where
// they began.
struct TextChange {
    enum class Kind { Insertion, Removal };
    Kind kind = Kind::Insertion;
    int position = 0;
    int length = 0;
    // The inserted or removed bytes; valid while the notification lasts.
    std::string_view text;
    bool canUndo = false;
};

// Bytes whose display may have changed; to == kToEnd reaches to the end of
// the text, and everything shown below it.
struct RepaintRange {
    static constexpr int kToEnd = -1;
    int from = 0;
    int to = kToEnd;
};

class EditObserver {
public:
    virtual ~EditObserver() = default;
    // EN_CHANGE: each pure insertion or removal.
    virtual void onChange(const TextChange&) {}
    // The whole text was set anew (setText, adoptText): no EN_CHANGE comes
    // for it, so whatever follows the text counts it again.
    virtual void onTextReset() {}
    // EN_UPDATE: once after the changes of one operation.
    virtual void onUpdate() {}
    // The anchor or the caret stands elsewhere than when last told: a new
    // selection, an edit, or the whole text set anew. Once at the end of an
    // operation, after onUpdate.
    virtual void onSelectionChange() {}
    // EN_HSCROLL, EN_VSCROLL: the horizontal offset or the top line changed.
    virtual void onHScroll() {}
    virtual void onVScroll() {}
    virtual void onRepaint(const RepaintRange&) {}
};

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A display line on screen, for painting: y is its top in client pixels.
struct VisibleLine {
    DisplayLine line;
    int y = 0;
};

// A character on screen, x in client pixels.
struct VisibleChar {
    int offset = 0;
    int length = 0;
    int x = 0;
    int width = 0;
    char32_t codePoint = 0;
    UnitKind kind = UnitKind::Text;
};

enum class CaretMove {
    CharLeft,
    CharRight,
    WordLeft,
    WordRight,
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    LineStart,    // of the display line
    LineEnd,
    TextStart,
    TextEnd,
};

class EditControl {
public:
    // The longest text that int offsets address, with room for the NUL that
    // lock() puts after it. It is also the default typing limit.
    static constexpr int kMaxLength = kMaxTextLength;

    EditControl();
    EditControl(const EditControl&) = delete;
    EditControl& operator=(const EditControl&) = delete;

    // Observers may add and remove themselves, and change the control, while
    // a notification is delivered; one added then hears the next one.
    void addObserver(EditObserver& observer);
    void removeObserver(EditObserver& observer);

    // ---- text ----
    std::string getText() const;
    // Replace the whole text, with no change notification and no limit; the
    // caret goes to 0 and the view to the top. Both throw std::length_error
    // for a text longer than kMaxLength.
    void setText(std::string_view text);
    void adoptText(std::string&& text);
    // Replace the whole text as one removal and one insertion, notified like
    // an edit, without copying either text; the caret ends after the new text.
    void exchangeText(std::string&& text, bool canUndo = false);
    // The whole text, contiguous and NUL-terminated; valid until the next
    // change. Copies the text together when it has been edited since.
    const char* lock();
    // Whether lock() costs nothing now (no edit since the text was last
    // made contiguous).
    bool isLockFree() const { return text_.isContiguous(); }
    // Calls f(const char* data, int length) for the stretches of [from, to)
    // as they lie in memory, in order, without joining them.
    template <class F>
    void forEachSpan(int from, int to, F&& f) const {
        text_.forEachSpan(clampOffset(from), clampOffset(to), std::forward<F>(f));
    }
    int length() const { return text_.length(); }
    // The byte at pos; '\0' at length(); std::out_of_range outside.
    char charAt(int pos) const;
    // The bytes [start, end), clamped to the text.
    std::string copyRange(int start, int end) const;
    // The same without a copy where they lie in one piece: a view valid until
    // the next change, else one into scratch.
    std::string_view viewRange(int start, int end, std::string& scratch) const {
        return text_.view(clampOffset(start), clampOffset(end), scratch);
    }
    // The character that holds offset (clamped to the text) as the caret
    // sees it: a character or a whole line break. Empty at the end.
    Selection characterAt(int offset) const;

    // ---- selection ----
    // The selection, start <= end.
    Selection selection() const { return {selectionStart(), selectionEnd()}; }
    std::string selectedText() const { return copyRange(selectionStart(), selectionEnd()); }
    // (n, n) places the caret; end -1 selects to the end, (0, -1) all;
    // start -1 drops the selection and keeps the caret. Out-of-range values
    // clamp. start is the anchor and end the caret.
    void setSel(int start, int end);
    int anchor() const { return anchor_; }
    int caret() const { return caret_; }
    // Replaces the selection, also when read-only; the caret ends after the
    // new text and is scrolled into view. False (nothing changed) when the
    // text would grow past kMaxLength.
    bool replaceSel(std::string_view text, bool canUndo = false);

    // ---- lines ----
    // -1 asks for the selection start's line; an offset past the end gives
    // the last line.
    int lineFromChar(int offset = -1);
    // The offset of a line's first byte; -1 asks for the caret's line; -1
    // when there is no such line.
    int lineIndex(int line = -1);
    int lineCount();
    // Length without the line break of the line that holds offset; -1 asks
    // for the caret's line.
    int lineLength(int offset = -1);

    // The lines of the text (ending at LF) whether or not words wrap: the
    // line holding offset (clamped to the text), a line's first byte or -1,
    // and their number. Cheap and constant, for line numbers and Ln/Col.
    int textLineFromChar(int offset) const { return lines_.locate(clampOffset(offset)).line; }
    int textLineIndex(int line) const { return line >= 0 && line < lines_.count() ? lines_.start(line) : -1; }
    int textLineCount() const { return lines_.count(); }

    // ---- view ----
    int firstVisibleLine() const { return topLine_; }
    void lineScroll(int columns, int lines);
    void scrollCaret();
    int horizontalScroll() const { return xOffset_; }
    void setHorizontalScroll(int x);
    // Client position of the character at offset (the end of the text
    // allowed): its left edge and its line's top.
    Point posFromChar(int offset);
    // The caret stop nearest to a client point.
    int charFromPos(int x, int y);
    // The formatting rectangle: the client area less the margins.
    Rect getRect() const;
    void setClientSize(int width, int height);
    void setMargins(int left, int right);
    // Display lines that fit whole in the formatting rectangle, at least 1.
    int visibleLineCount() const;

    // ---- flags and settings ----
    bool getModify() const { return modified_; }
    void setModify(bool modified) { modified_ = modified; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool isReadOnly() const { return readOnly_; }
    // Tab stops every nTabChars average character widths; 0 (or less) gives 8.
    void setTabStops(int nTabChars);
    int tabWidth() const;
    // The typing limit; 0 (or less) gives the default, kMaxLength.
    void limitText(int n);
    int textLimit() const { return limit_; }
    // Changes the wrap in place: text, selection, top line, margins, tab
    // width and read-only state stay.
    void setWordWrap(bool wrap);
    bool wordWrap() const { return wrap_; }
    void setFontMetrics(std::unique_ptr<const TextMetrics> metrics);
    const TextMetrics& fontMetrics() const { return *metrics_; }

    // ---- typing, for the widget ----
    // Typing is refused (false, nothing changed) when read-only or when the
    // text would grow past textLimit().
    bool typeText(std::string_view text);
    // Typed or pasted characters, given in UTF-8, stored in the text's
    // encoding; refused (false, nothing changed) like typeText, and when a
    // character has no byte in that encoding.
    bool typeCharacters(std::string_view utf8);
    // The encoding of the text, decided when it was last set as a whole.
    TextEncoding encoding() const { return encoding_; }
    // Backspace and Delete: the selection, else the character before or
    // after the caret; a line break, CR CR LF included, goes as one.
    bool deleteBack();
    bool deleteForward();
    void moveCaret(CaretMove move, bool extend);
    // A click (extend: with Shift, or a drag) at a client point.
    void clickAt(int x, int y, bool extend);
    // Removes the selection; false when read-only or nothing is selected.
    bool clear();

    // ---- painting, for the widget ----
    // The display lines from the top line down to the formatting
    // rectangle's bottom, the last one perhaps partly visible.
    std::vector<VisibleLine> visibleLines();
    // The characters of a display line inside the formatting rectangle's width.
    void visibleChars(const DisplayLine& line, std::vector<VisibleChar>& out);
    // Pixel width of a display line, for the horizontal scroll range.
    std::int64_t lineWidth(const DisplayLine& line) { return layout_.width(line); }

    std::size_t memoryUsage() const;

private:
    // The display line nearest to a wanted one: the first or the last.
    int clampDisplayLine(std::int64_t line);
    // What one public operation has to tell its observers at its end.
    struct Notices {
        bool textChanged = false;
        bool vscroll = false;
        bool hscroll = false;
        bool repaint = false;
        RepaintRange range;
        void addRepaint(RepaintRange r);
    };
    class StorageHold;
    class DeliveryScope;

    template <class F>
    void deliver(F&& f);
    void finish(Notices& notices);

    void reset(std::string&& text);
    // One edit operation: replace [from, to), reveal the caret, notify.
    bool edit(int from, int to, std::string_view text, bool canUndo);
    bool replaceRange(int from, int to, std::string_view text, bool canUndo, Notices& notices);
    void removeRange(int from, int to, bool canUndo, Notices& notices);
    void insertAt(int at, std::string_view text, bool canUndo, Notices& notices);
    void noteEdit(const TextLines::Edit& edit, int displayCountBefore, Notices& notices);
    // Display lines of the line holding offset, when known (else -1).
    int displayCountAt(int offset) const;
    void setSelection(int anchor, int caret, Notices& notices);
    void setScroll(std::int64_t top, std::int64_t x, Notices& notices);
    void keepTopInRange(Notices& notices);
    void revealCaret(Notices& notices);
    // Applies a layout setting, keeping the top line's first byte at the top.
    template <class F>
    void relayout(F&& change);
    int wrapWidth() const;
    int clampOffset(int offset) const;
    int selectionStart() const { return std::min(anchor_, caret_); }
    int selectionEnd() const { return std::max(anchor_, caret_); }
    int verticalTarget(CaretMove move, Notices& notices);

    TextBuffer text_;
    TextLines lines_;
    TextLayout layout_;
    TextCaret stops_;
    std::unique_ptr<const TextMetrics> metrics_;

    int anchor_ = 0;
    int caret_ = 0;
    // The selection the observers were last told of.
    int toldAnchor_ = 0;
    int toldCaret_ = 0;
    // The x that Up and Down keep, from the first of a run of vertical moves.
    std::optional<std::int64_t> goalX_;
    bool modified_ = false;
    bool readOnly_ = false;
    TextEncoding encoding_ = TextEncoding::Utf8;
    int tabChars_ = 8;
    int limit_ = kMaxLength;
    bool wrap_ = false;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    int topLine_ = 0;
    int xOffset_ = 0;

    std::vector<EditObserver*> observers_;
    int deliveryDepth_ = 0;
    int holdDepth_ = 0;
};

}  // namespace tagloom
