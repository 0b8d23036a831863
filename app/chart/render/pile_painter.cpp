#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/chart/chart.h"
#include "app/chart/render/painters.h"

// Where a file repeats its records, a shape lies on itself hundreds of times
// and the antialiased edges of the pile build up towards solid ink. Drawing
// every copy costs as much as that many shapes; an image of the shape, each
// pixel keeping its colour and taking the coverage the copies leave together,
// gives the same picture for the cost of one.

namespace chart_render {

bool DrawsWholePixels(const QPainter& p) {
  const QPaintEngine* engine = p.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) return false;
  const QTransform t = p.deviceTransform();
  return t.type() <= QTransform::TxTranslate && t.dx() == std::round(t.dx()) && t.dy() == std::round(t.dy());
}

bool MayRepeat(const TChartSeries& s) {
  const std::vector<double>& xs = s.XValues();
  for (size_t i = 1; i < xs.size(); ++i)
    if (!(xs[i] > xs[i - 1])) return true;
  return false;
}

QImage PileOf(const QImage& one, int count) {
  // A pixel of premultiplied colour c and alpha a, laid n times over b,
  // ends as c (1 - (1 - a)^n) / a + b (1 - a)^n: the colour scaled to the
  // pile's alpha. Past kMostCopies every alpha above zero rounds to 255.
  const double n = std::clamp(count, 1, Piles::kMostCopies);
  std::array<int, 256> piled{};
  for (int a = 0; a < 256; ++a) piled[a] = static_cast<int>(std::lround(255 * (1 - std::pow(1 - a / 255.0, n))));
  QImage pile = one.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = pile.width(), height = pile.height();
  for (int y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pile.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int a = qAlpha(row[x]);
      if (a == 0 || a == 255) continue;
      const int b = piled[a];
      const auto scale = [&](int c) { return std::min(b, (c * b + a / 2) / a); };
      row[x] = qRgba(scale(qRed(row[x])), scale(qGreen(row[x])), scale(qBlue(row[x])), b);
    }
  }
  return pile;
}

Piles::Piles(QPainter& p) : p_(p) {
  const QPaintDevice* device = p.device();
  shown_ = p.hasClipping() ? p.clipBoundingRect().toAlignedRect()
                           : p.deviceTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
}

Piles::~Piles() {
  const bool smooth = p_.testRenderHint(QPainter::Antialiasing);
  p_.setRenderHint(QPainter::Antialiasing, false);
  for (auto& [copies, layer] : layers_) {
    layer.painter->end();
    p_.drawImage(shown_.topLeft(), PileOf(layer.image, copies));
  }
  p_.setRenderHint(QPainter::Antialiasing, smooth);
}

void Piles::Add(int copies, const std::function<void(QPainter&)>& draw) {
  if (shown_.isEmpty()) return;  // nothing would show
  const int n = std::clamp(copies, 1, kMostCopies);
  if (n == 1) return draw(p_);
  if (layers_.count(n) || layers_.size() < kCountLayers) {
    if (QPainter* layer = LayerFor(n)) return draw(*layer);
  }
  // Past kCountLayers numbers of copies a shape goes on a layer for each bit
  // of its number; where no layer can be had, every copy is drawn.
  for (int bit = 1; bit <= n; bit <<= 1) {
    if (!(n & bit)) continue;
    QPainter* layer = bit == 1 ? &p_ : LayerFor(bit);
    for (int k = 0; k < (layer ? 1 : bit); ++k) draw(layer ? *layer : p_);
  }
}

QPainter* Piles::LayerFor(int copies) {
  const auto known = layers_.find(copies);
  if (known != layers_.end()) return known->second.painter.get();
  if (double(shown_.width()) * shown_.height() > kMostPixels) return nullptr;
  QImage image(shown_.size(), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return nullptr;
  image.fill(Qt::transparent);
  Layer& layer = layers_[copies];
  layer.image = std::move(image);
  layer.painter = std::make_unique<QPainter>(&layer.image);
  layer.painter->setRenderHints(p_.renderHints());
  layer.painter->translate(-shown_.topLeft());
  return layer.painter.get();
}

}  // namespace chart_render
