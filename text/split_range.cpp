#include "text/split_range.h"

#include <algorithm>

namespace capter {

bool ApplySplit(const SplitRange& range, SubtitleRecord& copy) {
  if (!range.enabled) return true;
  const int32_t rangeStart = ToMilliseconds(range.start);
  const int32_t rangeStop = ToMilliseconds(range.stop);
  const int32_t start = ToMilliseconds(copy.start);
  if (start < rangeStart || start >= rangeStop) return false;
  int32_t stop = std::min(ToMilliseconds(copy.stop), rangeStop);
  copy.start = FromMilliseconds(start - rangeStart);
  copy.stop = FromMilliseconds(std::max(stop - rangeStart, 0));
  return true;
}

bool SplitRangeAcceptable(bool enabled, const TimeCode& start, const TimeCode& stop) {
  return !enabled || !EarlierThan(stop, start);
}

SplitBar ComputeSplitBar(const TimeCode& start, const TimeCode& stop, const TimeCode& last,
                         int64_t fullLeft, int64_t fullWidth) {
  int64_t a = ToMilliseconds(start) / 1000;
  int64_t e = ToMilliseconds(stop) / 1000;
  int64_t f = ToMilliseconds(last) / 1000;
  if (f == 0) {
    f = 1;
    e = 1;
  }
  a = std::min(a, f);
  e = std::max(std::min(e, f), a);
  const int64_t scale = fullWidth * 1000000 / f;
  return SplitBar{a * scale / 1000000 + fullLeft, scale * (e - a) / 1000000};
}

}  // namespace capter
