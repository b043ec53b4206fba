#include "view/qt/EditWidget.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyleHints>

#include "resources/Keys.h"
#include "resources/qt/KeySequences.h"
#include "view/CHemlowHTMLView.h"
#include "view/qt/QtTextMetrics.h"

namespace tagloom {

namespace {

constexpr int kWheelLines = 3;
constexpr int kAutoScrollMs = 50;

QString unitText(char32_t codePoint) {
    const char32_t units[1] = {codePoint};
    return QString::fromUcs4(units, 1);
}

}  // namespace

EditWidget::EditWidget(CHemlowHTMLView& view, QWidget* parent)
    : QAbstractScrollArea(parent), view_(view), control_(view.control()) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::StyledPanel);
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
    // Compared by the font itself: a new metrics object may reuse the address of one freed.
    const std::optional<QFont> shown = font ? std::optional<QFont>(font->font()) : std::nullopt;
    if (shown != glyphFont_) {
        glyphFont_ = shown;
        rawFont_ = shown ? QRawFont::fromFont(*shown) : QRawFont();
        glyphCache_.clear();
    }
    const int lineHeight = control_.fontMetrics().lineHeight();
    const int ascent = font ? font->ascent() : lineHeight * 4 / 5;
    if (font) painter.setFont(font->font());

    const QPalette& pal = palette();
    painter.fillRect(text, pal.color(QPalette::Base));
    painter.save();
    painter.setClipRect(text);

    int selStart = 0, selEnd = 0;
    control_.getSel(selStart, selEnd);
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const QColor highlight = pal.color(group, QPalette::Highlight);
    const QColor highlightText = pal.color(group, QPalette::HighlightedText);
    const QColor textColor = pal.color(QPalette::Text);
    const QColor symbolFill(0xe4, 0xe4, 0xe4);
    const QColor symbolText(0x90, 0x30, 0x30);

    for (const VisibleLine& visible : control_.visibleLines()) {
        const DisplayLine& row = visible.line;
        chars_.clear();
        control_.visibleChars(row, chars_);
        const int baseline = visible.y + ascent;

        // Selection backgrounds, then the glyphs in runs of one colour.
        for (const VisibleChar& c : chars_)
            if (c.offset >= selStart && c.offset < selEnd)
                painter.fillRect(c.x, visible.y, c.width, lineHeight, highlight);
        const bool breakSelected = row.end < row.next && row.end >= selStart && row.end < selEnd;
        if (breakSelected) {
            const Point at = control_.posFromChar(row.end);
            if (at.y == visible.y)
                painter.fillRect(at.x, visible.y, std::max(2, control_.fontMetrics().averageCharWidth() / 2),
                                 lineHeight, highlight);
        }

        // Each character at the x the layout gave it, so the caret, the
        // selection and the marks always line up with the glyphs. Characters
        // the font has go out together as one glyph run; the others (drawn
        // from a fallback font) one by one.
        QVector<quint32> glyphs;
        QVector<QPointF> positions;
        bool runSelected = false;
        const auto flush = [&] {
            if (glyphs.isEmpty() || !rawFont_.isValid()) return;
            QGlyphRun run;
            run.setRawFont(rawFont_);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.setPen(runSelected ? highlightText : textColor);
            painter.drawGlyphRun(QPointF(0, baseline), run);
            glyphs.clear();
            positions.clear();
        };
        for (const VisibleChar& c : chars_) {
            const bool selected = c.offset >= selStart && c.offset < selEnd;
            if (c.kind == UnitKind::Tab) continue;
            if (c.kind == UnitKind::Symbol) {
                const QRect box(c.x + 1, visible.y + 1, std::max(1, c.width - 2), lineHeight - 2);
                painter.fillRect(box, selected ? highlight.darker(115) : symbolFill);
                painter.setPen(selected ? highlightText : symbolText);
                painter.drawText(box, Qt::AlignCenter, unitText(c.codePoint));
                continue;
            }
            const quint32 glyph = glyphOf(c.codePoint);
            if (glyph == 0) {
                flush();
                painter.setPen(selected ? highlightText : textColor);
                painter.drawText(c.x, baseline, unitText(c.codePoint));
                continue;
            }
            if (selected != runSelected) flush();
            runSelected = selected;
            glyphs.append(glyph);
            positions.append(QPointF(c.x, 0));
        }
        flush();
        widestSeen_ = std::max<int>(widestSeen_, static_cast<int>(std::min<std::int64_t>(control_.lineWidth(row), INT32_MAX)));
    }

    if (hasFocus() && caretVisible_ && selStart == selEnd) {
        const Point at = control_.posFromChar(control_.caret());
        painter.fillRect(at.x, at.y, 2, lineHeight, textColor);
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

void EditWidget::paintLabel(QPainter& painter, int x, int baseline, std::string_view text) {
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
    for (const char c : text) {
        const quint32 glyph = glyphOf(static_cast<unsigned char>(c));
        if (glyph == 0) {
            painter.drawText(x, baseline, QString::fromLatin1(text.data(), static_cast<int>(text.size())));
            return;
        }
        glyphs.append(glyph);
        positions.append(QPointF(x, 0));
        x += control_.fontMetrics().charWidth(static_cast<unsigned char>(c));
    }
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, baseline), run);
}

