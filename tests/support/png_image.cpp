#include "tests/support/png_image.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace capter::testing {

bool ReadPalettedPng(const std::string& path, PalettedPng& png) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(reader);
  bool ok = false;
  if (setjmp(png_jmpbuf(reader)) == 0) {
    png_init_io(reader, file.get());
    png_read_info(reader, info);
    if (png_get_color_type(reader, info) == PNG_COLOR_TYPE_PALETTE) {
      png_set_packing(reader);  // one byte per index whatever the bit depth
      png_read_update_info(reader, info);
      png.width = static_cast<int>(png_get_image_width(reader, info));
      png.height = static_cast<int>(png_get_image_height(reader, info));
      png.indices.assign(static_cast<size_t>(png.width) * png.height, 0);
      std::vector<png_bytep> rows(static_cast<size_t>(png.height));
      for (int y = 0; y < png.height; ++y)
        rows[y] = png.indices.data() + static_cast<size_t>(y) * png.width;
      png_read_image(reader, rows.data());
      ok = true;
    }
  }
  png_destroy_read_struct(&reader, &info, nullptr);
  return ok;
}

}  // namespace capter::testing
