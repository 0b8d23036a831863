#pragma once
// The whole state of the window as JSON: messages shown, every control and
// every chart with its axes and series. The README describes the shape.

#include <ostream>
#include <vector>

#include "app/Mainunit.h"
#include "app/cli/scripted_platform.h"

void DumpForm(const TMainForm& form, const std::vector<ScriptedPlatform::Message>& messages,
              std::ostream& out);
