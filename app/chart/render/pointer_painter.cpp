#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <unordered_map>
#include <vector>

#include "app/chart/chart.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/painters.h"

// A pointer shape costs a microsecond or more to fill and outline, an image
// of it a fraction of that to copy: on a device of pixels the pointers of a
// series are stamped from images drawn once per colour and quarter-pixel
// offset, and look as if each were drawn.

namespace chart_render {
namespace {

constexpr int kSteps = 4;  // offsets of a stamp per pixel, each way

// Where a pointer's stamp goes: the whole pixel of its centre and the offset
// within it, in steps.
struct StampPlace {
  long long x, y;
  int fx, fy;
};

StampPlace PlaceOf(const QPointF& centre) {
  // Pixels stay within +-kMaxPixel, so steps fit a long long.
  const long long sx = std::llround(centre.x() * kSteps), sy = std::llround(centre.y() * kSteps);
  const auto whole = [](long long steps) { return steps >= 0 ? steps / kSteps : -((-steps + kSteps - 1) / kSteps); };
  const long long x = whole(sx), y = whole(sy);
  return {x, y, static_cast<int>(sx - x * kSteps), static_cast<int>(sy - y * kSteps)};
}

// A pointer drawn at one offset, cut to the pixels it shows, with one bit a
// column for each of its rows for the pixels it shows and those it covers
// wholly (none for a stamp wider than 64 pixels).
struct Stamp {
  QImage image;
  QPoint at;  // of the image, from the corner of the pointer's square
  std::vector<uint64_t> shown, opaque;
};

class Stamps {
 public:
  explicit Stamps(const TSeriesPointer& ptr)
      : ptr_(ptr),
        margin_(std::max(PointerHalfSize(ptr.HorizSize), PointerHalfSize(ptr.VertSize)) +
                std::clamp(ptr.OutlineWidth, 1, 50) + 2) {}

  // Pixels from a stamp's corner to the pixel of its pointer's centre.
  int Margin() const { return margin_; }
  int Side() const { return 2 * margin_ + 2; }

  // The stamp of a colour and offset; null for a colour beyond the first
  // kMostColours, where making stamps would cost more than it saves.
  const Stamp* Get(TColor colour, int fx, int fy) {
    if (byColour_.empty() || byColour_[last_].first != colour) {
      last_ = Find(colour);
      if (last_ == byColour_.size()) {
        if (last_ == kMostColours) return nullptr;
        index_.emplace(colour, last_);
        byColour_.emplace_back(colour, std::array<Stamp, kSteps * kSteps>{});
      }
    }
    Stamp& stamp = byColour_[last_].second[static_cast<size_t>(fy * kSteps + fx)];
    if (stamp.image.isNull()) stamp = Make(colour, fx, fy);
    return &stamp;
  }

 private:
  // The index of a colour's stamps; byColour_.size() for a new colour.
  size_t Find(TColor colour) const {
    // Most series have a colour or two: those are found without hashing.
    const size_t few = std::min<size_t>(byColour_.size(), 4);
    for (size_t i = 0; i < few; ++i)
      if (byColour_[i].first == colour) return i;
    const auto known = index_.find(colour);
    return known == index_.end() ? byColour_.size() : known->second;
  }

