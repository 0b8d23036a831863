#include "app/report_tab.h"

#include "reports/folder/auto_save.h"

TChart* ReportTab::MakeChart(const std::string& name, TWinControl* parent) {
  TChart* chart = Make<TChart>(name, parent);
  chart->Align = TAlign::alClient;
  return chart;
}

TTabSheet* ReportTab::MakeSheet(const std::string& name, TPageControl* pages, const std::string& caption) {
  TTabSheet* sheet = Make<TTabSheet>(name, pages);
  sheet->Caption = caption;
  sheet->Align = TAlign::alClient;
  pages->Pages.push_back(sheet);
  return sheet;
}

TPanel* ReportTab::MakeButtonStrip(const std::string& name, TWinControl* parent) {
  TPanel* strip = Make<TPanel>(name, parent);
  strip->Align = TAlign::alTop;
  strip->Height = 33;
  return strip;
}

TButton* ReportTab::MakeButton(const std::string& name, TWinControl* parent, const std::string& caption, int left,
                               TNotifyEvent onClick, int width) {
  TButton* button = Make<TButton>(name, parent);
  button->Caption = caption;
  button->SetBounds(left, 4, width, 25);
  button->OnClick = std::move(onClick);
  return button;
}

TSpeedButton* ReportTab::MakeSaveButton(const std::string& name, TWinControl* parent, int left,
                                        TNotifyEvent onClick) {
  TSpeedButton* button = Make<TSpeedButton>(name, parent);
  button->Hint = "Save the chart as a bitmap";
  button->SetBounds(left, 4, 25, 25);
  button->OnClick = std::move(onClick);
  return button;
}

void ReportTab::AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base,
                              const TChartAxis* dateAxis) const {
  ::AutoSaveChart(chart, reportPath, base, form_.StartingDate->DateTime, form_.EndDate->DateTime, dateAxis);
}

void ReportTab::SummarizePoints(const std::string& path, std::initializer_list<const TChart*> charts) const {
  size_t points = 0;
  for (const TChart* chart : charts)
    for (const TChartSeries* series : chart->Series()) points += static_cast<size_t>(series->Count());
  form_.ShowLoadSummary(path, std::to_string(points) + (points == 1 ? " point" : " points") + " on the chart");
}
