// Report files that once made drawing hang for good: values of large
// magnitude a few units in the last place apart. Each must load and draw its
// charts quickly.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/chart/render/chart_renderer.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/scans/lamp_scan.h"
#include "tests/app/finishes_within.h"
#include "tests/support/test_support.h"

namespace {

TEST(HostileInput, FilesThatOnceHungTheDrawingLoadAndDrawQuickly) {
  struct Case {
    const char* file;
    TButton* (*button)(TMainForm&);
  };
  const Case cases[] = {
      {"dtoavg19.185", [](TMainForm& form) -> TButton* { return form.Dt->LoadDtAvg; }},
      {"hgoavg19.185", [](TMainForm& form) -> TButton* { return form.Hg->LoadHGavg; }},
      {"ci15616.123", [](TMainForm& form) -> TButton* { return form.Ci->LoadCI; }},
      {"ci15616.123", [](TMainForm& form) -> TButton* { return form.Cj->LoadCJ; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    FormFixture f;
    f.ClickWithFile(c.button(*f.form), std::string(LUMOGRAPH_TEST_DATA) + "/hostile/" + c.file);
    EXPECT_TRUE(f.platform.messages.empty());
    for (TChart* chart : f.form->Charts()) {
      const std::string what = std::string(c.file) + " on " + chart->Name;
      const bool drawn = FinishesWithin(std::chrono::seconds(5), what, [chart] {
        return !RenderChartImage(*chart, 600, 400).isNull();
      });
      EXPECT_TRUE(drawn) << what;
    }
  }
}

}  // namespace
