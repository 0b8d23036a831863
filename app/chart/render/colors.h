#pragma once
// The one conversion from the model's colours to Qt's, for the charts and the
// widgets alike.

#include <QColor>

#include "app/controls/controls.h"

// TColor is 0xBBGGRR; negative values are system colours, of which this
// program only uses the window face. clTeeColor stands for `teeColor`.
inline QColor ToQColor(TColor c, TColor teeColor = clBlack) {
  if (c == clTeeColor) c = teeColor;
  if (c < 0 || c == clTeeColor) return QColor(240, 240, 240);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
