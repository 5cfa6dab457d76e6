#include "app/jpeg_decoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <fstream>
#include <iterator>
#include <vector>

#include "export/bmp_file.h"

namespace capter {
namespace {

constexpr JDIMENSION kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 64ull << 20;

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the decoder with the library's message.
struct ErrorManager {
  jpeg_error_mgr base{};
  std::jmp_buf back{};
  char message[JMSG_LENGTH_MAX] = {};
};

void ExitWithError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->back, 1);
}

void IgnoreMessage(j_common_ptr /*info*/, int /*level*/) {}

// Everything that needs destruction lives outside the setjmp frame.
struct Decompressor {
  jpeg_decompress_struct info{};
  ErrorManager errors;
  std::vector<uint8_t> row;
  Decompressor() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitWithError;
    errors.base.emit_message = IgnoreMessage;
  }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
};

bool DecodeInto(Decompressor& d, std::string_view bytes, Picture24& picture, std::string& error) {
  if (setjmp(d.errors.back) != 0) {
    error = d.errors.message;
    return false;
  }
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.info, TRUE);
  if (d.info.image_width > kMaxSide || d.info.image_height > kMaxSide ||
      uint64_t{d.info.image_width} * d.info.image_height > kMaxPixels) {
    error = "picture too large";
    return false;
  }
  d.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.info);
  const int width = static_cast<int>(d.info.output_width);
  const int height = static_cast<int>(d.info.output_height);
  picture.Resize(width, height);
  d.row.resize(static_cast<size_t>(width) * 3);
  while (d.info.output_scanline < d.info.output_height) {
    const int y = static_cast<int>(d.info.output_scanline);
    JSAMPROW rows[1] = {d.row.data()};
    jpeg_read_scanlines(&d.info, rows, 1);
    uint8_t* out = picture.Row(y);
    for (int x = 0; x < width; ++x) {  // RGB to the picture's BGR bytes
      out[3 * x] = d.row[3 * x + 2];
      out[3 * x + 1] = d.row[3 * x + 1];
      out[3 * x + 2] = d.row[3 * x];
    }
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

}  // namespace

ImageReadResult DecodeJpeg(std::string_view bytes, Picture24& picture) {
  if (bytes.size() < 4) return {false, "not a JPEG picture"};
  Decompressor decompressor;
  std::string error;
  Picture24 decoded;
  if (!DecodeInto(decompressor, bytes, decoded, error)) return {false, error};
  picture = std::move(decoded);
  return {};
}

ImageReadResult ReadBackgroundImage(const std::string& path, Picture24& picture) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {false, path + ": cannot be read"};
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const bool jpeg = bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
                    static_cast<uint8_t>(bytes[1]) == 0xD8;
  if (jpeg) {
    const ImageReadResult result = DecodeJpeg(bytes, picture);
    if (!result.ok) return {false, path + ": " + result.error};
    return result;
  }
  const BmpReadResult result = DecodeBmp(bytes, picture);
  if (!result.ok) return {false, path + ": " + result.error};
  return {};
}

}  // namespace capter
