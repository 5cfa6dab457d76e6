// Helpers shared by the subtitle text tests: a small table with the cases
// the formats treat specially, and file contents written as lines.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "stream/subtitle_table.h"

namespace capter::testing {

inline TimeCode Tc(int h, int m, int s, int ms) {
  return TimeCode{static_cast<uint8_t>(h), static_cast<uint8_t>(m), static_cast<uint8_t>(s),
                  static_cast<uint16_t>(ms)};
}

inline SubtitleRecord Entry(TimeCode start, TimeCode stop, std::vector<std::string> lines,
                            Rect area = {}) {
  SubtitleRecord r;
  r.start = start;
  r.stop = stop;
  r.lineCount = static_cast<uint8_t>(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) r.lines[i] = lines[i];
  r.area = area;
  return r;
}

// Four entries: one line; two lines after a pause; three lines with
// Windows-1252 letters overlapping the one before; a bitmap name in the
// first second of a minute with a rectangle wider than three digits.
inline SubtitleTable SampleTable() {
  SubtitleTable t;
  t.Append(Entry(Tc(0, 0, 1, 0), Tc(0, 0, 3, 200), {"Good evening."}, Rect{160, 420, 559, 475}));
  t.Append(Entry(Tc(0, 0, 10, 700), Tc(0, 0, 12, 501), {"First line", "Second line"},
                 Rect{5, 10, 714, 99}));
  t.Append(Entry(Tc(0, 0, 12, 400), Tc(0, 0, 15, 999), {"Tr\xE8s dr\xF4le", "one", "two"}));
  t.Append(Entry(Tc(0, 1, 0, 20), Tc(0, 1, 2, 345), {"sub0004.bmp"}, Rect{100, 200, 1234, 250}));
  return t;
}

// The lines, each followed by CR LF.
inline std::string Crlf(std::initializer_list<std::string> lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

}  // namespace capter::testing
