// JPEG pictures for the preview's background image, decoded with
// libjpeg-turbo into the core's 24-bit picture. Damaged or hostile files are
// refused with a reason, never trusted.
#pragma once

#include <string>
#include <string_view>

#include "stream/picture.h"

namespace capter {

struct ImageReadResult {
  bool ok = true;
  std::string error;
};

// Decodes JPEG bytes (grey or colour) into `picture`. Pictures larger than
// 16384 pixels a side or 64 Mi pixels in all are refused.
ImageReadResult DecodeJpeg(std::string_view bytes, Picture24& picture);

// Reads a BMP or JPEG file, told apart by its first bytes; the error names
// the file.
ImageReadResult ReadBackgroundImage(const std::string& path, Picture24& picture);

}  // namespace capter
