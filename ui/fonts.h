#pragma once

// The game's lettering. Lists are built in columns counted in Shift_JIS
// bytes, so they need a face in which a full-width character is exactly two
// half-width ones; IPAGothic keeps that at every even pixel size.

#include <string>

#include <QFont>
#include <QString>

namespace qvr {

inline constexpr const char* kGameFontFamily = "IPAGothic";
inline constexpr int kMinFontPixels = 10;

// `pixels` rounded down to an even size, never below kMinFontPixels.
int EvenFontPixels(double pixels);
QFont GameFont(int pixelSize);

// The text size of lists and labels for a window whose drawing space maps
// one logical unit to `pixelsPerUnit` pixels: six menu rows and a caption
// fit a town menu's frame.
int FontPixelsForScale(double pixelsPerUnit);

// A game text as Qt shows it: the texts' CR LF and lone CR become line
// breaks.
QString DisplayText(const std::string& text);

} // namespace qvr
