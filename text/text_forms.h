// The number and time forms the subtitle formats are written in.
#pragma once

#include <cstdint>
#include <string>

#include "stream/picture.h"
#include "stream/time_code.h"

namespace capter {

// The 3-digit form (zero-padded to at least three characters) cut to its
// first three characters: 7 -> "007", 1234 -> "123".
std::string ThreeDigitCut(int64_t value);

// hh:mm:ss,mmm
std::string FullTime(const TimeCode& t);
// hh:mm:ss, milliseconds dropped (not rounded).
std::string SecondsTime(const TimeCode& t);
// hh:mm:ss.hh, hundredths truncated.
std::string HundredthsTime(const TimeCode& t);
// Seconds with two decimals, 100 ms after the time: 00:01:02,345 -> "62.44".
std::string IAuthorTime(const TimeCode& t);

// hh:mm:ss:ff at 25 (PAL) or 30 (NTSC) frames a second. Drop frame applies
// to NTSC only: frames 0 and 1 of the first second of every minute that is
// not a multiple of ten become frame 2.
std::string FrameTime(const TimeCode& t, uint8_t frameRate, bool dropFrame);

struct YCrCb {
  int32_t y = 0;
  int32_t cr = 0;
  int32_t cb = 0;
  friend bool operator==(const YCrCb&, const YCrCb&) = default;
};

// Studio-range conversion of a 0x00BBGGRR colour: black -> 16,128,128.
YCrCb ToYCrCb(Colour colour);

// Upper-case six hexadecimal digits of the colour value (BBGGRR).
std::string ColourHex(Colour colour);

}  // namespace capter
