#pragma once
// The style runs of the lexer as the stretches the text renderer colours.
#include <QColor>
#include <vector>

#include "syntax/StyleColours.h"
#include "syntax/StyleRun.h"
#include "textmodel/qt/TextRenderer.h"

namespace tagloom {

ColourScheme schemeForBackground(const QColor& background);

// Appends a stretch for each run that is not plain text, in the run's colour.
void appendColouredStretches(const std::vector<StyleRun>& runs, ColourScheme scheme,
                             std::vector<ColouredStretch>& out);

}  // namespace tagloom
