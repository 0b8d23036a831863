#pragma once
// Opening a path with the program, from the command line or by a drop on the
// window: the path goes to the button a user would press to load it, and
// answers that button's file dialog.

#include <string>

class TButton;
class TControl;
class TMainForm;

// "Load DIR" for a folder; for a file, the load button of the tab whose file
// pattern matches the file's name (case-insensitively, as the open dialog
// does). Null when no tab reads files named like that.
TButton* LoaderFor(const TMainForm& form, const std::string& path);

// The answer of the loader's dialog for `path`: a folder with its separator,
// since "Load DIR" takes the folder of the chosen name.
std::string DialogAnswerFor(const std::string& path);

// Brings the tab that holds `control` to the front; a control outside the
// tabs ("Load DIR") changes nothing.
void ShowTabOf(TMainForm& form, const TControl* control);
