// Twips to pixels and the design font.
#include "windows/look/DesignUnits.h"

namespace look {

namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips per inch at 96 pixels per inch

}  // namespace

QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int value) { return qRound(value / kTwipsPerPixel); };
    return {px(left), px(top), px(width), px(height)};
}

QFont arialFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace look
