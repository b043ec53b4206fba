#include "textmodel/qt/TextRenderer.h"

#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "textmodel/qt/QtTextMetrics.h"

namespace tagloom {

// Compared by the font itself: a new metrics object may reuse the address of one freed.
void TextRenderer::setFont(const std::optional<QFont>& font) {
    if (font_ == font) return;
    font_ = font;
    rawFont_ = font ? QRawFont::fromFont(*font) : QRawFont();
    glyphCache_.clear();
}

quint32 TextRenderer::glyphOf(char32_t codePoint) {
    const auto it = glyphCache_.find(codePoint);
    if (it != glyphCache_.end()) return it->second;
    quint32 glyph = 0;
    if (rawFont_.isValid() && rawFont_.supportsCharacter(static_cast<uint>(codePoint))) {
        const QList<quint32> indexes = rawFont_.glyphIndexesForString(codePointText(codePoint));
        if (indexes.size() == 1) glyph = indexes.front();
    }
    glyphCache_.emplace(codePoint, glyph);
    return glyph;
}

void TextRenderer::drawLine(QPainter& painter, const Line& line, const Colors& colors) {
    placeLine(painter, line, colors);
    flushGlyphs(painter);
}

// Backgrounds, pictures and the characters the font lacks are drawn at
// once; the glyphs wait in their colour's bucket.
void TextRenderer::placeLine(QPainter& painter, const Line& line, const Colors& colors) {
    const auto selected = [&line](int offset) { return offset >= line.selected.start && offset < line.selected.end; };
    const int baseline = line.top + line.ascent;
    const int lineHeight = line.lineHeight;

    // Marked and selected backgrounds, then the glyphs in runs of one colour.
    if (line.marked) fillMarked(painter, line, colors.marked);
    for (const VisibleChar& c : *line.chars)
        if (selected(c.offset)) painter.fillRect(c.x, line.top, c.width, lineHeight, colors.highlight);
    if (line.breakX) painter.fillRect(*line.breakX, line.top, line.breakWidth, lineHeight, colors.highlight);

    // The colour of each character's glyph: selected, marked, coloured or plain.
    std::vector<Selection>::const_iterator mark;
    if (line.marked) mark = line.marked->begin();
    const auto isMarked = [&](int offset) {
        if (!line.marked) return false;
        while (mark != line.marked->end() && mark->end <= offset) ++mark;
        return mark != line.marked->end() && mark->start <= offset;
    };
    std::vector<ColouredStretch>::const_iterator stretch;
    if (line.coloured) stretch = line.coloured->begin();
    const auto colourOf = [&](int offset, bool isSelected) -> const QColor& {
        if (isSelected) return colors.highlightText;
        if (isMarked(offset)) return colors.markedText;
        if (!line.coloured) return colors.text;
        while (stretch != line.coloured->end() && stretch->end <= offset) ++stretch;
        return stretch != line.coloured->end() && stretch->start <= offset ? stretch->colour : colors.text;
    };

    GlyphBucket* bucket = nullptr;
    const auto bucketOf = [this, &bucket](const QColor& colour) {
        if (bucket && bucket->colour == colour) return bucket;
        for (GlyphBucket& b : buckets_)
            if (b.colour == colour) return bucket = &b;
        buckets_.push_back({colour, {}, {}});
        return bucket = &buckets_.back();
    };
    for (const VisibleChar& c : *line.chars) {
        const bool isSelected = selected(c.offset);
        if (c.kind == UnitKind::Tab) continue;
        if (c.kind == UnitKind::Symbol) {
            const QRect box(c.x + 1, line.top + 1, std::max(1, c.width - 2), lineHeight - 2);
            painter.fillRect(box, isSelected ? colors.highlight.darker(115) : colors.symbolFill);
            painter.setPen(isSelected ? colors.highlightText : colors.symbolText);
            painter.drawText(box, Qt::AlignCenter, codePointText(c.codePoint));
            continue;
        }
        const quint32 glyph = glyphOf(c.codePoint);
        const QColor& colour = colourOf(c.offset, isSelected);
        if (glyph == 0) {
            painter.setPen(colour);
            painter.drawText(c.x, baseline, codePointText(c.codePoint));
            continue;
        }
        GlyphBucket& into = *bucketOf(colour);
        into.glyphs.append(glyph);
        into.positions.append(QPointF(c.x, baseline));
    }
}

// One glyph run per colour, for all the lines placed since the last flush.
void TextRenderer::flushGlyphs(QPainter& painter) {
    for (GlyphBucket& bucket : buckets_) {
        if (bucket.glyphs.isEmpty() || !rawFont_.isValid()) continue;
        QGlyphRun run;
        run.setRawFont(rawFont_);
        run.setGlyphIndexes(bucket.glyphs);
        run.setPositions(bucket.positions);
        painter.setPen(bucket.colour);
        painter.drawGlyphRun(QPointF(0, 0), run);
        bucket.glyphs.clear();
        bucket.positions.clear();
    }
}

// Each run of marked characters is one rectangle.
void TextRenderer::fillMarked(QPainter& painter, const Line& line, const QColor& color) {
    const std::vector<Selection>& marked = *line.marked;
    auto next = marked.begin();
    int runLeft = 0, runRight = -1;
    const auto flush = [&] {
        if (runRight > runLeft) painter.fillRect(runLeft, line.top, runRight - runLeft, line.lineHeight, color);
        runRight = -1;
    };
    for (const VisibleChar& c : *line.chars) {
        while (next != marked.end() && next->end <= c.offset) ++next;
        if (next == marked.end() || next->start > c.offset) {
            flush();
            continue;
        }
        if (runRight != c.x) {
            flush();
            runLeft = c.x;
        }
        runRight = c.x + c.width;
    }
    flush();
}

int TextRenderer::drawVisibleLines(QPainter& painter, EditControl& control, int ascent, const Colors& colors,
                                   const std::vector<Selection>& marked,
                                   const std::vector<ColouredStretch>* coloured) {
    const Selection selection = control.selection();
    const int lineHeight = control.fontMetrics().lineHeight();
    int widest = 0;
    for (const VisibleLine& visible : control.visibleLines()) {
        const DisplayLine& row = visible.line;
        chars_.clear();
        control.visibleChars(row, chars_);
        Line line{&chars_, visible.y, lineHeight, ascent, selection, std::nullopt, 0, &marked, coloured};
        const bool breakSelected = row.end < row.next && row.end >= selection.start && row.end < selection.end;
        if (breakSelected) {
            const Point at = control.posFromChar(row.end);
            if (at.y == visible.y) {
                line.breakX = at.x;
                line.breakWidth = std::max(2, control.fontMetrics().averageCharWidth() / 2);
            }
        }
        placeLine(painter, line, colors);
        widest = std::max<int>(widest, static_cast<int>(std::min<std::int64_t>(control.lineWidth(row), INT_MAX)));
    }
    flushGlyphs(painter);
    return widest;
}

void TextRenderer::drawLabel(QPainter& painter, int x, int baseline, std::string_view text,
                             const TextMetrics& metrics) {
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
        x += metrics.charWidth(static_cast<unsigned char>(c));
    }
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, baseline), run);
}

}  // namespace tagloom
