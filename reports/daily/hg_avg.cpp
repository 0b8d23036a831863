// HG tab: the mercury-lamp averages in horizontal bands of one date chart.
#include "app/Mainunit.h"

namespace {

constexpr TColor kOrange = 42495;  // 0x00A5FF

void DatePoints(TChartSeries* series, TVertAxis axis, TColor color) {
  series->VertAxis = axis;
  series->SeriesColor = color;
  series->XDateTime = true;
}

}  // namespace

void TMainForm::CreateHgTab() {
  HGGraph = MakeChart("HGGraph", HGTab);
  HGGraph->Title.Add("");
  HGGraph->Legend.Alignment = TLegendAlignment::laTop;
  TChartAxis& bottom = HGGraph->BottomAxis;
  bottom.DateTime = true;
  bottom.DateTimeFormat = "dd/MM/yy";
  bottom.Increment = 1.0;
  bottom.Title = "Date";
  TChartAxis& left = HGGraph->LeftAxis;
  left.Title = "Intensity";
  left.LabelsFormat = "###0";
  left.StartPosition = 0;
  left.EndPosition = 40;
  TChartAxis& right = HGGraph->RightAxis;
  right.Title = "T, C";
  right.LabelsFormat = "###0";
  right.StartPosition = 85;
  right.EndPosition = 100;

  Series13 = MakeSeries<TPointSeries>(HGGraph, "Series13");
  Series13->Title = "Intensity";
  DatePoints(Series13, TVertAxis::aLeftAxis, clBlue);
  Series13->Pointer.HorizSize = 3;
  Series13->Pointer.VertSize = 1;

  Series11 = MakeSeries<TPointSeries>(HGGraph, "Series11");
  Series11->Title = "Temperature";
  DatePoints(Series11, TVertAxis::aRightAxis, clRed);
  Series11->Pointer.HorizSize = 3;
  Series11->Pointer.VertSize = 1;

  // The vertical axes of the arrow bands and of the calibration step are
  // custom axes made at start-up.
  Series65 = MakeSeries<TArrowSeries>(HGGraph, "Series65");
  Series65->Title = "N of HGs";
  DatePoints(Series65, TVertAxis::aLeftAxis, clGray);

  Series68 = MakeSeries<TArrowSeries>(HGGraph, "Series68");
  Series68->Title = "repeats";
  DatePoints(Series68, TVertAxis::aLeftAxis, clNavy);
  Series68->Marks.ArrowVisible = false;

  Series67 = MakeSeries<TArrowSeries>(HGGraph, "Series67");
  Series67->Title = "max shift";
  DatePoints(Series67, TVertAxis::aLeftAxis, clTeal);
  Series67->Marks.ArrowVisible = false;

  Series64 = MakeSeries<TPointSeries>(HGGraph, "Series64");
  Series64->Title = "cal step";
  DatePoints(Series64, TVertAxis::aLeftAxis, clYellow);
  Series64->Pointer.Style = TPointerStyle::psCircle;
  Series64->Pointer.BrushColor = kOrange;

  // Comment markers; only the comments overlay fills them.
  Series37 = MakeSeries<TPointSeries>(HGGraph, "Series37");
  DatePoints(Series37, TVertAxis::aRightAxis, clGreen);
  Series37->Pointer.Style = TPointerStyle::psDownTriangle;
  Series37->ShowInLegend = false;
  Series37->Marks.Visible = true;
  Series37->Marks.Transparent = true;
  Series37->Marks.ArrowColor = 58880;
}
