#include "resources/qt/ToolbarIcons.h"

#include <QFont>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <iterator>
#include <map>
#include <tuple>

#include "resources/CommandIds.h"

namespace tagloom {
namespace {

// Every icon is drawn on a 32 x 32 grid and scaled to the size asked for.
// Outlines are 2 units wide on whole-unit coordinates, so that at 32 px and
// its multiples they cover whole pixels.
constexpr qreal kGrid = 32;

// One palette for the whole set.
constexpr QRgb kInk = 0xff36404e;
constexpr QRgb kPaper = 0xffffffff;
constexpr QRgb kTextGray = 0xff9aa4b1;
constexpr QRgb kPanel = 0xffdde2e8;
constexpr QRgb kBlue = 0xff2b7de0;
constexpr QRgb kDarkBlue = 0xff1d5aa6;
constexpr QRgb kPaleBlue = 0xffd3e4fa;
constexpr QRgb kGreen = 0xff2e9e5b;
constexpr QRgb kRed = 0xffdc3d3d;
constexpr QRgb kYellow = 0xffffd23f;
constexpr QRgb kFolder = 0xfff4bf4f;
constexpr QRgb kFolderBack = 0xffdc9f2c;
constexpr QRgb kBoard = 0xffc98d55;

constexpr qreal kOutline = 2;
constexpr qreal kBold = 3;

QPen pen(QRgb color, qreal width = kOutline) {
    return QPen(QColor::fromRgba(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillAndStroke(QPainter& p, const QPainterPath& path, QRgb fill, QRgb outline = kInk) {
    p.setPen(pen(outline));
    p.setBrush(QColor::fromRgba(fill));
    p.drawPath(path);
}

void line(QPainter& p, QPointF from, QPointF to, QRgb color, qreal width = kOutline) {
    p.setPen(pen(color, width));
    p.drawLine(from, to);
}

// A sheet of paper with its top right corner folded down.
void page(QPainter& p, const QRectF& r) {
    constexpr qreal fold = 6;
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    fillAndStroke(p, sheet, kPaper);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(Qt::NoBrush);
    p.drawPath(corner);
}

// Grey lines of text from x0 to x1, one every `step` units from y0 to y1.
void textLines(QPainter& p, qreal x0, qreal x1, qreal y0, qreal y1, qreal step) {
    for (qreal y = y0; y <= y1; y += step) line(p, {x0, y}, {x1, y}, kTextGray);
}

// A filled triangular arrow head whose tip is at `tip`, pointing along (dx, dy).
void arrowHead(QPainter& p, QPointF tip, qreal dx, qreal dy, QRgb color, qreal size = 5) {
    const QPointF back = tip - QPointF(dx, dy) * size;
    const QPointF side = QPointF(-dy, dx) * size;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(back + side);
    head.lineTo(back - side);
    head.closeSubpath();
    p.setPen(pen(color, 1));
    p.setBrush(QColor::fromRgba(color));
    p.drawPath(head);
}

// A straight horizontal arrow from x0 to the tip at x1 (either direction).
void horizontalArrow(QPainter& p, qreal x0, qreal x1, qreal y, QRgb color) {
    const qreal dir = x1 > x0 ? 1 : -1;
    line(p, {x0, y}, {x1 - dir * 4, y}, color, kBold);
    arrowHead(p, {x1, y}, dir, 0, color, 4.5);
}

// A pair of angle brackets, optionally with the slash of a closing tag.
void tagBrackets(QPainter& p, const QRectF& r, QRgb color, bool withSlash) {
    const qreal arm = r.width() * 0.3;
    const qreal mid = r.center().y();
    QPainterPath brackets;
    brackets.moveTo(r.left() + arm, r.top());
    brackets.lineTo(r.left(), mid);
    brackets.lineTo(r.left() + arm, r.bottom());
    brackets.moveTo(r.right() - arm, r.top());
    brackets.lineTo(r.right(), mid);
    brackets.lineTo(r.right() - arm, r.bottom());
    if (withSlash) {
        brackets.moveTo(r.center().x() + arm * 0.45, r.top() - 1);
        brackets.lineTo(r.center().x() - arm * 0.45, r.bottom() + 1);
    }
    p.setPen(pen(color, kBold));
    p.setBrush(Qt::NoBrush);
    p.drawPath(brackets);
}

// Text turned into a filled outline that fits the box, centred.
void glyphs(QPainter& p, const QString& text, const QRectF& box, QRgb color) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(color));
    p.drawPath(fit.map(path));
}

void magnifier(QPainter& p, QPointF centre, qreal radius, qreal handle) {
    const QPointF rim = centre + QPointF(radius, radius) * 0.7071;
    line(p, rim, rim + QPointF(handle, handle), kInk, 4);
    p.setPen(pen(kInk, 2.5));
    p.setBrush(QColor::fromRgba(kPaper));
    p.drawEllipse(centre, radius, radius);
}

void folder(QPainter& p, const QRectF& r, bool open) {
    QPainterPath back;
    back.moveTo(r.left(), r.top());
    back.lineTo(r.left() + r.width() * 0.36, r.top());
    back.lineTo(r.left() + r.width() * 0.36 + 3, r.top() + 3);
    back.lineTo(r.right(), r.top() + 3);
    back.lineTo(r.right(), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    fillAndStroke(p, back, kFolderBack);
    QPainterPath front;
    const qreal top = r.top() + 8;
    if (open) {
        front.moveTo(r.left() + 5, top);
        front.lineTo(r.right() + 4, top);
        front.lineTo(r.right(), r.bottom());
        front.lineTo(r.left(), r.bottom());
    } else {
        front.moveTo(r.left(), top);
        front.lineTo(r.right(), top);
        front.lineTo(r.right(), r.bottom());
        front.lineTo(r.left(), r.bottom());
    }
    front.closeSubpath();
    fillAndStroke(p, front, kFolder);
}

// A bookmark ribbon with a notched tail, the colour of bookmarked lines.
void ribbon(QPainter& p, const QRectF& r) {
    QPainterPath shape;
    shape.moveTo(r.topLeft());
    shape.lineTo(r.topRight());
    shape.lineTo(r.bottomRight());
    shape.lineTo(r.center().x(), r.bottom() - r.width() * 0.45);
    shape.lineTo(r.bottomLeft());
    shape.closeSubpath();
    fillAndStroke(p, shape, kBlue, kDarkBlue);
}

// A curved arrow turning back to the left, as for Undo.
void backArrow(QPainter& p) {
    QPainterPath curve;
    curve.moveTo(26, 26);
    curve.cubicTo(27, 17, 22, 11, 14, 11);
    curve.lineTo(11, 11);
    p.setPen(pen(kBlue, kBold));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    arrowHead(p, {4, 11}, -1, 0, kBlue, 7);
}

// The icons, one per toolbar button.

void drawNew(QPainter& p) {
    page(p, {7, 3, 18, 26});
    textLines(p, 11, 19, 12, 16, 4);
    p.setPen(pen(kPaper, 2));
    p.setBrush(QColor::fromRgba(kGreen));
    p.drawEllipse(QPointF(23, 23), 7, 7);
    line(p, {23, 19}, {23, 27}, kPaper, 2.5);
    line(p, {19, 23}, {27, 23}, kPaper, 2.5);
}

void drawOpen(QPainter& p) { folder(p, {3, 7, 23, 20}, true); }

void drawSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(24, 4);
    body.lineTo(28, 8);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    fillAndStroke(p, body, kBlue, kDarkBlue);
    p.setPen(pen(kDarkBlue));
    p.setBrush(QColor::fromRgba(kPanel));
    p.drawRect(QRectF(9, 4, 13, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kDarkBlue));
    p.drawRect(QRectF(17, 6, 3, 4));
    p.setPen(pen(kDarkBlue));
    p.setBrush(QColor::fromRgba(kPaper));
    p.drawRect(QRectF(8, 16, 16, 12));
    textLines(p, 11, 21, 20, 24, 4);
}

void drawCut(QPainter& p) {
    line(p, {12.5, 19}, {22, 3}, kInk, 2.5);
    line(p, {19.5, 19}, {10, 3}, kInk, 2.5);
    p.setPen(pen(kRed, 2.5));
    p.setBrush(QColor::fromRgba(kPaper));
    p.drawEllipse(QPointF(10, 23.5), 4.5, 4.5);
    p.drawEllipse(QPointF(22, 23.5), 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kInk));
    p.drawEllipse(QPointF(16, 13.5), 1.5, 1.5);
}

void drawCopy(QPainter& p) {
    page(p, {4, 3, 15, 19});
    textLines(p, 7, 13, 10, 14, 4);
    page(p, {13, 10, 15, 19});
    textLines(p, 16, 24, 18, 26, 4);
}

void drawPaste(QPainter& p) {
    QPainterPath board;
    board.addRoundedRect(QRectF(4, 5, 19, 24), 2, 2);
    fillAndStroke(p, board, kBoard);
    p.setPen(pen(kInk));
    p.setBrush(QColor::fromRgba(kPanel));
    p.drawRoundedRect(QRectF(9, 2, 9, 6), 1.5, 1.5);
    page(p, {13, 11, 15, 18});
    textLines(p, 16, 24, 19, 25, 3);
}

void drawPasteFromLifo(QPainter& p) {
    // A stack of clips in a tray; the last one in (blue) comes out first.
    p.setPen(pen(kInk));
    p.setBrush(QColor::fromRgba(kPanel));
    p.drawRect(QRectF(8, 23, 16, 4));
    p.drawRect(QRectF(8, 17, 16, 4));
    p.setPen(pen(kDarkBlue));
    p.setBrush(QColor::fromRgba(kBlue));
    p.drawRect(QRectF(8, 11, 16, 4));
    QPainterPath tray;
    tray.moveTo(4, 12);
    tray.lineTo(4, 30);
    tray.lineTo(28, 30);
    tray.lineTo(28, 12);
    p.setPen(pen(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tray);
    line(p, {16, 9}, {16, 5}, kGreen, kBold);
    arrowHead(p, {16, 1}, 0, -1, kGreen, 4.5);
}

void drawUndo(QPainter& p) { backArrow(p); }

void drawRedo(QPainter& p) {
    p.translate(kGrid, 0);
    p.scale(-1, 1);
    backArrow(p);
}

void drawPrint(QPainter& p) {
    p.setPen(pen(kInk));
    p.setBrush(QColor::fromRgba(kPaper));
    p.drawRect(QRectF(9, 3, 14, 9));
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 11, 26, 13), 2, 2);
    fillAndStroke(p, body, kPanel);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kGreen));
    p.drawEllipse(QPointF(24.5, 15.5), 1.5, 1.5);
    page(p, {9, 19, 14, 10});
    textLines(p, 12, 20, 23, 26, 3);
}

