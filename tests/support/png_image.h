// Reading the palette indices of a paletted PNG file (corpus source pictures).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace capter::testing {

struct PalettedPng {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indices;  // one per pixel, row by row

  uint8_t Index(int x, int y) const { return indices[static_cast<size_t>(y) * width + x]; }
};

// False when the file cannot be read or is not a paletted PNG.
bool ReadPalettedPng(const std::string& path, PalettedPng& png);

}  // namespace capter::testing
