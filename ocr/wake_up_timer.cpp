#include "ocr/wake_up_timer.h"

namespace capter {

WakeUpTimer::Step WakeUpTimer::Tick() {
  if (count_ == 0) {
    count_ = 1;
    return {kFlashMs, false, red_};
  }
  if (count_ < kLastFlashTick) {
    const bool beep = count_ % 8 == 7;
    ++count_;
    red_ = !red_;
    return {kFlashMs, beep, red_};
  }
  Restart();
  return {kIdleMs, false, false};
}

}  // namespace capter
