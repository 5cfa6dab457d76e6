#include "stream/time_code.h"

#include <algorithm>
#include <charconv>

namespace capter {

void FrameRateMode::SetPal() {
  rateFactor = 2500;
  flag = 0x40;
  highestFrame = 24;
  label = "PAL 25 Fps";
}

void FrameRateMode::SetNtsc() {
  rateFactor = 3000;
  flag = 0xC0;
  highestFrame = 29;
  label = "NTSC 30 Fps";
}

void FrameRateMode::SetFromFlagByte(uint8_t byte) {
  if (byte >= 0xC0) {
    SetNtsc();
  } else {
    SetPal();
  }
}

int32_t ToMilliseconds(const TimeCode& t) {
  return t.hours * 3600000 + t.minutes * 60000 + t.seconds * 1000 + t.milliseconds;
}

TimeCode FromMilliseconds(int32_t ms) {
  const int32_t s = ms / 1000;
  TimeCode t;
  t.hours = static_cast<uint8_t>(s / 3600);
  t.minutes = static_cast<uint8_t>((s % 3600) / 60);
  t.seconds = static_cast<uint8_t>(s % 60);
  t.milliseconds = static_cast<uint16_t>(ms % 1000);
  return t;
}

TimeCode ToTimeCode(const FrameTimeCode& f, const FrameRateMode& mode) {
  TimeCode t;
  t.hours = f.hours;
  t.minutes = f.minutes;
  t.seconds = f.seconds;
  t.milliseconds = static_cast<uint16_t>(f.frames * 100000 / mode.rateFactor);
  return t;
}

namespace {
uint8_t FromBcdByte(uint8_t b) {
  return static_cast<uint8_t>((b >> 4) * 10 + (b & 0x0F));
}
}  // namespace

FrameTimeCode FromBcd(const uint8_t bcd[4], const FrameRateMode& mode) {
  FrameTimeCode f;
  f.hours = FromBcdByte(bcd[0]);
  f.minutes = FromBcdByte(bcd[1]);
  f.seconds = FromBcdByte(bcd[2]);
  f.frames = FromBcdByte(static_cast<uint8_t>(bcd[3] - mode.flag));
  return f;
}

namespace {

// Adds the hours, minutes and seconds with the carry from the field below.
template <typename T>
void AddClockFields(const T& a, const T& b, int carry, T& sum) {
  int seconds = a.seconds + b.seconds + carry;
  carry = 0;
  if (seconds >= 60) {
    seconds -= 60;
    carry = 1;
  }
  int minutes = a.minutes + b.minutes + carry;
  carry = 0;
  if (minutes >= 60) {
    minutes -= 60;
    carry = 1;
  }
  sum.seconds = static_cast<uint8_t>(seconds);
  sum.minutes = static_cast<uint8_t>(minutes);
  sum.hours = static_cast<uint8_t>(a.hours + b.hours + carry);
}

}  // namespace

TimeCode Add(const TimeCode& a, const TimeCode& b) {
  TimeCode sum;
  int ms = a.milliseconds + b.milliseconds;
  int carry = 0;
  if (ms >= 1000) {
    ms -= 1000;
    carry = 1;
  }
  sum.milliseconds = static_cast<uint16_t>(ms);
  AddClockFields(a, b, carry, sum);
  return sum;
}

FrameTimeCode Add(const FrameTimeCode& a, const FrameTimeCode& b, const FrameRateMode& mode) {
  FrameTimeCode sum;
  int frames = a.frames + b.frames;
  int carry = 0;
  if (frames > mode.highestFrame) {
    frames -= mode.highestFrame + 1;
    carry = 1;
  }
  sum.frames = static_cast<uint8_t>(frames);
  AddClockFields(a, b, carry, sum);
  return sum;
}

bool EarlierThan(const FrameTimeCode& a, const FrameTimeCode& b) {
  if (a.hours != b.hours) return a.hours < b.hours;
  if (a.minutes != b.minutes) return a.minutes < b.minutes;
  if (a.seconds != b.seconds) return a.seconds < b.seconds;
  return a.frames < b.frames;
}

std::string ZeroPadded(int64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  }
  return digits;
}

std::string ToText(const TimeCode& t) {
  return ZeroPadded(t.hours, 2) + ":" + ZeroPadded(t.minutes, 2) + ":" + ZeroPadded(t.seconds, 2) +
         "," + ZeroPadded(t.milliseconds, 3);
}

std::string ToShortText(const TimeCode& t) {
  return ToText(t).substr(0, 8);
}

std::string ToText(const FrameTimeCode& f) {
  return ZeroPadded(f.hours, 2) + ":" + ZeroPadded(f.minutes, 2) + ":" + ZeroPadded(f.seconds, 2) +
         ":" + ZeroPadded(f.frames, 2);
}

namespace {

// Converts text[first, first+count) as a decimal integer; false when the
// piece is missing or is not a number.
bool ParsePiece(const std::string& text, size_t first, size_t count, int& value) {
  if (first >= text.size()) return false;
  const char* begin = text.data() + first;
  const char* end = text.data() + std::min(text.size(), first + count);
  if (begin != end && *begin == '+') ++begin;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

TimeCode ParseTimeCode(const std::string& text) {
  int h = 0, m = 0, s = 0, ms = 0;
  if (!ParsePiece(text, 0, 2, h) || !ParsePiece(text, 3, 2, m) || !ParsePiece(text, 6, 2, s) ||
      !ParsePiece(text, 9, 3, ms)) {
    return kZeroTimeCode;
  }
  TimeCode t;
  t.hours = static_cast<uint8_t>(h);
  t.minutes = static_cast<uint8_t>(m);
  t.seconds = static_cast<uint8_t>(s);
  t.milliseconds = static_cast<uint16_t>(ms);
  return t;
}

}  // namespace capter
