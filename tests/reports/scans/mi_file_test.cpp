#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/cli/form_dump.h"
#include "app/controls/application.h"
#include "core/line_reader.h"
#include "core/paths.h"
#include "reports/scans/mi_file.h"
#include "reports/scans/mi_file_reader.h"
#include "tests/support/test_support.h"

namespace {

using namespace std::string_literals;

TEST(MiFileReader, EveryFileIsReadToItsEnd) {
  struct Case {
    const char* name;
    std::string text;
    size_t lines;
    std::vector<std::string> words;  // of the last line
  };
  const std::string longLine = std::string(150, 'a') + " " + std::string(150, 'b') + " tail";
  const Case cases[] = {
      {"starts with an empty line", "\nab cd\nef  gh ij\n", 2, {"ef", "gh", "ij"}},
      {"starts with blank lines, CR LF", "\r\n \r\n\r\nab cd\r\nef gh\r\n\x1a", 2, {"ef", "gh"}},
      {"no final line end", "ab cd\n\n\nef gh", 2, {"ef", "gh"}},
      {"only empty lines", "\n\r\n\n", 0, {}},
      // 199 characters are kept; the rest of the line is not a line of its own.
      {"long line", "x y\n" + longLine + "\n", 2, {std::string(150, 'a'), std::string(48, 'b')}},
      {"binary bytes", "\x01\x02 \x00\x7f\n\xff\xfe ab\n"s, 2, {"\xff\xfe", "ab"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    CFile file(dir.Write("mi19.185", c.text), "rb");
    const ReadResult<MiFile> mi = ReadMiFile(file.get());
    EXPECT_EQ(mi.value.lines, c.lines);
    EXPECT_EQ(mi.value.words, c.words);
    EXPECT_FALSE(mi.error);
  }
}

class MiFileTest : public ::testing::Test {
 protected:
  std::string Dump() {
    std::ostringstream out;
    DumpForm(*f.form, f.platform.messages, out);
    return out.str();
  }
  FormFixture f;
};

TEST_F(MiFileTest, LoadingAReadableFileChangesNothing) {
  const std::string path = f.dir.Write("mi19001.185", "\n\n12 34 56\r\n78 90\r\n\x1a");
  // The dialogs already stand where the load leaves them.
  f.form->OpenDialog1->FileName = path;
  f.form->OpenDialog1->InitialDir = ExtractFilePath(path);
  f.form->OpenDirDialog1->InitialDir = ExtractFilePath(path);
  const std::string before = Dump();
  f.ClickWithFile(f.form->Mi->Button1, path);
  EXPECT_EQ(f.platform.dialogs.back().fileName, "mi*.*");
  EXPECT_EQ(Dump(), before);
}

TEST_F(MiFileTest, AnUnopenableFileIsToldAndCancelIsNot) {
  RunUserAction([this] { f.form->Mi->Button1->Click(); });  // cancelled
  EXPECT_TRUE(f.platform.messages.empty());
  f.ClickWithFile(f.form->Mi->Button1, f.dir.Path() + "/mi-missing.185");
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].caption, "Sorry!");
  EXPECT_EQ(f.platform.messages[0].text, "Cannot open the file.");
}

}  // namespace
