#pragma once
// DUV tab: the daily UV scans of one day, one curve per instrument.

// True while DUVGraph holds no loaded file: the next load starts a new set of
// curves. True at start and after "Clear graph".
extern bool NewDuvGraph;
