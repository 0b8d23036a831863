#pragma once
// Report files laid out as the instrument writes them, for the tests of the
// loaders that read them and of folder loading.

#include <cstdio>
#include <string>
#include <vector>

struct Pt {
  double w, c;
};

// A scan file laid out as the instrument writes it: CR LF line ends, the "dh"
// line split by bare CRs, and a Ctrl-Z at the end.
struct CzFile {
  std::string dh = "dh\r14\r03\r19\rLakeside\r37.1\r6.73\r2.911481\rpr\r1023\r\r\n";
  std::string deadTime = "2.9E-08";
  std::string start = "3330", final = "3354", increment = ".5";
  std::string wheel2 = "(1) Neutral Density 0.494";
  std::string optional;  // a line after the filter wheels
  std::string place;     // replaces "Lakeside" when set
  std::vector<Pt> points;

  std::string Text() const {
    std::string dhLine = dh;
    if (!place.empty()) dhLine.replace(dhLine.find("Lakeside"), 8, place);
    std::string s =
        "************************************************************\r\n"
        "  CZ Scan of (1) Internal mercury lamp\r\n"
        "************************************************************\r\n"
        "Integration time is 0.2294 seconds per sample\r\n" +
        dhLine +
        "************************************************************\r\n"
        "Dead Time -------------------------  " + deadTime + " \r\n"
        "Number of Cycles Used -------------  4 \r\n"
        "Starting Wavelength (Angstroms) ---  " + start + " \r\n"
        "Final Wavelength (Angstoms) -------  " + final + " \r\n"
        "Wavelength Increment (Angstroms) --  " + increment + " \r\n"
        "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\r\n"
        "Filter Wheel #2 Position ---------- " + wheel2 + "\r\n";
    if (!optional.empty()) s += optional + "\r\n";
    s += "\r\n\r\n"
         "************************************************************\r\n"
         "CZ scan start time = 03:11:14\r\n"
         "Dark Count =  6.9 \r\n\r\n\r\n"
         "Time (GMT)  Wavelength (Ang)  Step Number  Raw Counts  Counts/Second\r\n\r\n";
    char line[200];
    for (const Pt& p : points) {
      std::snprintf(line, sizeof line, "  191.72        %.3f           6593          44.00       %.10g\r\n", p.w, p.c);
      s += line;
    }
    return s + "CZ scan finished at 03:15:11\r\nend\r\n\x1a";
  }
};

// A lamp scan file as the instrument writes it: the "dh" line split by bare
// CRs, the scan line, number lines, "end", CR LF line ends and a Ctrl-Z.
inline std::string LampFile(const std::string& body, const std::string& dh = "dh\r05\r06\r16\rLakeside\r",
                     const std::string& scanLine = "CI SCAN-INST #123 dt  2.9E-08  cy 4 DARK =     8.100 \r\n") {
  return dh + "37.1\r6.73\r2.965129\rpr\r1023\r\r\n" + scanLine + body;
}

// Number lines "time x step raw y" for the given x and y.
inline std::string Lines(const std::vector<double>& xs, const std::vector<double>& ys) {
  std::string s;
  char line[200];
  for (size_t i = 0; i < xs.size(); ++i) {
    std::snprintf(line, sizeof line, " 163.69  %.10g    105    62415.00   %.10g\r\n", xs[i], ys[i]);
    s += line;
  }
  return s;
}
