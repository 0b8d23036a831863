// The daily-average files, one day (or one run, or one scan) a line, and the
// operator's comment log.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/text.h"
#include "tools/station/report_text.h"
#include "tools/station/station_model.h"
#include "tools/station/station_reports.h"

namespace {

// A number right-aligned in a column of `width`, as the instrument's PRINT
// USING leaves it.
std::string Column(const std::string& text, int width) {
  return text.size() < static_cast<size_t>(width) ? std::string(width - text.size(), ' ') + text : text;
}

// The standard lamp's ratios as a day's tests found them, with their spreads.
// A flickering lamp gives ratios far off and spreads of three digits, which
// run into each other in the file's narrow columns.
struct SlDay {
  int ratio[6], spread[6];
  int intensity, intensitySpread;
};

SlDay MeasureSl(const Station& station, const StationDay& day, Random& random) {
  double ratio[6], intensity = 0;
  station.SlReadings(day, ratio, intensity);
  SlDay m{};
  for (int i = 0; i < 6; ++i) {
    const double off = day.slUnstable ? (i == 5 ? random.Uniform(0.02, 0.05) : random.Uniform(0.12, 0.16)) : 0;
    m.ratio[i] = Round(ratio[i] * (1 + off) + random.Normal(0, 0.8));
    m.spread[i] = day.slUnstable ? Round(ratio[i] * (i == 5 ? 0.25 : random.Uniform(0.2, 0.45)))
                                 : random.Between(1, 3);
  }
  m.intensity = Round(intensity * (day.slUnstable ? random.Uniform(0.85, 0.9) : 1 + random.Normal(0, 0.002)));
  m.intensitySpread = Round(day.slUnstable ? intensity * random.Uniform(0.15, 0.3) : random.Uniform(300, 900));
  return m;
}

}  // namespace

std::vector<ReportFile> SlAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kSl);
  std::string text;
  for (const StationDay& day : station.Days()) {
    const SlDay m = MeasureSl(station, day, random);
    text += DayCode(day.date) + Format("%3d%3d%3d", day.lowT, day.highT, random.Between(3, 12));
    for (int r : m.ratio) text += Format("%6d", r);
    text += Format("%8d", m.intensity);
    for (int s : m.spread) text += Format("%3d", s);
    text += Format("%6d\n", m.intensitySpread);
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "sloavg"), text, EndMark::kNone)};
}

// Two dead-time runs a day: the high and low dead time, their spreads, and
// the high and low intensity of the standard lamp the runs used.
std::vector<ReportFile> DtAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kDt);
  const bool quirks = station.Plan().quirks;
  std::string text;
  for (const StationDay& day : station.Days()) {
    double ratio[6], intensity = 0;
    station.SlReadings(day, ratio, intensity);
    for (int run = 0; run < 2; ++run) {
      const double high = day.deadTime + random.Normal(0, 0.12);
      const double low = high - random.Uniform(0.1, 0.6);
      // Now and then a run scatters so much that its arrow is drawn red.
      const double spread = random.Chance(0.01) ? random.Uniform(2.0, 2.8) : std::fabs(random.Normal(0, 0.15));
      const double bright = 4.2 * intensity * (1 + random.Normal(0, 0.003));
      text += DayCode(day.date) + "     " + Number(high, 3, quirks) + "     " + Number(low, 3, quirks) + "  " +
              Number(spread, 1, quirks) + "  " + Number(random.Uniform(0.6, 1.8), 1, quirks) +
              Format("  %d  %d\n", Round(bright), Round(bright * 0.358));
    }
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "dtoavg"), text, EndMark::kCtrlZ)};
}

// The mercury lamp test: intensity, temperature, tests of the day, repeats,
// largest step shift and the calibration step.
std::vector<ReportFile> HgAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kHg);
  std::string text;
  for (const StationDay& day : station.Days()) {
    const double intensity = station.HgReading(day) * (1 + random.Normal(0, 0.004));
    const int tests =
        random.Chance(0.03) ? random.Between(30, 40) : random.Between(8, 22) + (day.temperature > 20 ? 4 : 0);
    const bool troubled = random.Chance(0.04);
    const int repeats = troubled ? random.Between(3, 12) : random.Between(1, 2);
    const int shift = troubled ? random.Between(3, 25) * (random.Chance(0.5) ? 1 : -1) : random.Between(-2, 2);
    const int calStep = station.CalStep() + Round((day.temperature - 20) * 0.08) + (random.Chance(0.05) ? 1 : 0);
    text += DayCode(day.date) +
            Format("%12.1f%5d%5d%5d%5d%6d\n", intensity, Round(day.temperature), tests, repeats, shift, calStep);
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "hgoavg"), text, EndMark::kNone)};
}

