#pragma once
// What the editor view draws beside and over the text, in the same paint:
// the line number margin with bookmarked lines in blue, the column guide and
// the line guide; and the stretches the text is drawn on yellow, the marks.
#include <vector>

#include "textmodel/Selection.h"
#include "textmodel/qt/TextRenderer.h"

class QPainter;

namespace tagloom {

class CHemlowHTMLView;
class EditWidget;

void PaintMargin(QPainter& painter, CHemlowHTMLView& view, EditWidget& widget);
void PaintOverlays(QPainter& painter, CHemlowHTMLView& view);
// The marked stretches among the bytes [from, to) shown, in order.
void MarkedStretches(CHemlowHTMLView& view, int from, int to, std::vector<Selection>& marked);
// The syntax colours of the bytes [from, to) shown, in the scheme of the
// widget's background; what is not lexed yet stays plain for this paint.
void SyntaxStretches(CHemlowHTMLView& view, const EditWidget& widget, int from, int to,
                     std::vector<ColouredStretch>& coloured);

}  // namespace tagloom