void drawPrintPreview(QPainter& p) {
    page(p, {5, 3, 17, 23});
    textLines(p, 8, 16, 10, 18, 4);
    magnifier(p, {20, 20}, 6, 5);
    textLines(p, 17, 23, 18, 22, 4);
}

void drawAbout(QPainter& p) {
    p.setPen(pen(kDarkBlue));
    p.setBrush(QColor::fromRgba(kBlue));
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kPaper));
    p.drawEllipse(QPointF(16, 9.5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(13.75, 13.5, 4.5, 11.5), 1.5, 1.5);
}

void drawOpenInBrowser(QPainter& p) {
    p.setPen(pen(kDarkBlue));
    p.setBrush(QColor::fromRgba(kPaleBlue));
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 5.5, 13);
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.drawLine(QPointF(6, 9), QPointF(26, 9));
    p.drawLine(QPointF(6, 23), QPointF(26, 23));
}

void drawHtmlFormat(QPainter& p) {
    // Indented lines, as the formatter lays out nested tags.
    page(p, {4, 3, 24, 26});
    line(p, {8, 10}, {17, 10}, kBlue);
    line(p, {12, 14}, {21, 14}, kBlue);
    line(p, {16, 18}, {24, 18}, kTextGray);
    line(p, {12, 22}, {21, 22}, kBlue);
    line(p, {8, 26}, {17, 26}, kBlue);
}

