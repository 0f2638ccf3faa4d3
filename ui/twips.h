#pragma once

// Window geometry is kept in twips: 1440 to the inch, so 15 to a pixel at
// 96 dots per inch.

#include <QWidget>
#include <cmath>

namespace qvr {

inline constexpr double kTwipsPerInch = 1440.0;

inline long PixelsToTwips(int pixels, double dotsPerInch)
{
    return std::lround(pixels * kTwipsPerInch / dotsPerInch);
}

inline int TwipsToPixels(long twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

// At the widget's own screen resolution (96 dots per inch without a widget).
inline int TwipsToPixels(long twips, const QWidget* widget)
{
    return TwipsToPixels(twips, widget ? widget->logicalDpiX() : 96.0);
}

} // namespace qvr
