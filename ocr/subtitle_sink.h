// Where recognised subtitles go: the owner of the subtitle table appends an
// entry and shows it at once in the current output format.
#pragma once

#include <string>
#include <vector>

#include "stream/picture.h"
#include "stream/time_code.h"

namespace capter {

class SubtitleSink {
 public:
  virtual ~SubtitleSink() = default;
  // `lines` top line first; `render` asks for the entry to be shown at once.
  virtual void AddSubtitle(const std::vector<std::string>& lines, bool render, const Rect& area,
                           const TimeCode& start, const TimeCode& stop) = 0;
};

}  // namespace capter