void drawHtmlTags(QPainter& p) {
    tagBrackets(p, {3, 7, 26, 18}, kBlue, false);
    line(p, {16, 11}, {16, 21}, kGreen, kBold);
    line(p, {11, 16}, {21, 16}, kGreen, kBold);
}

void drawSelectMatchingTags(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kPaleBlue));
    p.drawRoundedRect(QRectF(1, 6, 30, 20), 3, 3);
    tagBrackets(p, {4, 9, 24, 14}, kBlue, true);
}

void drawFindNextTag(QPainter& p) {
    tagBrackets(p, {6, 4, 20, 14}, kBlue, false);
    horizontalArrow(p, 4, 29, 26, kGreen);
}

void drawFindPreviousTag(QPainter& p) {
    tagBrackets(p, {6, 4, 20, 14}, kBlue, false);
    horizontalArrow(p, 28, 3, 26, kGreen);
}

// The paragraph mark that stands for text outside of tags.
void pilcrow(QPainter& p) {
    QPainterPath bowl;
    bowl.moveTo(16, 3);
    bowl.arcTo(QRectF(8, 3, 10, 10), 90, 180);
    bowl.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kInk));
    p.drawPath(bowl);
    p.setPen(pen(kInk, 2.5));
    p.drawLine(QPointF(13, 4), QPointF(22, 4));
    p.drawLine(QPointF(16, 4), QPointF(16, 19));
    p.drawLine(QPointF(20.5, 4), QPointF(20.5, 19));
}

