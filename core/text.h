#pragma once
// Text helpers with the behaviour of the original platform's functions.
// Texts are narrow 8-bit strings (as read from the report files); letters
// beyond ASCII are taken as Latin-1.

#include <string>

// Strict integer conversion: optional leading blanks (chars <= ' '), optional
// sign, decimal digits or hexadecimal ("$1F", "0x1F", "0X1F"), nothing after,
// within the range of int. Otherwise throws
// EConvertError("'<s>' is not a valid integer value").
int StrToInt(const std::string& s);
bool TryStrToInt(const std::string& s, int& value);

// Strict floating-point conversion, always with '.' as the decimal point
// (whatever the C locale): blanks around, optional sign, digits with at most one
// '.', optional exponent e/E[sign]digits, at least one mantissa digit ("1.",
// ".5" are fine), finite result (an underflow gives 0). Otherwise throws
// EConvertError("'<s>' is not a valid floating point value").
double StrToFloat(const std::string& s);
bool TryStrToFloat(const std::string& s, double& value);

// Remove characters <= ' ' (blanks, tabs, CR, LF, control bytes) at the ends.
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);

// A substring: `count` characters from the 1-based `index`; an index below 1
// counts as 1, an index past the end or a count <= 0 gives "".
std::string Copy(const std::string& s, int index, int count);

// Case mapping of ASCII and Latin-1 letters (0xC0-0xDE <-> 0xE0-0xFE, but not
// 0xD7/0xF7); other bytes are kept.
std::string AnsiLowerCase(const std::string& s);
std::string AnsiUpperCase(const std::string& s);
char AnsiUpperChar(char c);

// 1-based position of the first `substr` in `s`; 0 when absent or when
// `substr` is empty.
int AnsiPos(const std::string& substr, const std::string& s);

// An 8-bit text (as read from a file) decoded as Latin-1, for display.
std::string Latin1ToUtf8(const std::string& s);

// A text for display in UTF-8: kept as it is when it already is valid UTF-8
// (a path, plain ASCII), else decoded as Latin-1 (an instrument file's text).
std::string DisplayText(const std::string& s);
