// The teaching dialog's call for attention: after ten idle seconds it
// flashes red twelve times, 150 ms apart, beeping three times, then waits
// another ten seconds. Typing restarts the current wait.
#pragma once

namespace capter {

class WakeUpTimer {
 public:
  static constexpr int kIdleMs = 10000;
  static constexpr int kFlashMs = 150;
  static constexpr int kLastFlashTick = 25;

  // What one tick asks of the window.
  struct Step {
    int periodMs;  // the timer's period from now on
    bool beep;
    bool red;  // the window's colour after this tick
  };

  // The dialog opens: normal colour, count 0, a ten-second wait.
  void Restart() {
    count_ = 0;
    red_ = false;
  }

  Step Tick();

  int PeriodMs() const { return count_ == 0 ? kIdleMs : kFlashMs; }
  bool Red() const { return red_; }
  int Count() const { return count_; }

 private:
  int count_ = 0;
  bool red_ = false;
};

}  // namespace capter
