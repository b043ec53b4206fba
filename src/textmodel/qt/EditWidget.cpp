#include "textmodel/qt/EditWidget.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include "textmodel/qt/QtTextMetrics.h"

namespace tagloom {

namespace {

constexpr int kWheelLines = 3;
constexpr int kAutoScrollMs = 50;

}  // namespace

EditWidget::EditWidget(EditControl& control, EditWidgetListener& listener, QWidget* parent)
    : QAbstractScrollArea(parent), control_(control), listener_(listener) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::StyledPanel);
    // Always there, so the width left for wrapped lines never changes with it.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    control_.addObserver(*this);
    restartCaret();
}

EditWidget::~EditWidget() { control_.removeObserver(*this); }

const QtTextMetrics* EditWidget::editorFont() const {
    return dynamic_cast<const QtTextMetrics*>(&control_.fontMetrics());
}

// --- painting --------------------------------------------------------------------

void EditWidget::paintText(QPainter& painter) {
    const Rect f = control_.getRect();
    const QRect text(f.left, f.top, f.right - f.left, f.bottom - f.top);
    const QtTextMetrics* font = editorFont();
    renderer_.setFont(font ? std::optional<QFont>(font->font()) : std::nullopt);
    const int lineHeight = control_.fontMetrics().lineHeight();
    const int ascent = font ? font->ascent() : lineHeight * 4 / 5;
    if (font) painter.setFont(font->font());

    const QPalette& pal = palette();
    painter.fillRect(text, pal.color(QPalette::Base));
    painter.save();
    painter.setClipRect(text);
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    TextRenderer::Colors colors;
    colors.text = pal.color(QPalette::Text);
    colors.highlight = pal.color(group, QPalette::Highlight);
    colors.highlightText = pal.color(group, QPalette::HighlightedText);
    marked_.clear();
    coloured_.clear();
    if (marker_ || colourer_) {
        const int top = control_.firstVisibleLine();
        const int bottom = top + control_.visibleLineCount() + 1;
        const int from = std::max(0, control_.lineIndex(top));
        const int to = bottom < control_.lineCount() ? control_.lineIndex(bottom) : control_.length();
        if (marker_) marker_(from, to, marked_);
        if (colourer_) colourer_(from, to, coloured_);
    }
    const int widest =
        renderer_.drawVisibleLines(painter, control_, ascent, colors, marked_, colourer_ ? &coloured_ : nullptr);
    // A line wider than any seen before widens the horizontal range, once
    // this paint is over.
    if (widest > widestSeen_) {
        widestSeen_ = widest;
        QMetaObject::invokeMethod(this, &EditWidget::syncScrollBars, Qt::QueuedConnection);
    }

    if (hasFocus() && caretVisible_ && control_.selection().empty()) {
        const Point at = control_.posFromChar(control_.caret());
        painter.fillRect(at.x, at.y, 2, lineHeight, colors.text);
    }
    painter.restore();
}

void EditWidget::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const Rect f = control_.getRect();
    if (f.left > 0) painter.fillRect(0, 0, f.left, viewport()->height(), palette().color(QPalette::Base));
    paintText(painter);
    if (decorator_) decorator_(painter);
}

// --- scrolling ---------------------------------------------------------------------

void EditWidget::syncScrollBars() {
    syncing_ = true;
    // The bar's end puts the last line at the bottom; a view scrolled further
    // (the control allows the last line at the top) widens it to where it is.
    const int visibleLines = control_.visibleLineCount();
    const int lastTop = std::max(control_.lineCount() - visibleLines, control_.firstVisibleLine());
    verticalScrollBar()->setRange(0, std::max(0, lastTop));
    verticalScrollBar()->setPageStep(visibleLines);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(control_.firstVisibleLine());
    if (control_.wordWrap()) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const Rect f = control_.getRect();
        const int width = std::max(1, f.right - f.left);
        const int charWidth = control_.fontMetrics().averageCharWidth();
        horizontalScrollBar()->setRange(0, std::max({0, widestSeen_ - width + charWidth, control_.horizontalScroll()}));
        horizontalScrollBar()->setPageStep(width);
        horizontalScrollBar()->setSingleStep(charWidth);
        horizontalScrollBar()->setValue(control_.horizontalScroll());
    }
    syncing_ = false;
}

void EditWidget::scrollContentsBy(int, int) {
    if (syncing_) return;
    const int line = verticalScrollBar()->value();
    if (line != control_.firstVisibleLine()) control_.lineScroll(0, line - control_.firstVisibleLine());
    if (!control_.wordWrap() && horizontalScrollBar()->value() != control_.horizontalScroll())
        control_.setHorizontalScroll(horizontalScrollBar()->value());
    viewport()->update();
}

void EditWidget::onHScroll() {
    syncScrollBars();
    viewport()->update();
}

void EditWidget::onVScroll() {
    syncScrollBars();
    viewport()->update();
}

// A repaint of everything follows a new text or a new layout (font, wrap,
// size, margins): the widths seen so far no longer hold.
void EditWidget::onRepaint(const RepaintRange& range) {
    if (range.from == 0 && range.to == RepaintRange::kToEnd) {
        widestSeen_ = 0;
        syncScrollBars();
    }
    viewport()->update();
}

// A run of edits (a Replace All) brings the bars in line once, afterwards.
void EditWidget::onUpdate() {
    restartCaret();
    if (syncPosted_) return;
    syncPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            syncPosted_ = false;
            syncScrollBars();
        },
        Qt::QueuedConnection);
}

void EditWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    listener_.sized(viewport()->width(), viewport()->height());
    syncScrollBars();
}

// --- keys ------------------------------------------------------------------------------

bool EditWidget::handleNavigation(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->modifiers() & Qt::AltModifier) return false;
    CaretMove move;
    switch (event->key()) {
    case Qt::Key_Left: move = ctrl ? CaretMove::WordLeft : CaretMove::CharLeft; break;
    case Qt::Key_Right: move = ctrl ? CaretMove::WordRight : CaretMove::CharRight; break;
    case Qt::Key_Up: move = CaretMove::LineUp; break;
    case Qt::Key_Down: move = CaretMove::LineDown; break;
    case Qt::Key_PageUp: move = CaretMove::PageUp; break;
    case Qt::Key_PageDown: move = CaretMove::PageDown; break;
    case Qt::Key_Home: move = ctrl ? CaretMove::TextStart : CaretMove::LineStart; break;
    case Qt::Key_End: move = ctrl ? CaretMove::TextEnd : CaretMove::LineEnd; break;
    default: return false;
    }
    control_.moveCaret(move, shift);
    return true;
}

bool EditWidget::handleEditing(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (modifiers != Qt::NoModifier) return false;
        control_.deleteBack();
        return true;
    case Qt::Key_Delete:
        if (modifiers != Qt::NoModifier || (event->modifiers() & Qt::ShiftModifier)) return false;
        control_.deleteForward();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::NoModifier) return false;
        if (!listener_.enterTyped()) control_.typeText("\r\n");
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (modifiers != Qt::NoModifier) return false;
        const bool shift = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        if (!listener_.tabTyped(shift)) control_.typeText("\t");
        return true;
    }
    default: break;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    typeCharacters(text);
    return true;
}

void EditWidget::keyPressEvent(QKeyEvent* event) {
    const bool handled = handleNavigation(event) || handleEditing(event);
    if (!handled && !(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    restartCaret();
    listener_.keyHandled(*event);
}

void EditWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) typeCharacters(event->commitString());
    event->accept();
}

void EditWidget::typeCharacters(const QString& text) {
    if (control_.isReadOnly()) return;
    const std::string typed = text.toUtf8().toStdString();
    if (!listener_.charactersTyped(typed) && !control_.typeCharacters(typed)) listener_.typingRefused();
}

bool EditWidget::focusNextPrevChild(bool) { return false; }  // Tab belongs to the text

// --- mouse ---------------------------------------------------------------------------------

void EditWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && listener_.takesLeftPress(event->globalPosition().toPoint())) {
        releaseMouse();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    control_.clickAt(p.x(), p.y(), event->modifiers() & Qt::ShiftModifier);
    dragging_ = true;
    lastDragPoint_ = p;
    restartCaret();
    listener_.clicked();
}

void EditWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    lastDragPoint_ = event->position().toPoint();
    control_.clickAt(lastDragPoint_.x(), lastDragPoint_.y(), true);
    listener_.dragged();
    if (!viewport()->rect().contains(lastDragPoint_))
        dragTimer_.start(kAutoScrollMs, this);
    else
        dragTimer_.stop();
}

void EditWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        dragTimer_.stop();
    }
}

void EditWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    listener_.doubleClicked();
    dragging_ = false;
}

void EditWidget::autoScroll() {
    const QRect area = viewport()->rect();
    if (lastDragPoint_.y() < area.top()) control_.lineScroll(0, -1);
    if (lastDragPoint_.y() > area.bottom()) control_.lineScroll(0, 1);
    if (!control_.wordWrap()) {
        const int step = control_.fontMetrics().averageCharWidth();
        if (lastDragPoint_.x() < area.left()) control_.setHorizontalScroll(std::max(0, control_.horizontalScroll() - step));
        if (lastDragPoint_.x() > area.right()) control_.setHorizontalScroll(control_.horizontalScroll() + step);
    }
    const QPoint p(std::clamp(lastDragPoint_.x(), area.left(), area.right()),
                   std::clamp(lastDragPoint_.y(), area.top(), area.bottom()));
    control_.clickAt(p.x(), p.y(), true);
    listener_.dragged();
}

void EditWidget::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (listener_.takesWheel(*event)) {
        event->accept();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        event->accept();
        return;
    }
    if (delta != 0) control_.lineScroll(0, -delta * kWheelLines / 120);
    const int horizontal = event->angleDelta().x();
    if (horizontal != 0 && !control_.wordWrap())
        control_.setHorizontalScroll(std::max(0, control_.horizontalScroll() - horizontal));
    event->accept();
}

void EditWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (contextMenu_) contextMenu_(event->globalPos());
}

// --- focus and caret -------------------------------------------------------------------------

void EditWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartCaret();
    viewport()->update();
}

void EditWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    caretTimer_.stop();
    viewport()->update();
}

void EditWidget::restartCaret() {
    caretVisible_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0) caretTimer_.start(flash / 2, this);
    viewport()->update();
}

void EditWidget::timerEvent(QTimerEvent* event) {
    if (event->timerId() == caretTimer_.timerId()) {
        caretVisible_ = !caretVisible_;
        const Point at = control_.posFromChar(control_.caret());
        viewport()->update(at.x - 1, at.y, 4, control_.fontMetrics().lineHeight());
    } else if (event->timerId() == dragTimer_.timerId()) {
        autoScroll();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

}  // namespace tagloom
