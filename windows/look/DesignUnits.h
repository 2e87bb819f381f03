// Window designs are given in twips and Arial points; these turn them into Qt geometry and fonts.
#pragma once

#include <QFont>
#include <QRect>

namespace look {

// Left, top, width, height in twips as pixels at 96 dpi (15 twips to the pixel), rounded.
QRect twips(int left, int top, int width, int height);

// Arial at the size given (fontconfig substitutes the metric-compatible Liberation Sans
// where Arial is not installed).
QFont arialFont(double points, bool bold);

}  // namespace look
