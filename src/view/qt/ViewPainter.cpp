#include "view/qt/ViewPainter.h"

#include <QPainter>
#include <QWidget>
#include <cstdio>

#include "search/Marks.h"
#include "syntax/qt/SyntaxPalette.h"
#include "textmodel/qt/EditWidget.h"
#include "textmodel/qt/QtTextMetrics.h"
#include "view/CHemlowHTMLView.h"

namespace tagloom {

namespace {

const QColor kMarginYellow(255, 255, 0);
const QColor kBookmarkBlue(0, 0, 255);
// The guides and the partner frame on a light text background, and lighter
// on a dark one, where the deep blue would hardly show.
struct OverlayColours {
    QColor guideBlue;
    QColor guideRed;
    QColor partnerFrame;
};
const OverlayColours kLightOverlays{{0, 0, 255}, {255, 0, 0}, {90, 90, 200}};
const OverlayColours kDarkOverlays{{100, 160, 255}, {255, 90, 90}, {150, 150, 255}};

// By the background of the widget painted on; an image (a test, a
// benchmark) counts as light.
const OverlayColours& overlayColours(const QPainter& painter) {
    const auto* widget = dynamic_cast<const QWidget*>(painter.device());
    const bool dark = widget && schemeForBackground(widget->palette().color(QPalette::Base)) == ColourScheme::Dark;
    return dark ? kDarkOverlays : kLightOverlays;
}
constexpr int kGuideWidth = 2;
// A logical line longer than this is scanned for marks only around what is
// shown, so a page minified into one line paints as fast as any other.
constexpr int kLongLineScan = 1 << 16;

// The display lines that fit whole in the formatting rectangle: top to bottom.
struct VisibleRange {
    int top = 0;
    int bottom = 0;
};

VisibleRange visibleRange(EditControl& control, int lineHeight) {
    const Rect f = control.getRect();
    VisibleRange range;
    range.top = control.firstVisibleLine();
    range.bottom = range.top + (f.bottom - f.top) / std::max(1, lineHeight) - 1;
    range.bottom = std::min(range.bottom, control.lineCount() - 1);
    range.bottom = std::max(range.bottom, range.top);
    return range;
}

// Whether the logical line holding offset ends CR CR LF.
bool endsWithBookmark(CHemlowHTMLView& view, int offset) {
    EditControl& control = view.control();
    const int line = view.textLineOf(offset);
    if (line + 1 >= control.textLineCount()) return false;
    const int lineFeed = view.textLineStart(line + 1) - 1;
    return lineFeed >= 2 && control.charAt(lineFeed - 1) == '\r' && control.charAt(lineFeed - 2) == '\r';
}

void setEditorFont(QPainter& painter, const EditWidget& widget) {
    if (const QtTextMetrics* font = widget.editorFont()) painter.setFont(font->font());
}

}  // namespace

void PaintMargin(QPainter& painter, CHemlowHTMLView& view, EditWidget& widget) {
    EditControl& control = view.control();
    const int lineHeight = view.lineHeight();
    const int charWidth = view.charWidth();
    if (view.settings().bShowLineNum && lineHeight > 0) {
        const VisibleRange range = visibleRange(control, lineHeight);
        int number = view.textLineOf(control.lineIndex(range.bottom)) + 1;
        view.FitMarginTo(number);
        const Rect f = control.getRect();
        const int stripWidth = std::max(0, f.left - charWidth / 2);
        painter.save();
        painter.setClipRect(0, f.top, f.left, widget.viewport()->height());
        painter.fillRect(0, 0, stripWidth, widget.viewport()->height(), kMarginYellow);
        setEditorFont(painter, widget);
        const int ascent = widget.editorFont() ? widget.editorFont()->ascent() : lineHeight * 4 / 5;
        for (int i = range.bottom; i >= range.top; --i) {
            const int y = f.top + (i - range.top) * lineHeight;
            const int start = control.lineIndex(i);
            if (start < 0) continue;
            const bool bookmarked = view.bookmarkCount() > 0 && endsWithBookmark(view, start);
            if (bookmarked) painter.fillRect(0, y, stripWidth, lineHeight, kBookmarkBlue);
            if (start == 0 || control.charAt(start - 1) == '\n') {
                char text[32];
                const int length = std::snprintf(text, sizeof text, " %d ", number);
                painter.setPen(bookmarked ? Qt::white : Qt::black);
                widget.renderer().drawLabel(painter, -(charWidth / 4), y + ascent, std::string_view(text, length),
                                            control.fontMetrics());
                --number;
            }
        }
        painter.restore();
    }
    const int guide = view.guides().guides.nColumnGuideX;
    if (guide >= 0) {
        const Rect f = control.getRect();
        const int x = guide + f.left - control.horizontalScroll();
        if (x >= f.left && x < f.right)
            painter.fillRect(x, f.top, kGuideWidth, f.bottom - f.top, overlayColours(painter).guideBlue);
    }
}

namespace {

// The offset of the first CR at or after from, or the text's end.
int nextCarriageReturn(EditControl& control, int from) {
    constexpr int kChunk = 4096;
    for (int at = from; at < control.length(); at += kChunk) {
        const std::string chunk = control.copyRange(at, at + kChunk);
        const auto found = chunk.find('\r');
        if (found != std::string::npos) return at + static_cast<int>(found);
    }
    return control.length();
}

void paintLineGuide(QPainter& painter, CHemlowHTMLView& view) {
    EditControl& control = view.control();
    ViewGuides& g = view.guides().guides;
    const int lineHeight = view.lineHeight();
    const int first = control.firstVisibleLine();
    if (first != g.nGuideTopLine) {
        g.nGuideTopY -= (first - g.nGuideTopLine) * lineHeight;
        g.nGuideBottomY -= (first - g.nGuideTopLine) * lineHeight;
        g.nGuideTopLine = first;
    }
    auto [s, e] = control.selection();
    s = view.textLineStart(view.textLineOf(s));
    e = nextCarriageReturn(control, e);
    const Rect f = control.getRect();
    g.nGuideTopY = f.top + (control.lineFromChar(s) - first) * lineHeight;
    g.nGuideBottomY = f.top + (control.lineFromChar(e) - first + 1) * lineHeight;
    const QColor& red = overlayColours(painter).guideRed;
    painter.fillRect(f.left, g.nGuideTopY, f.right - f.left, kGuideWidth, red);
    painter.fillRect(f.left, g.nGuideBottomY, f.right - f.left, kGuideWidth, red);
}

// A thin frame round the bytes [start, end): one box on each display line
// they are shown on.
void frameRange(QPainter& painter, CHemlowHTMLView& view, Selection range, const QColor& colour) {
    EditControl& control = view.control();
    const int lineHeight = view.lineHeight();
    const VisibleRange shown = visibleRange(control, lineHeight);
    const int first = std::max(control.lineFromChar(range.start), shown.top);
    const int last = std::min(control.lineFromChar(std::max(range.start, range.end - 1)), shown.bottom);
    painter.save();
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    for (int line = first; line <= last; ++line) {
        const int lineStart = control.lineIndex(line);
        const int next = line + 1 < control.lineCount() ? control.lineIndex(line + 1) : control.length();
        const int a = std::max(range.start, lineStart);
        const int b = std::min(range.end, next);
        if (a >= b) continue;
        const Point left = control.posFromChar(a);
        const Point lastChar = control.posFromChar(b - 1);
        const int right = b < next ? control.posFromChar(b).x : lastChar.x + view.charWidth();
        painter.drawRect(left.x, left.y, std::max(1, right - left.x - 1), lineHeight - 1);
    }
    painter.restore();
}

}  // namespace

void PaintOverlays(QPainter& painter, CHemlowHTMLView& view) {
    if (view.guides().guides.bLineGuide) paintLineGuide(painter, view);
    if (const std::optional<TagPair>& pair = view.partnerTags()) {
        const QColor& frame = overlayColours(painter).partnerFrame;
        frameRange(painter, view, pair->tag, frame);
        frameRange(painter, view, pair->partner, frame);
    }
}

// The logical lines of the bytes shown are searched whole, so what is marked
// does not change with scrolling; only a line longer than kLongLineScan is
// cut to what is shown and a mark's length on either side.
void MarkedStretches(CHemlowHTMLView& view, int shownFrom, int shownTo, std::vector<Selection>& marked) {
    if (!view.marks().shown()) return;
    EditControl& control = view.control();
    const std::optional<std::string> mark = fromUtf8(view.marks().strMarkText, control.encoding());
    if (!mark) return;
    const TextMatcher matcher(*mark, view.settings().bMatchCase != 0, control.encoding());
    int from = view.textLineStart(view.textLineOf(shownFrom));
    const int lastLine = view.textLineOf(std::max(shownFrom, shownTo - 1));
    int to = lastLine + 1 < control.textLineCount() ? view.textLineStart(lastLine + 1) : control.length();
    const int slack = static_cast<int>(matcher.longestMatch());
    if (shownFrom - from > kLongLineScan) from = std::max(from, shownFrom - slack);
    if (to - shownTo > kLongLineScan) to = std::min(to, shownTo + slack);

    const std::string text = control.copyRange(from, to);
    const char before = from > 0 ? control.charAt(from - 1) : '\0';
    const char after = to < control.length() ? control.charAt(to) : '\0';
    for (const TextMatch& found : findMarks(text, matcher, view.settings().bWholeWord != 0, before, after)) {
        const int start = from + static_cast<int>(found.start);
        marked.push_back({start, start + static_cast<int>(found.length)});
    }
}

void SyntaxStretches(CHemlowHTMLView& view, const EditWidget& widget, int from, int to,
                     std::vector<ColouredStretch>& coloured) {
    std::vector<StyleRun> runs;
    view.syntax().runs(from, to, runs);
    appendColouredStretches(runs, schemeForBackground(widget.palette().color(QPalette::Base)), coloured);
}

}  // namespace tagloom
