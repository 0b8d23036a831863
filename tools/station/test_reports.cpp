// The single-test files: scans of the mercury lines, of the internal lamp and
// of a laser, the diagnostic and filter-wheel tests, a day of UV values and
// the dispersion files. Tests whose results are compared over time (CI, FC,
// the dispersion) are made on the first and on the last day, the others on
// the last day.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/format.h"
#include "core/text.h"
#include "tools/station/report_text.h"
#include "tools/station/station_model.h"
#include "tools/station/station_reports.h"

namespace {

constexpr double kIntegrationTime = 0.2294;  // seconds per sample
constexpr int kCycles = 4;
const char* const kStars = "************************************************************\n";

std::vector<const StationDay*> FirstAndLastDay(const Station& station) {
  const StationDay& first = station.Days().front();
  const StationDay& last = station.Days().back();
  if (&first == &last) return {&last};
  return {&first, &last};
}

std::string ScanFileName(const Station& station, const std::string& prefix, const StationDay& day) {
  return InstrumentFileName(station.Plan(), AnsiLowerCase(prefix) + DayCode(day.date));
}

std::string ClockText(double minutes) {
  const int seconds = Round(minutes * 60);
  return Format("%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
}

std::string DeadTimeText(const StationDay& day) { return Format("%.1E", day.deadTime * 1e-9); }

// The "dh" block: date, site, its position, a number, and the pressure. The
// instrument separates them with bare CRs.
std::string DhBlock(const Station& station, const StationDay& day, Random& random) {
  const bool quirks = station.Plan().quirks;
  const Site& site = station.Sites()[day.site];
  const std::string next = quirks ? "\r" : "\n";
  return "dh" + next + Format("%02d", day.day) + next + Format("%02d", day.month) + next +
         Format("%02d", day.year % 100) + next + site.name + next + Number(site.latitude, 1, quirks) + next +
         Number(site.longitude, 2, quirks) + next + Format("%f", 2.9 + random.Normal(0, 0.03)) + next + "pr" +
         next + Format("%d", site.pressure + random.Between(-8, 8)) + next + "\n";
}

// One sample: the raw counts of a cycle and the rate the instrument prints
// for them, dark-subtracted, per second and corrected for the dead time.
struct Sample {
  double raw, rate;
};

Sample Measure(double trueRate, double dark, const StationDay& day, Random& random) {
  const double deadTime = day.deadTime * 1e-9;
  const double expected = dark + trueRate * Exp(-trueRate * deadTime) * kIntegrationTime;
  const double raw = std::max(0.0, std::round(expected + random.Normal(0, std::sqrt(expected / kCycles))));
  const double seen = (raw - dark) / kIntegrationTime;
  return {raw, seen * Exp(seen * deadTime)};
}

// The instrument's slit: a triangle 5.8 Angstrom wide at half its height.
double Slit(double offset) { return std::max(0.0, 1 - std::fabs(offset) / 5.8); }

struct MercuryScan {
  const char* kind;  // "HL", "HS", "CZ"
  double line, start, final, increment;  // Angstrom
  const char* wheel2;                    // position and name of filter wheel 2, or nothing
  double startMinute;                    // minutes after midnight UTC
  double peak;                           // counts per second of a new lamp at the line's top
};

ReportFile MercuryScanFile(const Station& station, const StationDay& day, const MercuryScan& scan, Random& random) {
  const bool quirks = station.Plan().quirks;
  const double dark = random.Uniform(5, 9);
  const double lampFactor = station.HgReading(day) / 330000;
  const double centre = scan.line + random.Normal(0, 0.04);
  const std::string kind = scan.kind;
  std::string text = std::string(kStars) + "  " + kind + " Scan of (1) Internal mercury lamp\n" + kStars +
                     Format("Integration time is %.4f seconds per sample\n", kIntegrationTime) +
                     DhBlock(station, day, random) + kStars +
                     "Dead Time -------------------------  " + DeadTimeText(day) + " \n" +
                     Format("Number of Cycles Used -------------  %d \n", kCycles) +
                     "Starting Wavelength (Angstroms) ---  " + Number(scan.start, 2, quirks) + " \n" +
                     "Final Wavelength (Angstoms) -------  " + Number(scan.final, 2, quirks) + " \n" +
                     "Wavelength Increment (Angstroms) --  " + Number(scan.increment, 2, quirks) + " \n" +
                     "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\n" +
                     "Filter Wheel #2 Position ---------- " + scan.wheel2 + "\n\n\n\n" + kStars + kind +
                     " scan start time = " + ClockText(scan.startMinute) + "\n" +
                     "Dark Count =  " + Number(dark, 1, quirks) + " \n\n\n" +
                     "Time (GMT)  Wavelength (Ang)  Step Number  Raw Counts  Counts/Second\n\n";
  const int lines = Round((scan.final - scan.start) / scan.increment) + 1;
  double minute = scan.startMinute + 0.2;
  for (int i = 0; i < lines; ++i, minute += 0.033) {
    const double wavelength = scan.start + i * scan.increment;
    const double rate = 150 + scan.peak * lampFactor * Slit(wavelength - centre);
    const Sample sample = Measure(rate, dark, day, random);
    text += Format("%8.2f%15.2f%15d%15.2f%13.2f\n", minute, wavelength, station.StepOf(wavelength), sample.raw,
                   sample.rate);
  }
  text += kind + " scan finished at " + ClockText(minute) + "\nend\n";
  return MakeFile(station.Plan(), ScanFileName(station, kind, day), text, EndMark::kCtrlZ);
}

// The internal lamp's spectrum as the instrument sees it, in counts per
// second. It follows the standard lamp's intensity, and a lamp with a higher
// R6 gives relatively more light at the long wavelengths.
double LampSpectrum(const Station& station, const StationDay& day, double wavelength) {
  double ratio[6], intensity = 0;
  station.SlReadings(day, ratio, intensity);
  const double x = (wavelength - 2865) / 765;
  const double tilt = (station.SlLamps()[day.slLamp].ratio[5] - 312) / 300;
  return 0.33 * intensity * Exp(3.74 * x - 1.03 * x * x) * (1 + tilt * (x - 0.5)) *
         (1 + 0.03 * Sine(wavelength / 37));
}

constexpr int kLampScanFrom = 2865, kLampScanTo = 3630, kLampScanStep = 5;

// The header of a lamp scan: the "dh" block and the scan line with the
// instrument, the dead time, the cycles and the dark count.
std::string LampScanHeader(const Station& station, const StationDay& day, const char* kind, double dark,
                           Random& random) {
  return DhBlock(station, day, random) + Format("%s SCAN-INST #%03d dt  %s  cy %d DARK =     %.3f \n", kind,
                                                station.Plan().instrument, DeadTimeText(day).c_str(), kCycles, dark);
}

std::string LampScanLine(const Station& station, const StationDay& day, double minute, int wavelength, double dark,
                         double factor, Random& random) {
  const Sample sample = Measure(LampSpectrum(station, day, wavelength) * factor, dark, day, random);
  return Format("%7.2f%6d%7d%12.2f%12.2f\n", minute, wavelength, station.StepOf(wavelength), sample.raw,
                sample.rate);
}

// Long filter-wheel scans pass the wheel's six holes, 64 steps apart.
double WheelScan(const double transmission[6], int step, double peak) {
  double sum = 40;
  for (int hole = 0; hole < 6; ++hole)
    sum += peak * transmission[hole] * std::max(0.0, 1 - std::fabs(step - 64.0 * hole) / 24);
  return sum;
}

// The diagnostic test's motor lines: "Motor  n step s :" and four readings,
// the last the intensity the test judges.
std::string MotorLine(int motor, int step, double intensity, Random& random) {
  std::string line = Format("Motor  %d step %4d :", motor, step);
  for (double share : {0.62, 0.78, 0.91, 1.0})
    line += Format("%10.0f", intensity * share * (1 + random.Normal(0, 0.001)));
  return line + "\n";
}

// A lamp's warm-up: five groups of eight readings half a minute apart, each
// group closed by a line of its own.
std::string WarmUp(double plateau, double current, double voltage, bool intensityFirst, Random& random) {
  std::string text;
  for (int group = 0; group < 5; ++group) {
    for (int i = 1; i <= 8; ++i) {
      const double minutes = (group * 8 + i) * 0.5;
      const double intensity = plateau * (1 - 0.25 * Exp(-minutes / 2.5)) * (1 + random.Normal(0, 0.001));
      const double volts = voltage * (1 + 0.02 * Exp(-minutes / 3)) + random.Normal(0, 0.002);
      text += intensityFirst ? Format("%8.2f%12.0f%10.3f%10.3f\n", minutes, intensity, volts, current)
                             : Format("%8.2f%10.3f%10.3f%12.0f\n", minutes, volts, current, intensity);
    }
    text += "----------------------------------------\n";
  }
  return text;
}

}  // namespace

std::vector<ReportFile> MercuryScanFiles(const Station& station) {
  static const MercuryScan kScans[] = {
      {"HS", 2967.28, 2950, 2984, 0.25, "(1) Neutral Density 0.494", 481, 181000},
      {"HL", 3341.48, 3331, 3351, 0.25, "", 492, 108000},
      {"CZ", 2967.28, 2955, 2980, 0.5, "(1) Neutral Density 0.494", 500, 175000},
  };
  Random random = station.Stream(ReportKind::kCz);
  std::vector<ReportFile> files;
  for (const MercuryScan& scan : kScans) files.push_back(MercuryScanFile(station, station.Days().back(), scan, random));
  return files;
}

// The internal lamp scanned across the spectrum, forward only.
std::vector<ReportFile> CiScanFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kCi);
  std::vector<ReportFile> files;
  for (const StationDay* day : FirstAndLastDay(station)) {
    const double dark = random.Uniform(6, 10);
    std::string text = LampScanHeader(station, *day, "CI", dark, random);
    double minute = 510;
    for (int wavelength = kLampScanFrom; wavelength <= kLampScanTo; wavelength += kLampScanStep, minute += 0.035)
      text += LampScanLine(station, *day, minute, wavelength, dark, 1, random);
    files.push_back(MakeFile(station.Plan(), ScanFileName(station, "CI", *day), text + "end\n", EndMark::kCtrlZ));
  }
  return files;
}

