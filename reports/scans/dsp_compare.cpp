// DSP tab: the old and the new dispersion relation are kept from load to
// load; once both are there, each slit's curve shows by how many steps the
// new relation differs from the old one, against the new wavelength.
#include "reports/scans/dsp_compare.h"

#include <cmath>
#include <limits>

#include "app/Mainunit.h"
#include "core/paths.h"

namespace {

// The steps compared: 0 to 9450 by 50.
constexpr int kSteps = 190;
constexpr double kStepSpacing = 50;

struct SlitStyle {
  const char* title;
  TColor colour;
  bool dotted;
};
constexpr SlitStyle kSlitStyle[kDspSlits] = {{"Slit 1", clBlue, false},
                                             {"Slit 2", clGray, true},
                                             {"Slit 3", clGreen, true},
                                             {"Slit 4", clRed, true},
                                             {"Slit 5", clBlack, false}};

using Coefficients = std::array<double, 4>;

// Sum of c[j] * s^j over the four terms, in extended precision.
long double Polynomial(const Coefficients& c, long double s) {
  long double sum = 0;
  for (size_t j = 0; j < c.size(); ++j) sum += c[j] * std::pow(s, static_cast<long double>(j));
  return sum;
}

// The derivative of the polynomial: wavelength per step.
long double Slope(const Coefficients& c, long double s) {
  long double sum = 0;
  for (size_t j = 1; j < c.size(); ++j)
    sum += static_cast<long double>(j) * c[j] * std::pow(s, static_cast<long double>(j - 1));
  return sum;
}

// Narrows `v` to a double; false when it is no finite double (a NaN, or
// beyond the double range).
bool AsFiniteDouble(long double v, double& out) {
  if (!(std::fabs(v) <= std::numeric_limits<double>::max())) return false;
  out = static_cast<double>(v);
  return true;
}

Coefficients Difference(const Coefficients& a, const Coefficients& b) {
  Coefficients d{};
  for (size_t j = 0; j < d.size(); ++j) d[j] = a[j] - b[j];
  return d;
}

}  // namespace

DspCompareTab::DspCompareTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  DSPPanel = MakeButtonStrip("DSPPanel", sheet);
  const TNotifyEvent load = Handler(&DspCompareTab::LoadOldDSPClick);
  LoadOldDSP = MakeButton("LoadOldDSP", DSPPanel, "Load old DSP", 8, load);
  LoadNewDSP = MakeButton("LoadNewDSP", DSPPanel, "Load new DSP", 136, load);

  Chart2 = MakeChart("Chart2", sheet);
  Chart2->Title.FontColor = clBlack;
  Chart2->Title.FontHeight = 16;
  Chart2->Legend.SymbolWidth = 40;
  Chart2->BottomAxis.Title = "Wavelength, A";
  Chart2->LeftAxis.Title = "Difference in steps";

  Series84 = MakeSeries<TLineSeries>(Chart2, "Series84");
  Series85 = MakeSeries<TLineSeries>(Chart2, "Series85");
  Series86 = MakeSeries<TLineSeries>(Chart2, "Series86");
  Series87 = MakeSeries<TLineSeries>(Chart2, "Series87");
  Series88 = MakeSeries<TLineSeries>(Chart2, "Series88");
  slitSeries_ = {Series84, Series85, Series86, Series87, Series88};
  for (size_t i = 0; i < slitSeries_.size(); ++i) {
    TLineSeries* s = slitSeries_[i];
    s->Title = kSlitStyle[i].title;
    s->SeriesColor = kSlitStyle[i].colour;
    s->LineWidth = 4;
    s->LineDotted = kSlitStyle[i].dotted;
    s->Pointer.Visible = false;
  }
}

void DspCompareTab::LoadOldDSPClick(TObject* sender) {
  for (TLineSeries* s : slitSeries_) s->Clear();
  std::string path;
  if (!form_.SelectReportFile("dcf*.*", path)) return;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    const bool cubic = ExtractFileExt(path) == ".cubic";
    const auto* button = dynamic_cast<const TComponent*>(sender);
    const bool old = button && button->Name == "LoadOldDSP";
    (old ? oldName_ : newName_) = ExtractFileName(path);
    (old ? old_ : new_) = ReadDispersion(file.get(), cubic).value;
  }
  Chart2->Title.Clear();
  Chart2->Title.Add(oldName_ + "  -  " + newName_);
  // Until both relations are there (slit 1 has a linear term in each) there
  // is nothing to compare.
  if (old_[0][1] * new_[0][1] == 0) return;
  PlotShifts();
  SummarizePoints(path, {Chart2});
}

// Each table is evaluated with its own terms, so a cubic relation keeps its
// cubic term against a quadratic one. A step where the new relation has no
// slope has no shift in steps: it gives no point.
void DspCompareTab::PlotShifts() {
  for (size_t i = 0; i < slitSeries_.size(); ++i) {
    const Coefficients& now = new_[i];
    const Coefficients change = Difference(new_[i], old_[i]);
    for (int k = 0; k < kSteps; ++k) {
      const long double s = k * kStepSpacing;
      const long double slope = Slope(now, s);
      if (slope == 0) continue;
      double x = 0, y = 0;
      if (AsFiniteDouble(Polynomial(now, s), x) && AsFiniteDouble(Polynomial(change, s) / slope, y))
        slitSeries_[i]->AddXY(x, y, "", kSlitStyle[i].colour);
    }
  }
}
