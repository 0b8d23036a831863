#include "app/controls/platform.h"

#include <cmath>
#include <stdexcept>

namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() {
  if (!g_platform) throw std::logic_error("no platform installed");
  return *g_platform;
}

Platform* SetCurrentPlatform(Platform* platform) {
  Platform* previous = g_platform;
  g_platform = platform;
  return previous;
}

double Date() { return std::floor(CurrentPlatform().Today()); }
