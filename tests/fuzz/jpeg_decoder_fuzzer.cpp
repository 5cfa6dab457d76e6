// Feeds arbitrary bytes to the JPEG decoder of the preview's background.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  capter::Picture24 picture;
  capter::DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size), picture);
  return 0;
}
