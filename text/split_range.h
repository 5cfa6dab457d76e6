// Restricting the text to one time range of the table: which entries are
// inside, how their times are clipped and shifted, and the geometry of the
// bar that shows the range against the length of the whole table.
#pragma once

#include <cstdint>

#include "stream/subtitle_table.h"

namespace capter {

struct SplitRange {
  bool enabled = false;  // SplitEnabled
  TimeCode start;        // SplitStart
  TimeCode stop;         // SplitStop

  friend bool operator==(const SplitRange&, const SplitRange&) = default;
};

// True when the entry is rendered: always without split, otherwise when
// start <= entry start < stop. An entry inside gets its stop clipped to the
// range's stop and both times moved back by the range's start; a stop that
// would fall before the range's start (a stop not yet known) stays at zero.
bool ApplySplit(const SplitRange& range, SubtitleRecord& copy);

// The split dialog refuses a ticked range whose stop lies before its start.
bool SplitRangeAcceptable(bool enabled, const TimeCode& start, const TimeCode& stop);

// The fill of the bar for a range start..stop against the last subtitle's
// time, on a bar `fullWidth` pixels wide starting at `fullLeft`.
struct SplitBar {
  int64_t left = 0;
  int64_t width = 0;
  int64_t Right() const { return left + width; }
  friend bool operator==(const SplitBar&, const SplitBar&) = default;
};
SplitBar ComputeSplitBar(const TimeCode& start, const TimeCode& stop, const TimeCode& last,
                         int64_t fullLeft, int64_t fullWidth);

// Left edge of a label `width` wide centred on `edge`.
inline int64_t CentredLeft(int64_t edge, int64_t width) {
  return edge - width / 2;
}

}  // namespace capter
