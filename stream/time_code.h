// The shapes in which time is measured: the millisecond time code that
// subtitles carry, the frame time code of the navigation packs, 90 kHz clock
// values, and the frame-rate mode the frame conversions depend on.
#pragma once

#include <cstdint>
#include <string>

namespace capter {

struct TimeCode {
  uint8_t hours = 0;
  uint8_t minutes = 0;
  uint8_t seconds = 0;
  uint16_t milliseconds = 0;

  friend bool operator==(const TimeCode&, const TimeCode&) = default;
};

// The zero time code; as a stop time it means "not known yet".
inline constexpr TimeCode kZeroTimeCode{};

inline bool IsZero(const TimeCode& t) {
  return t == kZeroTimeCode;
}

// Hours, minutes, seconds, frames packed in bytes 0..3.
struct FrameTimeCode {
  uint8_t hours = 0;
  uint8_t minutes = 0;
  uint8_t seconds = 0;
  uint8_t frames = 0;

  friend bool operator==(const FrameTimeCode&, const FrameTimeCode&) = default;
};

struct FrameRateMode {
  int32_t rateFactor = 1;  // 1 while unknown, 2500 PAL, 3000 NTSC
  uint8_t flag = 0;        // 0x40 PAL, 0xC0 NTSC
  uint8_t highestFrame = 0;
  std::string label;  // "PAL 25 Fps" / "NTSC 30 Fps"

  bool Known() const { return rateFactor != 1; }
  // Unknown keeps flag, highest frame and label as they were.
  void SetUnknown() { rateFactor = 1; }
  void SetPal();
  void SetNtsc();
  // A flag byte of 0xC0 or more selects NTSC, anything smaller PAL.
  void SetFromFlagByte(uint8_t byte);
};

int32_t ToMilliseconds(const TimeCode& t);
// `ms` must not be negative (callers clip at zero); hours keep 8 bits.
TimeCode FromMilliseconds(int32_t ms);
// 90 kHz ticks held in 32 bits; milliseconds = ticks div 90.
inline int32_t TicksToMilliseconds(int32_t ticks) {
  return ticks / 90;
}
inline int32_t MillisecondsToTicks(int32_t ms) {
  return ms * 90;
}

TimeCode ToTimeCode(const FrameTimeCode& f, const FrameRateMode& mode);
// The disc's cell elapsed time: four BCD bytes, the frames byte carrying the
// mode's flag in its top bits.
FrameTimeCode FromBcd(const uint8_t bcd[4], const FrameRateMode& mode);

// Sums with one carry step per field; both inputs must be normalised.
TimeCode Add(const TimeCode& a, const TimeCode& b);
FrameTimeCode Add(const FrameTimeCode& a, const FrameTimeCode& b, const FrameRateMode& mode);

bool EarlierThan(const FrameTimeCode& a, const FrameTimeCode& b);
inline bool EarlierThan(const TimeCode& a, const TimeCode& b) {
  return ToMilliseconds(a) < ToMilliseconds(b);
}

// Decimal digits with "0" prepended up to `width`; never truncated.
std::string ZeroPadded(int64_t value, int width);
// hh:mm:ss,mmm
std::string ToText(const TimeCode& t);
// hh:mm:ss, the short form for elapsed and remaining times.
std::string ToShortText(const TimeCode& t);
// hh:mm:ss:ff
std::string ToText(const FrameTimeCode& f);
// Fixed columns 1-2, 4-5, 7-8, 10-12; any piece that is not a number makes
// the whole result the zero time code.
TimeCode ParseTimeCode(const std::string& text);

}  // namespace capter
