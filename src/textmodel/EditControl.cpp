#include "textmodel/EditControl.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

constexpr int kDefaultTabChars = 8;
constexpr int kMaxTabChars = 4096;
constexpr std::int64_t kMaxScrollX = INT_MAX / 2;

int saturate(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

void checkLength(std::size_t size) {
    if (size > static_cast<std::size_t>(EditControl::kMaxLength)) {
        throw std::length_error("text too long for the edit control");
    }
}

}  // namespace

// Keeps storage that the text gives up alive while views into it may still
// be read: during an operation and while observers are told of it.
class EditControl::StorageHold {
public:
    explicit StorageHold(EditControl& control) : control_(control) {
        if (control_.holdDepth_++ == 0) control_.text_.holdStorage(true);
    }
    ~StorageHold() {
        if (--control_.holdDepth_ == 0) control_.text_.holdStorage(false);
    }
    StorageHold(const StorageHold&) = delete;
    StorageHold& operator=(const StorageHold&) = delete;

private:
    EditControl& control_;
};

// While observers are told of something, removing one only blanks its slot;
// the slots are swept when the outermost delivery ends.
class EditControl::DeliveryScope {
public:
    explicit DeliveryScope(EditControl& control) : control_(control), hold_(control) { ++control_.deliveryDepth_; }
    ~DeliveryScope() {
        if (--control_.deliveryDepth_ == 0) std::erase(control_.observers_, nullptr);
    }
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;

private:
    EditControl& control_;
    StorageHold hold_;
};

void EditControl::Notices::addRepaint(RepaintRange r) {
    if (!repaint) {
        range = r;
        repaint = true;
        return;
    }
    range.from = std::min(range.from, r.from);
    bool toEnd = range.to == RepaintRange::kToEnd || r.to == RepaintRange::kToEnd;
    range.to = toEnd ? RepaintRange::kToEnd : std::max(range.to, r.to);
}

EditControl::EditControl()
    : layout_(text_, lines_), stops_(text_, lines_), metrics_(std::make_unique<FixedPitchMetrics>(8, 16)) {
    layout_.setMetrics(*metrics_, tabWidth());
}

// ---- observers ----

void EditControl::addObserver(EditObserver& observer) { observers_.push_back(&observer); }

void EditControl::removeObserver(EditObserver& observer) {
    auto it = std::find(observers_.begin(), observers_.end(), &observer);
    if (it == observers_.end()) return;
    if (deliveryDepth_ > 0) {
        *it = nullptr;
    } else {
        observers_.erase(it);
    }
}

template <class F>
void EditControl::deliver(F&& f) {
    DeliveryScope scope(*this);
    for (std::size_t i = 0, n = observers_.size(); i < n; ++i) {
        if (EditObserver* observer = observers_[i]) f(*observer);
    }
}

void EditControl::finish(Notices& notices) {
    if (notices.textChanged) deliver([](EditObserver& o) { o.onUpdate(); });
    if (anchor_ != toldAnchor_ || caret_ != toldCaret_) {
        toldAnchor_ = anchor_;
        toldCaret_ = caret_;
        deliver([](EditObserver& o) { o.onSelectionChange(); });
    }
    if (notices.vscroll) deliver([](EditObserver& o) { o.onVScroll(); });
    if (notices.hscroll) deliver([](EditObserver& o) { o.onHScroll(); });
    if (notices.repaint) deliver([&](EditObserver& o) { o.onRepaint(notices.range); });
}

// ---- text ----

std::string EditControl::getText() const { return text_.range(0, length()); }

void EditControl::reset(std::string&& text) {
    checkLength(text.size());
    encoding_ = encodingOf(text);
    text_.reset(std::move(text));
    lines_.build(text_);
    layout_.textReset();
    anchor_ = caret_ = 0;
    goalX_.reset();
}

void EditControl::setText(std::string_view text) { adoptText(std::string(text)); }

void EditControl::adoptText(std::string&& text) {
    Notices notices;
    reset(std::move(text));
    deliver([](EditObserver& o) { o.onTextReset(); });
    setScroll(0, 0, notices);
    notices.addRepaint({0, RepaintRange::kToEnd});
    finish(notices);
}

