#pragma once
// What the editor view draws over the text, in the same paint: the line
// number margin with bookmarked lines in blue, the column guide, the yellow
// marks and the line guide.
class QPainter;

namespace tagloom {

class CHemlowHTMLView;
class EditWidget;

void PaintMargin(QPainter& painter, CHemlowHTMLView& view, EditWidget& widget);
void PaintOverlays(QPainter& painter, CHemlowHTMLView& view);

}  // namespace tagloom
