#pragma once
// FC tab: filter-wheel tests of one instrument, one set of curves per file.

// True while fcChart holds no loaded file: the next load starts a new set of
// curves. True at start and after "Clear graph".
extern bool NewFcGraph;
