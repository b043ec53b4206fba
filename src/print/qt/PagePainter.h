#pragma once
// Paints what the page step says a page shows, every piece of text through
// the text renderer the editor's widget draws with.
#include <QPainter>

#include "print/PrintJob.h"
#include "textmodel/qt/TextRenderer.h"

namespace tagloom {

class PagePainter {
public:
    // The fonts of the job's last Begin; the glyphs in the colours of their
    // style runs when coloured, else all black.
    PagePainter(const PrintJob& job, bool coloured);
    void paint(QPainter& painter, const PageContent& page);

private:
    struct Face {
        std::optional<QFont> font;
        TextRenderer renderer;
    };
    Face text_;
    Face decoration_;
    TextRenderer::Colors colors_;
    bool coloured_;
    std::vector<ColouredStretch> stretches_;
};

}  // namespace tagloom
