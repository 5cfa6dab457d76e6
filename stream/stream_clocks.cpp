#include "stream/stream_clocks.h"

namespace capter {

void PresentationClock::Reset() {
  current_ = 0;
  previous_ = 0;
  lastStep_ = 0;
  reanchor_ = true;
}

void PresentationClock::TakeReference(uint32_t reference) {
  current_ = reference;
  if (reanchor_) {
    // Computed in 64 bits: a "Last TimeCode" past 13 h 15 min does not fit
    // 32-bit ticks.
    const int64_t target = int64_t{ToMilliseconds(lastTimeCode_)} * 90;
    offset_ = reference < target ? FromMilliseconds(static_cast<int32_t>((target - reference) / 90))
                                 : kZeroTimeCode;
    previous_ = 0;
    lastStep_ = 0;
    reanchor_ = false;
  }
  if (reference == 0) {
    // A new program stream begins: continue from where the last one ended.
    previous_ += lastStep_;
    offset_ = Add(offset_, FromMilliseconds(static_cast<int32_t>(previous_ / 90)));
  } else if (reference >= previous_) {
    lastStep_ = static_cast<uint16_t>(reference - previous_);
  }
  previous_ = reference;
}

TimeCode PresentationClock::PresentationTime(uint32_t ticks) const {
  return Add(offset_, FromMilliseconds(static_cast<int32_t>(ticks / 90)));
}

void NavigationClock::Reset() {
  total_ = {};
  cellBase_ = {};
  current_ = {};
  cellCounter_ = 1;
  frameStep_ = 0;
}

void NavigationClock::PrepareForStart() {
  frameStep_ = 0;
  mode_.SetUnknown();
}

void NavigationClock::TakeCellTime(const uint8_t bcd[4]) {
  if (!mode_.Known()) mode_.SetFromFlagByte(bcd[3]);
  previous_ = current_;
  current_ = FromBcd(bcd, mode_);
  if (EarlierThan(current_, previous_)) {
    cellBase_ = Add(total_, FrameTimeCode{0, 0, 0, frameStep_}, mode_);
    ++cellCounter_;
  } else if (current_.seconds == previous_.seconds) {
    frameStep_ = static_cast<uint8_t>(current_.frames - previous_.frames);
  }
  total_ = Add(cellBase_, current_, mode_);
}

}  // namespace capter
