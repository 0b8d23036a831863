#pragma once
// File-name parts with the behaviour of the original platform's functions.
// Both '/' and '\' count as folder delimiters.

#include <string>

// The folder part with its trailing delimiter ("/data/x.185" -> "/data/");
// "" when the name has no delimiter.
std::string ExtractFilePath(const std::string& fileName);
// The folder part without the trailing delimiter ("/data/x.185" -> "/data"),
// except that a root keeps it ("/x" -> "/", "C:\x" -> "C:\").
std::string ExtractFileDir(const std::string& fileName);
// The part after the last delimiter.
std::string ExtractFileName(const std::string& fileName);
// From the last '.' of the name part on, point included ("SLOAVG.185" ->
// ".185"); "" when the name part has no point.
std::string ExtractFileExt(const std::string& fileName);

// Adds the platform's separator ('/', or '\' on Windows) unless `dir` already
// ends with '/' or '\'. An empty folder stays empty, so that joining it with a
// name gives a name relative to the current folder (not one in the root).
std::string IncludeTrailingPathDelimiter(const std::string& dir);

// The process's current folder, without a trailing delimiter ("" if unknown).
std::string CurrentDirectory();
