#include "app/controls/application.h"

#include <exception>

#include "app/controls/platform.h"

namespace {

int running = 0;

struct Running {
  Running() { ++running; }
  ~Running() { --running; }
};

}  // namespace

bool RunUserAction(const std::function<void()>& action) {
  const Running scope;
  try {
    action();
    return true;
  } catch (const std::exception& e) {
    CurrentPlatform().ShowException(e.what());
  } catch (...) {
    CurrentPlatform().ShowException("");
  }
  return false;
}

bool UserActionRunning() { return running > 0; }
