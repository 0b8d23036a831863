#include "core/paths.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool IsDelimiter(char c) { return c == '/' || c == '\\'; }

size_t LastDelimiter(const std::string& s) { return s.find_last_of("/\\"); }

}  // namespace

std::string ExtractFilePath(const std::string& fileName) {
  const size_t p = LastDelimiter(fileName);
  return p == std::string::npos ? std::string() : fileName.substr(0, p + 1);
}

std::string ExtractFileDir(const std::string& fileName) {
  const size_t p = LastDelimiter(fileName);
  if (p == std::string::npos) return std::string();
  // Keep the delimiter of a root: "/", "C:\", or a run of delimiters ("//").
  const bool driveRoot = p == 2 && fileName[1] == ':' && std::isalpha(static_cast<unsigned char>(fileName[0]));
  if (p == 0 || driveRoot || IsDelimiter(fileName[p - 1])) return fileName.substr(0, p + 1);
  return fileName.substr(0, p);
}

std::string ExtractFileName(const std::string& fileName) {
  const size_t p = LastDelimiter(fileName);
  return p == std::string::npos ? fileName : fileName.substr(p + 1);
}

std::string ExtractFileExt(const std::string& fileName) {
  const size_t p = fileName.find_last_of("./\\");
  if (p == std::string::npos || fileName[p] != '.') return std::string();
  return fileName.substr(p);
}

std::string IncludeTrailingPathDelimiter(const std::string& dir) {
  if (dir.empty() || IsDelimiter(dir.back())) return dir;
  return dir + static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string CurrentDirectory() {
  std::error_code ec;
  const std::filesystem::path current = std::filesystem::current_path(ec);
  return ec ? std::string() : current.string();
}
