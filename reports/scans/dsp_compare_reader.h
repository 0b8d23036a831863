#pragma once
// Dispersion coefficient files (dcf*.*, *.cubic): per slit, the polynomial
// that maps the micrometer step of the grating drive to wavelength.

#include <array>
#include <cstdio>

#include "core/report_reader.h"

inline constexpr int kDspSlits = 5;

// Coefficients of slits 1 to 5 (rows 0 to 4): constant, linear, quadratic
// and cubic term (columns 0 to 3); wavelength in angstrom, step in steps.
// A quadratic relation has a cubic term of 0.
using DispersionTable = std::array<std::array<double, 4>, kDspSlits>;

// Reads the numbers of a dispersion file, separated by any white space, into
// a table of zeros: slit 1's coefficients from the constant up to the
// quadratic (`cubic`: cubic) term, then slit 2's, and so on. Reading stops at
// the first item that is not a number; what the file does not hold stays 0.
// Anything after the last number is ignored.
ReadResult<DispersionTable> ReadDispersion(FILE* file, bool cubic);
