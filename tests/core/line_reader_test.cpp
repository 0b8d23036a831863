#include "core/line_reader.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/temp_file.h"

namespace {

std::vector<std::string> AllLines(const std::string& bytes, size_t bufferSize = 256) {
  TempFile file(bytes);
  std::vector<std::string> lines;
  std::vector<char> buffer(bufferSize);
  while (ReadWholeLine(file.get(), buffer.data(), buffer.size())) lines.emplace_back(buffer.data());
  EXPECT_FALSE(ReadWholeLine(file.get(), buffer.data(), buffer.size()));  // stays at the end
  return lines;
}

// The same, read ahead by a TextFile.
std::vector<std::string> AllTextLines(const std::string& bytes, size_t bufferSize = 256) {
  TempFile file(bytes);
  TextFile text(file.get());
  std::vector<std::string> lines;
  std::vector<char> buffer(bufferSize);
  while (text.ReadLine(buffer.data(), buffer.size())) lines.emplace_back(buffer.data());
  EXPECT_FALSE(text.ReadLine(buffer.data(), buffer.size()));
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, ReadWholeLine) {
  const struct { std::string bytes; Lines lines; } cases[] = {
      {"a b\r\nc\r\n\x1a", {"a b", "c"}},           // CR LF and the Ctrl-Z end mark
      {"a\nb", {"a", "b"}},                          // no final line end
      {"\n\r\n  \n31114 17\n\n\n  x \n", {"31114 17", "x "}},  // empty lines, leading blanks
      {"", {}},
      {"\r\n\x1a", {}},
      {"a\rb\r\n", {"a\rb"}},                        // a bare CR inside a line stays
      {std::string("a\0b\nc\n", 6), {"a", "c"}},     // a NUL ends the C string, not the line
      {"\xff\xfe\x01junk\n2", {"\xff\xfe\x01junk", "2"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AllLines(c.bytes), c.lines) << c.bytes;
    EXPECT_EQ(AllTextLines(c.bytes), c.lines) << c.bytes;
  }

  // Over-long lines are cut to the buffer; their rest never becomes a line.
  for (auto lines : {AllLines, AllTextLines}) {
    EXPECT_EQ(lines(std::string(1000, 'x') + "\r\nnext\r\n", 8), (Lines{"xxxxxxx", "next"}));
    EXPECT_EQ(lines("abcdefg\r\nh\n", 8), (Lines{"abcdefg", "h"}));  // fits exactly, CR dropped
    EXPECT_EQ(lines("ab\ncd", 1), (Lines{"", ""}));  // room for the NUL only
  }

  // Which lines were longer than the buffer (8 bytes: seven characters).
  const struct { const char* bytes; bool cut; } fits[] = {
      {"abcdefg\r\n", false}, {"abcdefg\r", false}, {"abcdefg", false},
      {"abcdefgh\n", true},    {"abcdefg\rh\n", true}, {"abcdefg \n", true},
  };
  for (const auto& c : fits) {
    TempFile one(c.bytes), another(c.bytes);
    TextFile text(another.get());
    char line[8], textLine[8];
    bool cut = !c.cut, textCut = !c.cut;
    ASSERT_TRUE(ReadWholeLine(one.get(), line, sizeof line, &cut));
    ASSERT_TRUE(text.ReadLine(textLine, sizeof textLine, &textCut));
    EXPECT_EQ(cut, c.cut) << c.bytes;
    EXPECT_EQ(textCut, c.cut) << c.bytes;
    EXPECT_STREQ(line, "abcdefg");
    EXPECT_STREQ(textLine, "abcdefg");
  }

  // Room for the records ahead: the line ends not yet read, but no more
  // than twice the bytes ahead hold.
  TempFile three("a\r\nb\r\nc");
  TextFile ahead(three.get());
  EXPECT_EQ(ahead.RecordsAhead(1), 2u);
  EXPECT_EQ(ahead.RecordsAhead(4), 2u);   // 7 bytes ahead: room for 3 of 4 bytes
  EXPECT_EQ(ahead.RecordsAhead(8), 1u);
  char first[4];
  ASSERT_TRUE(ahead.ReadLine(first, sizeof first));
  EXPECT_EQ(ahead.RecordsAhead(1), 1u);
  TempFile blank(std::string(1000, '\n'));
  EXPECT_EQ(TextFile(blank.get()).RecordsAhead(400), 5u);

  TempFile file("abc\n");
  char buffer[4] = "zz";
  EXPECT_FALSE(ReadWholeLine(file.get(), buffer, 0));
  EXPECT_FALSE(ReadWholeLine(file.get(), nullptr, 4));
  EXPECT_FALSE(ReadWholeLine(nullptr, buffer, 4));
  EXPECT_TRUE(ReadWholeLine(file.get(), buffer, 4));  // nothing was consumed above
  EXPECT_STREQ(buffer, "abc");
}

// Reads the file with ReadRestOfLine until its end; "|" separates the texts.
std::string RestOfLines(const std::string& bytes, int stop) {
  TempFile file(bytes);
  std::string all;
  for (int guard = 0; guard < 100; ++guard) {
    all += ReadRestOfLine(file.get(), stop) + "|";
    const int c = std::fgetc(file.get());
    if (c == EOF) break;
    std::ungetc(c, file.get());
  }
  return all;
}

TEST(LineReader, ReadRestOfLine) {
  const struct { std::string bytes; int stop; std::string texts; } cases[] = {
      {"abc\r\nnext\r\n", EOF, "abc|next|"}, {"abc\nnext", EOF, "abc|next|"},
      {"abc\n\nnext\n", EOF, "abc|next|"},    // the empty line after LF is consumed
      {"abc\r\n\r\nnext", EOF, "abc||next|"}, // but not after CR LF
      {"12,34\n", ',', "12|34|"}, {"12,\n34", ',', "12|34|"}, {"a\rb\rc", EOF, "a|b|c|"},
      {"\xb0" "1\xb0" "2", static_cast<char>('\xb0'), "|1|2|"},  // a negative char as stop
      {"end\x1a", EOF, "end\x1a|"}, {std::string("a\0b\n", 4), EOF, std::string("a\0b|", 4)}};
  for (const auto& c : cases) EXPECT_EQ(RestOfLines(c.bytes, c.stop), c.texts) << c.bytes;

  // The rest of a line is left for the next read.
  TempFile file("12,34\n");
  EXPECT_EQ(ReadRestOfLine(file.get(), ','), "12");
  char rest[8] = {};
  ASSERT_NE(std::fgets(rest, sizeof rest, file.get()), nullptr);
  EXPECT_STREQ(rest, "34\n");

  // Long lines are stored up to the limit and the rest dropped up to the line end.
  TempFile longFile(std::string(kMaxRestOfLine + 100, 'x') + "\r\nnext");
  EXPECT_EQ(ReadRestOfLine(longFile.get(), EOF).size(), kMaxRestOfLine);
  EXPECT_EQ(ReadRestOfLine(longFile.get(), EOF), "next");
  EXPECT_EQ(ReadRestOfLine(nullptr, EOF), "");
}

TEST(LineReader, SplitWords) {
  const struct { std::string line; Lines words; } cases[] = {
      {"  a   b  ", {"a", "b"}}, {"abc", {}}, {"x", {}}, {"", {}}, {"12% 34% 56%", {"12%", "34", "56"}},
      {"1.5 2.5 3.5\r", {"1.5", "2.5", "3.5"}},  // the CR of a CR LF line is trimmed
      {"a\tb c", {"a\tb", "c"}},                 // only blanks separate words
      {"a %b", {"a", "b"}}};                     // the % is deleted, then the rest trimmed
  std::vector<std::string> words{"old"};
  for (const auto& c : cases) {
    SplitWords(c.line, words);
    EXPECT_EQ(words, c.words) << c.line;
  }
}

TEST(LineReader, CFileOwnsTheFile) {
  EXPECT_FALSE(CFile("/nonexistent/lumograph/file", "r"));
  CFile a("/proc/self/status", "r");
  CFile b(std::move(a));
  EXPECT_TRUE(b && !a);  // NOLINT(bugprone-use-after-move): a moved-from CFile is empty
}

}  // namespace
