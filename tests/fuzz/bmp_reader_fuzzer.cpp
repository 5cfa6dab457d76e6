// Feeds arbitrary bytes to the BMP reader used for preview backgrounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "export/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  capter::Picture24 picture;
  const capter::BmpReadResult result =
      capter::DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size), picture);
  if (result.ok && (picture.Width() < 1 || picture.Height() < 1 || picture.Width() > 16384 ||
                    picture.Height() > 16384)) {
    std::abort();
  }
  return 0;
}
