#include "ui/fonts.h"

#include <algorithm>
#include <cmath>

namespace qvr {

namespace {

// A town menu frame is 80 units high and holds a caption and six rows.
constexpr double kFontUnits = 8.0;

} // namespace

int EvenFontPixels(double pixels)
{
    int even = static_cast<int>(std::floor(pixels / 2.0)) * 2;
    return std::max(kMinFontPixels, even);
}

QFont GameFont(int pixelSize)
{
    QFont font(kGameFontFamily);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(EvenFontPixels(pixelSize));
    // Kerning would pull some pairs together and break the byte-counted
    // columns.
    font.setKerning(false);
    return font;
}

int FontPixelsForScale(double pixelsPerUnit)
{
    return EvenFontPixels(pixelsPerUnit * kFontUnits);
}

QString DisplayText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace qvr
