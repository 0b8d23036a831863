#include "core/paths.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/file_mask.h"

namespace {

TEST(Paths, FileNameParts) {
  struct Case { const char* name; const char* path; const char* dir; const char* file; const char* ext; };
  const Case cases[] = {
      {"/data/bdata185/SLOAVG19.185", "/data/bdata185/", "/data/bdata185", "SLOAVG19.185", ".185"},
      {"C:\\brewer\\sloavg.185", "C:\\brewer\\", "C:\\brewer", "sloavg.185", ".185"},
      {"C:\\sloavg.185", "C:\\", "C:\\", "sloavg.185", ".185"},
      {"/sloavg", "/", "/", "sloavg", ""},
      {"rel/dir.d/name", "rel/dir.d/", "rel/dir.d", "name", ""},
      {"mixed\\a/b.x.y", "mixed\\a/", "mixed\\a", "b.x.y", ".y"},
      {"name.txt", "", "", "name.txt", ".txt"},
      {"dir/", "dir/", "dir", "", ""},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter("/data"), "/data/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/data/"), "/data/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
  EXPECT_EQ(CurrentDirectory(), std::filesystem::current_path().string());
}

TEST(Paths, DayCodeAndInstrumentOfATestFileName) {
  struct Case { const char* path; const char* dayCode; const char* instrument; };
  const Case cases[] = {
      {"/data/bdata185/DUV17219.185", "17219", "185"},
      {"C:\\b\\\\duv31016.045", "31016", "045"},
      {"/d/17219.185", "17219", "185"},
      {"/data185/7219.185", "7219", "185"},  // never the folder's characters
      {"/data/19.185", "19", "185"},
      {"/data/.185", "", "185"},
      {"/data/85", "", "85"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(NameDayCode(c.path), c.dayCode);
    EXPECT_EQ(NameInstrument(c.path), c.instrument);
  }
}

TEST(FileMask, MatchesMask) {
  struct Case { const char* name; const char* mask; bool matches; };
  const Case cases[] = {
      {"SLOAVG19.185", "sloavg*.*", true},  {"sloavg", "sloavg*.*", true},
      {"SLAVG.185", "sl?avg*.*", false},    {"SLNAVG19.185", "sl?avg*.*", true},
      {"dtoavg19.185", "DTOAVG*.*", true},  {"xdtoavg.185", "dtoavg*.*", false},
      {"CZ17219.185", "cz?????.*", true},   {"CZ1721.185", "cz?????.*", false},
      {"cz17219", "cz?????.*", true},       {"a.b", "*", true},
      {"", "*", true},                      {"", "?", false},
      {"abc", "a?c", true},                 {"abc", "ab", false},
      {"\xc9T\xc9", "\xe9t\xe9", true},     {"Comment2019.txt", "Comment*.*", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;

  EXPECT_TRUE(MatchesAnyMask("HS17219.185", "cz?????.*;hl?????.*;hs?????.*"));
  EXPECT_TRUE(MatchesAnyMask("cj17219.185", "ci*.*; cj*.*"));
  EXPECT_FALSE(MatchesAnyMask("dcf17818.185", "ci*.*;cj*.*"));
  EXPECT_FALSE(MatchesAnyMask("x", ""));
  EXPECT_FALSE(MatchesAnyMask("x", ";;"));
}

TEST(FileMask, AdversarialMaskIsFast) {
  const std::string name(10000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MatchesMask(name, "*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchesMask(name + "b", "*a*a*a*a*a*b"));
  EXPECT_FALSE(MatchesMask(name, "*?*?*?*?*?*?*?*?*?*?b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(FileMask, ListMatchingFiles) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("lumograph_mask_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir / "sloavg_dir.185");  // a folder, not listed
  for (const char* name :
       {"SLOAVG19.185", "sloavg18.185", "slOavg.185", "DTOAVG.185", "sloavg", "SLOAVG", "notes.txt"})
    std::ofstream(dir / name) << "x";
  const std::vector<std::string> expected = {"SLOAVG", "sloavg", "slOavg.185", "sloavg18.185", "SLOAVG19.185"};
  EXPECT_EQ(ListMatchingFiles(dir.string(), "sloavg*.*"), expected);
  EXPECT_EQ(ListMatchingFiles(dir.string(), "dto*.*;*.txt"), (std::vector<std::string>{"DTOAVG.185", "notes.txt"}));
  EXPECT_TRUE(ListMatchingFiles((dir / "missing").string(), "*.*").empty());
  EXPECT_TRUE(ListMatchingFiles((dir / "notes.txt").string(), "*.*").empty());
  fs::remove_all(dir);
}

}  // namespace
