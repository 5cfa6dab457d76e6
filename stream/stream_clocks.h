// The reader's two clocks: the presentation clock built from the packs'
// system clock references (it feeds every subtitle time), and the navigation
// clock built from the navigation packs' cell elapsed times (shown only).
#pragma once

#include <cstdint>

#include "stream/time_code.h"

namespace capter {

class PresentationClock {
 public:
  // The job's "Last TimeCode": the time the next pack should be shown at.
  // Setting it asks for re-anchoring at the next pack.
  void SetLastTimeCode(const TimeCode& t) {
    lastTimeCode_ = t;
    reanchor_ = true;
  }
  const TimeCode& LastTimeCode() const { return lastTimeCode_; }
  bool ReanchorPending() const { return reanchor_; }

  // Clock references back to zero and re-anchoring requested.
  void Reset();

  // Takes the clock reference of the next pack: re-anchors if asked, and
  // keeps times increasing when a new program stream restarts at zero.
  void TakeReference(uint32_t reference);

  // offset + ticks div 90 (ticks taken as unsigned 32-bit values).
  TimeCode PresentationTime(uint32_t ticks) const;
  // The presentation time of the latest pack.
  TimeCode LatestPackTime() const { return PresentationTime(current_); }

  uint32_t Current() const { return current_; }
  uint32_t Previous() const { return previous_; }
  uint16_t LastStep() const { return lastStep_; }
  const TimeCode& Offset() const { return offset_; }

 private:
  uint32_t current_ = 0;
  uint32_t previous_ = 0;
  uint16_t lastStep_ = 0;
  TimeCode offset_;
  TimeCode lastTimeCode_;
  bool reanchor_ = true;
};

class NavigationClock {
 public:
  // Back to the start of a disc: totals zero, cell counter 1.
  void Reset();
  // Before a new job: frame-rate mode unknown and frame step 0.
  void PrepareForStart();

  // Takes the four BCD bytes of a navigation pack's cell elapsed time.
  void TakeCellTime(const uint8_t bcd[4]);

  const FrameRateMode& Mode() const { return mode_; }
  const FrameTimeCode& Total() const { return total_; }
  TimeCode TotalTime() const { return ToTimeCode(total_, mode_); }
  uint16_t CellCounter() const { return cellCounter_; }
  uint8_t FrameStep() const { return frameStep_; }
  bool PastZero() const { return !(total_ == FrameTimeCode{}); }

 private:
  FrameRateMode mode_;
  FrameTimeCode current_;
  FrameTimeCode previous_;
  FrameTimeCode cellBase_;
  FrameTimeCode total_;
  uint8_t frameStep_ = 0;
  uint16_t cellCounter_ = 1;
};

}  // namespace capter
