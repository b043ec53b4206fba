#include "print/qt/PagePainter.h"

#include "print/qt/QtPrintDevice.h"
#include "syntax/qt/SyntaxPalette.h"

namespace tagloom {

PagePainter::PagePainter(const PrintJob& job, bool coloured) : coloured_(coloured) {
    if (job.printingFont()) text_.font = QtPrintFont::of(*job.printingFont());
    if (job.decorationFont()) decoration_.font = QtPrintFont::of(*job.decorationFont());
    text_.renderer.setFont(text_.font);
    decoration_.renderer.setFont(decoration_.font);
    colors_.text = Qt::black;
    colors_.highlight = Qt::white;
    colors_.highlightText = Qt::black;
}

void PagePainter::paint(QPainter& painter, const PageContent& page) {
    for (const PrintedRun& run : page.runs) {
        Face& face = run.font == PrintedRun::Font::Text ? text_ : decoration_;
        // Characters the font lacks, and the pictures of control bytes, are
        // drawn with the painter's font.
        if (face.font) painter.setFont(*face.font);
        TextRenderer::Line line;
        line.chars = &run.chars;
        line.top = run.top;
        line.lineHeight = run.height;
        line.ascent = run.ascent;
        if (coloured_ && !run.styles.empty()) {
            stretches_.clear();
            appendColouredStretches(run.styles, ColourScheme::Light, stretches_);
            line.coloured = &stretches_;
        }
        face.renderer.drawLine(painter, line, colors_);
    }
}

}  // namespace tagloom
