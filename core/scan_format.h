#pragma once
// Scanning with the C library's formats, faster. The formats of the report
// files decide how blanks are skipped and where a scan stops, so these give
// exactly what sscanf/fscanf give: plain numbers, words and literal
// characters are converted here (a format of "%Ns", "%d", "%Nd", "%lf",
// blanks and other characters); anything else, and any input where the two
// could differ ("nan", "1e", "0x1", a field that does not convert), is left
// to the C library itself.

#include <cstdarg>
#include <cstdio>

// What std::sscanf(text, format, ...) returns and stores.
int ScanString(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));

// The fast part of a scan: scans from `next` as far as it can tell for sure,
// with the input ending at `end` (or, for a null `end`, at the first NUL),
// advances `next` past what the C library would have consumed and returns
// what it would have returned. kScanUndecided when the C library has to
// scan the same input from the start instead; some arguments may then hold
// values already, the same the C library will store.
inline constexpr int kScanUndecided = -2;
int ScanPrefix(const char*& next, const char* end, const char* format, va_list args);