void drawFindNextUntagged(QPainter& p) {
    pilcrow(p);
    horizontalArrow(p, 4, 29, 26, kGreen);
}

void drawFindPreviousUntagged(QPainter& p) {
    pilcrow(p);
    horizontalArrow(p, 28, 3, 26, kGreen);
}

void drawHtmlCharCodes(QPainter& p) { glyphs(p, QStringLiteral("&"), {4, 3, 24, 26}, kBlue); }

void drawReadOnly(QPainter& p) {
    QPainterPath shackle;
    shackle.moveTo(10, 15);
    shackle.lineTo(10, 10);
    shackle.arcTo(QRectF(10, 3, 12, 13), 180, -180);
    shackle.lineTo(22, 15);
    p.setPen(pen(kInk, kBold));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);
    QPainterPath body;
    body.addRoundedRect(QRectF(6, 14, 20, 15), 2, 2);
    fillAndStroke(p, body, kFolder);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kInk));
    p.drawEllipse(QPointF(16, 20), 2.25, 2.25);
    p.drawRect(QRectF(15, 20, 2, 5));
}

void drawMarkHighlight(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kYellow));
    p.drawRect(QRectF(3, 23, 20, 6));
    // The pen, tip down and to the left, touching the end of the mark.
    p.save();
    p.translate(19, 15);
    p.rotate(45);
    QPainterPath tip;
    tip.moveTo(-3, 6);
    tip.lineTo(3, 6);
    tip.lineTo(1.5, 10);
    tip.lineTo(-1.5, 10);
    tip.closeSubpath();
    fillAndStroke(p, tip, kYellow);
    p.setPen(pen(kInk));
    p.setBrush(QColor::fromRgba(kPanel));
    p.drawRect(QRectF(-4, 3, 8, 3));
    p.setBrush(QColor::fromRgba(kYellow));
    p.drawRoundedRect(QRectF(-4, -12, 8, 15), 1.5, 1.5);
    p.restore();
}

