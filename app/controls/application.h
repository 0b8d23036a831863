#pragma once
// The application's default error handling for user actions.

#include <functional>

// Runs one user action (a click, a change). An error that escapes it is shown
// in the platform's error box and the program goes on. Returns false when an
// error was shown.
bool RunUserAction(const std::function<void()>& action);

// True while a user action runs, its error box included: the event loop may
// turn while it waits for a dialog or lets the window repaint.
bool UserActionRunning();
