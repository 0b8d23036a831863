#include "reports/scans/duv_scan_reader.h"

#include <cmath>

Records<DuvPoint> ReadDuvScan(FILE* file) {
  std::vector<DuvPoint> points;
  DuvPoint p;
  while (std::fscanf(file, "%lf %lf", &p.time, &p.value) == 2 && std::isfinite(p.time) && std::isfinite(p.value))
    points.push_back(p);
  return {points, std::nullopt};
}
