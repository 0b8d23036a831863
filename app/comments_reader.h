#pragma once
// The comment log (Comment*.*): the operator's remarks about the instrument,
// one a line, each after the day code of its date ("00119 lamp changed").

#include <cstdio>
#include <string>
#include <vector>

struct Comment {
  double date = 0;   // serial date of the day code
  std::string text;  // the rest of the line, with the blank after the day code
};

// Every day code gives a comment, in file order, however many there are. The
// day code is scanned with "%3s%2s" (leading blanks and empty lines skipped,
// parts that are not numbers read as 0) and the text is the rest of its line.
// Nothing after the last line gives a comment: not the end of an empty file,
// not a final line end, not a Ctrl-Z end-of-file mark.
std::vector<Comment> ReadComments(FILE* file);