// The eight run/stop ratios: all near 1 but ratio 1, which is a ratio of
// small counts; a few stray beyond the tolerance.
std::vector<ReportFile> RsAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kRs);
  const bool quirks = station.Plan().quirks;
  std::string text;
  for (const StationDay& day : station.Days()) {
    text += DayCode(day.date);
    for (int i = 0; i < 8; ++i) {
      double ratio = 1 + random.Normal(0, 0.0005);
      if (i == 1)
        ratio = static_cast<double>(random.Between(3, 9)) / random.Between(3, 9);
      else if (random.Chance(0.01))
        ratio = 1 + random.Uniform(0.0032, 0.006) * (random.Chance(0.5) ? 1 : -1);
      text += Column(Number(ratio, 4, quirks), 11);
    }
    text += '\n';
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "rsoavg"), text, EndMark::kCtrlZ)};
}

namespace {

// Where the analog printout puts each reading in a block. Instruments of
// number 80 and from 160 on write the long layout, with supplies of -12, -5
// and +12 V; the others the short one, with -15, -8 and +15 V.
struct ApLayout {
  int fields;                 // of a block that ends the record
  int pmt, rack, caseTemp, hv, humidity, slCurrent, slVoltage;
  int supply[6];              // field of each voltage row, row 1 first
  double nominal[6];
};

ApLayout LayoutOf(int instrument) {
  static const double kShortNominal[6] = {-15, -8, 5, 5, 15, 24}, kLongNominal[6] = {-12, -5, 5, 5, 12, 24};
  const bool longLayout = instrument == 80 || instrument >= 160;
  ApLayout layout{longLayout ? 24 : 16, 0, 1, 2, 3, longLayout ? 20 : 9, 14, 15, {6, 13, 5, 12, 4, 7}, {}};
  const double* nominal = longLayout ? kLongNominal : kShortNominal;
  std::copy(nominal, nominal + 6, layout.nominal);
  return layout;
}

// One block of readings; `fields` is one more than the layout's when another
// block follows. `lampsOff` readings are those of the second block.
std::string ApBlock(const Station& station, const StationDay& day, const ApLayout& layout, int fields, double hv,
                    const double supplyOffset[6], bool lampsOff, Random& random) {
  const bool quirks = station.Plan().quirks;
  std::string text;
  for (int k = 0; k < fields; ++k) {
    // The channels nothing reads hold steady small voltages.
    double value = 0.25 * (k % 7) + 0.5 + random.Normal(0, 0.004);
    int decimals = 3;
    if (k == layout.pmt) value = day.temperature + 4 + random.Normal(0, 0.2), decimals = 1;
    if (k == layout.rack) value = day.temperature + 7 + random.Normal(0, 0.2), decimals = 1;
    if (k == layout.caseTemp) value = day.temperature + 1 + random.Normal(0, 0.2), decimals = 1;
    if (k == layout.hv) value = hv - (lampsOff ? random.Uniform(0.5, 2) : 0), decimals = 2;
    if (k == layout.humidity) value = day.humidity, decimals = 1;
    for (int row = 0; row < 6; ++row)
      if (k == layout.supply[row])
        value = layout.nominal[row] + supplyOffset[row] + (lampsOff ? 0.03 : 0) + random.Normal(0, 0.008);
    const Lamp& lamp = station.SlLamps()[day.slLamp];
    if (k == layout.slCurrent) value = lampsOff ? 0 : lamp.current + random.Normal(0, 0.002);
    if (k == layout.slVoltage) value = lampsOff ? 0 : lamp.voltage + 0.0006 * day.slAge + random.Normal(0, 0.01);
    text += Number(value, decimals, quirks) + "  ";
  }
  return text;
}

}  // namespace