void drawWordWrap(QPainter& p) {
    line(p, {4, 7}, {28, 7}, kInk, 2.5);
    QPainterPath wrap;
    wrap.moveTo(4, 15);
    wrap.lineTo(22, 15);
    wrap.cubicTo(29, 15, 29, 24, 22, 24);
    wrap.lineTo(20, 24);
    p.setPen(pen(kBlue, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wrap);
    arrowHead(p, {14, 24}, -1, 0, kBlue, 5);
    line(p, {4, 24}, {9, 24}, kInk, 2.5);
}

void drawLineNumbers(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kYellow));
    p.drawRect(QRectF(2, 2, 12, 28));
    glyphs(p, QStringLiteral("1"), {4.5, 3.5, 7, 8}, kInk);
    glyphs(p, QStringLiteral("2"), {4.5, 12, 7, 8}, kInk);
    glyphs(p, QStringLiteral("3"), {4.5, 20.5, 7, 8}, kInk);
    line(p, {18, 7.5}, {29, 7.5}, kTextGray);
    line(p, {18, 16}, {26, 16}, kTextGray);
    line(p, {18, 24.5}, {28, 24.5}, kTextGray);
}

void drawColumnGuide(QPainter& p) {
    textLines(p, 4, 27, 6, 26, 5);
    line(p, {18, 2}, {18, 30}, kBlue, kBold);
}

void drawLineGuide(QPainter& p) {
    line(p, {5, 6}, {26, 6}, kTextGray);
    line(p, {5, 16}, {23, 16}, kInk);
    line(p, {5, 26}, {25, 26}, kTextGray);
    line(p, {2, 11}, {30, 11}, kRed, kBold);
    line(p, {2, 21}, {30, 21}, kRed, kBold);
}

void drawToggleBookmark(QPainter& p) { ribbon(p, {9, 3, 14, 26}); }

void drawNextBookmark(QPainter& p) {
    ribbon(p, {10, 2, 12, 19});
    horizontalArrow(p, 4, 29, 26, kGreen);
}

void drawPreviousBookmark(QPainter& p) {
    ribbon(p, {10, 2, 12, 19});
    horizontalArrow(p, 28, 3, 26, kGreen);
}

void drawClearBookmarks(QPainter& p) {
    ribbon(p, {6, 3, 14, 24});
    p.setPen(pen(kPaper, 2));
    p.setBrush(QColor::fromRgba(kRed));
    p.drawEllipse(QPointF(23, 23), 7, 7);
    line(p, {20, 20}, {26, 26}, kPaper, 2.5);
    line(p, {26, 20}, {20, 26}, kPaper, 2.5);
}

void drawFindAndMark(QPainter& p) {
    magnifier(p, {13, 13}, 9.5, 7.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(kYellow));
    p.drawRect(QRectF(7, 11, 12, 4.5));
}

void drawFindInFiles(QPainter& p) {
    folder(p, {2, 4, 22, 18}, false);
    magnifier(p, {21, 20}, 6, 4.5);
}

using Drawing = void (*)(QPainter&);

// Draws one icon, whatever size and pixel ratio the toolbar asks for.
class DrawnIconEngine final : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing draw) : draw_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect.topLeft(), drawn(rect.size() * ratio, mode, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override { return drawn(size, mode, 1.0); }

    QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }

private:
    // Buttons repaint on every hover and enable change: each size is drawn once.
    const QPixmap& drawn(const QSize& pixels, QIcon::Mode mode, qreal ratio) {
        const auto key = std::make_tuple(pixels.width(), pixels.height(), static_cast<int>(mode), ratio);
        auto it = drawn_.find(key);
        if (it == drawn_.end()) {
            QPixmap image = QPixmap::fromImage(render(pixels, mode));
            image.setDevicePixelRatio(ratio);
            it = drawn_.emplace(key, std::move(image)).first;
        }
        return it->second;
    }

    QImage render(const QSize& size, QIcon::Mode mode) const {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (image.isNull()) return image;
        const qreal side = std::min(size.width(), size.height());
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate((size.width() - side) / 2, (size.height() - side) / 2);
            p.scale(side / kGrid, side / kGrid);
            draw_(p);
        }
        if (mode == QIcon::Disabled) fadeToGray(image);
        return image;
    }

    // Disabled buttons show their icon grey and faint.
    static void fadeToGray(QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(row[x]) * 2 / 5;
                const int gray = qGray(row[x]) * 2 / 5;
                row[x] = qRgba(gray, gray, gray, alpha);
            }
        }
    }

    Drawing draw_;
    std::map<std::tuple<int, int, int, qreal>, QPixmap> drawn_;
};

struct IconSpec {
    int command;
    const char* themeName;  // freedesktop icon name, or nullptr when there is no standard icon
    Drawing draw;
};

constexpr IconSpec kIcons[] = {
    {cmd::New, "document-new", drawNew},
    {cmd::Open, "document-open", drawOpen},
    {cmd::Save, "document-save", drawSave},
    {cmd::Cut, "edit-cut", drawCut},
    {cmd::Copy, "edit-copy", drawCopy},
    {cmd::Paste, "edit-paste", drawPaste},
    {cmd::PasteFromLifo, nullptr, drawPasteFromLifo},
    {cmd::Undo, "edit-undo", drawUndo},
    {cmd::Redo, "edit-redo", drawRedo},
    {cmd::Print, "document-print", drawPrint},
    {cmd::PrintPreview, "document-print-preview", drawPrintPreview},
    {cmd::About, "help-about", drawAbout},
    {cmd::OpenInBrowser, nullptr, drawOpenInBrowser},
    {cmd::HtmlFormat, nullptr, drawHtmlFormat},
    {cmd::HtmlTags, nullptr, drawHtmlTags},
    {cmd::SelectMatchingTags, nullptr, drawSelectMatchingTags},
    {cmd::FindNextTag, nullptr, drawFindNextTag},
    {cmd::FindPreviousTag, nullptr, drawFindPreviousTag},
    {cmd::FindNextUntagged, nullptr, drawFindNextUntagged},
    {cmd::FindPreviousUntagged, nullptr, drawFindPreviousUntagged},
    {cmd::HtmlCharCodes, nullptr, drawHtmlCharCodes},
    {cmd::ReadOnly, nullptr, drawReadOnly},
    {cmd::MarkHighlight, nullptr, drawMarkHighlight},
    {cmd::WordWrap, nullptr, drawWordWrap},
    {cmd::LineNumbers, nullptr, drawLineNumbers},
    {cmd::ColumnGuide, nullptr, drawColumnGuide},
    {cmd::LineGuide, nullptr, drawLineGuide},
    {cmd::ToggleBookmark, nullptr, drawToggleBookmark},
    {cmd::NextBookmark, nullptr, drawNextBookmark},
    {cmd::PreviousBookmark, nullptr, drawPreviousBookmark},
    {cmd::ClearBookmarks, nullptr, drawClearBookmarks},
    {cmd::FindAndMark, "edit-find", drawFindAndMark},
    {cmd::FindInFiles, nullptr, drawFindInFiles},
};

}  // namespace

QIcon toolbarIcon(int commandId) {
    const auto entry = std::ranges::find(kIcons, commandId, &IconSpec::command);
    if (entry == std::end(kIcons)) return {};
    QIcon drawn(new DrawnIconEngine(entry->draw));
    return entry->themeName ? QIcon::fromTheme(QString::fromLatin1(entry->themeName), drawn) : drawn;
}

}  // namespace tagloom