// The internal lamp scanned forward and back: a dark reading between the two
// directions, the way back from the longest wavelength down, and a trace of
// the drive's backlash in the backward counts.
std::vector<ReportFile> CjScanFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kCj);
  const StationDay& day = station.Days().back();
  const double dark = random.Uniform(6, 10);
  std::string text = LampScanHeader(station, day, "CJ", dark, random);
  double minute = 520;
  for (int wavelength = kLampScanFrom; wavelength <= kLampScanTo; wavelength += kLampScanStep, minute += 0.035)
    text += LampScanLine(station, day, minute, wavelength, dark, 1, random);
  text += Format(" DARK =     %.3f\n", dark + random.Normal(0, 0.2));
  for (int wavelength = kLampScanTo; wavelength >= kLampScanFrom; wavelength -= kLampScanStep, minute += 0.035) {
    const double backlash = 1 + 0.002 * (wavelength - 3250.0) / 385;
    text += LampScanLine(station, day, minute, wavelength, dark, backlash, random);
  }
  return {MakeFile(station.Plan(), ScanFileName(station, "CJ", day), text + "end\n", EndMark::kCtrlZ)};
}

// A laser line scanned twice: once through an open filter wheel 2 and once
// through its position 4, a hundred times darker. Each block has the header
// of a mercury scan and lines of the time, wavelength, step and the raw
// counts of the six slits; the last column is the one the test uses.
std::vector<ReportFile> CaScanFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kCa);
  const StationDay& day = station.Days().back();
  const bool quirks = station.Plan().quirks;
  constexpr double kLaser = 3250.3, kFrom = 3240, kTo = 3260, kStep = 0.25;
  constexpr double kTime = kIntegrationTime / 2;
  const char* const kWheel2[2] = {"(0) Open", "(4) Neutral Density 2.0"};
  std::string text;
  double minute = 600;
  for (int block = 0; block < 2; ++block) {
    const double dark = random.Uniform(5, 9);
    const double attenuation = block == 0 ? 1 : 0.01;
    text += std::string(kStars) + "  CA Scan of (2) External laser\n" + kStars +
            Format("Integration time is %.4f seconds per sample\n", kTime) + DhBlock(station, day, random) + kStars +
            "Dead Time -------------------------  " + DeadTimeText(day) + " \n" +
            Format("Number of Cycles Used -------------  %d \n", kCycles) +
            "Starting Wavelength (Angstroms) ---  " + Number(kFrom, 2, quirks) + " \n" +
            "Final Wavelength (Angstoms) -------  " + Number(kTo, 2, quirks) + " \n" +
            "Wavelength Increment (Angstroms) --  " + Number(kStep, 2, quirks) + " \n" +
            "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\n" +
            "Filter Wheel #2 Position ---------- " + kWheel2[block] + "\n\n\n\n" + kStars +
            "CA scan start time = " + ClockText(minute) + "\n" + "Dark Count =  " + Number(dark, 1, quirks) +
            " \n\n\nTime (GMT)  Wavelength (Ang)  Step Number  Raw Counts\n\n";
    for (double wavelength = kFrom; wavelength <= kTo + kStep / 2; wavelength += kStep, minute += 0.033) {
      const double offset = wavelength - kLaser;
      const double rate = attenuation * (2e6 * Slit(offset) + 200 * Exp(-std::fabs(offset) / 4)) + 5;
      text += Format("%8.2f%15.2f%8d", minute, wavelength, station.StepOf(wavelength));
      for (int slit = 0; slit < 6; ++slit) {
        const double seen = rate * (slit == 5 ? 1 : 0.02 * (slit + 1)) * Exp(-rate * day.deadTime * 1e-9);
        text += Format("%12.0f", std::round(dark + seen * kCycles * kTime / 2 + random.Normal(0, 2)));
      }
      text += "\n";
    }
    text += "CA scan finished at " + ClockText(minute) + Format("\nLaser test block %d of 2 done\n", block + 1);
  }
  return {MakeFile(station.Plan(), ScanFileName(station, "CA", day), text, EndMark::kCtrlZ)};
}

