#include "tools/station/station_model.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/serial_date.h"

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Random::Uniform(double low, double high) { return low + (high - low) * Uniform(); }

int Random::Between(int low, int high) {
  return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
}

bool Random::Chance(double probability) { return Uniform() < probability; }

double Random::Normal(double mean, double sd) {
  double sum = 0;
  for (int i = 0; i < 12; ++i) sum += Uniform();
  return mean + sd * (sum - 6.0);
}

double Cosine(double radians) {
  const double x = radians - 2 * kPi * std::round(radians / (2 * kPi));  // within -pi..pi
  const double x2 = x * x;
  // Taylor terms up to x^22: below 1e-10 of error on -pi..pi.
  double sum = 1;
  for (int n = 11; n >= 1; --n) sum = 1 - sum * x2 / ((2 * n - 1) * (2 * n));
  return sum;
}

double Sine(double radians) { return Cosine(radians - kPi / 2); }

double Exp(double x) {
  constexpr double kLn2 = 0.69314718055994530942;
  const double k = std::round(x / kLn2);
  const double r = x - k * kLn2;  // within -0.35..0.35
  double sum = 1;
  for (int n = 14; n >= 1; --n) sum = 1 + sum * r / n;
  return std::ldexp(sum, static_cast<int>(k));
}

namespace {

constexpr double kYearDays = 365.25;
constexpr int kShippingDays = 2;   // on the road, each way
constexpr int kCampaignStay = 12;  // days measuring at the campaign's site
// Days of a campaign counted from the day the instrument is packed at home.
constexpr int kArrive = 1 + kShippingDays;              // installed at the campaign's site
constexpr int kDepart = kArrive + kCampaignStay - 1;    // packed there in the evening
constexpr int kReturn = kDepart + 1 + kShippingDays;    // measuring at home again
constexpr int kHome = 0, kCampaignSite = 1;

// The days of an event that comes about every `typical` days, the first at
// `phase` of that interval, each moved by up to a tenth of it. A span shorter
// than `typical` still gets one, so that a short example shows every event.
std::vector<int> EventDays(int span, int typical, double phase, Random& random) {
  const double interval = std::min(typical, span);
  std::vector<int> days;
  for (double at = phase * interval; at < span; at += interval) {
    const int day = static_cast<int>(std::round(at + random.Uniform(-0.1, 0.1) * interval));
    if (day >= 1 && day <= span - 2) days.push_back(day);
  }
  return days;
}

bool Has(const std::vector<int>& days, int day) { return std::binary_search(days.begin(), days.end(), day); }

// Days since the start of the campaign that holds day `day`, or -1.
int CampaignDay(const std::vector<int>& starts, int day) {
  for (int start : starts)
    if (day >= start && day <= start + kReturn) return day - start;
  return -1;
}

Lamp FirstLamp(Random& random) {
  static const double kRatios[6] = {1720, 1180, 380, 398, 448, 312};
  Lamp lamp{};
  for (int i = 0; i < 6; ++i) lamp.ratio[i] = kRatios[i] + random.Uniform(-6, 6);
  lamp.intensity = random.Uniform(650000, 900000);
  lamp.current = random.Uniform(1.70, 1.76);
  lamp.voltage = random.Uniform(10.4, 10.9);
  return lamp;
}

// A new standard lamp: ratios near the old lamp's, so that R6 steps by less
// than the jump the SL chart refuses, and an intensity of its own.
Lamp NextLamp(const Lamp& old, Random& random) {
  Lamp lamp = FirstLamp(random);
  for (int i = 0; i < 6; ++i) lamp.ratio[i] = old.ratio[i] + random.Uniform(-10, 10);
  lamp.ratio[5] = std::clamp(lamp.ratio[5], 270.0, 350.0);
  return lamp;
}

Dispersion MakeDispersion(Random& random) {
  static const double kSlits[6][3] = {{2857, 0.0770, -7.6e-7}, {2897, 0.0761, -7.7e-7}, {2934, 0.0749, -7.2e-7},
                                      {2969, 0.0743, -7.6e-7}, {3003, 0.0737, -7.8e-7}, {2824, 0.0776, -7.6e-7}};
  Dispersion d{};
  for (int s = 0; s < 6; ++s) {
    d.first[s][0] = kSlits[s][0] + random.Uniform(-1.5, 1.5);
    d.first[s][1] = kSlits[s][1] * (1 + random.Uniform(-0.004, 0.004));
    d.first[s][2] = kSlits[s][2] * (1 + random.Uniform(-0.03, 0.03));
    for (int j = 0; j < 3; ++j) d.second[s][j] = 1.5 * d.first[s][j];
  }
  return d;
}

// A later dispersion test of the same instrument finds nearly the same relation.
Dispersion Retested(const Dispersion& old, Random& random) {
  Dispersion d = old;
  for (int s = 0; s < 6; ++s) {
    d.first[s][0] += random.Normal(0, 0.04);
    d.first[s][1] *= 1 + random.Normal(0, 2e-5);
    d.first[s][2] *= 1 + random.Normal(0, 1e-3);
    for (int j = 0; j < 3; ++j) d.second[s][j] = 1.5 * d.first[s][j];
  }
  return d;
}

const char* const kRoutineRemarks[] = {
    "Quartz window cleaned",   "Desiccant replaced",         "Level checked, no change",
    "Clock set to GPS time",   "Dome cleaned after a storm", "Cables and connectors checked",
};

}  // namespace

