#pragma once
// Which program this is: the version that CMake's project defines and the Qt
// the program runs on, for "--version" and the window's About box.

#include <string>

class QWidget;

// "Lumograph 0.1 (Qt 6.4.2)".
std::string VersionText();

// The About box over `parent`.
void ShowAbout(QWidget* parent);
