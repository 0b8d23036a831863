// The comments overlay: a comment log marked on the date charts.
#include "app/comments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/Mainunit.h"
#include "app/comments_reader.h"
#include "app/controls/file_select.h"
#include "core/report_reader.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/scans/mi_file.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sl_avg.h"
#include "reports/folder/composite.h"
#include "reports/scans/di_motor.h"

namespace {

// A chart's comment series and where its markers are put. On DT (30 ns) and
// RS (8) that is high in the usual range of the chart; on SL, HG and OP the
// markers are lifted to the top edge once the chart is drawn.
struct CommentSeries {
  TChartSeries* series;
  double y;
  TColor colour;
};

std::array<CommentSeries, 5> CommentSeriesOf(const TMainForm& form) {
  return {{{form.Sl->Series35, -2000.0, clBlack},
           {form.Dt->Series31, 30.0, clBlue},
           {form.Rs->Series36, 8.0, clBlue},
           {form.Hg->Series37, 0.0, clBlue},
           {form.Op->Series38, 0.0, clBlue}}};
}

// The callouts run from the markers at the top edge down to this many pixels
// above the bottom of the plot.
constexpr int kCalloutGap = 50;

// Lifts the markers to the maximum of the chart's right axis and lets their
// callouts reach down into the plot. Only what moved is changed, and so
// redrawn: the drawing that follows finds every marker in place and ends there.
void PinToTop(TChart& chart, TChartSeries& markers, TObject* sender, bool& pinning) {
  if (pinning || markers.Count() == 0) return;
  pinning = true;
  bool moved = false;
  double min = 0, max = 0;
  chart.RightAxis.CurrentLimits(min, max);
  if (std::isfinite(max)) {
    for (int i = 0; i < markers.Count(); ++i) {
      if (markers.YValue(i) == max) continue;
      markers.SetYValue(i, max);
      moved = true;
    }
  }
  // The drawing tells the plot's height; called from code, the callouts keep theirs.
  const auto* drawing = dynamic_cast<const TChartDrawing*>(sender);
  const int length = drawing ? std::max(0, drawing->PlotHeight - kCalloutGap) : markers.Marks.ArrowLength;
  if (markers.Marks.ArrowLength != length) {
    markers.Marks.ArrowLength = length;
    moved = true;
  }
  if (moved) chart.Repaint();
  pinning = false;
}

}  // namespace

CommentsOverlay::CommentsOverlay(TMainForm& form) : form_(form) {
  form.LoadComments->OnClick = [this](TObject* sender) { LoadCommentsClick(sender); };
  form.ShowComments->OnClick = [this](TObject* sender) { ShowCommentsClick(sender); };
  form.Sl->SLGraph->OnAfterDraw = [this](TObject* sender) { SLGraphAfterDraw(sender); };
  for (TChart* chart : {form.Hg->HGGraph, form.Di->diLampsChart, form.Mi->Chart1, form.Composite->CompositeChart})
    chart->OnAfterDraw = [this](TObject* sender) { HGGraphAfterDraw(sender); };
  for (TChart* chart : {form.Op->OPGraph, form.Op->LocationGraph})
    chart->OnAfterDraw = [this](TObject* sender) { OPGraphAfterDraw(sender); };
}

void CommentsOverlay::LoadCommentsClick(TObject* sender) {
  const std::array<CommentSeries, 5> marked = CommentSeriesOf(form_);
  for (const CommentSeries& m : marked) m.series->Clear();
  std::string path;
  if (!AskForReportFile(*form_.OpenDialog1, "Comment*.*", path)) return;
  RememberFolder(*form_.OpenDialog1, *form_.OpenDirDialog1, path);
  std::vector<Comment> comments;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    comments = ReadComments(file.get());
  }
  for (const Comment& comment : comments)
    for (const CommentSeries& m : marked) m.series->AddXY(comment.date, m.y, comment.text, m.colour);
  ShowCommentsClick(sender);
}

void CommentsOverlay::ShowCommentsClick(TObject*) {
  for (const CommentSeries& m : CommentSeriesOf(form_)) m.series->SetActive(form_.ShowComments->Checked);
}

void CommentsOverlay::SLGraphAfterDraw(TObject* sender) {
  PinToTop(*form_.Sl->SLGraph, *form_.Sl->Series35, sender, pinningSl_);
}

void CommentsOverlay::HGGraphAfterDraw(TObject* sender) {
  PinToTop(*form_.Hg->HGGraph, *form_.Hg->Series37, sender, pinningHg_);
}

void CommentsOverlay::OPGraphAfterDraw(TObject* sender) {
  PinToTop(*form_.Op->OPGraph, *form_.Op->Series38, sender, pinningOp_);
}
