#pragma once
// What the single-test scan files (CZ/HS/HL, CI/CJ) share in their headers:
// the date of the "dh" line, the texts the titles make of the header, and the
// reading of a text field that may be longer than its buffer.

#include <cstdio>
#include <string>

// The date of a "dh" line from the `read` numbers its scan converted: day,
// month and two-digit year (50 and above is 19yy, below 50 is 20yy). A line
// that gave fewer than all three numbers has no date: 0 is returned. Three
// numbers that make no calendar date throw EConvertError, as EncodeDate does.
double ScanDate(int read, int day, int month, int twoDigitYear);

// The date of a single test from its file name ...jjjyy.nnn: the year yy and
// then the day jjj, each strictly converted, so that a name that holds no day
// code raises the usual conversion error. The day counts from 31 December of
// the year before.
double FileNameDate(const std::string& fileName);

// The "dh" block of a scan header: the date line ("dh", day, month and year
// separated by bare CRs), the place (its text read with `placeFormat` and, if
// over-long, the rest dropped with `placeRest` as EndTextRow does), three
// numbers and the "pr" line. Returns the date (ScanDate) and sets `place` when
// it was read.
double ReadDhBlock(FILE* file, const char* placeFormat, const char* placeRest, std::string& place);

// The scan date written with `format`, or nothing for a scan without a date (0).
std::string ScanDateText(const std::string& format, double date);

// "(dt=29ns)": the dead time in seconds, in whole nanoseconds with the format
// "##", so a dead time of 0 (or one that is not a finite number) shows no digit.
std::string DeadTimeText(double seconds);

// Header texts are read into buffers of this size, the field width one less.
inline constexpr int kScanTextSize = 200;

// Ends a header row after its text field was read into `text` (kScanTextSize
// bytes) by a "%199[set]" conversion: a text that filled the buffer keeps its
// first 199 characters and the rest of it is read on and dropped, piece by
// piece, with `restOfText` (that same "%199[set]"), so that the next row starts
// where it would with a buffer long enough; then, with `thenWhitespace`, the
// blanks and line ends that follow are skipped (the row format's final "\n").
void EndTextRow(FILE* file, const char* text, const char* restOfText, bool thenWhitespace);

// A header row whose only conversion is a text at its end: `format` (literals,
// then "%199[set]") into `text`, ended by EndTextRow. Returns false when the
// text was not converted; the file is then where fscanf stopped, and `text` is
// empty.
bool ScanTextRow(FILE* file, const char* format, const char* restOfText, bool thenWhitespace,
                 char* text);
