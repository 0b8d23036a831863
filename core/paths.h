#pragma once
// File-name parts with the behaviour of the original platform's functions.
// Both '/' and '\' count as folder delimiters.

#include <filesystem>
#include <string>

// The separator this program writes between a folder and a name: the
// platform's own ('/', or '\\' on Windows).
inline constexpr char kPathDelimiter = static_cast<char>(std::filesystem::path::preferred_separator);

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

// Single-test files are named ...jjjyy.nnn: the day code jjjyy of the test
// and the instrument number nnn. NameDayCode gives the five characters before
// the last four of the file name, NameInstrument its last three; a shorter
// name gives what of them it holds (down to ""), never a folder's characters.
std::string NameDayCode(const std::string& fileName);
std::string NameInstrument(const std::string& fileName);

// Adds the platform's separator ('/', or '\' on Windows) unless `dir` already
// ends with '/' or '\'. An empty folder stays empty, so that joining it with a
// name gives a name relative to the current folder (not one in the root).
std::string IncludeTrailingPathDelimiter(const std::string& dir);

// True when `path` names an existing folder.
bool IsDirectory(const std::string& path);

// The process's current folder, without a trailing delimiter ("" if unknown).
std::string CurrentDirectory();