// The analog printout: high voltage and +5 V, then one block of readings, or
// two (the second with the lamps off) once a week.
std::vector<ReportFile> ApAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kAp);
  const bool quirks = station.Plan().quirks;
  const ApLayout layout = LayoutOf(station.Plan().instrument);
  const double hvSetting = random.Between(1300, 1600);
  double supplyOffset[6];
  for (double& offset : supplyOffset) offset = random.Uniform(-0.15, 0.15);
  constexpr double kAdcStep = 5.0 / 819;  // the +5 V reading comes in steps of the converter
  std::string text;
  for (const StationDay& day : station.Days()) {
    const double hv = hvSetting + random.Normal(0, 0.3);
    const double plus5 = kAdcStep * std::round((5.04 + random.Normal(0, 0.004)) / kAdcStep);
    text += DayCode(day.date) + "  " + Number(hv, 2, quirks) + "    " + Format("%.6f", plus5) + "   " +
            Number(1.3 + random.Normal(0, 0.002), 4, quirks) + "   ";
    const bool twoBlocks = day.dayOfYear % 7 == 3;
    text += ApBlock(station, day, layout, layout.fields + (twoBlocks ? 1 : 0), hv, supplyOffset, false, random);
    if (twoBlocks) text += ApBlock(station, day, layout, layout.fields, hv, supplyOffset, true, random);
    text += '\n';
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "apoavg"), text, EndMark::kCtrlZ)};
}

// The operating constants of each day, comma-separated: the files in use,
// the date, the site and its position, the north and horizon corrections and
// the steps per revolution, then switches, the schedule and the time.
std::vector<ReportFile> OpAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kOp);
  const StationPlan& plan = station.Plan();
  const std::string calibration = DayCode(station.OldDispersionDay());
  const int stepsPerRevolution = random.Between(14620, 14660);
  std::string text;
  for (const StationDay& day : station.Days()) {
    const Site& site = station.Sites()[day.site];
    text += Format("ED,%03d,C:\\BREWER\\,icf%s,zsf,dcf%s,%02d,%02d,%02d,%s,%.3f,%.4f,%d, %f,%d ,%d , %d ,",
                   plan.instrument, calibration.c_str(), calibration.c_str(), day.day, day.month, day.year % 100,
                   site.name.c_str(), site.latitude, site.longitude, site.pressure, 2.7 + random.Normal(0, 0.02),
                   site.north, site.horizon, stepsPerRevolution);
    text += " 1 , 1 , 1 , 1 , 1 , 0 , 1 , 1 , 0 , 1 , 1 , 0 , 1 , 1 , 1 skc,o3," +
            AnsiLowerCase(site.name.substr(0, 4)) + "std" +
            Format(",%02d:%02d:%02d\n", 22 + random.Between(0, 1), random.Between(0, 59), random.Between(0, 59));
  }
  return {MakeFile(plan, InstrumentFileName(plan, "opavg"), text, EndMark::kNone)};
}

namespace {

// Hours UTC of local solar noon at the day's site.
double SolarNoon(const Station& station, const StationDay& day) {
  return 12 + station.Sites()[day.site].longitude / 15;
}

}  // namespace

// The day's ozone: mean and spread, SO2 and its spread, observations kept of
// those made, the airmass at noon times 100, the measured ratios and the
// temperatures. Days without direct sun, or whose slant column is beyond the
// instrument's range, have no line.
std::vector<ReportFile> O3AvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kO3);
  const bool quirks = station.Plan().quirks;
  std::string text;
  for (const StationDay& day : station.Days()) {
    const double height = station.SunHeight(day, SolarNoon(station, day));
    const bool sunny = random.Chance(0.85);
    const double ozone = day.ozone + random.Normal(0, 2);
    if (!sunny || height < 0.2) continue;
    const int airmass100 = Round(100 / height);
    if (ozone * airmass100 >= 145000) continue;
    const int made = random.Between(5, 25);
    text += DayCode(day.date) + " " + Number(ozone, 1, quirks) + " " + Number(random.Uniform(0.8, 3.5), 1, quirks) +
            " " + Number(random.Normal(0.3, 0.8), 1, quirks) + " " + Number(random.Uniform(0.5, 2), 1, quirks) +
            Format(" %d/%d %d ", made - random.Between(0, made / 4), made, airmass100) +
            Number(1600 + ozone * 0.1 + random.Normal(0, 5), 1, quirks) + " " +
            Number(random.Uniform(2, 12), 1, quirks) + " " + Number(2340 + random.Normal(0, 8), 1, quirks) + " " +
            Number(random.Uniform(3, 15), 1, quirks) + " " + Number(1 + random.Normal(0, 0.002), 4, quirks) + " " +
            Number(1 + random.Normal(0, 0.002), 4, quirks) + "/ " + Number(day.lowT, 1, quirks) + " " +
            Number(day.highT, 1, quirks) + " " + Number(day.temperature, 1, quirks) + "\n";
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "ozoavg"), text, EndMark::kNone)};
}

