#pragma once
// The text widget: paints the visible part of the edit control's model with
// its font, the caret and the selection, and forwards keys, the mouse, the
// wheel and size changes to the model and to the editor view. It holds no
// editing logic of its own.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QRawFont>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "view/EditControl.h"

class QPainter;

namespace tagloom {

class CHemlowHTMLView;
class QtTextMetrics;

class EditWidget : public QAbstractScrollArea, private EditObserver {
    Q_OBJECT
public:
    explicit EditWidget(CHemlowHTMLView& view, QWidget* parent = nullptr);
    ~EditWidget() override;

    // Painted after the text, in the same paint: the margin and the overlays.
    using Decorator = std::function<void(QPainter&)>;
    void setDecorator(Decorator decorator) { decorator_ = std::move(decorator); }
    // Asked to show the context menu at a global position.
    void setContextMenuHandler(std::function<void(const QPoint&)> handler) { contextMenu_ = std::move(handler); }

    // Draws the text of the visible lines with the given painter (the widget's
    // own paint, an offscreen image, the print layout).
    void paintText(QPainter& painter);
    // Draws a short ASCII text (a line number) in the editor font with the
    // painter's pen, the way the text is drawn: one glyph run, no shaping.
    void paintLabel(QPainter& painter, int x, int baseline, std::string_view text);
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
    void onChange(const TextChange&) override {}
    void onHScroll() override;
    void onVScroll() override;
    void onRepaint(const RepaintRange&) override;
    void onUpdate() override;

    bool handleNavigation(QKeyEvent* event);
    bool handleEditing(QKeyEvent* event);
    void restartCaret();
    void autoScroll();
    void pickColor(const QPoint& global);
    // The editor font's glyph for a character; 0 when the font has none.
    quint32 glyphOf(char32_t codePoint);

    CHemlowHTMLView& view_;
    EditControl& control_;
    Decorator decorator_;
    std::function<void(const QPoint&)> contextMenu_;
    QBasicTimer caretTimer_;
    QBasicTimer dragTimer_;
    QPoint lastDragPoint_;
    bool caretVisible_ = true;
    bool dragging_ = false;
    bool syncing_ = false;
    int widestSeen_ = 0;
    std::vector<VisibleChar> chars_;
    // The font the glyph cache was made for.
    std::optional<QFont> glyphFont_;
    QRawFont rawFont_;
    std::unordered_map<char32_t, quint32> glyphCache_;
};

}  // namespace tagloom
