#pragma once
// Writing charts to image files and to the clipboard. A chart is drawn at its
// current size (800 by 500 when it has none yet), raising its after-draw
// event as a drawing on screen does. A file is written beside the target and
// renamed over it, so a failure leaves no file behind and an existing file as
// it was; it raises EFCreateError "Cannot create file \"path\". reason".
//
// The window's save dialog and chart context menu call SaveChartImage and
// CopyChartImage; their names and signatures stay as they are.

#include <functional>
#include <string>

class QIODevice;
class TChart;

// Writes what `draw` paints on a device (a PDF or SVG writer set up on it) to
// `path`, safely as every file; `draw` returning false fails the write.
void WriteDrawing(const std::string& path, const std::function<bool(QIODevice&)>& draw);

// Writes the chart as a Windows bitmap.
void SaveToBitmapFile(TChart& chart, const std::string& path);

// Writes the chart in the format the extension of `path` names (either
// case): .png and .bmp as pictures of the chart's pixels, .svg and .pdf
// (one page of the chart's size) as vector drawings of the same picture.
// Any other extension raises EFCreateError and writes nothing.
void SaveChartImage(TChart& chart, const std::string& path);

// Puts a picture of the chart on the clipboard, drawn at the primary screen's
// device pixel ratio so that it stays sharp on a high-density screen. Needs a
// running Qt GUI application.
void CopyChartImage(TChart& chart);