  Stamp Make(TColor colour, int fx, int fy) const {
    QImage full(Side(), Side(), QImage::Format_ARGB32_Premultiplied);
    full.fill(Qt::transparent);
    {
      QPainter p(&full);
      p.setRenderHint(QPainter::Antialiasing, true);
      PointerStyle style(p, ptr_);
      const QPointF centre(margin_ + double(fx) / kSteps, margin_ + double(fy) / kSteps);
      DrawPointer(p, ptr_, centre, style.Use(colour));
    }
    // Copying a transparent pixel costs as much as any other: the stamp is
    // cut to the pixels the pointer shows.
    QRect box;
    for (int y = 0; y < Side(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(full.constScanLine(y));
      for (int x = 0; x < Side(); ++x)
        if (qAlpha(row[x]) > 0) box |= QRect(x, y, 1, 1);
    }
    if (box.isEmpty()) box = QRect(0, 0, 1, 1);
    Stamp stamp{full.copy(box), box.topLeft(), {}, {}};
    if (box.width() > 64) return stamp;
    for (int y = 0; y < box.height(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(stamp.image.constScanLine(y));
      uint64_t shown = 0, opaque = 0;
      for (int x = 0; x < box.width(); ++x) {
        const int alpha = qAlpha(row[x]);
        if (alpha > 0) shown |= uint64_t(1) << x;
        if (alpha == 255) opaque |= uint64_t(1) << x;
      }
      stamp.shown.push_back(shown);
      stamp.opaque.push_back(opaque);
    }
    return stamp;
  }

  static constexpr size_t kMostColours = 256;

  const TSeriesPointer& ptr_;
  int margin_;
  std::unordered_map<TColor, size_t> index_;
  // A deque: stamps handed out stay where they are as colours are added.
  std::deque<std::pair<TColor, std::array<Stamp, kSteps * kSteps>>> byColour_;
  size_t last_ = 0;
};

// The pixels that stamps drawn later cover wholly, one bit each, over the
// clip and a stamp's side around it; pixels outside the clip count as
// covered, as nothing shows there. Going from the last point back, a stamp
// that would show only where it is covered is passed over: where points
// pile up many are, and the picture stays the same.
class Coverage {
 public:
  Coverage(const QRect& clip, int side)
      : area_(clip.adjusted(-side, -side, side, side)),
        words_((area_.width() + 63) / 64 + 1),
        bits_(static_cast<size_t>(words_) * static_cast<size_t>(area_.height()), 0) {
    for (int y = area_.top(); y <= area_.bottom(); ++y) {
      for (int x = area_.left(); x <= area_.right(); ++x) {
        if (!clip.contains(x, y)) Set(x, y);
        // Within the clip's rows only the margins need a bit set.
        if (x == clip.left() && y >= clip.top() && y <= clip.bottom()) x = clip.right();
      }
    }
  }

  // Whether a stamp with its corner at (x, y) would show nothing.
  bool Hidden(int x, int y, const Stamp& stamp) const {
    if (stamp.shown.empty()) return false;
    for (size_t r = 0; r < stamp.shown.size(); ++r) {
      const uint64_t want = stamp.shown[r];
      if (want && (Window(Row(y + static_cast<int>(r)), x - area_.left()) & want) != want) return false;
    }
    return true;
  }

  void Cover(int x, int y, const Stamp& stamp) {
    for (size_t r = 0; r < stamp.opaque.size(); ++r) {
      uint64_t* row = Row(y + static_cast<int>(r));
      const int bit = x - area_.left(), shift = bit & 63;
      row[bit >> 6] |= stamp.opaque[r] << shift;
      if (shift) row[(bit >> 6) + 1] |= stamp.opaque[r] >> (64 - shift);
    }
  }

 private:
  void Set(int x, int y) { Row(y)[(x - area_.left()) >> 6] |= uint64_t(1) << ((x - area_.left()) & 63); }
  uint64_t* Row(int y) { return &bits_[static_cast<size_t>(y - area_.top()) * static_cast<size_t>(words_)]; }
  const uint64_t* Row(int y) const {
    return &bits_[static_cast<size_t>(y - area_.top()) * static_cast<size_t>(words_)];
  }
  static uint64_t Window(const uint64_t* row, int bit) {
    const int shift = bit & 63;
    const uint64_t* w = row + (bit >> 6);
    return shift ? (w[0] >> shift) | (w[1] << (64 - shift)) : w[0];
  }

  QRect area_;
  int words_;
  std::vector<uint64_t> bits_;
};

// Whether a pointer of this colour shows that colour alone.
bool OneColour(const TSeriesPointer& ptr, TColor colour) {
  switch (ptr.Style) {
    case TPointerStyle::psCross:
    case TPointerStyle::psDiagCross:
    case TPointerStyle::psStar:
    case TPointerStyle::psSmallDot: return true;  // strokes or a fill alone
    default: return !ptr.OutlineVisible || (ptr.BrushColor == clTeeColor ? colour : ptr.BrushColor) == ptr.OutlineColor;
  }
}

// A stamp drawn where the same stamp is drawn later is laid on that one when
// nothing shows between them, or when only stamps of its one colour do:
// copies of one colour give the same pixels in any order. A pile is drawn
// once (PileOf). Where stamps of two colours repeat among others, only the
// last kDeepest copies at a place are drawn: what lies under them shows by
// less than a step of colour, but on their faintest edge pixels.
class StampPiles {
 public:
  // Piles are looked for in a series of more points than the clip has
  // columns whose points may repeat, and over a clip of at most kMostCells
  // centres.
  StampPiles(const QRect& reach, const TChartSeries& s)
      : reach_(reach),
        on_(s.XValues().size() > static_cast<size_t>(reach.width()) &&
            double(reach.width()) * reach.height() <= kMostCells && MayRepeat(s)) {
    if (!on_) return;
    const size_t cells = static_cast<size_t>(reach.width()) * static_cast<size_t>(reach.height());
    latest_.assign(cells, kEmpty);
    copies_.assign(cells, 0);
  }

  static constexpr size_t kNone = SIZE_MAX;

  // Whether a stamp centred at (x, y) with its corner at `corner` lies
  // under kDeepest copies of itself drawn later, and is passed over
  // whatever else covers it.
  template <class Drawn>
  bool Deep(const std::vector<Drawn>& drawn, long long x, long long y, const QPoint& corner, const Stamp* stamp) const {
    if (!on_) return false;
    const size_t cell = Cell(x, y);
    const uint32_t latest = latest_[cell];
    return copies_[cell] >= kDeepest && drawn[latest].stamp == stamp && drawn[latest].corner == corner;
  }

  // The entry of `drawn` (made later in the drawing: entries are made from
  // the last point back) that a stamp of `colour` centred at (x, y) with its
  // corner at `corner` piles on, or kNone: then it is drawn. Asked only of
  // stamps neither hidden nor Deep.
  template <class Drawn>
  size_t Find(const std::vector<Drawn>& drawn, long long x, long long y, const QPoint& corner, const Stamp* stamp,
              TColor colour, bool oneColour) {
    if (!on_) return kNone;
    if (!oneColour || colour != colour_) runStart_ = drawn.size();
    colour_ = colour;
    const size_t cell = Cell(x, y);
    uint32_t& latest = latest_[cell];
    const bool same = latest != kEmpty && drawn[latest].stamp == stamp && drawn[latest].corner == corner;
    if (same && (latest == touched_ || (oneColour && latest >= runStart_))) {
      touched_ = latest;
      return latest;
    }
    // Not Deep: at most kDeepest copies in a row.
    copies_[cell] = same ? copies_[cell] + 1 : 1;
    // The entry about to be made; a series holds fewer than 2^31 points.
    latest = touched_ = static_cast<uint32_t>(drawn.size());
    return kNone;
  }

 private:
  size_t Cell(long long x, long long y) const {
    return static_cast<size_t>(y - reach_.top()) * static_cast<size_t>(reach_.width()) +
           static_cast<size_t>(x - reach_.left());
  }

  static constexpr double kMostCells = 4e6;
  // Under this many copies of a stamp, any other ink is attenuated to
  // (1 - a)^kDeepest: below half a step wherever the stamp's alpha a is
  // above a tenth.
  static constexpr uint16_t kDeepest = 64;
  static constexpr uint32_t kEmpty = UINT32_MAX;
  QRect reach_;
  bool on_;
  std::vector<uint32_t> latest_;  // by centre: the entry made last there
  std::vector<uint16_t> copies_;  // by centre: copies of that entry's stamp drawn there in a row
  uint32_t touched_ = kEmpty;     // the entry made or piled on last
  TColor colour_ = 0;
  size_t runStart_ = 0;  // the first entry since a stamp of another colour, or of two
};

// False, having drawn nothing, for a series of too many colours.
bool StampPointers(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  Stamps stamps(s.Pointer);
  const int m = stamps.Margin();
  const QRect plot = c.plot.adjusted(-m, -m, m, m);
  const QRect clip = p.hasClipping() ? p.clipBoundingRect().toAlignedRect().intersected(plot) : plot;
  if (clip.isEmpty()) return true;
  // A stamp whose centre lies further outside the clip shows nothing.
  const QRect reach = clip.adjusted(-m - 1, -m - 1, m + 1, m + 1);
  const std::vector<double>& xs = s.XValues();
  const std::vector<double>& ys = s.YValues();
  struct Drawn {
    QPoint corner;
    const Stamp* stamp;
    int copies;
  };
  std::vector<Drawn> drawn;
  Coverage covered(clip, stamps.Side());
  StampPiles piles(reach, s);
  for (size_t i = xs.size(); i-- > 0;) {
    QPointF q;
    if (!c.Map(xs[i], ys[i], q)) continue;
    const StampPlace at = PlaceOf(q);
    if (at.x < reach.left() || at.x > reach.right() || at.y < reach.top() || at.y > reach.bottom()) continue;
    const TColor colour = s.PointColor(static_cast<int>(i));
    const Stamp* stamp = stamps.Get(colour, at.fx, at.fy);
    if (!stamp) return false;
    const QPoint corner = QPoint(static_cast<int>(at.x) - m, static_cast<int>(at.y) - m) + stamp->at;
    if (piles.Deep(drawn, at.x, at.y, corner, stamp) || covered.Hidden(corner.x(), corner.y(), *stamp)) continue;
    const size_t pile = piles.Find(drawn, at.x, at.y, corner, stamp, colour, OneColour(s.Pointer, colour));
    if (pile != StampPiles::kNone) {
      ++drawn[pile].copies;
      continue;
    }
    covered.Cover(corner.x(), corner.y(), *stamp);
    drawn.push_back({corner, stamp, 1});
  }
  // Whole pixels need no smoothing, and the engine copies images faster without.
  const bool smooth = p.testRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::Antialiasing, false);
  std::map<std::pair<const Stamp*, int>, QImage> piled;
  for (auto d = drawn.rbegin(); d != drawn.rend(); ++d) {
    if (d->copies == 1) {
      p.drawImage(d->corner, d->stamp->image);
      continue;
    }
    QImage& pile = piled[{d->stamp, d->copies}];
    if (pile.isNull()) pile = PileOf(d->stamp->image, d->copies);
    p.drawImage(d->corner, pile);
  }
  p.setRenderHint(QPainter::Antialiasing, smooth);
  return true;
}

}  // namespace

void DrawPointers(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  if (!s.Pointer.Visible) return;
  if (DrawsWholePixels(p) && StampPointers(p, s, c)) return;
  // Vector devices (SVG, PDF, print) and series of many colours get every shape.
  PointerStyle style(p, s.Pointer);
  const std::vector<double>& xs = s.XValues();
  const std::vector<double>& ys = s.YValues();
  for (size_t i = 0; i < xs.size(); ++i) {
    QPointF q;
    if (!c.Map(xs[i], ys[i], q)) continue;
    DrawPointer(p, s.Pointer, q, style.Use(s.PointColor(static_cast<int>(i))));
  }
}

}  // namespace chart_render
