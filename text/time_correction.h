// Changing the times of every entry of the subtitle table in place: a
// constant offset, a stretch of the whole file, durations recomputed from the
// text length, and a minimum gap between consecutive subtitles.
#pragma once

#include <cstdint>

#include "base/message_box.h"
#include "stream/subtitle_table.h"

namespace capter {

enum class DurationMethod { FixedTime, LengthProportional };

struct TimeCorrection {
  TimeCode offset;  // added, or removed with minusOffset
  bool minusOffset = false;
  TimeCode stretch;  // added to or removed from the last start
  bool minusStretch = false;
  bool modifyDurations = false;
  DurationMethod method = DurationMethod::LengthProportional;
  uint16_t fixedDuration = 4000;  // ms
  uint16_t offsetDuration = 500;  // ms
  uint16_t msPerCharacter = 50;   // ms
  uint16_t minimumInterval = 0;   // ms, 0 = off
};

// The four steps in order, each over the whole table. Nothing happens for an
// empty table. Questions and warnings go to `boxes`.
void CorrectTimes(SubtitleTable& table, const TimeCorrection& correction, MessageBoxes& boxes);

// The single steps, as CorrectTimes runs them.
void ApplyOffset(SubtitleTable& table, int32_t offsetMs, MessageBoxes& boxes);
void ApplyStretch(SubtitleTable& table, int32_t stretchMs, bool minus, MessageBoxes& boxes);
void ApplyDurations(SubtitleTable& table, int32_t base, int32_t perCharacter);
void ApplyMinimumInterval(SubtitleTable& table, int32_t minimum);

}  // namespace capter