// The diagnostic test: the standard lamp's warm-up, short scans of the zenith
// prism, both filter wheels and the iris around their expected steps, long
// scans of both wheels and the mercury lamp's warm-up. Every section is closed
// by a line of its own, which the next section's heading follows.
std::vector<ReportFile> DiTestFiles(const Station& station) {
  static const double kFw2[6] = {1, 0.316, 0.1, 0.0316, 0.01, 0.00316};
  static const double kFw1[6] = {1, 0.0048, 0.9, 0.5, 0.45, 0};
  Random random = station.Stream(ReportKind::kDi);
  const StationDay& day = station.Days().back();
  const Lamp& lamp = station.SlLamps()[day.slLamp];
  double ratio[6], intensity = 0;
  station.SlReadings(day, ratio, intensity);
  const double current = lamp.current + random.Normal(0, 0.002);
  std::string text = std::string(kStars) + "  DI  Diagnostic test\n" + kStars +
                     Format("Brewer #%03d at %s\n", station.Plan().instrument,
                            station.Sites()[day.site].name.c_str()) +
                     "Test of " + FormatDateTime("dd/mm/yy", day.date) + " started at 09:02:11\n" +
                     "Lamp warm up: readings every 30 seconds after power on\n" +
                     "Motor scans: step and four intensity readings\n" +
                     "Short scans look for each motor's maximum near its expected step\n" + kStars +
                     Format("SL current is %.3f\n", current) + "Standard lamp warm up\n" +
                     "  Minutes     Volts      Amps   Intensity\n" +
                     WarmUp(intensity, current, lamp.voltage + 0.0006 * day.slAge, false, random);

  // Short scans: the intensity falls off on both sides of the expected step.
  auto around = [&](int step, int expected, double falloff) {
    return intensity * (1 - falloff * (step - expected) * (step - expected));
  };
  text += "Zenith prism scan, motor 1\n";
  for (int step = -5; step <= 10; ++step) text += MotorLine(1, step, around(step, 0, 0.006), random);
  text += "Maximum at step 0\nFW2 scan, motor 5\n";
  for (int step = 60; step <= 68; ++step) text += MotorLine(5, step, around(step, 64, 0.004), random);
  text += "Maximum at step 64\nFW1 scan, motor 4\n";
  for (int step = 124; step <= 132; ++step) text += MotorLine(4, step, around(step, 128, 0.004), random);
  // The iris lets in more light up to its expected step.
  text += "Maximum at step 128\nIris scan, motor 3\n";
  for (int step = 25; step <= 75; step += 5)
    text += MotorLine(3, step, intensity * (0.3 + 0.7 * (step - 25) / 50), random);
  text += "Maximum at step 75\nFW2 - long scan, motor 5\n";
  for (int step = 0; step <= 320; step += 8) text += MotorLine(5, step, WheelScan(kFw2, step, intensity), random);
  text += "End of long scan\nFW1 - long scan, motor 4\n";
  for (int step = 0; step <= 320; step += 8) text += MotorLine(4, step, WheelScan(kFw1, step, intensity), random);
  text += "End of long scan\nTurning mercury lamp on\n  Minutes  Hg intensity     Volts      Amps\n";
  text += WarmUp(0.1 * station.HgReading(day), 0.9 + random.Normal(0, 0.002), 13.2, true, random);
  return {MakeFile(station.Plan(), ScanFileName(station, "DI", day), text, EndMark::kNone)};
}

