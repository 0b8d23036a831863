#include "app/comments_reader.h"

#include "core/line_reader.h"
#include "core/serial_date.h"

namespace {
constexpr char kCtrlZ = 0x1A;
}  // namespace

std::vector<Comment> ReadComments(FILE* file) {
  std::vector<Comment> comments;
  char day[4], year[3];
  for (;;) {
    day[0] = year[0] = '\0';
    if (std::fscanf(file, "%3s%2s", day, year) < 1 || day[0] == kCtrlZ) break;
    Comment comment;
    comment.text = ReadRestOfLine(file, '\n');
    comment.date = DayCodeToDate(day, year);
    comments.push_back(std::move(comment));
  }
  return comments;
}
