#pragma once
// Draws laid-out text of the edit control's model onto any QPainter: the
// widget's screen, an offscreen image, a printed page. Every character is
// drawn at the x its layout gave it, so the caret, the selection and the
// marks line up with the glyphs; characters the font has go out together as
// glyph runs, the others one by one from a fallback font, and control bytes
// as small marked pictures.
#include <QColor>
#include <QFont>
#include <QRawFont>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "textmodel/EditControl.h"

class QPainter;

namespace tagloom {

// Bytes [start, end) of the text drawn in a colour of their own.
struct ColouredStretch {
    int start = 0;
    int end = 0;
    QColor colour;
};

class TextRenderer {
public:
    struct Colors {
        QColor text;
        QColor highlight;
        QColor highlightText;
        QColor symbolFill{0xe4, 0xe4, 0xe4};
        QColor symbolText{0x90, 0x30, 0x30};
        QColor marked{0xff, 0xff, 0x00};  // behind highlighted stretches
        QColor markedText{0x00, 0x00, 0x00};  // their glyphs, dark on the yellow whatever the scheme
    };

    // The font the glyphs come from (none: every character from the painter's
    // font); a different font empties the glyph cache.
    void setFont(const std::optional<QFont>& font);

    // One display line whose top is at `top`: the selected characters (and a
    // selected line break, drawn `breakWidth` wide at `breakX`) on the
    // highlight colour.
    struct Line {
        const std::vector<VisibleChar>* chars = nullptr;
        int top = 0;
        int lineHeight = 0;
        int ascent = 0;
        Selection selected;
        std::optional<int> breakX;
        int breakWidth = 0;
        // Stretches drawn on the marked colour, in order of their starts.
        const std::vector<Selection>* marked = nullptr;
        // Stretches whose glyphs take a colour of their own (the text colour
        // elsewhere, the highlight's where selected), in order of their starts.
        const std::vector<ColouredStretch>* coloured = nullptr;
    };
    void drawLine(QPainter& painter, const Line& line, const Colors& colors);

    // The display lines of the control from its top line down, with its
    // selection and the marked stretches; returns the widest line's width in
    // pixels.
    int drawVisibleLines(QPainter& painter, EditControl& control, int ascent, const Colors& colors,
                         const std::vector<Selection>& marked, const std::vector<ColouredStretch>* coloured = nullptr);

    // A short ASCII text (a line number) in the font with the painter's pen,
    // the way the text is drawn: one glyph run, no shaping.
    void drawLabel(QPainter& painter, int x, int baseline, std::string_view text, const TextMetrics& metrics);

private:
    void placeLine(QPainter& painter, const Line& line, const Colors& colors);
    void flushGlyphs(QPainter& painter);
    void fillMarked(QPainter& painter, const Line& line, const QColor& color);
    // The font's glyph for a character; 0 when the font has none.
    quint32 glyphOf(char32_t codePoint);

    std::optional<QFont> font_;
    QRawFont rawFont_;
    std::unordered_map<char32_t, quint32> glyphCache_;
    // The glyphs of one colour placed since the last flush, so that a screen
    // goes out in a glyph run per colour however often its colours change;
    // kept between paints for their memory.
    struct GlyphBucket {
        QColor colour;
        QVector<quint32> glyphs;
        QVector<QPointF> positions;
    };
    std::vector<GlyphBucket> buckets_;
    std::vector<VisibleChar> chars_;
};

}  // namespace tagloom
