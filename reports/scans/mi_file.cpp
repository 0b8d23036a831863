// MI tab: intensity in the upper part of the chart, temperature and the
// number of observations below it, against date. The loader reads its file
// line by line but nothing is plotted from it.
#include "reports/scans/mi_file.h"
#include "reports/scans/mi_file_reader.h"

#include "app/Mainunit.h"

MiFileTab::MiFileTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  MIPanel = MakeButtonStrip("MIPanel", sheet);
  Button1 = MakeButton("Button1", MIPanel, "Load mi avg file", 8, Handler(&MiFileTab::LoadMIClick));

  Chart1 = MakeChart("Chart1", sheet);
  Chart1->Legend.Alignment = TLegendAlignment::laTop;
  Chart1->BottomAxis.SetDateScale("Date", 1, "dd/MM/yy");
  TChartAxis& left = Chart1->LeftAxis;
  left.Title = "Intensity";
  left.LabelsFormat = "###0";
  left.EndPosition = 70;
  TChartAxis& right = Chart1->RightAxis;
  right.Title = "Instrument temperature, C";
  right.LabelsFormat = "###0";
  right.StartPosition = 70;

  LineSeries18 = MakeSeries<TLineSeries>(Chart1, "LineSeries18");
  LineSeries18->Title = "Temperature";
  LineSeries18->SeriesColor = clRed;
  LineSeries18->VertAxis = TVertAxis::aRightAxis;
  LineSeries25 = MakeSeries<TLineSeries>(Chart1, "LineSeries25");
  LineSeries25->Title = "Intensity";
  LineSeries25->SeriesColor = clBlue;
  LineSeries26 = MakeSeries<TLineSeries>(Chart1, "LineSeries26");
  LineSeries26->Title = "N obs";
  LineSeries26->SeriesColor = clBlack;
  LineSeries26->VertAxis = TVertAxis::aRightAxis;
  PointSeries1 = MakeSeries<TPointSeries>(Chart1, "PointSeries1");
  PointSeries1->SeriesColor = clGreen;
  PointSeries1->Pointer.Style = TPointerStyle::psDownTriangle;
  PointSeries1->Marks.Visible = true;
  PointSeries1->ShowInLegend = false;
  PointSeries1->VertAxis = TVertAxis::aRightAxis;
}

void MiFileTab::LoadMIClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("mi*.*", path)) return;
  CFile file = OpenReportFile(path);
  if (!file) {
    CurrentPlatform().ShowMessage("Sorry!", "Cannot open the file.");
    return;
  }
  // What the file holds is not plotted yet.
  (void)ReadMiFile(file.get());
}
