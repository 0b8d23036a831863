#include "app/chart/render/style.h"

#include <algorithm>
#include <cstdlib>

#include "core/text.h"

namespace chart_render {

QFont PixelFont(int px) {
  QFont font(QString::fromLatin1(kFontFamily));
  font.setPixelSize(std::max(1, px));
  return font;
}

int FontPx(int height, int fallback) {
  const long px = std::labs(static_cast<long>(height));
  return px == 0 ? fallback : static_cast<int>(std::min(px, 200L));
}

QString DisplayQString(const std::string& s) { return QString::fromStdString(DisplayText(s)); }

}  // namespace chart_render
