#pragma once
// The application's default error handling for user actions.

#include <functional>

// Runs one user action (a click, a change). An error that escapes it is shown
// in the platform's error box and the program goes on. Returns false when an
// error was shown.
bool RunUserAction(const std::function<void()>& action);
