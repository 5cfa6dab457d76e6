// How the main window's preview shows a sub-picture: position, transparency,
// zoom and the letter-box background. Kept in the configuration file.
#pragma once

#include <cstdint>
#include <string>

#include "stream/picture.h"

namespace capter {

enum PreviewBackMode : uint8_t { kBackNone = 0, kBackPreset = 1, kBackFree = 2, kBackImage = 3 };

struct PreviewSettings {
  bool AtTruePos = true;          // show the picture at its screen position
  bool TransparentBkGrd = false;  // draw the picture's background transparent
  uint16_t Zoom = 1000;           // thousandths; 1000 = 100 %
  bool AutoZoom = false;          // zoom follows the window size
  Colour BorderColor = 0x6D6F8B;  // letter-box bars
  Colour InnerColor = 0xC7BABB;   // picture area between the bars
  uint8_t BackMode = kBackPreset;
  uint8_t AspectRatioMode = 0;    // 0 "16/9 - 1.77:1", 1 "1.85:1", 2 "2.35:1"
  uint16_t FreeAspectRatio = 30;  // bar height in lines, 0..288
  std::string BackImageName;      // background picture (BMP or JPEG)

  friend bool operator==(const PreviewSettings&, const PreviewSettings&) = default;
};

}  // namespace capter
