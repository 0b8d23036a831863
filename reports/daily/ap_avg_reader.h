#pragma once
// The daily analog-printout averages file (ap?avg*.*): high voltage, +5 V,
// the supply voltages, the standard lamp's supply, temperatures and humidity.

#include <cstdio>
#include <vector>

#include "core/report_reader.h"

// Rows of the voltage chart, top of the table first: -15/-12 V, -8/-5 V,
// +5 V pps, +5 V sps, +15/+12 V, +24 V.
inline constexpr int kApSupplyRows = 6;

// One block of readings. A value that is not a number is NaN and is not plotted.
struct ApBlock {
  double pmt = 0, cardRack = 0, caseTemp = 0;  // temperatures, C
  double hv = 0;                                // high voltage, V
  double supply[kApSupplyRows] = {};            // by row, row 1 first
  double humidity = 0;
  double slCurrent = 0, slVoltage = 0;          // standard lamp, A and V
};

struct ApAvgRecord {
  double date = 0;     // midnight of the day code's day
  double hv = 0;       // high voltage, V
  double p5 = 0;       // +5 V supply, V
  int tokens = 0;      // words of the record (after joining a continuation line)
  int blocks = 0;      // 0, 1 or 2 blocks of readings after the head
  ApBlock block[2];
};

// Records of four or more words carry the layout in their word count. True for
// the counts that mark the long layout for the rest of a load (28, 30, 52 and up).
bool ApMarksLongLayout(int tokens);

// Reads every record of four or more words. A record of exactly 22 words is
// joined with the line that follows it. A line longer than its buffer is
// passed over.
Records<ApAvgRecord> ReadApAvg(FILE* file);
