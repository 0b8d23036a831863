#pragma once
// Loads a report file or a station folder in the window, as if the user had
// chosen it in the dialog of its loader.

#include <string>

class QtPlatform;
class TMainForm;

// A file shows its tab and loads there; a folder runs "Load DIR". A path that
// is missing or that no tab reads is refused with a message.
void OpenPathInWindow(TMainForm& form, QtPlatform& platform, const std::string& path);
