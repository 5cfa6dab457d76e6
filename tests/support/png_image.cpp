#include "tests/support/png_image.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace capter::testing {
namespace {

// Reads the picture once libpng's error jump is set; returns false for a
// picture that is not paletted.
bool ReadIndices(png_structp reader, png_infop info, FILE* file, PalettedPng& png) {
  png_init_io(reader, file);
  png_read_info(reader, info);
  if (png_get_color_type(reader, info) != PNG_COLOR_TYPE_PALETTE) return false;
  png_set_packing(reader);  // one byte per index whatever the bit depth
  png_read_update_info(reader, info);
  png.width = static_cast<int>(png_get_image_width(reader, info));
  png.height = static_cast<int>(png_get_image_height(reader, info));
  png.indices.assign(static_cast<size_t>(png.width) * png.height, 0);
  for (int y = 0; y < png.height; ++y) {
    png_read_row(reader, png.indices.data() + static_cast<size_t>(y) * png.width, nullptr);
  }
  return true;
}

// libpng reports errors by jumping back here; nothing in this frame changes
// between the jump's setting and its use.
bool ReadGuarded(png_structp reader, png_infop info, FILE* file, PalettedPng& png) {
  if (setjmp(png_jmpbuf(reader)) != 0) return false;
  return ReadIndices(reader, info, file, png);
}

}  // namespace

bool ReadPalettedPng(const std::string& path, PalettedPng& png) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(reader);
  const bool ok = ReadGuarded(reader, info, file.get(), png);
  png_destroy_read_struct(&reader, &info, nullptr);
  return ok;
}

}  // namespace capter::testing
