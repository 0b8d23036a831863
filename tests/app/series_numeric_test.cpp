#include <gtest/gtest.h>

#include <vector>

#include "app/chart/chart.h"
#include "app/chart/series_numeric.h"

namespace {

struct SeriesFixture : ::testing::Test {
  TChart chart{"chart", nullptr};
  TChartSeries* series = chart.AddSeries<TPointSeries>("s");
  void Fill(const std::vector<double>& ys) {
    series->Clear();
    for (size_t i = 0; i < ys.size(); ++i) series->AddXY(static_cast<double>(i), ys[i]);
  }
};

TEST_F(SeriesFixture, RemoveOutliersDeletesOnlyFarPoints) {
  std::vector<double> ys(20, 100.0);
  ys.insert(ys.begin() + 7, 1000.0);
  Fill(ys);
  RemoveOutliers(*series);
  ASSERT_EQ(series->Count(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(series->YValue(i), 100.0);
  EXPECT_EQ(series->XValue(7), 8);  // the point after the outlier moved up

  const std::vector<std::vector<double>> kept = {
      std::vector<double>(30, 0.1),  // equal values, rounding included
      {5},
      {},
      {1, 2, 3, 4, 5, 6},
  };
  for (const auto& values : kept) {
    Fill(values);
    RemoveOutliers(*series);
    EXPECT_EQ(series->Count(), static_cast<int>(values.size()));
  }
}

TEST_F(SeriesFixture, VisibleRangeRoundsOutwardAndWidensByAStep) {
  Fill({500, 12345, 13990, 13000, 99999});
  chart.BottomAxis.SetMinMax(1, 3);
  double min = 0, max = 0;
  VisibleRange(*series, chart.BottomAxis, 1000, min, max);
  EXPECT_EQ(min, 11000);
  EXPECT_EQ(max, 15000);

  Fill({1003, 1017});
  chart.BottomAxis.SetMinMax(0, 1);
  VisibleRange(*series, chart.BottomAxis, 5, min, max);
  EXPECT_EQ(min, 995);
  EXPECT_EQ(max, 1025);

  chart.BottomAxis.SetMinMax(50, 60);  // nothing visible
  VisibleRange(*series, chart.BottomAxis, 5, min, max);
  EXPECT_GT(min, max);
}

TEST_F(SeriesFixture, RemoveOutliersAlsoDeletesFromAFollower) {
  TChartSeries* follower = chart.AddSeries<TPointSeries>("copy");
  follower->SetDataSource(series);
  std::vector<double> ys(20, 100.0);
  ys[3] = -5000;
  ys[15] = 5000;
  Fill(ys);
  RemoveOutliers(*series);
  ASSERT_EQ(follower->Count(), 18);
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(follower->XValue(i), series->XValue(i));
    EXPECT_EQ(follower->YValue(i), 100.0);
  }
}

}  // namespace