// Sun scans: on some days one to three, each with the minute of the day, the
// airmass, the temperature, the calibration step the scan found, the ozone
// and the fit's figures. The step scatters more at a short slant path.
std::vector<ReportFile> ScAvgFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kSc);
  const bool quirks = station.Plan().quirks;
  std::string text;
  for (const StationDay& day : station.Days()) {
    const int scans = random.Chance(0.35) ? random.Between(1, 3) : 0;
    for (int scan = 0; scan < scans; ++scan) {
      const double hours = SolarNoon(station, day) + random.Uniform(-3, 3);
      const double height = station.SunHeight(day, hours);
      if (height < 0.25) continue;
      const double airmass = 1 / height;
      const double ozone = day.ozone + random.Normal(0, 3);
      const double step = station.CalStep() + random.Normal(0, 1.5 * 700 / (ozone * airmass));
      text += DayCode(day.date) + Format(" %d ", Round(hours * 60)) + Number(airmass, 3, quirks) +
              Format(" %d ", Round(day.temperature)) + Number(step, 1, quirks) + " " + Number(ozone, 1, quirks) +
              " " + Number(random.Uniform(0.1, 0.9), 3, quirks) + " " + Number(random.Uniform(5, 40), 1, quirks) +
              " " + Number(random.Uniform(0.95, 1), 4, quirks) + "\n";
    }
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "scoavg"), text, EndMark::kNone)};
}

// The filter test: the temperature, then for each of the six positions of
// the neutral-density wheel its number, attenuation setting and cycles and
// six pairs of counts and their spread, one per slit. The filters darken
// slowly, each at its own pace.
std::vector<ReportFile> FiAvgFiles(const Station& station) {
  static const int kSetting[6] = {1, 3, 8, 30, 100, 250};
  static const double kShare[6] = {0.070, 0.0053, 0.0124, 0.0171, 0.0265, 0.0321};
  static const double kSlit[6] = {0.993, 1.000, 1.009, 1.023, 1.030, 1.037};
  Random random = station.Stream(ReportKind::kFi);
  std::string text;
  for (const StationDay& day : station.Days()) {
    if (!random.Chance(0.6)) continue;
    double ratio[6], intensity = 0;
    station.SlReadings(day, ratio, intensity);
    const double years = (day.date - station.Plan().firstDay) / 365.25;
    text += DayCode(day.date) + Format("%4d", Round(day.temperature));
    for (int group = 0; group < 6; ++group) {
      text += Format("%3d%4d%3d", group + 1, kSetting[group], 3);
      const double darkening = 1 - 0.002 * group * years;
      for (double slit : kSlit)
        text += Format("%6d%5s", Round(intensity * kShare[group] * darkening * slit * (1 + random.Normal(0, 0.002))),
                       Format("+%d", random.Between(0, 26)).c_str());
    }
    text += '\n';
  }
  return {MakeFile(station.Plan(), InstrumentFileName(station.Plan(), "fioavg"), text, EndMark::kNone)};
}

// The operator's log: a day code and a remark a line, typed in an editor.
std::vector<ReportFile> CommentFiles(const Station& station) {
  std::vector<Remark> remarks = station.Remarks();
  std::stable_sort(remarks.begin(), remarks.end(), [](const Remark& a, const Remark& b) { return a.date < b.date; });
  std::string text;
  for (const Remark& remark : remarks) text += DayCode(remark.date) + " " + remark.text + "\n";
  return {MakeFile(station.Plan(), Format("Comments.%03d", station.Plan().instrument), text, EndMark::kNone)};
}