Station::Station(const StationPlan& plan) : plan_(plan) {
  if (plan.instrument < 1 || plan.instrument > 999)
    throw std::invalid_argument("the instrument number must lie in 1..999");
  // The old dispersion test, a year before the first day, must still have a date.
  if (!(plan.firstDay >= EncodeDate(2, 1, 1) && plan.lastDay <= EncodeDate(9999, 12, 31)))
    throw std::invalid_argument("the days must lie between the years 2 and 9999");
  if (plan.lastDay < plan.firstDay) throw std::invalid_argument("the last day must not come before the first day");
  sites_ = {{"Lakeside", 52.210, -13.102, -552, -9, 1012, 0.0}, {"Hillcrest", 46.813, -9.842, -617, -6, 924, 3.0}};
  Random random(plan.seed);
  oldDispersion_ = MakeDispersion(random);
  newDispersion_ = Retested(oldDispersion_, random);
  oldDispersionDay_ = plan.firstDay - random.Between(300, 420);
  calStep_ = random.Between(270, 300);
  lamps_.push_back(FirstLamp(random));
  PlanEvents(random);
  BuildDays(random);
}

void Station::PlanEvents(Random& random) {
  const int span = static_cast<int>(plan_.lastDay - plan_.firstDay) + 1;
  lampChanges_ = EventDays(span, 420, 0.5, random);
  hgChanges_ = EventDays(span, 600, 0.8, random);
  routine_ = EventDays(span, 35, 0.15, random);
  // Planned whatever the quirks, so that they change the files' form only.
  unstable_ = EventDays(span, 150, 0.65, random);
  // A campaign needs room to leave after the first day and be back before the last.
  for (int start : EventDays(span, 730, 0.25, random))
    if (span >= 60 && start + kReturn <= span - 2) campaigns_.push_back(start);
}

