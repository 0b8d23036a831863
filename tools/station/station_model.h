#pragma once
// The simulated instrument behind a station folder: the days it ran, where it
// stood, its lamps, temperatures and ozone, its dispersion, and the remarks an
// operator would log. Only exact operations touch the numbers (+ - * /, sqrt,
// rounding, and the polynomials below for cos and exp), so the same seed gives
// the same bytes whatever the C library's transcendental functions do.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/station/station_generator.h"

// splitmix64: its sequence is fixed by its definition, unlike the standard
// library's distributions, whose output may change between versions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform();  // [0, 1), 53 bits
  double Uniform(double low, double high);
  int Between(int low, int high);  // both ends included
  bool Chance(double probability);
  double Normal(double mean, double sd);  // twelve uniforms summed

 private:
  uint64_t state_;
};

inline constexpr double kPi = 3.14159265358979323846;
double Cosine(double radians);
double Sine(double radians);
double Exp(double x);  // for |x| up to about 700

struct Site {
  std::string name;
  double latitude;   // degrees north
  double longitude;  // degrees west, as the instrument writes it (east is negative)
  int north;         // north correction, steps
  int horizon;       // horizon correction, steps
  int pressure;      // hPa
  double warmer;     // C above the home site's seasonal cycle
};

// A standard lamp: ratios R1..R6 and intensity I1 when new, at 20 C.
struct Lamp {
  double ratio[6];
  double intensity;
  double current;  // A
  double voltage;  // V when new
};

// Wavelength (Angstrom) against micrometer step, one quadratic per slit,
// slits 0 to 5, then the same for the second order.
struct Dispersion {
  double first[6][3];
  double second[6][3];
};

struct StationDay {
  double date = 0;
  int year = 0, month = 0, day = 0, dayOfYear = 0;
  double temperature = 0;  // mean inside the instrument, C
  int lowT = 0, highT = 0;
  double humidity = 0;     // %
  double ozone = 0;        // total column, DU
  double deadTime = 0;     // ns
  int site = 0;            // into Sites()
  int slLamp = 0;          // into SlLamps()
  int slAge = 0;           // days since that lamp was fitted
  int hgAge = 0;           // days since the mercury lamp was fitted
  double hgIntensity = 0;  // that mercury lamp's intensity when new
  bool slUnstable = false; // the standard lamp flickered all day
};

struct Remark {
  double date;
  std::string text;
};

class Station {
 public:
  explicit Station(const StationPlan& plan);

  const StationPlan& Plan() const { return plan_; }
  // The days the instrument ran, in order. The first and last day asked for are
  // always among them; the days of shipping to and from a campaign never are.
  const std::vector<StationDay>& Days() const { return days_; }
  const std::vector<Site>& Sites() const { return sites_; }
  const std::vector<Lamp>& SlLamps() const { return lamps_; }
  const std::vector<Remark>& Remarks() const { return remarks_; }
  // The dispersion in use when the record starts, found by a test about a
  // year before it, and the one a new test finds on the last day.
  const Dispersion& OldDispersion() const { return oldDispersion_; }
  const Dispersion& NewDispersion() const { return newDispersion_; }
  double OldDispersionDay() const { return oldDispersionDay_; }
  int CalStep() const { return calStep_; }                            // of the mercury line test
  // A random stream of its own for each kind, so that the draws of one kind
  // never shift those of another.
  Random Stream(ReportKind kind) const;

  // Standard-lamp readings of a day: R1..R6 and I1 as a test would find them,
  // before the test's own noise.
  void SlReadings(const StationDay& day, double ratio[6], double& intensity) const;
  // The mercury lamp's intensity as a test of the day would find it.
  double HgReading(const StationDay& day) const;
  // The micrometer step at which slit 0 sees `wavelength`, by the new dispersion.
  int StepOf(double wavelength) const;
  // Cosine of the solar zenith angle on `day` at `hours` UTC.
  double SunHeight(const StationDay& day, double hours) const;

 private:
  void PlanEvents(Random& random);
  void BuildDays(Random& random);

  StationPlan plan_;
  std::vector<StationDay> days_;
  std::vector<Site> sites_;
  std::vector<Lamp> lamps_;
  std::vector<Remark> remarks_;
  Dispersion oldDispersion_{}, newDispersion_{};
  double oldDispersionDay_ = 0;
  int calStep_ = 0;
  // Planned events, as day indexes from the first day.
  std::vector<int> lampChanges_, hgChanges_, campaigns_, routine_, unstable_;
};
