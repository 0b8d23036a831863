#include "app/controls/application.h"

#include <exception>

#include "app/controls/platform.h"

bool RunUserAction(const std::function<void()>& action) {
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