void Station::BuildDays(Random& random) {
  const int span = static_cast<int>(plan_.lastDay - plan_.firstDay) + 1;
  int slAge = random.Between(60, 300), hgAge = random.Between(30, 400);
  double hgIntensity = random.Uniform(280000, 380000);
  double weather = 0, ozoneWeather = 0;
  auto remark = [&](int i, const std::string& text) { remarks_.push_back({plan_.firstDay + i, text}); };
  for (int i = 0; i < span; ++i) {
    // Every day draws the same numbers, whether the instrument ran or not.
    weather = 0.7 * weather + random.Normal(0, 1.2);
    ozoneWeather = 0.8 * ozoneWeather + random.Normal(0, 9);
    const double humidityNoise = random.Normal(0, 4);
    const double lowSpread = random.Uniform(1, 4), highSpread = random.Uniform(1, 5);
    const bool outage = random.Chance(0.02) && i != 0 && i != span - 1;
    const int routineRemark = random.Between(0, std::size(kRoutineRemarks) - 1);

    if (i > 0) ++slAge, ++hgAge;
    const int campaignDay = CampaignDay(campaigns_, i);
    const bool travelling =
        (campaignDay > 0 && campaignDay < kArrive) || (campaignDay > kDepart && campaignDay < kReturn);
    const bool away = campaignDay >= kArrive && campaignDay <= kDepart;
    const std::string& campaignSite = sites_[kCampaignSite].name;
    if (campaignDay == 0) remark(i, "Packed for the intercomparison at " + campaignSite);
    if (campaignDay == kArrive) remark(i, "Installed at " + campaignSite + ", levelled, north correction set");
    if (campaignDay == kDepart) remark(i, "Packed at " + campaignSite + " after the campaign");
    if (campaignDay == kReturn) remark(i, "Back at " + sites_[kHome].name + ", levelled, north correction set");
    if (travelling || outage) continue;
    // Lamps are changed on a day the instrument runs; a change planned for a
    // day it does not run is dropped.
    if (Has(lampChanges_, i)) {
      lamps_.push_back(NextLamp(lamps_.back(), random));
      slAge = 0;
      remark(i, "Standard lamp replaced, new SL reference values set");
    }
    if (Has(hgChanges_, i)) {
      hgIntensity = random.Uniform(280000, 380000);
      hgAge = 0;
      remark(i, "Mercury lamp replaced");
    }

    StationDay day;
    day.date = plan_.firstDay + i;
    DecodeDate(day.date, day.year, day.month, day.day);
    day.dayOfYear = static_cast<int>(day.date - EncodeDate(day.year, 1, 1)) + 1;
    day.site = away ? kCampaignSite : kHome;
    const double season = Cosine(2 * kPi * (day.dayOfYear - 200) / kYearDays);  // 1 in late July
    day.temperature = 18 + 8 * season + sites_[day.site].warmer + weather;
    day.lowT = static_cast<int>(std::floor(day.temperature - lowSpread));
    day.highT = static_cast<int>(std::ceil(day.temperature + highSpread));
    day.humidity = std::clamp(40 + 12 * season + humidityNoise, 8.0, 95.0);
    day.ozone = std::clamp(335 + 40 * Cosine(2 * kPi * (day.dayOfYear - 85) / kYearDays) + ozoneWeather, 220.0, 480.0);
    day.deadTime = 28.4 + 0.5 * Sine(2 * kPi * i / 2000) + 0.025 * (day.temperature - 20);
    day.slLamp = static_cast<int>(lamps_.size()) - 1;
    day.slAge = slAge;
    day.hgAge = hgAge;
    day.hgIntensity = hgIntensity;
    day.slUnstable = plan_.quirks && Has(unstable_, i);
    if (day.slUnstable) remark(i, "Standard lamp flickering, SL tests repeated");
    if (Has(routine_, i) && day.site == kHome) remark(i, kRoutineRemarks[routineRemark]);
    days_.push_back(day);
  }
}

Random Station::Stream(ReportKind kind) const {
  Random mixer(plan_.seed ^ (0xD1B54A32D192ED03ULL * (static_cast<uint64_t>(kind) + 1)));
  return Random(mixer.Next());
}

void Station::SlReadings(const StationDay& day, double ratio[6], double& intensity) const {
  // Per day of age and per degree: the ratios drift down as the lamp ages.
  static const double kAgeing[6] = {-0.010, -0.008, -0.004, -0.004, -0.006, -0.012};
  static const double kPerDegree[6] = {0.45, 0.30, 0.12, 0.10, 0.20, 0.25};
  const Lamp& lamp = lamps_[day.slLamp];
  const double warmer = day.temperature - 20;
  for (int i = 0; i < 6; ++i) ratio[i] = lamp.ratio[i] + kAgeing[i] * day.slAge + kPerDegree[i] * warmer;
  intensity = lamp.intensity * std::max(0.3, 1 - 0.0006 * day.slAge) * (1 - 0.004 * warmer);
}

double Station::HgReading(const StationDay& day) const {
  return day.hgIntensity * std::max(0.3, 1 - 0.0004 * day.hgAge) * (1 - 0.003 * (day.temperature - 20));
}

int Station::StepOf(double wavelength) const {
  const double* c = newDispersion_.first[0];
  const double offset = wavelength - c[0];
  // The root of c2 s^2 + c1 s - offset = 0 near offset / c1, in its stable form.
  return static_cast<int>(std::round(2 * offset / (c[1] + std::sqrt(c[1] * c[1] + 4 * c[2] * offset))));
}

double Station::SunHeight(const StationDay& day, double hours) const {
  constexpr double kDegree = kPi / 180;
  const Site& site = sites_[day.site];
  const double declination = -23.44 * kDegree * Cosine(2 * kPi * (day.dayOfYear + 10) / kYearDays);
  const double hourAngle = (15 * (hours - 12) - site.longitude) * kDegree;
  const double latitude = site.latitude * kDegree;
  return Sine(latitude) * Sine(declination) + Cosine(latitude) * Cosine(declination) * Cosine(hourAngle);
}