// Filter wheel 3 turned step by step: R6 and R5 of the standard lamp, and the
// intensities on slits 2 and 5.
std::vector<ReportFile> FcTestFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kFc);
  std::vector<ReportFile> files;
  for (const StationDay* day : FirstAndLastDay(station)) {
    double ratio[6], intensity = 0;
    station.SlReadings(*day, ratio, intensity);
    std::string text = Format("FW#3 SCAN-INST #%03d dt  %s  %s %s\n", station.Plan().instrument,
                              DeadTimeText(*day).c_str(), station.Sites()[day->site].name.c_str(),
                              FormatDateTime("dd/mm/yy", day->date).c_str()) +
                       "FW3    R6   R5       I(2)     I(5)\n";
    for (int step = 0; step < 20 * 16; step += 16) {
      const double turn = Cosine(2 * kPi * step / 320);
      const double i2 = 0.9 * intensity * (0.8 + 0.2 * turn) * (1 + random.Normal(0, 0.002));
      text += Format("%5d%6d%6d%10d%10d\n", step, Round(ratio[5] + 4 * turn + random.Normal(0, 0.8)),
                     Round(ratio[4] + 2 * turn + random.Normal(0, 0.8)), Round(i2), Round(i2 * 0.93));
    }
    text += "FC scan finished at 09:48:20\n";
    files.push_back(MakeFile(station.Plan(), ScanFileName(station, "FC", *day), text, EndMark::kNone));
  }
  return files;
}

