#pragma once
// Writing charts to image files. The chart is drawn at its current size (800
// by 500 when it has none yet), raising its after-draw event as a drawing on
// screen does. The file is written beside the target and renamed over it, so
// a failure leaves no file behind and an existing file as it was; it raises
// EFCreateError "Cannot create file \"path\". reason".

#include <string>

class TChart;

// Writes the chart as a Windows bitmap.
void SaveToBitmapFile(TChart& chart, const std::string& path);

// Writes the chart as PNG or BMP, chosen by the extension of `path` (either
// case).
void SaveChartImage(TChart& chart, const std::string& path);
