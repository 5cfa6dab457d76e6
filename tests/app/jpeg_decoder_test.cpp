#include "app/jpeg_decoder.h"

#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace capter {
namespace {

// A 16 x 8 colour JPEG: left half red, right half blue.
std::string EncodeTestJpeg() {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 16;
  info.image_height = 8;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(16 * 3);
  for (int x = 0; x < 16; ++x) {
    row[3 * x] = x < 8 ? 220 : 10;
    row[3 * x + 2] = x < 8 ? 10 : 220;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

TEST(JpegDecoder, DecodesColoursIntoTheBgrPicture) {
  Picture24 picture;
  const ImageReadResult result = DecodeJpeg(EncodeTestJpeg(), picture);
  ASSERT_TRUE(result.ok) << result.error;
  ASSERT_EQ(picture.Width(), 16);
  ASSERT_EQ(picture.Height(), 8);
  const Colour left = picture.Pixel(2, 4);
  const Colour right = picture.Pixel(13, 4);
  EXPECT_GT(RedOf(left), 180);
  EXPECT_LT(BlueOf(left), 60);
  EXPECT_GT(BlueOf(right), 180);
  EXPECT_LT(RedOf(right), 60);
}

TEST(JpegDecoder, RefusesDamagedBytesAndKeepsThePicture) {
  const std::string good = EncodeTestJpeg();
  Picture24 picture(3, 3);
  for (const std::string& bad :
       {std::string(), std::string("\xFF\xD8\xFF"), good.substr(0, 40), std::string(200, 'x')}) {
    EXPECT_FALSE(DecodeJpeg(bad, picture).ok);
    EXPECT_EQ(picture.Width(), 3);
  }
}

TEST(JpegDecoder, BackgroundImageIsToldApartByItsFirstBytesAndErrorsNameTheFile) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() / "capter_background_test.bmp";  // JPEG bytes
  std::ofstream(path, std::ios::binary) << EncodeTestJpeg();
  Picture24 picture;
  EXPECT_TRUE(ReadBackgroundImage(path.string(), picture).ok);
  EXPECT_EQ(picture.Width(), 16);
  std::ofstream(path, std::ios::binary) << "BMxxxx";
  const ImageReadResult damaged = ReadBackgroundImage(path.string(), picture);
  EXPECT_FALSE(damaged.ok);
  EXPECT_EQ(damaged.error.rfind(path.string() + ": ", 0), 0u) << damaged.error;
  fs::remove(path);
}

}  // namespace
}  // namespace capter
