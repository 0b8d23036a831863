#pragma once
// Writing charts to image files.

#include <string>

#include "app/chart/chart.h"

// Draws `chart` at its current size (800 by 500 when it has none yet) and
// writes it as PNG or BMP, chosen by the extension of `path` (either case).
// Like TChart::SaveToBitmapFile, it writes beside the target and renames, so a
// failure leaves no file behind and an existing file as it was; it raises
// EFCreateError.
void SaveChartImage(TChart& chart, const std::string& path);
