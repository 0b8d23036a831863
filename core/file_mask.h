#pragma once
// File masks with DOS rules, as the file list box and the open dialog apply
// them: case-insensitive (ASCII and Latin-1), '?' is exactly one character,
// '*' any run (also empty), and a mask ending in ".*" also matches a name
// without a point ("sloavg*.*" matches "SLOAVG19.185" and "sloavg").

#include <string>
#include <vector>

bool MatchesMask(const std::string& name, const std::string& mask);

// Masks separated by ';' ("ci*.*;cj*.*"); blanks around a mask are ignored and
// empty masks match nothing.
bool MatchesAnyMask(const std::string& name, const std::string& masks);

// Names (not paths) of the regular files in `dir` (symbolic links followed)
// that match `masks`, sorted case-insensitively, ties in plain byte order.
// A missing or unreadable folder gives an empty list; never throws.
std::vector<std::string> ListMatchingFiles(const std::string& dir, const std::string& masks);
