#pragma once
// The text widget: paints the visible part of the edit control's model with
// its font, the caret and the selection, and forwards keys, the mouse, the
// wheel and size changes to the model, and what the model does not handle to
// its listener (the editor view). It holds no editing logic of its own.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <functional>

#include "textmodel/EditControl.h"
#include "textmodel/qt/TextRenderer.h"

class QPainter;

namespace tagloom {

class QtTextMetrics;

// What the widget tells the editor view.
class EditWidgetListener {
public:
    virtual void sized(int width, int height) = 0;
    // A Tab or Shift+Tab; true when the listener took it, else it is typed.
    virtual bool tabTyped(bool shift) = 0;
    // Enter, and typed characters (UTF-8): true when the listener typed them
    // itself, else the text takes them as they are.
    virtual bool enterTyped() = 0;
    virtual bool charactersTyped(std::string_view text) = 0;
    // Typed characters the text cannot take: one its encoding has no byte
    // for, or more than its limit.
    virtual void typingRefused() = 0;
    // After the widget and the model handled a key (or left it to the menus).
    virtual void keyHandled(const QKeyEvent& event) = 0;
    // Before a left-button press reaches the model; true when the listener
    // took it (the widget then lets the mouse go).
    virtual bool takesLeftPress(const QPoint& globalPosition) = 0;
    // After the model handled a click or a drag step.
    virtual void clicked() = 0;
    virtual void dragged() = 0;
    virtual void doubleClicked() = 0;
    // True when the listener used the turn, so the text must not scroll.
    virtual bool takesWheel(const QWheelEvent& event) = 0;

protected:
    ~EditWidgetListener() = default;
};

class EditWidget : public QAbstractScrollArea, private EditObserver {
    Q_OBJECT
public:
    EditWidget(EditControl& control, EditWidgetListener& listener, QWidget* parent = nullptr);
    ~EditWidget() override;

    // Painted after the text, in the same paint: the margin and the overlays.
    using Decorator = std::function<void(QPainter&)>;
    void setDecorator(Decorator decorator) { decorator_ = std::move(decorator); }
    // Asked for the stretches to draw on the marked colour among the bytes
    // [from, to) shown, in order of their starts.
    using Marker = std::function<void(int from, int to, std::vector<Selection>& marked)>;
    void setMarker(Marker marker) { marker_ = std::move(marker); }
    // Asked, like the marker, for the stretches of [from, to) whose glyphs
    // take a colour of their own (syntax colouring), in order of their starts.
    using Colourer = std::function<void(int from, int to, std::vector<ColouredStretch>& coloured)>;
    void setColourer(Colourer colourer) { colourer_ = std::move(colourer); }
    // Asked to show the context menu at a global position.
    void setContextMenuHandler(std::function<void(const QPoint&)> handler) { contextMenu_ = std::move(handler); }

    // Draws the text of the visible lines with the given painter (the widget's
    // own paint, an offscreen image).
    void paintText(QPainter& painter);
    // The renderer in the editor font, for what is drawn beside the text.
    TextRenderer& renderer() { return renderer_; }
    const QtTextMetrics* editorFont() const;
    // Brings the scroll bars in line with the model.
    void syncScrollBars();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void onHScroll() override;
    void onVScroll() override;
    void onRepaint(const RepaintRange&) override;
    void onUpdate() override;

    bool handleNavigation(QKeyEvent* event);
    bool handleEditing(QKeyEvent* event);
    void typeCharacters(const QString& text);
    void restartCaret();
    void autoScroll();

    EditControl& control_;
    EditWidgetListener& listener_;
    TextRenderer renderer_;
    Decorator decorator_;
    Marker marker_;
    Colourer colourer_;
    std::vector<ColouredStretch> coloured_;
    std::vector<Selection> marked_;
    std::function<void(const QPoint&)> contextMenu_;
    QBasicTimer caretTimer_;
    QBasicTimer dragTimer_;
    QPoint lastDragPoint_;
    bool caretVisible_ = true;
    bool dragging_ = false;
    bool syncing_ = false;
    bool syncPosted_ = false;
    int widestSeen_ = 0;
};

}  // namespace tagloom
