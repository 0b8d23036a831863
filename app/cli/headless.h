#pragma once
// The headless driver: runs the window's real handlers from the command line
// on a scripted platform, saves charts and dumps what was plotted.

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of a headless run.
inline constexpr int kHeadlessOk = 0;
inline constexpr int kHeadlessHandlerError = 1;
inline constexpr int kHeadlessUsageError = 2;

// `args` are the words after "--headless". Needs a QGuiApplication.
int RunHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// What "--help" prints.
void PrintUsage(std::ostream& out);