quint32 EditWidget::glyphOf(char32_t codePoint) {
    const auto it = glyphCache_.find(codePoint);
    if (it != glyphCache_.end()) return it->second;
    quint32 glyph = 0;
    if (rawFont_.isValid() && rawFont_.supportsCharacter(static_cast<uint>(codePoint))) {
        const QList<quint32> indexes = rawFont_.glyphIndexesForString(unitText(codePoint));
        if (indexes.size() == 1) glyph = indexes.front();
    }
    glyphCache_.emplace(codePoint, glyph);
    return glyph;
}

// --- scrolling ---------------------------------------------------------------------

void EditWidget::syncScrollBars() {
    syncing_ = true;
    const int visibleLines = control_.visibleLineCount();
    verticalScrollBar()->setRange(0, std::max(0, control_.lineCount() - 1));
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

void EditWidget::onRepaint(const RepaintRange&) { viewport()->update(); }

void EditWidget::onUpdate() {
    restartCaret();
    syncScrollBars();
}

void EditWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    view_.OnSize(viewport()->width(), viewport()->height());
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
        control_.typeText("\r\n");
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (modifiers != Qt::NoModifier) return false;
        const bool shift = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        if (!view_.OnTabKey(shift)) control_.typeText("\t");
        return true;
    }
    default: break;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    control_.typeText(text.toUtf8().toStdString());
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
    view_.OnKeyDown(virtualKeyOf(event->key()), modifiersOf(event->modifiers()));
}

void EditWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) control_.typeText(event->commitString().toUtf8().toStdString());
    event->accept();
}

bool EditWidget::focusNextPrevChild(bool) { return false; }  // Tab belongs to the text

// --- mouse ---------------------------------------------------------------------------------

void EditWidget::mousePressEvent(QMouseEvent* event) {
    if (view_.guides.bPickColor && event->button() == Qt::LeftButton) {
        pickColor(event->globalPosition().toPoint());
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
    view_.OnMouseDown();
}

// The click of Color Picker: the colour of the screen pixel under it.
void EditWidget::pickColor(const QPoint& global) {
    releaseMouse();
    view_.guides.bPickColor = 0;
    QScreen* screen = QGuiApplication::screenAt(global);
    if (!screen) return;
    const QPoint local = global - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (pixel.isNull()) return;
    const QColor c = pixel.pixelColor(0, 0);
    view_.ShowColor(Rgb{c.red(), c.green(), c.blue()});
}

void EditWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    lastDragPoint_ = event->position().toPoint();
    control_.clickAt(lastDragPoint_.x(), lastDragPoint_.y(), true);
    view_.postRepaint();
    if (!viewport()->rect().contains(lastDragPoint_))
        dragTimer_.start(kAutoScrollMs, this);
    else
        dragTimer_.stop();
}

void EditWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        dragTimer_.stop();
        view_.UpdateLnCol();
    }
}

void EditWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    view_.OnDoubleClick();
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
    view_.postRepaint();
}

void EditWidget::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    const bool buttons = event->buttons() != Qt::NoButton;
    if (view_.OnMouseWheel(delta, modifiersOf(event->modifiers()), buttons)) {
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