void EditControl::exchangeText(std::string&& text, bool canUndo) {
    checkLength(text.size());
    Notices notices;
    StorageHold hold(*this);
    if (length() > 0) removeRange(0, length(), canUndo, notices);
    reset(std::move(text));
    modified_ = true;
    notices.textChanged = true;
    notices.addRepaint({0, RepaintRange::kToEnd});
    if (length() > 0) {
        anchor_ = caret_ = length();
        TextChange change{TextChange::Kind::Insertion, 0, length(), std::string_view(text_.contiguous(), length()),
                          canUndo};
        deliver([&](EditObserver& o) { o.onChange(change); });
    }
    keepTopInRange(notices);
    revealCaret(notices);
    finish(notices);
}

const char* EditControl::lock() { return text_.contiguous(); }

char EditControl::charAt(int pos) const {
    if (pos < 0 || pos > length()) throw std::out_of_range("offset outside the text");
    return pos == length() ? '\0' : text_.at(pos);
}

std::string EditControl::copyRange(int start, int end) const {
    int from = clampOffset(start);
    int to = clampOffset(end);
    return from < to ? text_.range(from, to) : std::string();
}

Selection EditControl::characterAt(int offset) const {
    const int at = stops_.snap(clampOffset(offset));
    return {at, stops_.next(at)};
}

int EditControl::clampOffset(int offset) const { return std::clamp(offset, 0, length()); }

// ---- selection and edits ----

void EditControl::setSel(int start, int end) {
    Notices notices;
    if (start == -1) {
        setSelection(caret_, caret_, notices);
    } else {
        setSelection(clampOffset(start), end == -1 ? length() : clampOffset(end), notices);
    }
    finish(notices);
}

void EditControl::setSelection(int anchor, int caret, Notices& notices) {
    goalX_.reset();
    if (anchor == anchor_ && caret == caret_) return;
    int from = std::min({anchor, caret, anchor_, caret_});
    int to = std::max({anchor, caret, anchor_, caret_});
    notices.addRepaint({from, to});
    anchor_ = anchor;
    caret_ = caret;
}

bool EditControl::replaceSel(std::string_view text, bool canUndo) {
    return edit(selectionStart(), selectionEnd(), text, canUndo);
}

bool EditControl::edit(int from, int to, std::string_view text, bool canUndo) {
    Notices notices;
    StorageHold hold(*this);
    if (!replaceRange(from, to, text, canUndo, notices)) return false;
    revealCaret(notices);
    finish(notices);
    return true;
}

bool EditControl::replaceRange(int from, int to, std::string_view text, bool canUndo, Notices& notices) {
    auto grownLength = [&](int removed) {
        return static_cast<std::int64_t>(length()) - removed + static_cast<std::int64_t>(text.size());
    };
    if (grownLength(to - from) > kMaxLength) return false;
    if (to > from) removeRange(from, to, canUndo, notices);
    // The insertion goes where the removal left the caret, unless an
    // observer has moved it or grown the text meanwhile.
    if (!text.empty() && grownLength(0) <= kMaxLength) insertAt(selectionStart(), text, canUndo, notices);
    keepTopInRange(notices);
    return true;
}

void EditControl::removeRange(int from, int to, bool canUndo, Notices& notices) {
    int countBefore = displayCountAt(from);
    std::string scratch;
    std::string_view removed = text_.erase(from, to - from, scratch);
    TextLines::Edit lineEdit = lines_.erased(from, to - from);
    layout_.edited(lineEdit, from, 0, to - from);
    anchor_ = caret_ = from;
    goalX_.reset();
    modified_ = true;
    noteEdit(lineEdit, countBefore, notices);
    TextChange change{TextChange::Kind::Removal, from, to - from, removed, canUndo};
    deliver([&](EditObserver& o) { o.onChange(change); });
}

void EditControl::insertAt(int at, std::string_view text, bool canUndo, Notices& notices) {
    int countBefore = displayCountAt(at);
    int n = static_cast<int>(text.size());
    text_.insert(at, text);
    TextLines::Edit lineEdit = lines_.inserted(at, text);
    layout_.edited(lineEdit, at, n, 0);
    anchor_ = caret_ = at + n;
    goalX_.reset();
    modified_ = true;
    noteEdit(lineEdit, countBefore, notices);
    TextChange change{TextChange::Kind::Insertion, at, n, text, canUndo};
    deliver([&](EditObserver& o) { o.onChange(change); });
}