// A day of erythemal UV, every half hour while the sun is up: UTC hours and
// the value, which follows the sun's height and the clouds.
std::vector<ReportFile> DuvFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kDuv);
  const StationDay& day = station.Days().back();
  std::string text;
  double cloud = random.Uniform(0.6, 1);
  for (double hours = 0; hours < 24; hours += 0.5) {
    const double height = station.SunHeight(day, hours);
    cloud = std::clamp(cloud + random.Normal(0, 0.08), 0.3, 1.0);
    if (height < 0.03) continue;
    text += Format("%7.4f%14.6f\n", hours + random.Uniform(0, 0.01), 230 * height * height * std::sqrt(height) * cloud);
  }
  return {MakeFile(station.Plan(), ScanFileName(station, "DUV", day), text, EndMark::kCtrlZ)};
}

namespace {

// A dispersion file: the three coefficients of slits 0 to 5, the same for the
// second order, the test's date and three settings of the drive.
ReportFile DispersionFile(const Station& station, const Dispersion& dispersion, double date, Random& random) {
  std::string text;
  for (const auto& slit : dispersion.first)
    for (double c : slit) text += Format("%g\n", c);
  for (const auto& slit : dispersion.second)
    for (double c : slit) text += Format("%g\n", c);
  text += AnsiLowerCase(FormatDateTime("ddd, mmm dd/yy", date)) + "\n" +
          Format("%d\n%d\n%d\n", random.Between(1700, 1760), random.Between(1000, 1040), random.Between(2400, 2450));
  // Dispersion files keep lower-case names, as the instrument's own do.
  return MakeFile(station.Plan(), "dcf" + DayCode(date) + Format(".%03d", station.Plan().instrument), text,
                  EndMark::kNone);
}

}  // namespace

std::vector<ReportFile> DispersionFiles(const Station& station) {
  Random random = station.Stream(ReportKind::kDsp);
  return {DispersionFile(station, station.OldDispersion(), station.OldDispersionDay(), random),
          DispersionFile(station, station.NewDispersion(), station.Days().back().date, random)};
}
