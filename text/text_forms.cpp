#include "text/text_forms.h"

#include <cstdio>

#include "text/output_format_settings.h"

namespace capter {

std::string ThreeDigitCut(int64_t value) {
  return ZeroPadded(value, 3).substr(0, 3);
}

std::string FullTime(const TimeCode& t) {
  return ToText(t);
}

std::string SecondsTime(const TimeCode& t) {
  return FullTime(t).substr(0, 8);
}

std::string HundredthsTime(const TimeCode& t) {
  const std::string full = FullTime(t);
  return full.substr(0, 8) + "." + full.substr(9, 2);
}

std::string IAuthorTime(const TimeCode& t) {
  const int64_t m = static_cast<int64_t>(ToMilliseconds(t)) + 100;
  return std::to_string(m / 1000) + "." + ZeroPadded((m % 1000) / 10, 2);
}

std::string FrameTime(const TimeCode& t, uint8_t frameRate, bool dropFrame) {
  const bool ntsc = frameRate == kFrameRateNtsc;
  const int64_t rate = ntsc ? 3000 : 2500;
  int64_t frames = ((t.milliseconds / 10) * rate) / 10000;
  if (ntsc && dropFrame && t.seconds == 0 && frames <= 1 && t.minutes % 10 != 0) frames = 2;
  return ZeroPadded(t.hours, 2) + ":" + ZeroPadded(t.minutes, 2) + ":" + ZeroPadded(t.seconds, 2) +
         ":" + ZeroPadded(frames, 2);
}

YCrCb ToYCrCb(Colour colour) {
  const int64_t r = 219 * static_cast<int64_t>(RedOf(colour)) + 4096;
  const int64_t g = 219 * static_cast<int64_t>(GreenOf(colour)) + 4096;
  const int64_t b = 219 * static_cast<int64_t>(BlueOf(colour)) + 4096;
  YCrCb result;
  // Y is never negative; the integer division truncates toward zero for the
  // chroma values, as intended.
  result.y = static_cast<int32_t>((77 * r + 150 * g + 29 * b) / 65536);
  result.cr = static_cast<int32_t>((131 * r - 110 * g - 21 * b) / 65536 + 128);
  result.cb = static_cast<int32_t>((-44 * r - 87 * g + 131 * b) / 65536 + 128);
  return result;
}

std::string ColourHex(Colour colour) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
  return digits;
}

}  // namespace capter