void EditControl::noteEdit(const TextLines::Edit& lineEdit, int displayCountBefore, Notices& notices) {
    notices.textChanged = true;
    // Display lines below move only when lines come or go.
    bool sameLines = lineEdit.removed == 0 && lineEdit.added == 0 && displayCountBefore >= 0 &&
                     displayCountBefore == layout_.knownDisplayCount(lineEdit.first);
    TextLines::Located line = lines_.at(lineEdit.first);
    notices.addRepaint({line.start, sameLines ? line.end() : RepaintRange::kToEnd});
}

int EditControl::displayCountAt(int offset) const {
    return wrap_ ? layout_.knownDisplayCount(lines_.locate(offset).line) : 1;
}

// ---- lines ----

int EditControl::lineFromChar(int offset) {
    int at = offset == -1 ? selectionStart() : clampOffset(offset);
    return layout_.displayLineAt(at).index;
}

int EditControl::lineIndex(int line) {
    if (line == -1) return layout_.displayLineAt(caret_).start;
    if (!layout_.hasDisplayLine(line)) return -1;
    return layout_.displayLine(line).start;
}

int EditControl::lineCount() { return layout_.displayLineCount(); }

int EditControl::lineLength(int offset) {
    DisplayLine row = layout_.displayLineAt(offset == -1 ? caret_ : clampOffset(offset));
    return row.end - row.start;
}

// ---- view ----

Rect EditControl::getRect() const {
    return Rect{leftMargin_, 0, std::max(leftMargin_, clientWidth_ - rightMargin_), clientHeight_};
}

int EditControl::wrapWidth() const {
    Rect r = getRect();
    return r.right - r.left;
}

int EditControl::visibleLineCount() const {
    Rect r = getRect();
    return std::max(1, (r.bottom - r.top) / std::max(1, metrics_->lineHeight()));
}

void EditControl::setScroll(std::int64_t top, std::int64_t x, Notices& notices) {
    int newTop = saturate(std::max<std::int64_t>(0, top));
    int newX = wrap_ ? 0 : static_cast<int>(std::clamp<std::int64_t>(x, 0, kMaxScrollX));
    if (newTop != topLine_) {
        topLine_ = newTop;
        notices.vscroll = true;
        notices.addRepaint({0, RepaintRange::kToEnd});
    }
    if (newX != xOffset_) {
        xOffset_ = newX;
        notices.hscroll = true;
        notices.addRepaint({0, RepaintRange::kToEnd});
    }
}

void EditControl::keepTopInRange(Notices& notices) {
    if (!layout_.hasDisplayLine(topLine_)) setScroll(layout_.displayLineCount() - 1, xOffset_, notices);
}

void EditControl::revealCaret(Notices& notices) {
    DisplayLine row = layout_.displayLineAt(caret_);
    std::int64_t top = topLine_;
    int visible = visibleLineCount();
    if (row.index < top) {
        top = row.index;
    } else if (row.index >= top + visible) {
        top = static_cast<std::int64_t>(row.index) - visible + 1;
    }
    std::int64_t x = xOffset_;
    if (!wrap_) {
        std::int64_t caretX = layout_.xOf(row, caret_);
        int width = std::max(1, wrapWidth());
        if (caretX < x) {
            x = caretX - width / 4;
        } else if (caretX >= x + width) {
            x = caretX - width * 3 / 4;
        }
    }
    setScroll(top, x, notices);
}

void EditControl::scrollCaret() {
    Notices notices;
    revealCaret(notices);
    finish(notices);
}

int EditControl::clampDisplayLine(std::int64_t line) {
    if (line < 0) return 0;
    if (line > INT_MAX || !layout_.hasDisplayLine(static_cast<int>(line))) return layout_.displayLineCount() - 1;
    return static_cast<int>(line);
}

void EditControl::lineScroll(int columns, int lines) {
    Notices notices;
    const int top = clampDisplayLine(static_cast<std::int64_t>(topLine_) + lines);
    std::int64_t x = xOffset_ + static_cast<std::int64_t>(columns) * metrics_->averageCharWidth();
    setScroll(top, x, notices);
    finish(notices);
}

