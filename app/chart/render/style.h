#pragma once
// Fonts and spacing shared by the chart layout and its painters, so that the
// room the layout gives a text is the room the painter fills.

#include <QFont>
#include <QString>

#include <string>

namespace chart_render {

// A font every Debian machine has, sized in pixels, so that a chart looks
// the same on every screen and in every bitmap.
inline constexpr char kFontFamily[] = "DejaVu Sans";
inline constexpr int kLabelFontPx = 11;
inline constexpr int kLegendFontPx = 11;
inline constexpr int kSmallestTitlePx = 8;
inline constexpr int kMargin = 6;      // around the chart and between its blocks
inline constexpr int kTickLength = 4;  // outside the plot
inline constexpr int kGap = 3;         // between ticks, labels and titles
inline constexpr int kLegendPadding = 4;

QFont PixelFont(int px);
// A model's font height in pixels; a negative height gives the character
// height without leading, 0 the fallback.
int FontPx(int height, int fallback);
// Texts from report files are 8-bit Latin-1; paths and our own texts are UTF-8.
QString DisplayQString(const std::string& s);

}  // namespace chart_render