void EditControl::setHorizontalScroll(int x) {
    Notices notices;
    setScroll(topLine_, x, notices);
    finish(notices);
}

Point EditControl::posFromChar(int offset) {
    int at = clampOffset(offset);
    DisplayLine row = layout_.displayLineAt(at);
    Rect r = getRect();
    std::int64_t x = r.left + layout_.xOf(row, at) - xOffset_;
    std::int64_t y = r.top + static_cast<std::int64_t>(row.index - topLine_) * metrics_->lineHeight();
    return Point{saturate(x), saturate(y)};
}

int EditControl::charFromPos(int x, int y) {
    Rect r = getRect();
    const int index =
        clampDisplayLine(topLine_ + floorDiv(static_cast<std::int64_t>(y) - r.top, std::max(1, metrics_->lineHeight())));
    DisplayLine row = layout_.displayLine(index);
    return layout_.offsetAt(row, static_cast<std::int64_t>(x) - r.left + xOffset_);
}

template <class F>
void EditControl::relayout(F&& change) {
    Notices notices;
    int topOffset = layout_.displayLine(topLine_).start;
    change();
    setScroll(layout_.displayLineAt(topOffset).index, xOffset_, notices);
    notices.addRepaint({0, RepaintRange::kToEnd});
    finish(notices);
}

void EditControl::setClientSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == clientWidth_ && height == clientHeight_) return;
    relayout([&] {
        clientWidth_ = width;
        clientHeight_ = height;
        layout_.setWrap(wrap_, wrapWidth());
    });
}

void EditControl::setMargins(int left, int right) {
    left = std::max(0, left);
    right = std::max(0, right);
    if (left == leftMargin_ && right == rightMargin_) return;
    relayout([&] {
        leftMargin_ = left;
        rightMargin_ = right;
        layout_.setWrap(wrap_, wrapWidth());
    });
}

// ---- settings ----

void EditControl::setTabStops(int nTabChars) {
    const int tabChars = nTabChars <= 0 ? kDefaultTabChars : std::min(nTabChars, kMaxTabChars);
    if (tabChars == tabChars_) return;
    relayout([&] {
        tabChars_ = tabChars;
        layout_.setMetrics(*metrics_, tabWidth());
    });
}

int EditControl::tabWidth() const { return tabChars_ * std::max(1, metrics_->averageCharWidth()); }

void EditControl::limitText(int n) { limit_ = n <= 0 ? kMaxLength : std::min(n, kMaxLength); }

void EditControl::setWordWrap(bool wrap) {
    if (wrap == wrap_) return;
    relayout([&] {
        wrap_ = wrap;
        layout_.setWrap(wrap, wrapWidth());
    });
}

void EditControl::setFontMetrics(std::unique_ptr<const TextMetrics> metrics) {
    if (!metrics) throw std::invalid_argument("the edit control needs font metrics");
    // The same font made again lays the text out as before: a text of a
    // gigabyte is not measured again for it.
    if (metrics->measuresLike(*metrics_)) {
        const std::unique_ptr<const TextMetrics> old = std::exchange(metrics_, std::move(metrics));
        layout_.replaceMetrics(*metrics_);
        return;
    }
    relayout([&] {
        metrics_ = std::move(metrics);
        layout_.setMetrics(*metrics_, tabWidth());
    });
}

// ---- typing ----

bool EditControl::typeText(std::string_view text) {
    if (readOnly_) return false;
    std::int64_t grown = static_cast<std::int64_t>(length()) - (selectionEnd() - selectionStart()) +
                         static_cast<std::int64_t>(text.size());
    if (grown > limit_) return false;
    return edit(selectionStart(), selectionEnd(), text, true);
}

bool EditControl::typeCharacters(std::string_view utf8) {
    if (readOnly_) return false;
    const std::optional<std::string> stored = fromUtf8(utf8, encoding_);
    return stored && typeText(*stored);
}

bool EditControl::deleteBack() {
    if (readOnly_) return false;
    if (anchor_ != caret_) return edit(selectionStart(), selectionEnd(), {}, true);
    int at = stops_.snap(caret_);
    if (at == 0) return false;
    return edit(stops_.previous(at), at, {}, true);
}

bool EditControl::deleteForward() {
    if (readOnly_) return false;
    if (anchor_ != caret_) return edit(selectionStart(), selectionEnd(), {}, true);
    int at = stops_.snap(caret_);
    if (at >= length()) return false;
    return edit(at, stops_.next(at), {}, true);
}

int EditControl::verticalTarget(CaretMove move, Notices& notices) {
    DisplayLine row = layout_.displayLineAt(caret_);
    if (!goalX_) goalX_ = layout_.xOf(row, caret_);
    bool page = move == CaretMove::PageUp || move == CaretMove::PageDown;
    int step = page ? visibleLineCount() : 1;
    if (move == CaretMove::LineUp || move == CaretMove::PageUp) step = -step;
    if (page) setScroll(clampDisplayLine(static_cast<std::int64_t>(topLine_) + step), xOffset_, notices);
    int target = clampDisplayLine(static_cast<std::int64_t>(row.index) + step);
    if (target == row.index) return caret_;
    return layout_.offsetAt(layout_.displayLine(target), *goalX_);
}

void EditControl::moveCaret(CaretMove move, bool extend) {
    Notices notices;
    bool collapse = !extend && anchor_ != caret_;
    int at = stops_.snap(caret_);
    int target = caret_;
    std::optional<std::int64_t> goal;
    switch (move) {
        case CaretMove::CharLeft:
            target = collapse ? selectionStart() : (at != caret_ ? at : stops_.previous(at));
            break;
        case CaretMove::CharRight:
            target = collapse ? selectionEnd() : stops_.next(at);
            break;
        case CaretMove::WordLeft:
            target = stops_.wordLeft(at);
            break;
        case CaretMove::WordRight:
            target = stops_.wordRight(at);
            break;
        case CaretMove::LineStart:
            target = layout_.displayLineAt(caret_).start;
            break;
        case CaretMove::LineEnd: {
            DisplayLine row = layout_.displayLineAt(caret_);
            target = row.wrapped ? stops_.previous(row.end) : row.end;
            break;
        }
        case CaretMove::TextStart:
            target = 0;
            break;
        case CaretMove::TextEnd:
            target = length();
            break;
        case CaretMove::LineUp:
        case CaretMove::LineDown:
        case CaretMove::PageUp:
        case CaretMove::PageDown:
            target = verticalTarget(move, notices);
            goal = goalX_;
            break;
    }
    setSelection(extend ? anchor_ : target, target, notices);
    goalX_ = goal;
    revealCaret(notices);
    finish(notices);
}

void EditControl::clickAt(int x, int y, bool extend) {
    Notices notices;
    int target = charFromPos(x, y);
    setSelection(extend ? anchor_ : target, target, notices);
    revealCaret(notices);
    finish(notices);
}

bool EditControl::clear() {
    if (readOnly_ || anchor_ == caret_) return false;
    return edit(selectionStart(), selectionEnd(), {}, true);
}

// ---- painting ----

std::vector<VisibleLine> EditControl::visibleLines() {
    Rect r = getRect();
    int lineHeight = std::max(1, metrics_->lineHeight());
    int rows = std::max(1, (r.bottom - r.top + lineHeight - 1) / lineHeight);
    std::vector<VisibleLine> out;
    for (int i = 0; i < rows && topLine_ <= INT_MAX - i && layout_.hasDisplayLine(topLine_ + i); ++i) {
        out.push_back(VisibleLine{layout_.displayLine(topLine_ + i), saturate(r.top + static_cast<std::int64_t>(i) * lineHeight)});
    }
    return out;
}

void EditControl::visibleChars(const DisplayLine& line, std::vector<VisibleChar>& out) {
    out.clear();
    Rect r = getRect();
    std::vector<PlacedUnit> placed;
    layout_.units(line, xOffset_, static_cast<std::int64_t>(xOffset_) + (r.right - r.left), placed);
    for (const PlacedUnit& p : placed) {
        out.push_back(VisibleChar{p.offset, p.unit.length, saturate(r.left + p.x - xOffset_), p.width,
                                  p.unit.codePoint, p.unit.kind});
    }
}

std::size_t EditControl::memoryUsage() const {
    return sizeof(*this) + text_.memoryUsage() + lines_.memoryUsage() + layout_.memoryUsage() +
           observers_.capacity() * sizeof(EditObserver*);
}

}  // namespace tagloom
